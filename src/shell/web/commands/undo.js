export const undo = {
  name: "undo",
  label: "Undo",
  enabled: ({ state }) => state.canUndo,
  keyTest: (e) => e.ctrlKey && !e.shiftKey && e.key.toLowerCase() === "z",
  perform: ({ api, ui }) => ui.building(() => api.undo()),
};
