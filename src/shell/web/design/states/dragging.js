// Moving the selection: the frame and its handles follow the pointer, and the drop moves the
// item by the offset from the press. A drop where it was pressed changes nothing.

import { offset } from "./offset.js";

export const dragging = {
  name: "dragging",
  onPointerDown() {},
  onPointerMove(machine, event, { event: press }) {
    machine.preview({ kind: "move", ...offset(press, event) });
  },
  onPointerUp(machine, event, { event: press }) {
    const { dx, dy } = offset(press, event);
    const name = machine.design().selection.name;
    machine.preview(null);
    machine.transition("idle");
    if (dx === 0 && dy === 0) return undefined;
    return machine.send("design/move", { name, dx, dy });
  },
  onCancel(machine) {
    machine.preview(null);
    machine.transition("idle");
  },
};
