// Pressed where nothing is dragged: the release selects, by the title tab that was pressed or
// by a hit test at the release point.

export const pointing = {
  name: 'pointing',
  onPointerDown() {},
  onPointerMove() {},
  onPointerUp(machine, event, { label }) {
    machine.transition('idle');
    if (label) return machine.send('content/select', { label });
    return machine.send('design/hit', { x: event.x, y: event.y });
  },
  onCancel(machine) {
    machine.transition('idle');
  },
};
