// The preview: the generated page in a frame of the preview origin, sandboxed and never the
// API's origin, reloaded after every build; above it the preview bar, hidden (but keeping its
// room) until the first build.

import { el } from "./dom.js";
import { bannerSize } from "./fields.js";

// Room around the banner, as the page area of the preview has always had.
const kMargin = 400;

export function createPreview(host, { api, origin, controls, onLinkRefused }) {
  const mouse = el("output", { class: "mouse-position", "aria-label": "Mouse position" });
  const bar = el(
    "div",
    { class: "preview-bar unbuilt", role: "toolbar", "aria-label": "Preview" },
    controls.toggle("autoRebuild"),
    controls.button("rebuild", { className: "primary" }),
    controls.button("undo"),
    el(
      "span",
      { class: "mode-choice", role: "radiogroup", "aria-label": "Mode" },
      controls.toggle("designMode", { group: "preview-mode" }),
      controls.toggle("previewMode", { group: "preview-mode" }),
    ),
    mouse,
  );
  const frame = el("iframe", {
    class: "preview-frame",
    title: "Banner preview",
    sandbox: "allow-scripts allow-same-origin allow-popups",
    src: "about:blank",
  });
  // The design overlay mounts itself here, over the frame and at its size.
  const overlayHost = el("div", { class: "design-host" });
  const stage = el("div", { class: "preview-stage" }, frame, overlayHost);
  const empty = el(
    "p",
    { class: "preview-empty" },
    "Pick a sample below, load a project or open an editor to build a banner.",
  );
  const scroller = el("div", { class: "preview-scroll" }, empty, stage);
  host.append(bar, scroller);

  let shownUrl = null;
  let shownBuilds = -1;
  let lastState = null;
  let designMode = true;
  const stateListeners = new Set();

  function load(url) {
    if (shownUrl && frame.contentWindow) frame.contentWindow.location.replace(url);
    else frame.src = url;
    shownUrl = url;
  }

  window.addEventListener("message", (event) => {
    if (event.origin !== origin || event.source !== frame.contentWindow) return;
    const text = event.data?.orvantaLinkRefused;
    if (typeof text !== "string") return;
    // Back to the page the link left, then the message.
    const back = shownUrl;
    shownUrl = null;
    load(back);
    onLinkRefused(text);
  });

  stage.addEventListener("pointermove", (e) => {
    if (!designMode) return;
    const box = stage.getBoundingClientRect();
    mouse.value = `${Math.round(e.clientX - box.left)}:${Math.round(e.clientY - box.top)}`;
  });

  import("../design/overlay.js").then(
    ({ mountDesignOverlay }) =>
      mountDesignOverlay({
        frame,
        host: overlayHost,
        api,
        // Hands the overlay every state the window shows, the current one first.
        onState: (listener) => {
          stateListeners.add(listener);
          if (lastState) listener(lastState);
          return () => stateListeners.delete(listener);
        },
      }),
    () => {}, // no design overlay in this build
  );

  return {
    frame,
    render(state) {
      lastState = state;
      designMode = state.previewMode === "design";
      bar.classList.toggle("unbuilt", !state.built);
      empty.hidden = state.built;
      stage.hidden = !state.built;
      if (!designMode) mouse.value = "";
      if (state.built) {
        const { width, height } = bannerSize(state);
        stage.style.width = `${width + kMargin}px`;
        stage.style.height = `${height + kMargin}px`;
        const url = `${origin}/${state.previewPage}`;
        if (url !== shownUrl || state.builds !== shownBuilds) load(url);
        shownBuilds = state.builds;
      }
      for (const listener of stateListeners) listener(state);
    },
  };
}
