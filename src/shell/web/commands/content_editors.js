// The commands that open a content editor, one row each: the button, the menu entry and the
// editor (with its first tab where the editor has several).

const editors = [
  ["movieClip", "MovieClip", "MovieClip (Create Flash MovieClip from Library)", "TMovieClipform"],
  ["importSwf", null, "Import External SWF (Insert Your OWN Flash File)", "TMovieClipform"],
  ["animatedText", "Animated Text", "Animated Text (Create Main Text Effect)", "Tdynamictextform"],
  ["buttonBar", "Button Bar", "Button Bar (Create Flash Buttons)", "Tbuttonform"],
  ["slideShow", "SlideShow", "Slideshow (Create Flash Photo Slideshow effect)", "Tslideshowform"],
  ["staticText", "Static Text", "Static Text (Create Normal Texts)", "Tstatictextform"],
  [
    "staticImage",
    "Static Image",
    "Static Image (Create Image in front of Shape Panel)",
    "Tstaticimage_form",
  ],
  [
    "shapePanel",
    "Shape Panel",
    "Shape Panel (Create  Panel and Background Panel)",
    "Tshapeboxform",
  ],
  [
    "backImage",
    "Back Image",
    "Back Image (Create Background Image under Shape Panel)",
    "Tstaticimage_form",
  ],
  ["htmlText", "HTML Text", "HTML Text (Create HTML DIV Layer)", "Tstaticmemoform"],
  [
    "bannerOptions",
    "Banner Options",
    "Banner Options (Width&&Height,FPS,BG Color&&Music, Welcome Loading)",
    "TSWFOptionForm",
    "Main",
    "Width,Height,PerLoader,MouseOver",
  ],
];

export const contentEditorCommands = editors.map(
  ([name, label, menuLabel, editor, tab = "", hint]) => ({
    name,
    label,
    menuLabel,
    hint,
    editor,
    perform: ({ ui }) => ui.openEditor(editor, tab),
  }),
);
