// Whole banner pixels from the press to the pointer.
export function offset(from, to) {
  return { dx: Math.round(to.x - from.x), dy: Math.round(to.y - from.y) };
}
