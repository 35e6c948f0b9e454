// "Banner Content List": what the page holds, each with its palette colour; a double click or
// "Edit" opens the item's editor.

import { el } from "./dom.js";
import { createListBox, cssColour } from "./list_box.js";

export function createContentList(host, { run, controls }) {
  let items = [];
  const label = (index) => items[index]?.label;
  const list = createListBox({
    label: "Banner Content List",
    onSelect: (index) => run("selectContent", label(index)),
    onActivate: (index) => run("editContent", label(index)),
    onDelete: () => run("deleteContent"),
  });
  host.append(
    el(
      "section",
      { class: "panel content", "aria-label": "Banner Content List" },
      el("h2", {}, "Banner Content List"),
      list.element,
      el("div", { class: "panel-buttons" }, controls.buttons("deleteContent", "editContent")),
    ),
  );
  return {
    render(state) {
      items = state.content;
      list.render(
        items.map((item) => ({
          text: item.label,
          colour: "colour" in item ? cssColour(item.colour) : null,
        })),
        items.findIndex((item) => item.label === state.selection),
      );
    },
  };
}
