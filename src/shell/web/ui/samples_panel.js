// "Sample Templates": the sample projects as pictures with captions; a click opens one. The
// panel has three heights; "Hide" leaves only its buttons.

import { el } from "./dom.js";

const tabs = [
  { list: "Flash Banner", enabled: true },
  { list: "Flash Slideshow", enabled: false },
];

export function createSamplesPanel(host, { api, run, controls }) {
  const grid = el("div", { class: "sample-grid", role: "list", "aria-label": "Flash Banner" });
  const tabBar = el(
    "div",
    { class: "tabs", role: "tablist" },
    tabs.map((tab, i) =>
      el(
        "button",
        { role: "tab", class: "tab", "aria-selected": String(i === 0), disabled: !tab.enabled },
        tab.list,
      ),
    ),
  );
  const panel = el(
    "section",
    { class: "panel samples", "aria-label": "Sample Templates", dataset: { size: "medium" } },
    el(
      "div",
      { class: "samples-head" },
      el("h2", {}, "Sample Templates"),
      tabBar,
      el(
        "div",
        { class: "size-buttons" },
        controls.buttons("hideSamples", "mediumSamples", "maximizeSamples"),
      ),
    ),
    grid,
  );
  host.append(panel);

  return {
    element: panel,
    showCatalogue(catalogue) {
      const list = catalogue.lists.find((l) => l.name === tabs[0].list);
      grid.replaceChildren(
        ...(list?.entries ?? []).map((entry, index) =>
          el(
            "button",
            {
              class: "sample",
              role: "listitem",
              disabled: entry.available === false,
              title:
                entry.available === false
                  ? `${entry.caption}: the sample project is missing`
                  : entry.caption,
              dataset: { entry: index },
              onclick: () => run("openSample", { list: list.name, entry: index }),
            },
            entry.picture
              ? el("img", {
                  src: api.thumbnailUrl(list.name, index),
                  alt: "",
                  loading: "lazy",
                  width: 120,
                  height: 80,
                })
              : el("span", { class: "no-picture" }),
            el("span", { class: "sample-caption" }, entry.caption),
          ),
        ),
      );
    },
    setSize(size) {
      panel.dataset.size = size;
    },
  };
}
