// "Save HTML and Flash ...": the folder, the mode and the files the mode will write. Resolves to
// the publish request ({ root, path, allMedia }) or null when cancelled.

import { el } from "./dom.js";
import { chooseFile } from "./file_dialog.js";
import { fieldText } from "./fields.js";

const modes = [
  { allMedia: false, caption: "Save Current Webpage (Static media to JPEG, Animation to SWF)" },
  { allMedia: true, caption: "Export Current SWF Banner (All media to SWF)" },
];

// The files a publish writes, as the dialog lists them for each mode.
export function publishedFiles(state, allMedia) {
  const page = state.pages[state.currentPage - 1] ?? "";
  const base = fieldText(state, "webpage_filename").replace(/\.[^.]*$/, "");
  if (allMedia) return [`${base}.swf`, page];
  return [
    page,
    `images/${base}.swf`,
    ...[1, 2, 3, 4].map((n) => `images/${base}${n}.jpg`),
    `images/${base}_fsbg.jpg`,
  ];
}

export function publishDialog({ host, api, state }) {
  return new Promise((resolve) => {
    let folder = null;
    let allMedia = true;
    const target = el("output", { class: "publish-target" }, "No folder chosen");
    const files = el("ul", { class: "publish-files" });
    const save = el("button", { class: "primary", disabled: true }, "Save");
    const cancel = el("button", {}, "Cancel");
    const showFiles = () =>
      files.replaceChildren(...publishedFiles(state, allMedia).map((f) => el("li", {}, f)));
    const pick = el("button", {
      onclick: async () => {
        const chosen = await chooseFile({ host, api, title: "Save to Folder", folderOnly: true });
        if (!chosen) return;
        folder = chosen;
        target.textContent = `${chosen.root}/${chosen.path}${chosen.path ? '/' : ''}`;
        save.disabled = false;
      },
    }, "Save to Folder");
    const modeChoices = modes.map((mode) =>
      el("label", { class: "choice" },
        el("input", {
          type: "radio",
          name: "publish-mode",
          checked: mode.allMedia === allMedia,
          onchange: () => {
            allMedia = mode.allMedia;
            showFiles();
          },
        }),
        mode.caption),
    );
    const dialog = el(
      "dialog",
      { class: "modal publish-dialog" },
      el("h2", {}, "Save HTML and Flash ..."),
      el("div", { class: "publish-folder" }, pick, target),
      el("fieldset", {}, ...modeChoices),
      files,
      el("div", { class: "dialog-buttons" }, save, cancel),
    );
    const finish = (choice) => {
      dialog.close();
      dialog.remove();
      resolve(choice);
    };
    save.addEventListener("click", () => finish({ ...folder, allMedia }));
    cancel.addEventListener("click", () => finish(null));
    dialog.addEventListener("cancel", (event) => {
      event.preventDefault();
      finish(null);
    });
    showFiles();
    host.append(dialog);
    dialog.showModal();
    pick.focus();
  });
}
