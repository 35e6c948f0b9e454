// The visual editor's toolbar: face, colour and the buttons of the browser's editing commands,
// each button showing whether its command is in effect at the selection.
import { el } from "../dom.js";
import { foreColorValue } from "./layer_text.js";

// Caption, editing command, its value, and what shows the button pressed.
const pressedWhen = (name) => (state) => state[name] === true;
const GROUPS = [
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

// command(name, value) runs an editing command; insertImage and createLink ask for an address.
export function createToolbar({ fonts, command, insertImage, createLink }) {
  const controls = [];
  const pressedButtons = [];
  const face = el("select", { class: "he-face", "aria-label": "Font face",
    onchange: () => command("fontName", face.value) },
    el("option", { value: "" }, ""), ...fonts.map((f) => el("option", { value: f }, f)));
  const colour = el("input", { type: "color", class: "he-colour", "aria-label": "Colour",
    value: "#000000", onchange: () => command("foreColor", foreColorValue(colour.value)) });
  controls.push(face, colour);
  const button = ({ caption, title, pressed }, onclick) => {
    const b = el("button", { type: "button", class: "oe-button he-tool", onclick }, caption);
    if (title) b.title = title;
    if (pressed) pressedButtons.push([b, pressed]);
    controls.push(b);
    return b;
  };
  const group = (...children) => el("span", { class: "he-group" }, ...children);
  const element = el("div", { class: "he-toolbar", role: "toolbar", "aria-label": "Formatting" },
    group(face, colour),
    ...GROUPS.map((tools) =>
      group(...tools.map((tool) => button(tool, () => command(tool.command, tool.value))))),
    group(button({ caption: "Insert Image" }, insertImage),
      button({ caption: "CreateLink" }, createLink)));
  return {
    element,
    setEnabled(on) {
      for (const c of controls) c.disabled = !on;
    },
    // The command states the browser reports for the selection.
    show(state) {
      for (const [b, pressed] of pressedButtons) b.setAttribute("aria-pressed", String(pressed(state)));
      const name = faceName(state.fontName);
      if (name && ![...face.options].some((o) => o.value === name))
        face.append(el("option", { value: name }, name));
      face.value = name;
      colour.value = colourControlValue(state.foreColor) ?? colour.value;
    },
  };
}
