// "Recent Webpage": the project's pages; a click shows a page, a double click its options.

import { el } from "./dom.js";
import { createListBox } from "./list_box.js";

export function createPageList(host, { run, controls }) {
  let pages = [];
  const list = createListBox({
    label: "Recent Webpage",
    onSelect: (index) => run("selectPage", index + 1),
    onActivate: () => run("bannerOptions"),
  });
  host.append(
    el(
      "section",
      { class: "panel pages", "aria-label": "Recent Webpage" },
      el("h2", {}, "Recent Webpage"),
      list.element,
      el(
        "div",
        { class: "panel-buttons" },
        controls.buttons("deletePage", "newPage", "htmlText"),
      ),
    ),
  );
  return {
    render(state) {
      pages = state.pages;
      list.render(pages.map((text) => ({ text })), state.currentPage - 1);
    },
  };
}
