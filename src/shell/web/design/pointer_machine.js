// The overlay's pointer gestures as small named states. Each state turns pointer events into
// at most one API command; the rules of moving and resizing live with the document on the
// server, which answers with the new state.
//
// Events are plain objects in banner pixels: { x, y, target: { kind, edge, label } }, where
// kind is what was pressed ("tab", "move", "resize", "page", "frame" or nothing).

import { dragging } from "./states/dragging.js";
import { idle } from "./states/idle.js";
import { pointing } from "./states/pointing.js";
import { resizing } from "./states/resizing.js";

const kStates = { idle, pointing, dragging, resizing };

// host: { design() -> the state's design part, send(path, body) -> Promise, preview(p),
//         edit(label) }.
export function createPointerMachine(host) {
  let current = idle;
  let params = {};
  let pending = null;

  const machine = {
    design: () => host.design(),
    preview: (p) => host.preview(p),
    edit: (label) => host.edit(label),
    send(path, body) {
      pending = Promise.resolve(host.send(path, body)).finally(() => {
        pending = null;
      });
      return pending;
    },
    transition(name, next = {}) {
      if (!kStates[name]) throw new Error(`no pointer state "${name}"`);
      current = kStates[name];
      params = next;
      return undefined;
    },
  };

  function dispatch(handler, event) {
    return current[handler](machine, event, params);
  }

  return {
    get state() {
      return current.name;
    },
    // A press while the last drop is still on its way is ignored: the state it acts on is old.
    pointerDown: (event) => (pending ? undefined : dispatch("onPointerDown", event)),
    pointerMove: (event) => dispatch("onPointerMove", event),
    pointerUp: (event) => dispatch("onPointerUp", event),
    cancel: () => dispatch("onCancel"),
    // The Delete key: the selected item goes, as with its "Del" button.
    deleteSelected() {
      const selection = host.design()?.selection;
      if (pending || current !== idle || !selection) return undefined;
      return machine.send("content/delete", { label: selection.label });
    },
    // The last command's answer, or nothing when none is on its way.
    settled: () => pending ?? Promise.resolve(),
  };
}
