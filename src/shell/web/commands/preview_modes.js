// The two ways the preview shows the page: left-aligned for design, centred and live for a test.

function previewMode(name, label, menuLabel, mode) {
  return {
    name,
    label,
    menuLabel,
    checked: ({ state }) => state.previewMode === mode,
    perform: ({ api, state }) =>
      state.previewMode === mode ? state : api.command("preview-mode", { mode }),
  };
}

export const designMode = previewMode(
  "designMode",
  "Design/Edit Mode",
  "Design/Edit Mode (Webpage  Readonly)",
  "design",
);
export const previewModeCommand = previewMode(
  "previewMode",
  "Preview Mode",
  "Preview Mode (Test Webpage)",
  "preview",
);
