// Open and save dialogs over the server's read-only file browser: roots, folders, the files the
// filter admits, and for saving a name to type. Resolves to { root, path } or null.

import { el } from "./dom.js";

const filterCaptions = {
  project: "Flash Project (*.fls)",
  picture: "Pictures (*.jpg, *.bmp, *.png)",
  sound: "Sounds (*.mp3, *.wav)",
  swf: "Flash Movies (*.swf)",
  all: "All files",
};

const join = (folder, name) => (folder ? `${folder}/${name}` : name);

export function chooseFile({ host, api, title, filter = "all", mode = "open", folderOnly }) {
  return new Promise((resolve) => {
    const place = { root: "home", path: "" };
    const where = el("div", { class: "file-where" });
    const rootChoice = el("select", {
      "aria-label": "Folder",
      onchange: () => go(rootChoice.value, ""),
    });
    const list = el("ul", { class: "file-list", role: "listbox", tabindex: 0, "aria-label": "Files" });
    // The arrow keys walk the lines; Enter on one opens it.
    list.addEventListener("keydown", (e) => {
      const step = { ArrowDown: 1, ArrowUp: -1 }[e.key];
      if (!step) return;
      e.preventDefault();
      const lines = [...list.children];
      const at = lines.indexOf(document.activeElement);
      lines[Math.min(lines.length - 1, Math.max(0, at + step))]?.focus();
    });
    const name = el("input", { type: "text", class: "file-name", "aria-label": "File name" });
    const problem = el("p", { class: "file-problem", role: "alert" });
    const okCaption = mode === "save" ? "Save" : folderOnly ? "Select Folder" : "Open";
    const ok = el("button", { class: "primary", type: "submit" }, okCaption);
    const cancel = el("button", { type: "button" }, "Cancel");
    const form = el(
      "form",
      { method: "dialog" },
      el("h2", {}, title),
      el("div", { class: "file-bar" }, rootChoice, where),
      list,
      folderOnly ? null : el("label", { class: "file-name-row" }, "File name ", name),
      el("div", { class: "file-filter" }, folderOnly ? "Folders" : filterCaptions[filter]),
      problem,
      el("div", { class: "dialog-buttons" }, ok, cancel),
    );
    const dialog = el("dialog", { class: "modal file-dialog" }, form);

    const finish = (choice) => {
      dialog.close();
      dialog.remove();
      resolve(choice);
    };

    const pick = (folder, name) => finish({ root: place.root, path: join(folder, name) });

    function row(caption, kind, action) {
      const item = el("li", { role: "option", tabindex: -1, class: kind }, caption);
      item.addEventListener("focus", () => item.click());
      item.addEventListener("click", () => {
        for (const other of list.children) other.removeAttribute("aria-selected");
        item.setAttribute("aria-selected", "true");
        if (kind === "file") name.value = caption;
      });
      item.addEventListener("dblclick", action);
      item.addEventListener("keydown", (e) => e.key === "Enter" && (e.preventDefault(), action()));
      return item;
    }

    async function go(root, path) {
      problem.textContent = "";
      try {
        const listing = await api.files({ root, path, filter: folderOnly ? "all" : filter });
        Object.assign(place, { root, path });
        rootChoice.value = root;
        where.textContent = `${root}/${path}`;
        const parent = path.split("/").slice(0, -1).join("/");
        list.replaceChildren(
          ...(path ? [row("..", "folder", () => go(root, parent))] : []),
          ...listing.folders.map((f) => row(f, "folder", () => go(root, join(path, f)))),
          ...(folderOnly ? [] : listing.files.map((f) => row(f, "file", () => pick(path, f)))),
        );
      } catch (error) {
        problem.textContent = error.message;
      }
    }

    form.addEventListener("submit", (event) => {
      event.preventDefault();
      if (folderOnly) return finish({ root: place.root, path: place.path });
      const typed = name.value.trim();
      if (!typed || typed.includes("/")) {
        problem.textContent = "Type a file name, or pick one from the list.";
        return;
      }
      finish({ root: place.root, path: join(place.path, typed) });
    });
    cancel.addEventListener("click", () => finish(null));
    dialog.addEventListener("cancel", (event) => {
      event.preventDefault();
      finish(null);
    });
    host.append(dialog);
    dialog.showModal();
    api.files().then(({ roots }) => {
      rootChoice.replaceChildren(...roots.map((r) => el("option", { value: r }, r)));
      go(roots.includes("home") ? "home" : roots[0], "");
    }, (error) => (problem.textContent = error.message));
    (folderOnly ? list : name).focus();
  });
}
