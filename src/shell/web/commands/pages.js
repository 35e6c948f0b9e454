// The page list's commands: the server keeps the pages and answers the limits in its own words.

export const newPage = {
  name: "newPage",
  label: "New",
  perform: ({ api, ui }) => ui.building(() => api.command("pages/new")),
};

export const deletePage = {
  name: "deletePage",
  label: "Del",
  enabled: ({ state }) => state.pages.length > 0,
  perform: ({ api, state, ui }) =>
    ui.building(() => api.command("pages/delete", { line: state.currentPage })),
};

export const selectPage = {
  name: "selectPage",
  perform: ({ api, state, ui }, line) =>
    line === state.currentPage ? state : ui.building(() => api.command("pages/select", { line })),
};
