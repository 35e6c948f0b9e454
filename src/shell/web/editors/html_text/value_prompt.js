// A small modal asking for one address, in place of the browser's own dialogs for a link or a
// picture. Resolves to the text typed (trimmed), or null when cancelled or left empty. With
// browse, a "Browse" button fills the box from the file dialog.
import { el, keepFocusIn } from "../dom.js";

export function askValue({ host, title, label, value = "", browse }) {
  return new Promise((resolve) => {
    const input = el("input", { type: "text", class: "oe-wide", value });
    input.setAttribute("aria-label", label);
    const browseButton = browse
      ? el("button", { type: "button", class: "oe-button", onclick: async () => {
        const picked = await browse();
        if (picked != null) input.value = picked;
        input.focus();
      } }, "Browse")
      : null;
    const close = (result) => {
      dialog.remove();
      resolve(result ? input.value.trim() || null : null);
    };
    const dialog = el("div", { class: "oe-modal oe-prompt", role: "dialog", "aria-modal": "true",
      "aria-label": title },
      el("div", { class: "oe-window" },
        el("header", { class: "oe-title" }, title),
        el("div", { class: "oe-row oe-prompt-row" },
          el("label", { class: "oe-caption" }, label),
          el("div", { class: "oe-control" }, input, browseButton)),
        el("footer", { class: "oe-buttons" },
          el("button", { type: "button", class: "oe-button oe-primary", onclick: () => close(true) },
            "OK"),
          el("button", { type: "button", class: "oe-button", onclick: () => close(false) },
            "Cancel"))));
    dialog.addEventListener("keydown", (e) => {
      e.stopPropagation();
      if (e.key === "Escape") close(false);
      if (e.key === "Enter" && e.target === input) close(true);
      if (e.key === "Tab") keepFocusIn(dialog, e);
    });
    host.append(dialog);
    input.focus();
  });
}
