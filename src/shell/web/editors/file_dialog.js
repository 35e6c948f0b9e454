// A small modal file dialog over the server's read-only file browser. Resolves to the picked
// file as {root, path, folderPath} (path relative to the root, folderPath the folder's full
// path when the server names it) or null when cancelled.
import { el, keepFocusIn } from "./dom.js";

export function chooseFile({ api, host, title, filter, root = "data", path = "" }) {
  return new Promise((resolve) => {
    let current = { root, path };
    let listing = { folders: [], files: [] };
    let picked = null;
    const list = el("div", { class: "oe-file-list", role: "listbox", tabIndex: 0 });
    const where = el("div", { class: "oe-file-where" });
    const message = el("div", { class: "oe-message", role: "alert" });
    const open = el("button", { type: "button", class: "oe-button oe-primary", disabled: true }, "Open");
    const rootButtons = el("div", { class: "oe-file-roots" });
    const dialog = el("div", { class: "oe-modal oe-file-dialog", role: "dialog", "aria-modal": "true",
      "aria-label": title },
      el("div", { class: "oe-window" },
        el("header", { class: "oe-title" }, title),
        rootButtons, where, list, message,
        el("footer", { class: "oe-buttons" }, open,
          el("button", { type: "button", class: "oe-button", onclick: () => close(null) }, "Cancel"))));

    const close = (result) => {
      dialog.remove();
      resolve(result);
    };
    const pick = () => picked && close({ root: current.root, path: join(current.path, picked),
      folderPath: listing.path });
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
    const show = async (next) => {
      try {
        listing = await api.files({ root: next.root, path: next.path, filter });
        current = next;
        picked = null;
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
        ...listing.files.map((f) => entry(f, "oe-file", pick, (e) => {
          picked = f;
          open.disabled = false;
          for (const b of list.querySelectorAll(".oe-file"))
            b.classList.toggle("oe-picked", b === e.currentTarget);
        })));
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
