export const autoRebuild = {
  name: "autoRebuild",
  label: "Auto Rebuild Webpage",
  checked: ({ state }) => state.autoRebuild,
  perform: ({ api, state }) => api.command("auto-rebuild", { on: !state.autoRebuild }),
};
