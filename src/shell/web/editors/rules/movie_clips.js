import { isNoFile } from "../field_values.js";
import { moveSlot } from "./slot_moves.js";

const layers = [1, 2, 3, 4, 5];
const layer = (i) => [`PageEffectID${i}`, ...placement(i)];
const placement = (i) => [`PageBackGroundPosX${i}`, `PageBackGroundPosY${i}`,
  `PageBackGroundScalewidth${i}`, `PageBackGroundRotation${i}`, `PageBackgroundShadow${i}`];

// The first free layer, counting from layer 1, takes the clip picked in the library; with all
// five used nothing happens.
function addClip(v) {
  const n = layers.find((i) => Number(v[`PageEffectID${i}`]) <= 0);
  if (!n) return {};
  return {
    pick: {
      list: "Library Clips",
      then: (clip) => clip < 1 ? {} : { tab: `Clip ${n}`, set: { [`PageEffectID${n}`]: String(clip) } },
    },
  };
}

export default {
  editor: "TMovieClipform",
  // The library clips come first; the own SWF is the import command's tab.
  tabOrder: [...layers.map((i) => `Clip ${i}`), "Own SWF"],
  // A layer without a clip, or no own SWF, has nothing to place.
  enable: [
    ...layers.map((i) => ({ fields: placement(i), when: (v) => Number(v[`PageEffectID${i}`]) > 0 })),
    { fields: placement(0), when: (v) => !isNoFile(v.PageEffect_filename1) },
  ],
  files: { PageEffect_filename1: { filter: "swf", types: "SWF/Flash" } },
  actions: [
    { caption: "Add MovieClip", perform: addClip },
    ...layers.map((i) => ({ tab: `Clip ${i}`, caption: "Remove", set: { [`PageEffectID${i}`]: "0" } })),
    // Layer 1 lies in front of the others.
    ...layers.slice(1).map((i) => ({ tab: `Clip ${i}`, caption: "Bring To Front",
      set: (v) => moveSlot(v, layer, i, i - 1) })),
    ...layers.slice(0, 4).map((i) => ({ tab: `Clip ${i}`, caption: "Send to Back",
      set: (v) => moveSlot(v, layer, i, i + 1) })),
    { tab: "Own SWF", caption: "Remove", set: { PageEffect_filename1: "None" } },
  ],
};
