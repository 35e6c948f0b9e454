// The page's own message boxes: modal, focused on OK, closed by Enter or Escape.

import { el } from "./dom.js";

export function showMessage(host, text, title = "Orvanta") {
  return new Promise((resolve) => {
    const ok = el("button", { class: "primary", autofocus: true }, "OK");
    const dialog = el(
      "dialog",
      { class: "modal message", role: "alertdialog", "aria-label": title },
      el("h2", {}, title),
      el("p", { class: "message-text" }, text),
      el("div", { class: "dialog-buttons" }, ok),
    );
    const close = () => {
      dialog.close();
      dialog.remove();
      resolve();
    };
    ok.addEventListener("click", close);
    dialog.addEventListener("close", close, { once: true });
    host.append(dialog);
    dialog.showModal();
    ok.focus();
  });
}

// The warnings of a build in their own words (" file not found !" and the like), each once.
export function warningsText(warnings) {
  return [...new Set(warnings.map((w) => w.message))].join("\n");
}
