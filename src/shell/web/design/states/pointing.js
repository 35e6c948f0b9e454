// Pressed where nothing is dragged: the release selects, by the title tab that was pressed or
// by a hit test at the release point. "Edit" and "Del" act when released on the button pressed,
// so that a press that slips off them does nothing.

export const pointing = {
  name: "pointing",
  onPointerDown() {},
  onPointerMove() {},
  onPointerUp(machine, event, { label, button }) {
    machine.transition("idle");
    const selection = machine.design()?.selection;
    if (button) {
      if (event.target.kind !== button || !selection) return undefined;
      if (button === "edit") return machine.edit(selection.label);
      return machine.send("content/delete", { label: selection.label });
    }
    if (label) return machine.send("content/select", { label });
    return machine.send("design/hit", { x: event.x, y: event.y });
  },
  onCancel(machine) {
    machine.transition("idle");
  },
};
