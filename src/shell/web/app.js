// The main window: its areas, the commands they run and the state they show. The window never
// changes the document itself; every command asks the server and the answer is re-rendered.

import { ApiError } from "./api.js";
import { command, commandForKey, isEnabled } from "./commands/registry.js";
import { createBuildingPanel } from "./ui/building_panel.js";
import { createControls } from "./ui/command_controls.js";
import { createContentList } from "./ui/content_list.js";
import { showMessage, warningsText } from "./ui/dialogs.js";
import { el } from "./ui/dom.js";
import { chooseFile } from "./ui/file_dialog.js";
import { createMenuBar } from "./ui/menu_bar.js";
import { createPageList } from "./ui/page_list.js";
import { createPreview } from "./ui/preview.js";
import { publishDialog } from "./ui/publish_dialog.js";
import { createSamplesPanel } from "./ui/samples_panel.js";

const kRebuilding = "Rebuilding HTML and Media files";
const kProgressPollMs = 100;
// How often a visible window asks whether another tab or tool changed the document.
const kWatchMs = 1000;

const typingInto = (target) =>
  target.closest?.("input, textarea, select, [contenteditable], dialog");

export function createEditorWindow({ root, api, previewOrigin, openContentEditor, closeWindow }) {
  let state = null;
  const view = { sampleSize: "medium" };
  const building = createBuildingPanel(root);
  const context = () => ({ api, state, view, ui });

  // Commands run one after another, each against the state the one before it left, so that a
  // quick second click never goes out with the revision the first one is about to replace.
  let running = 0;
  let queue = Promise.resolve();
  function run(name, args) {
    running++;
    const job = queue.then(async () => {
      const cmd = command(name);
      if (!state || !isEnabled(cmd, context())) return;
      try {
        await cmd.perform(context(), args);
      } catch (error) {
        await report(error);
      }
    });
    queue = job.finally(() => running--);
    return queue;
  }

  // The progress answer is small and carries the document's revision: the state is fetched
  // again only when that moved on without this window.
  async function watch() {
    if (running || document.visibilityState !== "visible") return;
    try {
      const { revision } = await api.progress();
      if (!running && revision !== state.revision) show(await api.state());
    } catch {
      // the server is gone or busy; the next command says so
    }
  }

  async function report(error) {
    if (error instanceof ApiError && error.status === 412) show(await api.state());
    await ui.message(error.message);
  }

  const controls = createControls(run);
  const caption = el("h1", {}, "Orvanta v6.08");
  const header = el("header", { class: "title-bar" }, caption);
  const menuBar = createMenuBar(header, run);
  const sidebar = el("aside", { class: "sidebar" });
  const work = el("main", { class: "work" });
  const statusLabel = el("output", { class: "status-bar", "aria-live": "polite" }, "Status Bar");
  root.append(header, el("div", { class: "window" }, sidebar, work), statusLabel);

  sidebar.append(
    el(
      "section",
      { class: "panel commands", "aria-label": "Commands" },
      controls.buttons("publishBanner", "loadProject", "saveProject", "newEmpty", "exitClose"),
    ),
    el(
      "section",
      { class: "panel flash-contents", "aria-label": "Flash Contents" },
      el("h2", {}, "Flash Contents"),
      el(
        "div",
        { class: "content-buttons" },
        controls.buttons(
          ...["movieClip", "animatedText", "buttonBar", "slideShow", "staticText"],
          ...["staticImage", "shapePanel", "backImage", "bannerOptions"],
        ),
      ),
    ),
  );
  const pages = createPageList(sidebar, { run, controls });
  const content = createContentList(sidebar, { run, controls });
  const preview = createPreview(work, {
    api,
    origin: previewOrigin,
    controls,
    onLinkRefused: (text) => ui.message(text),
  });
  const samples = createSamplesPanel(work, { api, run, controls });

  const ui = {
    message: (text) => showMessage(root, text),
    async building(job, label = kRebuilding) {
      building.show(label);
      try {
        return await job();
      } finally {
        building.hide();
      }
    },
    chooseFile: (options) => chooseFile({ host: root, api, ...options }),
    publishDialog: () => publishDialog({ host: root, api, state }),
    openEditor: (editor, tab = "") => openContentEditor({ editor, tab, api, host: root }),
    setSampleSize(size) {
      view.sampleSize = size;
      samples.setSize(size);
      render();
    },
    status(text) {
      statusLabel.value = text;
    },
    closeWindow,
  };

  function render() {
    const ctx = context();
    controls.update(ctx);
    menuBar.update(ctx);
    pages.render(state);
    content.render(state);
    preview.render(state);
    statusLabel.value = state.status;
    if (state.caption) caption.textContent = document.title = state.caption;
  }

  function show(next, { method = "GET" } = {}) {
    if (state && next.revision < state.revision) return; // an answer overtaken by a later one
    const rebuilt = state && next.builds !== state.builds;
    state = next;
    // Every build makes room for the preview: a maximised sample panel goes back to medium.
    if (rebuilt && view.sampleSize === "maximize") ui.setSampleSize("medium");
    render();
    if (method === "POST" && next.warnings?.length) ui.message(warningsText(next.warnings));
  }
  api.subscribe(show);

  document.addEventListener("keydown", (event) => {
    if (!state || typingInto(event.target)) return;
    const cmd = commandForKey(event, context());
    if (!cmd) return;
    event.preventDefault();
    run(cmd.name);
  });

  return {
    run,
    get state() {
      return state;
    },
    // Shows the start-up progress until the catalogue is read, then the samples.
    async start() {
      building.show("Reading Templates ...");
      try {
        show(await api.state());
        for (;;) {
          const progress = await api.progress();
          if (progress.text) building.label(progress.text);
          if (progress.ready) break;
          await new Promise((resolve) => setTimeout(resolve, kProgressPollMs));
        }
        samples.showCatalogue(await api.catalogue());
        setInterval(watch, kWatchMs);
      } catch (error) {
        await report(error);
      } finally {
        building.hide();
      }
    },
  };
}
