import { isOn } from "../field_values.js";
import { pictureFolders } from "../file_choice.js";

// The music settings only mean something once a music file is chosen.
const hasMusic = (v) => v.bgsound > " " && v.bgsound !== "None";
const musicGroup = ["bgsoundoption", "bgsoundcontrol", "bgsoundcontrolx", "bgsoundcontroly",
  "bgsoundcontrolshadow"];
const presets = [[468, 60], [728, 90], [250, 250], [300, 250], [120, 600], [160, 600], [760, 800],
  [980, 800], [980, 1200]];

export default {
  editor: "TSWFOptionForm",
  onOpen: [
    {
      when: (v) => !hasMusic(v),
      set: { bgsoundcontrolx: "0", bgsoundcontroly: "0", bgsoundcontrol: "0" },
    },
  ],
  show: [
    // The colour and the picture take the same place; the background choice shows one of them.
    { fields: ["PageBackGroundSolidColor"], when: (v) => isOn(v.PageBackGroundSolidEnabled) },
    { fields: ["PageBackGroundImageEdit"], when: (v) => isOn(v.PageBackGroundImageEnabled) },
    { fields: musicGroup, when: hasMusic },
  ],
  enable: [
    { fields: ["bgsoundcontrolx", "bgsoundcontroly"], when: (v) => v.bgsoundcontrol !== "0" },
  ],
  files: {
    PageBackGroundImageEdit: {
      filter: "picture",
      types: "Jpeg, Bmp",
      keepAfter: pictureFolders,
    },
    bgsound: {
      filter: "sound",
      types: "*.mp3;*.wav",
      keepAfter: ["sound/"],
      startIn: "sound",
      hint: "(Recommend 22050hz 32kb/s MP3)",
    },
  },
  selected: ["preloadindex", "bgsoundcontrol"],
  actions: [
    ...presets.map(([w, h]) => ({
      tab: "Main",
      group: "Size presets",
      caption: `${w} × ${h}`,
      set: { SWFWidth: String(w), SWFHeight: String(h) },
    })),
    { tab: "Sound", caption: "No Sound", set: { bgsound: "None" } },
  ],
};
