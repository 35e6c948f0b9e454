// "Please waiting ..." over the window, with the label of what is being done. It takes no room
// in the layout, so that showing it moves nothing.

import { el } from "./dom.js";

export function createBuildingPanel(host) {
  const label = el("div", { class: "building-label", role: "status", "aria-live": "polite" });
  const panel = el(
    "div",
    { class: "building-panel", hidden: true },
    el(
      "div",
      { class: "building-box" },
      el("div", { class: "building-caption" }, "Please waiting ..."),
      el("div", { class: "building-bar" }),
      label,
    ),
  );
  host.append(panel);
  let holders = 0;
  return {
    element: panel,
    show(text) {
      holders++;
      label.textContent = text;
      panel.hidden = false;
    },
    label(text) {
      label.textContent = text;
    },
    hide() {
      holders = Math.max(0, holders - 1);
      if (holders === 0) panel.hidden = true;
    },
  };
}
