export const openSample = {
  name: "openSample",
  perform: ({ api, ui }, { list, entry }) =>
    ui.building(() => api.command("samples/open", { list, entry })),
};
