// The menu bar, built from the registry's menu table: a menu opens on click or Enter, its entries
// are the commands' menu captions, Escape closes it.

import { command, isChecked, isEnabled, menus } from "../commands/registry.js";
import { parseCaption } from "./captions.js";
import { el } from "./dom.js";

export function createMenuBar(host, run) {
  const entries = [];

  function item(name, close) {
    const cmd = command(name);
    const node = el(
      "button",
      { role: "menuitem", class: "menu-item", dataset: { command: name } },
      parseCaption(cmd.menuLabel ?? cmd.label).text,
    );
    node.addEventListener("click", () => {
      close();
      run(name);
    });
    entries.push({ node, cmd });
    return node;
  }

  function list(items, close) {
    return items.map((entry) =>
      typeof entry === "string"
        ? item(entry, close)
        : el(
            "div",
            { class: "submenu", role: "group", "aria-label": parseCaption(entry.caption).text },
            el(
              "button",
              { class: "menu-item submenu-caption", "aria-haspopup": "menu" },
              parseCaption(entry.caption).text,
            ),
            el("div", { class: "menu-popup", role: "menu" }, list(entry.items, close)),
          ),
    );
  }

  const bar = el("nav", { class: "menubar", role: "menubar", "aria-label": "Menu" });
  for (const menu of menus) {
    const popup = el("div", { class: "menu-popup", role: "menu", hidden: true });
    const opener = el(
      "button",
      { class: "menu-title", "aria-haspopup": "menu", "aria-expanded": "false" },
      menu.caption,
    );
    const close = () => {
      popup.hidden = true;
      opener.setAttribute("aria-expanded", "false");
    };
    popup.append(...list(menu.items, close));
    opener.addEventListener("click", () => {
      const open = popup.hidden;
      for (const other of bar.querySelectorAll(":scope > .menu > .menu-popup")) other.hidden = true;
      popup.hidden = !open;
      opener.setAttribute("aria-expanded", String(open));
      if (open) popup.querySelector("button:not(:disabled)")?.focus();
    });
    const wrapper = el("div", { class: "menu" }, opener, popup);
    wrapper.addEventListener("keydown", (e) => e.key === "Escape" && (close(), opener.focus()));
    wrapper.addEventListener("focusout", (e) => !wrapper.contains(e.relatedTarget) && close());
    bar.append(wrapper);
  }
  host.append(bar);

  return {
    update(context) {
      for (const { node, cmd } of entries) {
        node.disabled = !isEnabled(cmd, context);
        node.setAttribute("role", cmd.checked ? "menuitemradio" : "menuitem");
        if (cmd.checked) node.setAttribute("aria-checked", String(isChecked(cmd, context)));
      }
    },
  };
}
