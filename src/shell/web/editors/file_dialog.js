// A small modal file dialog over the server's read-only file browser. Resolves to the picked
// file as {root, path, folderPath} (path relative to the root, folderPath the folder's full
// path when the server names it), with multiple to an array of them, or to null when cancelled.
// filters, when given, are the choices of what the folder shows ({caption, filter}), the first
// one shown first.
import { el, keepFocusIn } from "./dom.js";

export function chooseFile({ api, host, title, filter, filters, multiple = false, root = "data",
  path = "" }) {
  return new Promise((resolve) => {
    let current = { root, path };
    let listing = { folders: [], files: [] };
    let shownFilter = filters?.[0]?.filter ?? filter;
    // The files picked in the folder shown, in the folder's order; the last one clicked anchors
    // a Shift-click range.
    let picked = [];
    let anchor = null;
    const list = el("div", { class: "oe-file-list", role: "listbox", tabIndex: 0 });
    const where = el("div", { class: "oe-file-where" });
    const message = el("div", { class: "oe-message", role: "alert" });
    const open = el("button", { type: "button", class: "oe-button oe-primary", disabled: true }, "Open");
    const selectAll = multiple ? el("button", { type: "button", class: "oe-button",
      onclick: () => setPicked(listing.files) }, "Select All") : null;
    const filterChoice = filters?.length > 1 ? el("select", { class: "oe-choice oe-file-filter",
      "aria-label": "Files of type", onchange: () => {
        shownFilter = filterChoice.value;
        show(current);
      } }, ...filters.map((f) => el("option", { value: f.filter }, f.caption))) : null;
    const rootButtons = el("div", { class: "oe-file-roots" });
    const dialog = el("div", { class: "oe-modal oe-file-dialog", role: "dialog", "aria-modal": "true",
      "aria-label": title },
      el("div", { class: "oe-window" },
        el("header", { class: "oe-title" }, title),
        rootButtons, where, list, message,
        el("footer", { class: "oe-buttons" }, filterChoice, selectAll, open,
          el("button", { type: "button", class: "oe-button", onclick: () => close(null) }, "Cancel"))));

    const close = (result) => {
      dialog.remove();
      resolve(result);
    };
    const chosen = (name) => ({ root: current.root, path: join(current.path, name),
      folderPath: listing.path });
    const pick = () => {
      if (picked.length === 0) return;
      close(multiple ? picked.map(chosen) : chosen(picked[0]));
    };
    const setPicked = (names) => {
      picked = listing.files.filter((f) => names.includes(f));
      open.disabled = picked.length === 0;
      for (const b of list.querySelectorAll(".oe-file")) {
        const on = picked.includes(b.dataset.name);
        b.classList.toggle("oe-picked", on);
        b.setAttribute("aria-pressed", String(on));
      }
    };
    // A click picks the file alone; with multiple, Ctrl adds or drops it and Shift takes the run
    // from the last file clicked.
    const clickFile = (name, e) => {
      if (multiple && (e.ctrlKey || e.metaKey))
        setPicked(picked.includes(name) ? picked.filter((f) => f !== name) : [...picked, name]);
      else if (multiple && e.shiftKey && anchor != null) {
        const [from, to] = [listing.files.indexOf(anchor), listing.files.indexOf(name)].sort((a, b) => a - b);
        setPicked(listing.files.slice(from, to + 1));
      } else setPicked([name]);
      if (!e.shiftKey) anchor = name;
    };
    open.addEventListener("click", pick);
    dialog.addEventListener("keydown", (e) => {
      if (e.key === "Escape") {
        e.stopPropagation();
        close(null);
      }
      if (e.key === "Tab") {
        e.stopPropagation();
        keepFocusIn(dialog, e);
      }
    });

    const entry = (caption, cls, onChoose, onSelect) => {
      const button = el("button", { type: "button", class: `oe-file-entry ${cls}` }, caption);
      button.addEventListener("click", onSelect ?? onChoose);
      button.addEventListener("dblclick", onChoose);
      return button;
    };
    const fileEntry = (name) => {
      const button = entry(name, "oe-file", () => {
        if (!picked.includes(name)) setPicked([name]);
        pick();
      }, (e) => clickFile(name, e));
      button.dataset.name = name;
      button.setAttribute("aria-pressed", "false");
      return button;
    };
    const show = async (next) => {
      try {
        listing = await api.files({ root: next.root, path: next.path, filter: shownFilter });
        current = next;
        picked = [];
        anchor = null;
        open.disabled = true;
        message.textContent = "";
      } catch (error) {
        message.textContent = error.message;
        return false;
      }
      where.textContent = `${current.root}:/${current.path}`;
      const parent = current.path.split("/").slice(0, -1).join("/");
      list.replaceChildren(
        ...(current.path ? [entry("..", "oe-folder", () => show({ ...current, path: parent }))] : []),
        ...listing.folders.map((f) =>
          entry(`${f}/`, "oe-folder", () => show({ ...current, path: join(current.path, f) }))),
        ...listing.files.map(fileEntry));
      return true;
    };

    host.append(dialog);
    api.files({}).then(({ roots }) => {
      rootButtons.replaceChildren(...roots.map((r) =>
        el("button", { type: "button", class: "oe-button", onclick: () => show({ root: r, path: "" }) }, r)));
    }).catch(() => {});
    // A start folder the root does not have opens the root itself.
    show(current)
      .then((shown) => shown || show({ root, path: "" }))
      .then(() => list.focus());
  });
}

function join(folder, name) {
  return folder ? `${folder}/${name}` : name;
}
