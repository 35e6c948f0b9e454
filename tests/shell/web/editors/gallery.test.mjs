// The galleries' own logic: which fields they serve, the clip categories, and the colours that
// travel between a panel slot and the shape gallery. Run: node --test tests/shell/web/editors/
import assert from "node:assert/strict";
import fs from "node:fs";
import { test } from "node:test";

import { catalogueList, entriesInCategory, galleryOfField, galleryOfGroup }
  from "../../../../src/shell/web/editors/gallery/galleries.js";
import { coloursFromSlot, coloursToSlot } from "../../../../src/shell/web/editors/gallery/shape_colours.js";

const schema = JSON.parse(fs.readFileSync(new URL("./schema.json", import.meta.url)));

test("every gallery field and group is one of the editors', and each picture choice has a gallery", () => {
  const fields = schema.editors.editors.flatMap((e) => e.fields);
  const served = fields.filter((f) => galleryOfField(f.name));
  const byList = {};
  for (const f of served) byList[galleryOfField(f.name).list] = (byList[galleryOfField(f.name).list] ?? 0) + 1;
  assert.deepEqual(Object.entries(byList).toSorted(), [
    ["Button Styles", 20], ["Library Clips", 5], ["Loading Screens", 1], ["Music Controls", 1],
    ["Photo Borders", 1], ["Shape Styles", 5], ["Text Effects", 1], ["Transitions", 1]]);
  for (const f of fields.filter((f) => f.kind === "picture choice"))
    assert.ok(galleryOfField(f.name), `${f.name} has no gallery`);
  const groups = new Set(fields.map((f) => f.group).filter(Boolean));
  for (const group of ["art style", "background effect"])
    assert.ok(groups.has(group) && galleryOfGroup(group), group);
});

test("a clip category shows its clips in catalogue order; none or an unknown one shows all", () => {
  const clips = { name: "Library Clips",
    entries: [0, 1, 2, 3, 4].map((index) => ({ index, caption: `clip ${index}` })) };
  const catalogue = { lists: [clips], clipCategories: [" All", "Ball"],
    clipsByCategory: { " All": [1, 2, 3, 4], Ball: [4, 2] } };
  assert.equal(catalogueList(catalogue, "Library Clips"), clips);
  assert.equal(catalogueList({ ready: false, lists: [] }, "Library Clips"), null);
  for (const [category, indexes] of [[" All", [1, 2, 3, 4]], ["Ball", [2, 4]], [null, [0, 1, 2, 3, 4]],
    ["Unheard of", [0, 1, 2, 3, 4]]])
    assert.deepEqual(entriesInCategory(catalogue, clips, category).map((e) => e.index), indexes, category);
});

test("a panel slot's colours go into the gallery under its names and come back to the same slot", () => {
  const slot3 = { shape3color1: "255", shape3color1Replace: "False", shape3color2: "65280",
    shape3color2Replace: "True", shape1color1: "1" };
  const inGallery = coloursFromSlot(slot3, "shape3listbox");
  assert.deepEqual(inGallery, { shape1color1Replace: "False", shape1color1: "255",
    shape1color2Replace: "True", shape1color2: "65280" });
  const edited = { ...inGallery, shape1color1: "16711680" };
  assert.deepEqual(coloursToSlot(edited, "shape3listbox"), { shape3color1Replace: "False",
    shape3color1: "16711680", shape3color2Replace: "True", shape3color2: "65280" });
  const gallery = schema.editors.editors.find((e) => e.class === "TShapeIndexForm");
  assert.deepEqual(Object.keys(inGallery).toSorted(), gallery.fields.map((f) => f.name).toSorted());
});
