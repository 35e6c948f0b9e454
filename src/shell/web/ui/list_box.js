// A list of lines with one selected: click or the arrow keys select, double click or Enter
// activate. Re-rendering keeps the element, so focus and scrolling stay where they were.

import { el } from "./dom.js";

export function createListBox({ label, onSelect, onActivate, onDelete }) {
  const list = el("ul", { class: "list-box", role: "listbox", tabindex: 0, "aria-label": label });
  let count = 0;
  let selected = -1;

  list.addEventListener("click", (e) => {
    const line = e.target.closest("li");
    if (line) onSelect(Number(line.dataset.index));
  });
  list.addEventListener("dblclick", (e) => {
    const line = e.target.closest("li");
    if (line) onActivate(Number(line.dataset.index));
  });
  list.addEventListener("keydown", (e) => {
    const step = { ArrowDown: 1, ArrowUp: -1 }[e.key];
    if (step && count > 0) {
      e.preventDefault();
      onSelect(Math.min(count - 1, Math.max(0, selected + step)));
    } else if (e.key === "Enter" && selected >= 0) {
      e.preventDefault();
      onActivate(selected);
    } else if (e.key === "Delete" && selected >= 0 && onDelete) {
      e.preventDefault();
      e.stopPropagation();
      onDelete(selected);
    }
  });

  return {
    element: list,
    // lines: [{ text, colour? }] with colour a CSS colour for the swatch.
    render(lines, selectedIndex) {
      count = lines.length;
      selected = selectedIndex;
      list.replaceChildren(
        ...lines.map((line, index) =>
          el(
            "li",
            {
              role: "option",
              dataset: { index },
              "aria-selected": String(index === selectedIndex),
              title: line.text,
            },
            el("span", {
              class: "swatch",
              style: line.colour ? `background:${line.colour}` : undefined,
              "aria-hidden": "true",
            }),
            el("span", { class: "line-text" }, line.text),
          ),
        ),
      );
      list.children[selectedIndex]?.scrollIntoView({ block: "nearest" });
    },
  };
}

// A colour as the document stores it (red in the low byte) as CSS.
export function cssColour(packed) {
  const hex = (shift) => ((packed >> shift) & 255).toString(16).padStart(2, "0");
  return `#${hex(0)}${hex(8)}${hex(16)}`;
}
