// Resizing the selection by its "Resize" handle or its right or bottom bar, or the banner by
// one of its page handles: the outline follows the pointer and the drop sends the offset; the
// server holds the sizes to their minimum and to the fields' ranges.

import { offset } from "./offset.js";

export const resizing = {
  name: "resizing",
  onPointerDown() {},
  onPointerMove(machine, event, { event: press, edge, page }) {
    machine.preview({ kind: page ? "page" : "resize", edge, ...offset(press, event) });
  },
  onPointerUp(machine, event, { event: press, edge, page }) {
    const { dx, dy } = offset(press, event);
    const name = machine.design().selection?.name;
    machine.preview(null);
    machine.transition("idle");
    if (dx === 0 && dy === 0) return undefined;
    if (page) return machine.send("design/page-size", { edge, dx, dy });
    return machine.send("design/resize", { name, edge, dx, dy });
  },
  onCancel(machine) {
    machine.preview(null);
    machine.transition("idle");
  },
};
