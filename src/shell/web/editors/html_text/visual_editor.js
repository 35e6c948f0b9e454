// The visual HTML editor ("HTML Editor"): the text is written by the server as a document of
// the preview origin, shown in a sandboxed frame in design mode and edited with the browser's
// own editing commands, which design_agent.js runs inside the frame on our behalf. Resolves to
// the edited text after "OK & Save", or to the input itself after "Cancel".
import { displayCaption, el, keepFocusIn } from "../dom.js";
import { chooseFile } from "../file_dialog.js";
import { storedFileName } from "../file_choice.js";
import { openFrameChannel } from "./frame_channel.js";
import { layerText } from "./layer_text.js";
import { createToolbar } from "./toolbar.js";
import { askValue } from "./value_prompt.js";

const STYLESHEET = new URL("./html_editor.css", import.meta.url).href;

function ensureStylesheet() {
  if (document.querySelector(`link[href="${STYLESHEET}"]`)) return;
  document.head.append(el("link", { rel: "stylesheet", href: STYLESHEET }));
}

export async function editHtml({ html, api, host }) {
  ensureStylesheet();
  const [{ origin }, fonts, { page, pictures }] = await Promise.all([
    api.preview(),
    api.fonts().then((f) => f.families ?? f).catch(() => []),
    api.htmlEditor(html),
  ]);
  return new Promise((resolve) => {
    const frame = el("iframe", { class: "he-document", title: "HTML document",
      sandbox: "allow-scripts allow-same-origin" });
    let closing = false;
    const channel = openFrameChannel(frame, origin, { onState: (state) => {
      if (closing) return;
      setEnabled(true);
      toolbar.show(state);
    } });
    const command = (name, value) => channel.send({ type: "command", command: name, value });

    // Our own prompts stand in for the browser's; a picture is named by its address or path.
    const askPicture = () => askValue({ host: root, title: "Insert Image",
      label: "Picture address or file", browse: async () => {
        const picked = await chooseFile({ api, host: root, filter: "picture",
          title: "Insert Image (JPG, PNG, GIF)", root: "home" });
        return picked && storedFileName(picked);
      } });
    const toolbar = createToolbar({
      fonts,
      command,
      async insertImage() {
        const address = await askPicture();
        if (!address) return;
        command("insertImage", address);
        const shown = await api.htmlEditorPictures([address]).catch(() => null);
        if (shown) channel.send({ type: "pictures", pictures: shown.pictures });
      },
      async createLink() {
        const address = await askValue({ host: root, title: "CreateLink", label: "Link address",
          value: "http://" });
        if (address) command("createLink", address);
      },
    });

    const okButton = el("button", { type: "button", class: "oe-button oe-primary",
      onclick: () => finish(true) }, displayCaption("OK && Save"));
    const cancelButton = el("button", { type: "button", class: "oe-button",
      onclick: () => finish(false) }, "Cancel");
    const root = el("div", { class: "oe-modal html-editor", role: "dialog", "aria-modal": "true",
      "aria-label": "HTML Editor" },
      el("div", { class: "oe-window he-window" },
        el("header", { class: "oe-title" }, "HTML Editor"),
        toolbar.element,
        frame,
        el("p", { class: "he-hint" }, "Note: [Shift]+Enter to break a line <BR/>"),
        el("footer", { class: "oe-buttons" }, okButton, cancelButton)));
    // Nothing can be done to the document until its script has answered.
    function setEnabled(on) {
      toolbar.setEnabled(on);
      okButton.disabled = !on;
    }

    async function finish(save) {
      if (closing) return;
      closing = true;
      setEnabled(false);
      cancelButton.disabled = true;
      const result = save ? layerText((await channel.ask("result")).html) : html;
      channel.send({ type: "stop" });
      channel.close();
      frame.src = "about:blank";
      root.remove();
      resolve(result);
    }

    frame.addEventListener("load", () => {
      if (!closing) channel.send({ type: "start", pictures });
    });
    root.addEventListener("keydown", (e) => {
      e.stopPropagation();
      if (e.key === "Escape") finish(false);
      if (e.key === "Tab") keepFocusIn(root, e);
    });
    setEnabled(false);
    host.append(root);
    // A fresh address each time, so that no cached copy of an earlier text shows.
    frame.src = `${origin}/${page}?${Date.now()}`;
  });
}
