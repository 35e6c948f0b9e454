// The photo list's edits, as the slideshow editor applies them to the "|"-separated block.
// Run: node --test tests/shell/web/editors/
import assert from "node:assert/strict";
import { test } from "node:test";

import { addPhotos, dropPhoto, movePhotos, photoEntries, removePhotos }
  from "../../../../src/shell/web/editors/photo_list.js";

test("adding keeps each whole entry once, whatever names contain each other", () => {
  const cases = [
    { list: "11.jpg", chosen: ["1.jpg"], expect: ["11.jpg", "1.jpg"] },
    { list: "11.jpg", chosen: ["11.jpg"], expect: ["11.jpg"] },
    { list: "a.jpg|/home/ann/a.jpg", chosen: ["a.jpg", "b.jpg", "b.jpg"], expect: ["a.jpg", "/home/ann/a.jpg", "b.jpg"] },
    { list: "", chosen: ["people\\anna.jpg", "photo01.jpg"], expect: ["people\\anna.jpg", "photo01.jpg"] },
    { list: "a.jpg||", chosen: [], expect: ["a.jpg"] },
  ];
  for (const c of cases)
    assert.deepEqual(addPhotos(photoEntries(c.list), c.chosen), c.expect, `${c.list} + ${c.chosen}`);
});

test("removing, moving and dropping act on the selected entries and keep the others' order", () => {
  const list = ["a", "b", "c", "d", "e"];
  const cases = [
    [removePhotos(list, new Set(["b", "d"])), ["a", "c", "e"]],
    [removePhotos(list, new Set()), list],
    [movePhotos(list, new Set(["e"]), -1), ["a", "b", "c", "e", "d"]],
    [movePhotos(list, new Set(["b", "d"]), -1), ["b", "a", "d", "c", "e"]],
    // At the edge an entry stays, and the rest of the selection closes up behind it.
    [movePhotos(list, new Set(["a", "c"]), -1), ["a", "c", "b", "d", "e"]],
    [movePhotos(list, new Set(["d", "e"]), +1), list],
    [movePhotos(list, new Set(["a", "b"]), +1), ["c", "a", "b", "d", "e"]],
    [dropPhoto(list, "e", 0), ["e", "a", "b", "c", "d"]],
    [dropPhoto(list, "a", 3), ["b", "c", "a", "d", "e"]],
    [dropPhoto(list, "b", 5), ["a", "c", "d", "e", "b"]],
  ];
  for (const [got, expected] of cases) assert.deepEqual(got, expected);
  assert.deepEqual(list, ["a", "b", "c", "d", "e"], "the list itself is left as it was");
});
