// Each editor's own rules for showing, enabling and resetting its fields, by editor class.
import animatedText from "./animated_text.js";
import bannerOptions from "./banner_options.js";
import buttonBar from "./button_bar.js";
import htmlText from "./html_text.js";
import movieClips from "./movie_clips.js";
import shapePanels from "./shape_panels.js";
import slideshow from "./slideshow.js";
import staticImages from "./static_images.js";
import staticText from "./static_text.js";

const tables = [animatedText, bannerOptions, buttonBar, movieClips, shapePanels, slideshow,
  staticImages, staticText, htmlText];

export const editorRules = Object.fromEntries(tables.map((t) => [t.editor, t]));

export function rulesFor(editor) {
  return editorRules[editor] ?? { editor };
}
