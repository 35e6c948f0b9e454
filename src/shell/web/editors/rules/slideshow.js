import { isOn } from "../field_values.js";

const hasPhotos = (v) => v.Photos !== "";
const pictureBorder = (v) => Number(v.photoborderindex) > 2;
const thumbFields = ["galleryx", "galleryy", "galleryrow", "gallerycol", "galleryspace",
  "gallerythumbwidth", "gallerythumbscale", "thumbrandomr"];
const photoFields = ["photox", "photoy", "photodelay", "photowidth", "photoheight", "thumbcorp",
  "photoautoplay", "Bordershadow", "photobordercolor", "slideshoweffect", "photoposition",
  "photoborderindex", "thumbroundrect", "thumbshape", "thumbenabled"];

export default {
  editor: "Tslideshowform",
  tabOrder: ["Add Photo Files"],
  refresh: [
    // Without photos there is nothing to show: the settings go back to a plain photo box.
    {
      when: (v) => !hasPhotos(v),
      set: {
        photox: "0", photoy: "0", photodelay: "5", photoautoplay: "True", photowidth: "100",
        photoheight: "100", slideshoweffect: "-1", thumbcorp: "True", photoborderindex: "0",
        thumbenabled: "False",
      },
    },
    // A picture border brings its own outline, so the photo is not cut to a shape.
    { when: pictureBorder, set: { thumbroundrect: "False" } },
  ],
  enable: [
    { fields: [...photoFields, ...thumbFields], when: hasPhotos },
    { fields: thumbFields, when: (v) => isOn(v.thumbenabled) },
    { fields: ["photobordercolor"], when: (v) => v.photoborderindex === "1" },
    { fields: ["photodelay"], when: (v) => isOn(v.photoautoplay) },
    { fields: ["thumbroundrect"], when: (v) => !pictureBorder(v) },
    { fields: ["thumbshape"], when: (v) => isOn(v.thumbroundrect) },
  ],
  files: {
    Photos: {
      filters: [{ caption: "JPG (*.jpg)", filter: "jpg" },
        { caption: "Pictures (*.jpg, *.png, *.bmp)", filter: "picture" }],
      types: "JPG", keepAfter: ["photos/"], startIn: "photos",
    },
  },
  selected: ["photoborderindex"],
};
