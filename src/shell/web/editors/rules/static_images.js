import { isNoFile, isOn } from "../field_values.js";

// The four picture slots: tab, file field and the stems and suffix of their other fields.
const slots = [
  { tab: "Static Image 1", file: "StaticImageText", at: "staticimage", wh: "staticimagewh", fx: "staticimage", n: "" },
  { tab: "Static Image 2", file: "StaticImageText2", at: "staticimage", wh: "staticimagewh", fx: "staticimage", n: "2" },
  { tab: "Static Image 3", file: "StaticImageText3", at: "staticimage", wh: "staticimagewh", fx: "staticimage", n: "3" },
  { tab: "Back Image", file: "BGImageText3", at: "BGimage", wh: "bgimagewh", fx: "bgimage", n: "3" },
];
const hasFile = (s) => (v) => !isNoFile(v[s.file]);
const picture = { filter: "picture", types: "Jpeg, Bmp,PNG", keepAfter: ["photos/"] };

export default {
  editor: "Tstaticimage_form",
  caption: "PNG Alpha/Transparence Supported",
  show: slots.map((s) => ({
    fields: [`${s.fx}bordercolor${s.n}`],
    when: (v) => isOn(v[`${s.fx}border${s.n}`]),
  })),
  enable: slots.flatMap((s) => [
    { fields: [`${s.at}x${s.n}`, `${s.at}y${s.n}`, `${s.wh}${s.n}`], when: hasFile(s) },
    {
      fields: [`${s.at}width${s.n}`, `${s.at}height${s.n}`],
      when: (v) => hasFile(s)(v) && !isOn(v[`${s.wh}${s.n}`]),
    },
  ]),
  files: Object.fromEntries(slots.map((s) => [s.file, picture])),
  actions: slots.map((s) => ({ tab: s.tab, caption: "No Image", set: { [s.file]: "None" } })),
};
