export const loadProject = {
  name: "loadProject",
  label: "Load Project",
  menuLabel: "Load Project (Load Your Templates)",
  keyTest: (e) => e.ctrlKey && e.key.toLowerCase() === "o",
  async perform({ api, ui }) {
    const file = await ui.chooseFile({ title: "Load Project", filter: "project", mode: "open" });
    if (file) await ui.building(() => api.command("project/load", file));
  },
};
