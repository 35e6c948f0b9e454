export const exitClose = {
  name: "exitClose",
  label: "Exit && Close",
  menuLabel: "Exit",
  async perform({ api, ui }) {
    await api.command("exit");
    ui.closeWindow();
  },
};
