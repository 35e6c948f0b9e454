import { isOn } from "../field_values.js";
import { pictureFolders } from "../file_choice.js";

const hasText = (v) => v.InputText.trim() !== "";
const fillIs = (name) => (v) => isOn(v[name]);
const artStyles = ["FontFrontArtTextIce", "FontFrontArtTextDot",
  ...Array.from({ length: 15 }, (_, i) => `FontFrontArtText${i + 3}`)];

export default {
  editor: "Tdynamictextform",
  tabOrder: ["Input Text"],
  // A text typed for the first time starts from settings that show it well.
  onOpen: [
    {
      when: (v) => !hasText(v),
      set: {
        TextRotation: "0", TextPosX: "10", TextPosY: "10", suiSpinEdit9: "2500",
        PageDelayTime: "2500", TextDisplayType: "0", TextHorz: "2", letterSpace: "0",
        LineSpace: "0", lettershadowpanel: "False", TextEffectID: "3", letternone: "True",
        letterlinerotation: "True",
      },
    },
  ],
  // The lines the build animates are copied from the typed text; nobody edits them.
  show: [{ fields: ["Animatedinputtext"], when: () => false }],
  enable: [
    {
      fields: ["TextPosX", "TextPosY", "suiSpinEdit9", "PageDelayTime", "TextDisplayType",
        "TextHorz", "letterSpace", "LineSpace", "lettershadowpanel", "TextEffectID", "letternone",
        "Letterblur", "letterlaser", "letterlinerotation"],
      when: hasText,
    },
    { fields: ["lettershadowcolor"], when: (v) => hasText(v) && isOn(v.lettershadowpanel) },
    {
      fields: ["FontFrontSolidColor", "FontFrontSolidColorRandom"],
      when: fillIs("FontFrontSolidColorEnabled"),
    },
    {
      fields: ["FontFrontGradientColorStart", "FontFrontGradientColorEnd",
        "FontFrontGradientColorType", "FontFrontGradientColorRotation"],
      when: fillIs("FontFrontGradientColorEnabled"),
    },
    {
      fields: ["FontFrontImageEditBox", "FontFrontImagePosX", "FontFrontImagePosY",
        "FontFrontImageType"],
      when: fillIs("FontFrontImageEnabled"),
    },
    {
      fields: [...artStyles, "FontFrontArtColorEnabled"],
      when: fillIs("FontFrontArtTextEnabled"),
    },
    {
      fields: ["FontFrontArtColor", "FontFrontArtColorRandom"],
      when: (v) => isOn(v.FontFrontArtTextEnabled) && isOn(v.FontFrontArtColorEnabled),
    },
    { fields: ["LetterLineColor"], when: (v) => v.LetterLineWidth !== "0" },
    { fields: ["ShadowPosition"], when: (v) => v.shadowwidth !== "0" },
  ],
  files: {
    FontFrontImageEditBox: {
      filter: "picture",
      types: "Jpeg, Bmp,PNG",
      keepAfter: pictureFolders,
    },
  },
};
