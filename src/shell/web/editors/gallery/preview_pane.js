// The live preview of a gallery: the server writes the entry's preview movie into the working
// folder (and names its size for a library clip), and Ruffle plays it in a sandboxed frame of
// the preview origin, which fits the movie into the pane. Only the answer to the latest pick is
// shown, however the answers arrive.
import { el } from "../dom.js";

const origins = new WeakMap();
function previewOrigin(api) {
  if (!origins.has(api)) origins.set(api, api.preview().then((p) => p.origin));
  return origins.get(api);
}

export function createPreviewPane({ api, list }) {
  const frame = el("iframe", { class: "og-preview-frame", title: `${list} preview`,
    sandbox: "allow-scripts allow-same-origin", src: "about:blank", tabIndex: -1, hidden: true });
  const hint = el("span", { class: "og-preview-hint" }, "Pick one to see it play");
  const stage = el("div", { class: "og-preview-stage" }, hint, frame);
  const line = el("div", { class: "og-preview-caption", "aria-live": "polite" });
  let latest = 0;

  return {
    element: el("div", { class: "og-preview" }, stage, line),
    // Nothing to play: the pane waits for a pick again.
    clear() {
      latest++;
      frame.src = "about:blank";
      frame.hidden = true;
      hint.hidden = false;
      line.textContent = "";
    },
    async show(entry, values) {
      const asked = ++latest;
      stage.classList.add("og-loading");
      try {
        const answer = await api.galleryPreview({ list, entry, values });
        const origin = await previewOrigin(api);
        if (asked !== latest) return;
        const query = new URLSearchParams({ movie: answer.movie, t: String(Date.now()) });
        frame.src = `${origin}/gallery_preview.htm?${query}`;
        frame.hidden = false;
        hint.hidden = true;
        line.textContent = answer.caption ?? "";
        line.classList.remove("og-refused");
      } catch (error) {
        if (asked !== latest) return;
        frame.hidden = true;
        line.textContent = error.message;
        line.classList.add("og-refused");
      } finally {
        if (asked === latest) stage.classList.remove("og-loading");
      }
    },
  };
}
