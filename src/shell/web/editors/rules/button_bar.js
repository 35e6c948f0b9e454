import { isOn } from "../field_values.js";

const buttons = Array.from({ length: 20 }, (_, i) => i + 1);
// Buttons 1 to 7 are suffixed plainly, 8 to 20 with an underscore.
const name = (stem, n) => `${stem}${n <= 7 ? "" : "_"}${n}`;
const wholeBannerOff = (v) => !isOn(v.buttonurlenabled0);

export default {
  editor: "Tbuttonform",
  // With the whole banner as one link there are no buttons to set up.
  showTabs: [{ tabs: [...buttons.map((n) => `Button ${n}`), "Button Bar"], when: wholeBannerOff }],
  enable: [{ fields: ["buttonurl0", "buttontarget0"], when: (v) => isOn(v.buttonurlenabled0) }],
  actions: buttons.map((n) => ({
    tab: `Button ${n}`,
    caption: "Remove",
    set: { [name("buttonindex", n)]: "0" },
  })),
};
