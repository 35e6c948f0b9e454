export const newEmpty = {
  name: "newEmpty",
  label: "New&&Empty",
  menuLabel: "Create New Empty Banner&&Website",
  async perform({ api, ui }) {
    const answer = await ui.building(() => api.command("project/new"));
    if (answer.openEditor) await ui.openEditor(answer.openEditor.editor, answer.openEditor.tab);
  },
};
