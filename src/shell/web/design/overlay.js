// The design overlay: laid over the preview frame at its size, it takes every pointer event
// meant for the page (the preview is read-only in design mode), draws the item frames and
// handles, and turns clicks and drags into design commands.
//
// mountDesignOverlay({ frame, api, onState, host, onEdit, mouseLabel })
//   frame       the preview iframe
//   api         the editor's API client (state(), command(path, body); optional subscribe())
//   onState     told of every state a design command brings back, when the API does not
//               already tell the window itself (an API with subscribe() does)
//   host        where to mount (an element laid over the frame); the frame's parent otherwise
//   onEdit      called with { editor, tab } when "Edit" is pressed; the content editor of
//               ../editors/content_editor.js opens otherwise
//   mouseLabel  an element that shows the pointer position as "x:y"
// Returns { update(state), destroy() }.

import { createPointerMachine } from "./pointer_machine.js";
import { renderOverlay } from "./overlay_view.js";

const kStyleId = "orvanta-design-style";

function addStyle() {
  if (document.getElementById(kStyleId)) return;
  const link = document.createElement("link");
  link.id = kStyleId;
  link.rel = "stylesheet";
  link.href = new URL("./overlay.css", import.meta.url).href;
  document.head.append(link);
}

// Lays the root over the frame when it has no host of its own.
function placeOver(root, frame) {
  Object.assign(root.style, {
    left: `${frame.offsetLeft}px`,
    top: `${frame.offsetTop}px`,
    width: `${frame.offsetWidth}px`,
    height: `${frame.offsetHeight}px`,
  });
}

async function openEditor({ editor, tab }, api) {
  const { openContentEditor } = await import("../editors/content_editor.js");
  return openContentEditor({ editor, tab, api, host: document.body });
}

// What lies under the pointer: while the overlay holds the pointer, events name the overlay
// itself as their target.
function targetOf(root, domEvent) {
  const under = document.elementFromPoint(domEvent.clientX, domEvent.clientY) ?? domEvent.target;
  const node = under.closest?.("[data-kind]");
  if (!node || !root.contains(node)) return {};
  return { kind: node.dataset.kind, edge: node.dataset.edge, label: node.dataset.label };
}

export function mountDesignOverlay({ frame, api, onState, host, onEdit, mouseLabel }) {
  addStyle();
  const root = document.createElement("div");
  root.className = "orvanta-design";
  root.tabIndex = 0;
  if (host) {
    root.classList.add("od-filled");
    host.append(root);
  } else {
    frame.after(root);
  }

  let state = null;
  let preview = null;
  const draw = () => {
    if (!host) placeOver(root, frame);
    root.hidden = !state || !state.built || state.previewMode !== "design";
    renderOverlay(root, state?.design, preview);
  };
  const accept = (answer) => {
    if (!answer?.design) return;
    state = answer;
    draw();
    if (!api.subscribe) onState?.(answer);
  };
  const report = (error) => {
    root.dataset.error = error.message;
    root.title = error.message;
  };

  const machine = createPointerMachine({
    design: () => state?.design,
    preview(next) {
      preview = next;
      draw();
    },
    send: (path, body) =>
      api.command(path, body).then((answer) => {
        delete root.dataset.error;
        accept(answer);
        return answer;
      }, report),
    edit: (label) =>
      api
        .command("content/edit", { label })
        .then((target) => target.editor && (onEdit ? onEdit(target) : openEditor(target, api)))
        .catch(report),
  });

  const at = (domEvent) => {
    const r = root.getBoundingClientRect();
    return {
      x: Math.round(domEvent.clientX - r.left),
      y: Math.round(domEvent.clientY - r.top),
      target: targetOf(root, domEvent),
    };
  };
  const listeners = {
    pointerdown(e) {
      if (e.button !== 0) return;
      e.preventDefault();
      root.focus();
      // Held by the overlay, so that a drag over the player's canvas still reaches it.
      root.setPointerCapture(e.pointerId);
      machine.pointerDown(at(e));
    },
    pointermove(e) {
      const point = at(e);
      if (mouseLabel) mouseLabel.textContent = `${point.x}:${point.y}`;
      machine.pointerMove(point);
    },
    pointerup(e) {
      if (e.button !== 0) return;
      // The capture ends by itself with the release.
      machine.pointerUp(at(e));
    },
    pointercancel: () => machine.cancel(),
    lostpointercapture: () => machine.state !== "idle" && machine.cancel(),
    keydown(e) {
      if (e.key !== "Delete") return;
      // The window's own Delete shortcut would delete the same line a second time.
      e.preventDefault();
      e.stopPropagation();
      machine.deleteSelected();
    },
    contextmenu: (e) => e.preventDefault(),
  };
  for (const [name, listener] of Object.entries(listeners)) root.addEventListener(name, listener);
  const unsubscribe = api.subscribe?.((answer) => accept(answer));
  api.state().then(accept, report);

  return {
    update: accept,
    // For tests and the end-to-end run: resolves when the last drop's answer has been drawn.
    settled: () => machine.settled(),
    destroy() {
      unsubscribe?.();
      root.remove();
    },
  };
}
