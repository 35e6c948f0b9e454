// The content list's commands; both act on the selected line, as the list shows it.

export const selectContent = {
  name: "selectContent",
  perform: ({ api }, label) => api.command("content/select", { label }),
};

export const editContent = {
  name: "editContent",
  label: "Edit",
  enabled: ({ state }) => Boolean(state.selection),
  async perform({ api, state, ui }, label = state.selection) {
    const target = await api.command("content/edit", { label });
    if (target.editor) await ui.openEditor(target.editor, target.tab);
  },
};

export const deleteContent = {
  name: "deleteContent",
  label: "Del",
  enabled: ({ state }) => Boolean(state.selection),
  keyTest: (e) => e.key === "Delete",
  perform: ({ api, state, ui }) =>
    ui.building(() => api.command("content/delete", { label: state.selection })),
};
