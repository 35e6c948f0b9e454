import { editHtml } from "../html_text/visual_editor.js";

const layers = [1, 2, 3, 4, 5, 6, 7];
const text = (k) => `HtmlText${k}`;
// A layer exists while its text is not empty, exactly as the page generator decides.
const hasText = (k) => (v) => v[text(k)] !== "";
const layerOptions = (k) => [`staticmemoposx${k}`, `staticmemoposy${k}`, `staticmemowidth${k}`,
  `staticmemoheight${k}`, `TextGlow${k}`];

export default {
  editor: "Tstaticmemoform",
  // An unused layer starts as a small box at the corner.
  onOpen: layers.map((k) => ({
    when: (v) => !hasText(k)(v),
    set: {
      [`staticmemoposx${k}`]: "0",
      [`staticmemoposy${k}`]: "0",
      [`staticmemowidth${k}`]: "100",
      [`staticmemoheight${k}`]: "100",
    },
  })),
  show: layers.map((k) => ({ fields: layerOptions(k), when: hasText(k) })),
  actions: layers.flatMap((k) => [
    {
      tab: `HTML Text ${k}`,
      caption: "HTML Editor",
      field: text(k),
      dialog: (html, env) => editHtml({ html, ...env }),
    },
    { tab: `HTML Text ${k}`, caption: "Remove", set: { [text(k)]: "" } },
  ]),
  // Whether OK or Cancel, the window shows the page being designed again.
  async afterClose({ api }) {
    const state = await api.state();
    if (state.previewMode === "preview") await api.command("preview-mode", { mode: "design" });
  },
};
