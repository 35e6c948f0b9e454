// The save dialog's default extension: a name typed without one is saved as a project.
export function withProjectExtension(path) {
  const name = path.split("/").pop();
  return name.includes(".") ? path : `${path}.fls`;
}

export const saveProject = {
  name: "saveProject",
  label: "Save Project",
  menuLabel: "Save Project (Save Your Templates)",
  enabled: ({ state }) => state.built,
  keyTest: (e) => e.ctrlKey && e.key.toLowerCase() === "s",
  async perform({ api, ui }) {
    const file = await ui.chooseFile({ title: "Save Project", filter: "project", mode: "save" });
    if (!file) return;
    await api.command("project/save", { ...file, path: withProjectExtension(file.path) });
    ui.status(`Saved ${withProjectExtension(file.path)}`);
  },
};
