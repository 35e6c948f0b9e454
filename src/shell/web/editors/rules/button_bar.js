import { isOn } from "../field_values.js";

const buttons = Array.from({ length: 20 }, (_, i) => i + 1);
// Buttons 1 to 7 are suffixed plainly, 8 to 20 with an underscore.
const name = (stem, n) => `${stem}${n <= 7 ? "" : "_"}${n}`;
const wholeBannerOff = (v) => !isOn(v.buttonurlenabled0);

// The first empty slot counting from button 1 takes the style picked in the gallery, its
// caption, the default link and a new window; "None" adds nothing.
function addButton(v, defaultOf) {
  const n = buttons.find((k) => Number(v[name("buttonindex", k)]) <= 0);
  if (!n) return { message: "Max 20 buttons!" };
  return {
    pick: {
      list: "Button Styles",
      then: (style) => style < 1 ? {} : {
        tab: `Button ${n}`,
        set: { [name("buttonindex", n)]: String(style), [name("buttontext", n)]: `link${n}`,
          [name("buttonurl", n)]: defaultOf(name("buttonurl", n)), [name("buttontarget", n)]: "0" },
      },
    },
  };
}

export default {
  editor: "Tbuttonform",
  // With the whole banner as one link there are no buttons to set up.
  showTabs: [{ tabs: [...buttons.map((n) => `Button ${n}`), "Button Bar"], when: wholeBannerOff }],
  pageLinks: buttons.map((n) => name("buttonurl", n)),
  enable: [{ fields: ["buttonurl0", "buttontarget0"], when: (v) => isOn(v.buttonurlenabled0) }],
  actions: [{ caption: "Add Button", perform: addButton }, ...buttons.map((n) => ({
    tab: `Button ${n}`,
    caption: "Remove",
    set: { [name("buttonindex", n)]: "0" },
  }))],
};
