// Nothing held. A press chooses what the gesture becomes: a resize on the selection's "Resize"
// handle, right or bottom bar or on a page handle, a move inside the selection frame or on its
// move handle, a click on "Edit" or "Del", and otherwise a click that selects what lies under it.

export function strictlyInside(box, { x, y }) {
  return x > box.left && x < box.left + box.width && y > box.top && y < box.top + box.height;
}

export const idle = {
  name: "idle",
  onPointerDown(machine, event) {
    const selection = machine.design()?.selection;
    const { kind, edge, label } = event.target;
    if (selection && (kind === "del" || kind === "edit"))
      return machine.transition("pointing", { event, button: kind });
    if (kind === "page") return machine.transition("resizing", { event, edge, page: true });
    if (selection && kind === "resize" && (edge === "corner" || selection.resizable))
      return machine.transition("resizing", { event, edge, page: false });
    if (selection && (kind === "move" || strictlyInside(selection, event)))
      return machine.transition("dragging", { event });
    return machine.transition("pointing", { event, label: kind === "tab" ? label : null });
  },
  onPointerMove() {},
  onPointerUp() {},
  onCancel() {},
};
