// Every command of the window, by name: the buttons, the menus, the shortcuts and the tests all
// reach a command through here, so that each one is enabled, checked and performed one way.

import { autoRebuild } from "./auto_rebuild.js";
import { contentEditorCommands } from "./content_editors.js";
import { deleteContent, editContent, selectContent } from "./content_items.js";
import { exitClose } from "./exit_close.js";
import { loadProject } from "./load_project.js";
import { newEmpty } from "./new_empty.js";
import { openSample } from "./open_sample.js";
import { deletePage, newPage, selectPage } from "./pages.js";
import { designMode, previewModeCommand } from "./preview_modes.js";
import { publishBanner } from "./publish_banner.js";
import { rebuild } from "./rebuild.js";
import { hideSamples, maximizeSamples, mediumSamples } from "./sample_panel_sizes.js";
import { saveProject } from "./save_project.js";
import { undo } from "./undo.js";

export const commands = new Map(
  [
    publishBanner,
    loadProject,
    saveProject,
    newEmpty,
    exitClose,
    ...contentEditorCommands,
    rebuild,
    undo,
    autoRebuild,
    designMode,
    previewModeCommand,
    hideSamples,
    mediumSamples,
    maximizeSamples,
    newPage,
    deletePage,
    selectPage,
    selectContent,
    editContent,
    deleteContent,
    openSample,
  ].map((command) => [command.name, command]),
);

export function command(name) {
  const found = commands.get(name);
  if (!found) throw new Error(`no command is named "${name}"`);
  return found;
}

export const isEnabled = (cmd, context) => !cmd.enabled || Boolean(cmd.enabled(context));
export const isChecked = (cmd, context) => Boolean(cmd.checked?.(context));

// The command a key press asks for, when one is enabled for it.
export function commandForKey(event, context) {
  for (const cmd of commands.values())
    if (cmd.keyTest?.(event) && isEnabled(cmd, context)) return cmd;
  return null;
}

// The menus, as the window lists them: a name is a command, an object a submenu.
export const menus = [
  {
    caption: "File",
    items: ["publishBanner", "loadProject", "saveProject", "newEmpty", "exitClose"],
  },
  {
    caption: "Edit",
    items: [
      {
        caption: "Insert/Edit Flash Contents",
        items: [
          "movieClip",
          "importSwf",
          "animatedText",
          "buttonBar",
          "slideShow",
          "staticText",
          "staticImage",
          "shapePanel",
          "backImage",
        ],
      },
      { caption: "Insert/Edit HTML&&JPEG Contents", items: ["htmlText"] },
      "bannerOptions",
      "rebuild",
    ],
  },
  {
    caption: "View",
    items: [
      { caption: "Sample Panel", items: ["hideSamples", "mediumSamples", "maximizeSamples"] },
      { caption: "Editor Panel", items: ["designMode", "previewMode"] },
    ],
  },
];
