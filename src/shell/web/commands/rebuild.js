export const rebuild = {
  name: "rebuild",
  label: "&Rebuld Webpage",
  menuLabel: "Rebuild Banner",
  enabled: ({ state }) => !state.busy,
  keyTest: (e) => e.key === "F9",
  perform: ({ api, ui }) => ui.building(() => api.rebuild()),
};
