// The live preview of a gallery: the server writes the entry's preview movie into the working
// folder, and Ruffle plays it in a sandboxed frame of the preview origin, fitted into the pane.
// Only the answer to the latest pick is shown, however the answers arrive.
import { el } from "../dom.js";

const origins = new WeakMap();
function previewOrigin(api) {
  if (!origins.has(api)) origins.set(api, api.preview().then((p) => p.origin));
  return origins.get(api);
}

export function createPreviewPane({ api, list, caption = (answer) => answer.caption ?? "" }) {
  const frame = el("iframe", { class: "og-preview-frame", title: `${list} preview`,
    sandbox: "allow-scripts", src: "about:blank", tabIndex: -1 });
  const stage = el("div", { class: "og-preview-stage" }, frame);
  const line = el("div", { class: "og-preview-caption", "aria-live": "polite" });
  let latest = 0;

  // The movie keeps its own size, scaled down (never up) to fit the stage.
  function fit(width, height) {
    const scale = Math.min(1, stage.clientWidth / width, stage.clientHeight / height) || 1;
    Object.assign(frame.style, { width: `${width}px`, height: `${height}px`,
      transform: `scale(${scale})`,
      left: `${(stage.clientWidth - width * scale) / 2}px`,
      top: `${(stage.clientHeight - height * scale) / 2}px` });
  }

  return {
    element: el("div", { class: "og-preview" }, stage, line),
    async show(entry, values) {
      const asked = ++latest;
      stage.classList.add("og-loading");
      try {
        const answer = await api.galleryPreview({ list, entry, ...(values ? { values } : {}) });
        const origin = await previewOrigin(api);
        if (asked !== latest) return;
        fit(answer.width, answer.height);
        const query = new URLSearchParams({ movie: answer.movie, t: String(Date.now()) });
        frame.src = `${origin}/gallery_preview.htm?${query}`;
        line.textContent = caption(answer);
        line.classList.remove("og-refused");
      } catch (error) {
        if (asked !== latest) return;
        frame.src = "about:blank";
        line.textContent = error.message;
        line.classList.add("og-refused");
      } finally {
        if (asked === latest) stage.classList.remove("og-loading");
      }
    },
  };
}
