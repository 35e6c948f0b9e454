// Tests of the corpus round-trip comparison: run with `node --test` in this folder.

import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { test } from "node:test";
import { fileURLToPath } from "node:url";

import { compareParsed, compareTrees, judge, knownListProblems, tagIndexOf, zwsToFws } from "./corpus_roundtrip.mjs";
import { concat, movie, tag, TAG } from "./fixtures.mjs";
import { parseWithParser } from "./parser.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const PLACE_OBJECT2 = 26;

test("tree differences name their path, array lengths included, and are capped", () => {
  const a = { tags: [{ type: "SetBackgroundColor", color: { r: 1, g: 2, b: 3 } }, { type: "ShowFrame" }] };
  assert.deepEqual(compareTrees(a, structuredClone(a)), { differences: [], rejected: [] });

  const b = structuredClone(a);
  b.tags[0].color.g = 9;
  assert.deepEqual(compareTrees(a, b).differences, ["tags[0].color.g: 2 vs 9"]);

  const c = structuredClone(a);
  c.tags.push({ type: "ShowFrame" });
  assert.deepEqual(compareTrees(a, c).differences, ["tags: 2 elements vs 3"]);

  // A field present on one side only, and a value that changes kind.
  const d = { tags: [{ type: "PlaceObject", name: "x" }] };
  const e = { tags: [{ type: "PlaceObject", ratio: 3 }] };
  assert.deepEqual(compareTrees(d, e).differences, ['tags[0].name: "x" vs absent', "tags[0].ratio: absent vs 3"]);
  assert.deepEqual(compareTrees({ v: [1] }, { v: { 0: 1 } }).differences, ["v: [1] vs {\"0\":1}"]);

  const many = { v: [1, 2, 3, 4, 5, 6, 7] };
  const other = { v: [0, 0, 0, 0, 0, 0, 0] };
  const { differences } = compareTrees(many, other, { limit: 2 });
  assert.deepEqual(differences, ["v[0]: 1 vs 0", "v[1]: 2 vs 0", "... and 5 more"]);
});

test("only the encoder's own choices are left out, and only where they are free", () => {
  const shape = (scaling, nonScaling) => ({ tags: [{ type: "DefineShape", hasScalingStrokes: scaling, hasNonScalingStrokes: nonScaling, id: 1 }] });
  assert.deepEqual(compareTrees(shape(true, false), shape(false, true)).differences, []);

  const deviceFont = (ansi) => ({ tags: [{ type: "DefineFont", isAnsi: ansi, fontName: "_sans" }] });
  assert.deepEqual(compareTrees(deviceFont(false), deviceFont(true)).differences, []);
  // With glyphs the flag describes the code table and must stay.
  const embedded = (ansi) => ({ tags: [{ type: "DefineFont", isAnsi: ansi, glyphs: [], codeUnits: [] }] });
  assert.deepEqual(compareTrees(embedded(false), embedded(true)).differences, ["tags[0].isAnsi: false vs true"]);
});

test("a body swf-parser rejects in the original is set aside, not one it rejects in the rewrite", () => {
  const rejected = { type: "RawBody:26", code: 26, data: "0600" };
  const decoded = { type: "PlaceObject", depth: 1 };
  const unknown = (data) => ({ type: "RawBody:255", code: 255, data });

  const set = compareTrees({ tags: [rejected, { type: "DefineSprite", tags: [rejected] }] },
    { tags: [decoded, { type: "DefineSprite", tags: [{ ...rejected, data: "06000000" }] }] });
  assert.deepEqual(set, { differences: [], rejected: ["tags[0]", "tags[1].tags[0]"] });

  assert.deepEqual(compareTrees({ tags: [decoded] }, { tags: [rejected] }).differences,
    ['tags[0]: swf-parser rejects the rewritten body of "PlaceObject" (code 26)']);
  assert.deepEqual(compareTrees({ tags: [decoded] }, { tags: [{ type: "RemoveObject", depth: 1 }] }).differences,
    ["tags[0]: PlaceObject vs RemoveObject"]);
  // Tags swf-parser never decodes are compared by their bytes.
  assert.deepEqual(compareTrees({ tags: [unknown("01")] }, { tags: [unknown("01")] }).differences, []);
  assert.deepEqual(compareTrees({ tags: [unknown("01")] }, { tags: [unknown("02")] }).differences,
    ['tags[0].data: "01" vs "02"']);
});

test("header forms, compression and bit widths do not show in parsed trees; content does", () => {
  const place = (matrix) => tag(PLACE_OBJECT2, concat(Uint8Array.of(0x06, 1, 0, 1, 0), matrix));
  const bg = (r) => tag(TAG.SetBackgroundColor, Uint8Array.of(r, 2, 3));
  const show = tag(TAG.ShowFrame);
  const original = movie({ tags: [bg(1), place(Uint8Array.of(0x00)), show] });

  // The same movie compressed, with a long header and with a 1-bit translation of (0, 0).
  const sameMovie = movie({
    compressed: true,
    tags: [tag(TAG.SetBackgroundColor, Uint8Array.of(1, 2, 3), true), place(Uint8Array.of(0x02, 0x00)), show],
  });
  const parsedOriginal = parseWithParser(original);
  assert.equal(parsedOriginal.error, null);
  assert.deepEqual(compareParsed(parsedOriginal, parseWithParser(sameMovie)).differences, []);

  const otherColour = movie({ tags: [bg(7), place(Uint8Array.of(0x00)), show] });
  assert.deepEqual(compareParsed(parsedOriginal, parseWithParser(otherColour)).differences,
    ["tags[0].color.r: 1 vs 7"]);
  const otherVersion = movie({ version: 9, tags: [bg(1), place(Uint8Array.of(0x00)), show] });
  assert.deepEqual(compareParsed(parsedOriginal, parseWithParser(otherVersion)).differences,
    ["header.swfVersion: 8 vs 9"]);
});

test("known differences cover only their tags, and a listed file that matches is stale", () => {
  const diffs = ["tags[3].glyphs[0].records: 0 elements vs 5", "tags[3].glyphs[2].records: 0 elements vs 5"];
  assert.equal(tagIndexOf(diffs[0]), 3);
  assert.equal(tagIndexOf("header.swfVersion: 5 vs 6"), null);

  assert.deepEqual(judge([], undefined), { status: "equal", unexplained: [] });
  assert.deepEqual(judge(diffs, undefined), { status: "failed", unexplained: diffs });
  assert.equal(judge(diffs, { reason: "r" }).status, "known");
  assert.equal(judge(diffs, { reason: "r", tags: [3] }).status, "known");
  assert.equal(judge([...diffs, "... and 4 more"], { reason: "r", tags: [3] }).status, "known");

  const elsewhere = judge([...diffs, "tags[4].depth: 1 vs 2", "header.frameCount: 1 vs 2"], { reason: "r", tags: [3] });
  assert.deepEqual(elsewhere, { status: "failed", unexplained: ["tags[4].depth: 1 vs 2", "header.frameCount: 1 vs 2"] });
  assert.equal(judge([], { reason: "r" }).status, "stale");
});

test("the known-differences list is checked, and ours passes", () => {
  assert.deepEqual(knownListProblems({ $comment: "x", "a.swf": { reason: "why", tags: [1] } }), []);
  assert.deepEqual(knownListProblems({ "a.swf": { tags: [1] } }), ["a.swf: an entry needs a reason"]);
  assert.deepEqual(knownListProblems({ "a.swf": { reason: " " } }), ["a.swf: an entry needs a reason"]);
  assert.deepEqual(knownListProblems({ "a.swf": { reason: "r", tags: ["1"] } }),
    ["a.swf: tags must be a list of top-level tag indices"]);
  assert.equal(knownListProblems([]).length, 1);

  const ours = JSON.parse(fs.readFileSync(path.join(here, "corpus_known_differences.json"), "utf8"));
  assert.deepEqual(knownListProblems(ours), []);
});

test("a ZWS original is decoded independently, and damaged ones are told apart", () => {
  const fws = movie({ version: 13, tags: [tag(TAG.ShowFrame)] });
  // xz's LZMA-alone form: the five properties bytes, an 8-byte length, then the data.
  const alone = execFileSync("xz", ["--format=lzma", "--stdout"], { input: fws.subarray(8) });
  const data = alone.subarray(13);
  const u32 = (v) => { const b = Buffer.alloc(4); b.writeUInt32LE(v); return b; };
  const zws = (fileLength, packed, tail = data) =>
    concat(Buffer.from("ZWS\x0d"), u32(fileLength), u32(packed), alone.subarray(0, 5), tail);
  assert.deepEqual(zwsToFws(zws(fws.length, data.length)), fws);
  assert.throws(() => zwsToFws(zws(fws.length + 1, data.length)), /the LZMA data holds|xz cannot decode/);
  assert.throws(() => zwsToFws(zws(1, data.length)), /implausible file length of 1/);
  assert.throws(() => zwsToFws(zws(fws.length, data.length + 1)), /bytes of LZMA data/);
  assert.throws(() => zwsToFws(Buffer.from("ZWS\x0d\0\0\0\0")), /ends inside its LZMA header/);
});
