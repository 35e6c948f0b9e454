import assert from "node:assert/strict";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { test } from "node:test";
import zlib from "node:zlib";

import { concat, movie, place, rectShape, tag, TAG, traceActions } from "./fixtures.mjs";
import {
  ceilingFor, compareImages, compositeOver, decodePngRgba, encodePngRgb, judgeAgainstCeilings, median, sideBySide,
} from "./image_metrics.mjs";
import { parseWithParser } from "./parser.mjs";
import {
  CONFORMANCE_FRAMES, formatCeilings, frameAfterTicks, HOLD_MARKER, holdMarkerMovie, movieFacts, selectConformance,
} from "./render_accuracy.mjs";
import { inspectSwf } from "./swf.mjs";

// A PNG from raw scanlines (each already starting with its filter byte).
function png(width, height, depth, colorType, rows, extra = []) {
  const chunk = (type, body) => {
    const head = Buffer.alloc(8);
    head.writeUInt32BE(body.length, 0);
    head.write(type, 4, "latin1");
    return Buffer.concat([head, body, Buffer.alloc(4)]); // the decoder does not check CRCs
  };
  const ihdr = Buffer.alloc(13);
  ihdr.writeUInt32BE(width, 0);
  ihdr.writeUInt32BE(height, 4);
  ihdr[8] = depth;
  ihdr[9] = colorType;
  return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]), chunk("IHDR", ihdr),
    ...extra.map(([type, body]) => chunk(type, Buffer.from(body))),
    chunk("IDAT", zlib.deflateSync(Buffer.from(rows.flat()))), chunk("IEND", Buffer.alloc(0))]);
}

const pixel = (img, x, y) => Array.from(img.data.subarray((y * img.width + x) * 4, (y * img.width + x) * 4 + 4));

test("PNG decoding keeps alpha and reads every colour type the references use", () => {
  // RGBA with Sub and Up filters: the second pixel adds the first, the second row adds the first.
  const rgba = decodePngRgba(png(2, 2, 8, 6, [[1, 10, 20, 30, 255, 5, 5, 5, 0], [2, 1, 1, 1, 0, 0, 0, 0, 0]]));
  assert.deepEqual(pixel(rgba, 1, 0), [15, 25, 35, 255]);
  assert.deepEqual(pixel(rgba, 0, 1), [11, 21, 31, 255]);
  // 1-bit palette with a transparent second entry: pixels 0,1,1 packed high bit first.
  const pal = decodePngRgba(png(3, 1, 1, 3, [[0, 0b01100000]], [["PLTE", [255, 0, 0, 0, 0, 255]], ["tRNS", [255, 0]]]));
  assert.deepEqual([0, 1, 2].map((x) => pixel(pal, x, 0)), [[255, 0, 0, 255], [0, 0, 255, 0], [0, 0, 255, 0]]);
  // 2-bit grey scales 0..3 to 0..255; grey+alpha; plain RGB is opaque.
  assert.deepEqual(pixel(decodePngRgba(png(2, 1, 2, 0, [[0, 0b11010000]])), 1, 0), [85, 85, 85, 255]);
  assert.deepEqual(pixel(decodePngRgba(png(1, 1, 8, 4, [[0, 200, 100]])), 0, 0), [200, 200, 200, 100]);
  // Paeth on the second row picks the pixel above when the row above is flat.
  const rgb = decodePngRgba(png(2, 2, 8, 2, [[0, 9, 9, 9, 9, 9, 9], [4, 1, 2, 3, 0, 0, 0]]));
  assert.deepEqual(pixel(rgb, 0, 1), [10, 11, 12, 255]);
  assert.deepEqual(pixel(rgb, 1, 1), [10, 11, 12, 255]);
  assert.throws(() => decodePngRgba(Buffer.from("GIF89a")), /not a PNG/);
  assert.throws(() => decodePngRgba(png(1, 1, 16, 2, [[0, 0, 0, 0, 0, 0, 0]])), /unsupported PNG: depth 16/);
  assert.throws(() => decodePngRgba(png(2, 2, 8, 2, [[0, 1, 2, 3, 4, 5, 6]])), /bytes, 14 needed/);
});

test("our PNG writer round-trips through the decoder", () => {
  const image = { width: 3, height: 2, rgb: Uint8Array.from({ length: 18 }, (_, i) => i * 13) };
  const back = decodePngRgba(encodePngRgb(image));
  assert.equal(back.width, 3);
  assert.deepEqual(pixel(back, 2, 1), [13 * 15, 13 * 16, 13 * 17, 255]);
});

test("compositing blends straight alpha over the background", () => {
  const img = { width: 3, height: 1, data: Uint8Array.of(255, 0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 128) };
  assert.deepEqual(Array.from(compositeOver(img, [0, 255, 0]).rgb), [255, 0, 0, 0, 255, 0, 0, 127, 128]);
});

test("errors per channel, the largest of them, and the share of pixels past the threshold", () => {
  const a = { width: 2, height: 2, rgb: new Uint8Array(12) };
  const b = { width: 2, height: 2, rgb: new Uint8Array(12) };
  b.rgb.set([24, 0, 0], 0); // at the threshold: not differing
  b.rgb.set([0, 25, 0], 3); // one past it in green only
  b.rgb.set([0, 0, 100], 6);
  const m = compareImages(a, b);
  assert.deepEqual(m.mae, [6, 6.25, 25]);
  assert.equal(m.maeMax, 25);
  assert.equal(m.differing, 2);
  assert.equal(m.share, 50);
  assert.equal(compareImages(a, b, 100).differing, 0);
  assert.throws(() => compareImages(a, { width: 1, height: 4, rgb: new Uint8Array(12) }), /sizes differ: 2x2 against 1x4/);
});

test("side-by-side picture marks the differing pixels in the third panel", () => {
  const ours = { width: 2, height: 1, rgb: Uint8Array.of(0, 0, 0, 0, 0, 0) };
  const ref = { width: 2, height: 1, rgb: Uint8Array.of(0, 0, 0, 200, 0, 0) };
  const s = sideBySide(ours, ref);
  assert.equal(s.width, 2 * 3 + 8);
  const at = (x) => Array.from(s.rgb.subarray(x * 3, x * 3 + 3));
  assert.deepEqual(at(2 + 4 + 1), [200, 0, 0]); // the reference panel
  assert.deepEqual(at(12 + 1), [255, 0, 0]); // marked
  assert.deepEqual(at(12), [192, 192, 192]); // black reference pixel, same in both: faded grey
});

test("ceilings sit a little above the figures and judge regressions, new failures and new files", () => {
  assert.deepEqual(ceilingFor({ maeMax: 1, share: 0 }), { mae: 1.5, share: 0.5 });
  assert.deepEqual(ceilingFor({ maeMax: 20, share: 40 }), { mae: 22, share: 44 });
  const ceilings = { "a.swf": { mae: 2, share: 1 }, "b.swf": { mae: 2, share: 1 }, "c.swf": { error: "old" },
    "d.swf": { mae: 9, share: 9 } };
  const { failures, unjudged } = judgeAgainstCeilings({
    "a.swf": { maeMax: 2, share: 1 }, // at the ceiling: passes
    "b.swf": { maeMax: 2.01, share: 1.5 },
    "c.swf": { error: "still broken" },
    "d.swf": { error: "exit 1: crash" },
    "e.swf": { maeMax: 50, share: 90 },
  }, ceilings);
  assert.deepEqual(failures, [
    "b.swf: mean error 2.01 above its ceiling 2",
    "b.swf: 1.50% of pixels differ, above its ceiling 1%",
    "d.swf: no longer renders: exit 1: crash",
  ]);
  assert.deepEqual(unjudged, ["e.swf"]);
  // The stored file: sorted, one line per file, and read back unchanged.
  const text = formatCeilings({ "z.swf": { mae: 1, share: 2 }, "a.swf": { error: "exit 1" } });
  assert.equal(text, '{\n  "a.swf": {"error":"exit 1"},\n  "z.swf": {"mae":1,"share":2}\n}\n');
  assert.deepEqual(JSON.parse(text), { "a.swf": { error: "exit 1" }, "z.swf": { mae: 1, share: 2 } });
  assert.equal(median([]), null);
  assert.equal(median([5, 1, 3]), 3);
  assert.equal(median([4, 1, 3, 2]), 2.5);
});

const red = tag(TAG.DefineShape, rectShape(1, [0, 0, 50, 50], 0xff0000));

function sprite(id, frames) {
  const u16 = (v) => Uint8Array.of(v & 0xff, v >> 8);
  return tag(TAG.DefineSprite, concat(u16(id), u16(frames.length), ...frames.flatMap((f) => [...f, tag(TAG.ShowFrame)]),
    tag(TAG.End)));
}

test("movie facts tell scripts before the first frame from later ones, in sprites and clip actions", () => {
  const plain = movieFacts(movie({ width: 120, height: 45, tags: [red, tag(TAG.PlaceObject2, place(1, 1)), tag(TAG.ShowFrame)] }));
  assert.equal(plain.frame1Script, null);
  assert.equal(plain.anyScript, null);
  assert.deepEqual([plain.width, plain.height, plain.frameCount, plain.as3], [120, 45, 1, false]);

  const later = movieFacts(movie({ tags: [tag(TAG.ShowFrame), tag(TAG.DoAction, traceActions(["x"])), tag(TAG.ShowFrame)] }));
  assert.equal(later.frame1Script, null);
  assert.equal(later.anyScript, "DoAction");

  const inSprite = movieFacts(movie({ tags: [sprite(5, [[tag(TAG.DoAction, traceActions(["x"]))]]), tag(TAG.ShowFrame)] }));
  assert.equal(inSprite.frame1Script, "DoAction in a sprite");
  const spriteLater = movieFacts(movie({ tags: [sprite(5, [[], [tag(TAG.DoAction, traceActions(["x"]))]]), tag(TAG.ShowFrame)] }));
  assert.equal(spriteLater.frame1Script, null);
  assert.equal(spriteLater.animatedSprites, true);

  // PlaceObject2 with the clip-actions flag (only the flag byte matters here).
  const clip = movieFacts(movie({ tags: [tag(TAG.PlaceObject2, Uint8Array.of(0x82, 1, 0, 1, 0)), tag(TAG.ShowFrame)] }));
  assert.equal(clip.frame1Script, "clip actions");
  const as3 = movieFacts(movie({ tags: [tag(69, Uint8Array.of(0x08, 0, 0, 0)), tag(TAG.ShowFrame)] }));
  assert.equal(as3.as3, true);
  assert.match(movieFacts(Buffer.from("ZWS\x0d\0\0\0\0")).problem, /LZMA/);
  assert.match(movieFacts(Buffer.from("XYZ")).problem, /shorter than/);
});

test("the held movie traces the marker and stops just before its first ShowFrame, framed correctly", () => {
  for (const compressed of [false, true]) {
    const original = movie({ compressed, tags: [red, tag(TAG.PlaceObject2, place(1, 1)), tag(TAG.ShowFrame), tag(TAG.ShowFrame)] });
    const held = holdMarkerMovie(original);
    const strict = inspectSwf(held);
    assert.deepEqual(strict.problems, []);
    assert.equal(strict.signature, "FWS");
    assert.deepEqual(strict.tags.map((t) => t.code), [TAG.DefineShape, TAG.PlaceObject2, TAG.DoAction, TAG.ShowFrame, TAG.ShowFrame]);
    const parsed = parseWithParser(held);
    const actions = Buffer.from(strict.tags[2].body).toString("latin1");
    assert.ok(actions.includes(HOLD_MARKER + "\0"));
    assert.deepEqual([...strict.tags[2].body.subarray(-3)], [0x26, 0x07, 0x00]); // trace, stop, end
    assert.equal(parsed.tags.length, 5);
  }
  assert.throws(() => holdMarkerMovie(movie({ tags: [red] })), /no frame/);
});

test("a reference after N ticks maps to a frame only where sprites cannot drift", () => {
  assert.deepEqual(frameAfterTicks({ frameCount: 20, animatedSprites: true }, 10), { frame: 10 });
  assert.deepEqual(frameAfterTicks({ frameCount: 3, animatedSprites: false }, 10), { frame: 1 });
  assert.deepEqual(frameAfterTicks({ frameCount: 4, animatedSprites: false }, 10), { frame: 2 });
  assert.match(frameAfterTicks({ frameCount: 1, animatedSprites: true }, 10).skip, /animated sprites/);
  assert.deepEqual(frameAfterTicks({ frameCount: 1, animatedSprites: false }, 0), { frame: 1 });
});

test("conformance selection: one-frame movies after the play time, looping ones held, named frames and skips", () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "accuracy-test-"));
  const held = fs.mkdtempSync(path.join(os.tmpdir(), "accuracy-held-"));
  try {
    fs.writeFileSync(path.join(dir, "still.swf"), movie({ tags: [red, tag(TAG.PlaceObject2, place(1, 1)), tag(TAG.ShowFrame)] }));
    fs.writeFileSync(path.join(dir, "loop.swf"), movie({ tags: [tag(TAG.ShowFrame), tag(TAG.ShowFrame)] }));
    fs.writeFileSync(path.join(dir, "jumps.swf"), movie({ tags: [tag(TAG.DoAction, traceActions(["x"])), tag(TAG.ShowFrame), tag(TAG.ShowFrame)] }));
    fs.writeFileSync(path.join(dir, "silent.swf"), movie({ tags: [tag(TAG.ShowFrame)] }));
    fs.writeFileSync(path.join(dir, "empty.swf"), movie({ tags: [] }));
    fs.writeFileSync(path.join(dir, "expected.json"), JSON.stringify({ "still.swf": { ruffle: { playMs: 1500 } }, "silent.swf": { ruffle: false } }));
    const byName = Object.fromEntries(selectConformance(dir, held).map((e) => [path.basename(e.swf), e]));
    assert.equal(byName["still.swf"].reference.playMs, 1500);
    assert.equal(byName["still.swf"].reference.hold, undefined);
    assert.equal(byName["loop.swf"].reference.hold, true);
    assert.ok(fs.existsSync(byName["loop.swf"].reference.swfForRuffle));
    assert.match(byName["jumps.swf"].skip, /script in frame 1 \(DoAction\)/);
    assert.equal(byName["silent.swf"].skip, "not played in Ruffle");
    assert.equal(byName["empty.swf"].skip, "no frame to draw");
    assert.equal(byName["still.swf"].group, "movie");
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
    fs.rmSync(held, { recursive: true, force: true });
  }
  // Every named frame is a frame number or a hold or a skip with a reason.
  for (const [name, v] of Object.entries(CONFORMANCE_FRAMES)) {
    assert.ok(Number.isInteger(v.frame) || v.hold === true || typeof v.skip === "string", name);
  }
});
