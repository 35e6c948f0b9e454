// The four colour fields travel with a panel slot into the shape gallery and back on OK: the
// gallery holds them under slot 1's names, the slot under its own number.

// The gallery's colour fields, each flag with the colour it replaces and the slots' caption.
export const galleryColours = [
  { flag: "shape1color1Replace", colour: "shape1color1", caption: "Change BackGround Color" },
  { flag: "shape1color2Replace", colour: "shape1color2", caption: "Change Border Color" },
];

const galleryNames = galleryColours.flatMap((c) => [c.flag, c.colour]);
// shape3listbox → shape3color1, ...: the slot's name for a gallery colour field.
const slotName = (styleField, galleryName) =>
  galleryName.replace(/^shape1/, styleField.replace(/listbox$/, ""));

export function coloursFromSlot(values, styleField) {
  return Object.fromEntries(galleryNames.map((n) => [n, values[slotName(styleField, n)]]));
}

export function coloursToSlot(colours, styleField) {
  return Object.fromEntries(galleryNames.map((n) => [slotName(styleField, n), colours[n]]));
}
