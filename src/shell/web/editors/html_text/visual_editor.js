// The visual HTML editor ("HTML Editor"): the text is written by the server as a document of
// the preview origin, shown in a sandboxed frame in design mode and edited with the browser's
// own editing commands, which design_agent.js runs inside the frame on our behalf. Resolves to
// the edited text after "OK & Save", or to the input itself after "Cancel".
import { displayCaption, el, keepFocusIn } from "../dom.js";
import { chooseFile } from "../file_dialog.js";
import { storedFileName } from "../file_choice.js";
import { foreColorValue, layerText } from "./layer_text.js";
import { askValue } from "./value_prompt.js";

const STYLESHEET = new URL("./html_editor.css", import.meta.url).href;

// Toolbar buttons: caption, editing command, its value, and what shows the button pressed.
const pressedWhen = (name) => (state) => state[name] === true;
const TOOLBAR_GROUPS = [
  [["Bold", "bold"], ["Italic", "italic"], ["Underline", "underline"]]
    .map(([caption, command]) => ({ caption, command, pressed: pressedWhen(command) })),
  ["1", "2", "3", "4", "5", "6", "7"].map((size) => ({ caption: size, command: "fontSize",
    value: size, title: `Font size ${size}`, pressed: (state) => String(state.fontSize) === size })),
  [["Left", "justifyLeft"], ["Center", "justifyCenter"], ["Right", "justifyRight"]]
    .map(([caption, command]) => ({ caption, command, pressed: pressedWhen(command) })),
  [["<<", "outdent", "Outdent"], [">>", "indent", "Indent"],
    ["*.", "insertUnorderedList", "Bulleted list"], ["1.", "insertOrderedList", "Numbered list"]]
    .map(([caption, command, title]) => ({ caption, command, title,
      pressed: command.startsWith("insert") ? pressedWhen(command) : null })),
];

function ensureStylesheet() {
  if (document.querySelector(`link[href="${STYLESHEET}"]`)) return;
  document.head.append(el("link", { rel: "stylesheet", href: STYLESHEET }));
}

// A face as the browser names it ("\"Liberation Sans\"", "Arial, sans-serif") to the list's name.
function faceName(value) {
  return String(value ?? "").split(",")[0].trim().replace(/^["']|["']$/g, "");
}

// A colour as the browser reports it ("rgb(255, 0, 0)") for the colour control ("#ff0000").
function colourControlValue(value) {
  const parts = String(value ?? "").match(/\d+/g);
  if (!parts || parts.length < 3) return null;
  return `#${parts.slice(0, 3).map((p) => Number(p).toString(16).padStart(2, "0")).join("")}`;
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
    const send = (message) => frame.contentWindow?.postMessage({ orvantaHtmlEditor: message }, origin);
    const waiting = new Map();
    const controls = [];
    const pressedButtons = [];

    const face = el("select", { class: "he-face", "aria-label": "Font face",
      onchange: () => command("fontName", face.value) },
      el("option", { value: "" }, ""), ...fonts.map((f) => el("option", { value: f }, f)));
    const colour = el("input", { type: "color", class: "he-colour", "aria-label": "Colour",
      value: "#000000", onchange: () => command("foreColor", foreColorValue(colour.value)) });
    controls.push(face, colour);
    const button = (caption, onclick, title) => {
      const b = el("button", { type: "button", class: "oe-button he-tool", onclick }, caption);
      if (title) b.title = title;
      controls.push(b);
      return b;
    };
    const groups = TOOLBAR_GROUPS.map((group) => el("span", { class: "he-group" },
      ...group.map((tool) => {
        const b = button(tool.caption, () => command(tool.command, tool.value), tool.title);
        if (tool.pressed) pressedButtons.push([b, tool.pressed]);
        return b;
      })));
    const insertImage = button("Insert Image", async () => {
      const address = await askValue({ host: root, title: "Insert Image",
        label: "Picture address or file", browse: async () => {
          const picked = await chooseFile({ api, host: root, filter: "picture",
            title: "Insert Image (JPG, PNG, GIF)", root: "home" });
          return picked && storedFileName(picked);
        } });
      if (!address) return;
      command("insertImage", address);
      const shown = await api.htmlEditorPictures([address]).catch(() => null);
      if (shown) send({ type: "pictures", pictures: shown.pictures });
    });
    const createLink = button("CreateLink", async () => {
      const address = await askValue({ host: root, title: "CreateLink", label: "Link address",
        value: "http://" });
      if (address) command("createLink", address);
    });

    const okButton = el("button", { type: "button", class: "oe-button oe-primary",
      onclick: () => finish(true) }, displayCaption("OK && Save"));
    const cancelButton = el("button", { type: "button", class: "oe-button",
      onclick: () => finish(false) }, "Cancel");
    const root = el("div", { class: "oe-modal html-editor", role: "dialog", "aria-modal": "true",
      "aria-label": "HTML Editor" },
      el("div", { class: "oe-window he-window" },
        el("header", { class: "oe-title" }, "HTML Editor"),
        el("div", { class: "he-toolbar", role: "toolbar", "aria-label": "Formatting" },
          el("span", { class: "he-group" }, face, colour), ...groups,
          el("span", { class: "he-group" }, insertImage, createLink)),
        frame,
        el("p", { class: "he-hint" }, "Note: [Shift]+Enter to break a line <BR/>"),
        el("footer", { class: "oe-buttons" }, okButton, cancelButton)));

    function command(name, value) {
      send({ type: "command", command: name, value });
    }
    function showState(state) {
      for (const [b, pressed] of pressedButtons) b.setAttribute("aria-pressed", String(pressed(state)));
      const name = faceName(state.fontName);
      if (name && ![...face.options].some((o) => o.value === name))
        face.append(el("option", { value: name }, name));
      face.value = name;
      colour.value = colourControlValue(state.foreColor) ?? colour.value;
    }
    const setEnabled = (on) => {
      for (const c of controls) c.disabled = !on;
      okButton.disabled = !on;
    };

    const onMessage = (event) => {
      if (event.origin !== origin || event.source !== frame.contentWindow) return;
      const message = event.data?.orvantaHtmlEditor;
      if (message?.type === "state") {
        setEnabled(true);
        showState(message.state);
      }
      waiting.get(message?.type)?.(message);
    };
    const next = (type) => new Promise((done) => waiting.set(type, done));

    let closing = false;
    async function finish(save) {
      if (closing) return;
      closing = true;
      setEnabled(false);
      cancelButton.disabled = true;
      const result = save ? layerText((await askFrame("result")).html) : html;
      send({ type: "stop" });
      window.removeEventListener("message", onMessage);
      frame.src = "about:blank";
      root.remove();
      resolve(result);
    }
    function askFrame(type) {
      const answer = next(type);
      send({ type });
      return answer;
    }

    window.addEventListener("message", onMessage);
    frame.addEventListener("load", () => {
      if (!closing) send({ type: "start", pictures });
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
