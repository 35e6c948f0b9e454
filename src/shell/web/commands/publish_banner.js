export const publishBanner = {
  name: "publishBanner",
  label: "Publish Banner",
  menuLabel: "Publish Banner&&Webpages (Output HTML/SWF/JPEG Files)",
  enabled: ({ state }) => state.built,
  async perform({ api, ui }) {
    const choice = await ui.publishDialog();
    if (!choice) return;
    const answer = await ui.building(() => api.command("publish", choice));
    ui.message(answer.published.summary || `Published ${answer.published.files.length} files.`);
  },
};
