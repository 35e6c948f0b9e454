import { moveSlot } from "./slot_moves.js";

const slots = [1, 2, 3, 4, 5];
// What moves with a panel when it changes place; the drop shadow goes with it too, or a panel
// would lose its shadow to its neighbour. The unused colours stay with the slot.
const panel = (k) => [`shape${k}listbox`, `shape${k}posx`, `shape${k}posy`, `shape${k}width`,
  `shape${k}height`, `shape${k}alpha`, `shape${k}color1Replace`, `shape${k}color2Replace`,
  `shape${k}shadow`];
const styled = (k) => (v) => Number(v[`shape${k}listbox`]) > 0;

export default {
  editor: "Tshapeboxform",
  // The panels keep their templates' colours, so the colour settings are never offered.
  show: [
    ...slots.map((k) => ({
      fields: [`shape${k}posx`, `shape${k}posy`, `shape${k}width`, `shape${k}height`,
        `shape${k}alpha`, `shape${k}shadow`],
      when: styled(k),
    })),
    {
      fields: slots.flatMap((k) => [`shape${k}color1`, `shape${k}color2`, `shape${k}color1Replace`,
        `shape${k}color2Replace`]),
      when: () => false,
    },
  ],
  actions: [
    ...slots.map((k) => ({ tab: `Shape ${k}`, caption: "Remove", set: { [`shape${k}listbox`]: "0" } })),
    ...slots.slice(0, 4).map((k) => ({ tab: `Shape ${k}`, caption: "Send to Back",
      set: (v) => moveSlot(v, panel, k, 5) })),
    ...slots.slice(1).map((k) => ({ tab: `Shape ${k}`, caption: "Bring to Front",
      set: (v) => moveSlot(v, panel, k, 1) })),
    {
      tab: "Shape 5",
      caption: "Full Size",
      set: (v) => ({ shape5posx: "0", shape5posy: "0", shape5width: v.SWFWidth,
        shape5height: v.SWFHeight }),
    },
  ],
};
