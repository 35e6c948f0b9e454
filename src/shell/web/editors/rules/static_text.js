const slots = [1, 2, 3, 4, 5, 6, 7];
const hasText = (k) => (v) => v[`StaticText${k}`].trim() !== "";
const slotControls = (k) => [`Description${k}PosX`, `Description${k}PosY`, `Description${k}color`,
  `Description${k}shadow`, `DescriptionBGEffect${k}`];

export default {
  editor: "Tstatictextform",
  // An unused slot starts at the corner, plain.
  onOpen: slots.map((k) => ({
    when: (v) => !hasText(k)(v),
    set: {
      [`Description${k}PosX`]: "0",
      [`Description${k}PosY`]: "0",
      [`Description${k}shadow`]: "False",
      [`DescriptionBGEffect${k}`]: "False",
    },
  })),
  enable: slots.map((k) => ({ fields: slotControls(k), when: hasText(k) })),
  actions: slots.map((k) => ({
    tab: `Static Text ${k}`,
    caption: "Remove",
    set: { [`StaticText${k}`]: "" },
  })),
};
