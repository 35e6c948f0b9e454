// Tests of the harness itself, on hand-assembled files: run with `node --test` in this folder.

import assert from "node:assert/strict";
import { execFile } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { test } from "node:test";
import { fileURLToPath } from "node:url";
import zlib from "node:zlib";

import { checkWithParser, entryProblems, partialMatch } from "./expect.mjs";
import { buttonMovie, concat, getUrlActions, movie, rect, tag, TAG, traceActions, traceMovie } from "./fixtures.mjs";
import { checkInk, checkPixels, decodePng, inkCount, rgbAt, runVisualChecks, tracesEndWith, validateVisual } from "./pixels.mjs";
import { inspectSwf } from "./swf.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const bg = (r, g, b) => tag(TAG.SetBackgroundColor, Uint8Array.of(r, g, b));
const sprite = (id, frames, inner) =>
  tag(TAG.DefineSprite, concat(Uint8Array.of(id, 0, frames, 0), ...inner));

function mismatches(expected, actual) {
  const out = [];
  partialMatch(expected, actual, "v", out);
  return out;
}

test("partial match names the first differing path and ignores unnamed keys", () => {
  const actual = { a: 1, b: { c: [1, 2, 3], d: "x" }, e: null, f: 0.1 + 0.2 };
  assert.deepEqual(mismatches({ b: { d: "x" } }, actual), []);
  assert.deepEqual(mismatches({ b: { c: [1, 2, 4] } }, actual), ["v.b.c[2]: expected 4, got 3"]);
  assert.deepEqual(mismatches({ b: { c: [1, 2] } }, actual), ["v.b.c: expected 2 elements, got 3"]);
  assert.deepEqual(mismatches({ b: { c: { 1: 2, length: 3 } } }, actual), []);
  assert.deepEqual(mismatches({ b: { c: { 2: 9 } } }, actual), ["v.b.c[2]: expected 9, got 3"]);
  assert.deepEqual(mismatches({ z: 1 }, actual), ["v.z: missing (expected 1)"]);
  assert.deepEqual(mismatches({ e: null, f: { $approx: 0.3 } }, actual), []);
  assert.equal(mismatches({ f: 0.3 }, actual).length, 1);
  assert.deepEqual(mismatches({ a: "1" }, actual), ['v.a: expected "1", got 1']);
  assert.deepEqual(mismatches({ b: [1] }, actual), ["v.b: expected an array, got {\"c\":[1,2,3],\"d\":\"x\"}"]);
});

test("hand-made RECT and header read back through the framing walk", () => {
  assert.deepEqual([...rect(0, 11000, 0, 8000)], [0x78, 0x00, 0x05, 0x5f, 0x00, 0x00, 0x0f, 0xa0, 0x00]);
  for (const compressed of [false, true]) {
    const info = inspectSwf(movie({ compressed, width: 550, height: 400, frameRate: 12.5, tags: [bg(1, 2, 3), tag(TAG.ShowFrame)] }));
    assert.deepEqual(info.problems, []);
    assert.equal(info.signature, compressed ? "CWS" : "FWS");
    assert.deepEqual(info.header.frameSize, { xMin: 0, xMax: 11000, yMin: 0, yMax: 8000 });
    assert.equal(info.header.frameRate, 12.5);
    assert.deepEqual(info.tags.map((t) => t.code), [TAG.SetBackgroundColor, TAG.ShowFrame]);
  }
});

test("framing faults are each reported", () => {
  const show = tag(TAG.ShowFrame);
  const cases = [
    [movie({ tags: [show], fileLength: 999 }), /header file length is 999/],
    [movie({ tags: [show], noEnd: true }), /movie: no End tag/],
    [concat(movie({ tags: [show], fileLength: 8 + 13 + 2 }), Uint8Array.of(0, 0)), /2 bytes after the End tag/],
    [movie({ tags: [show], frameCount: 3 }), /declares 3 frames but the movie holds 1/],
    [movie({ tags: [tag(TAG.DoAction, traceActions(["x"])).subarray(0, 6), show] }), /declares \d+ body bytes but only/],
    [movie({ tags: [sprite(1, 2, [show, tag(TAG.End)]), show] }), /sprite tag #0: declares 2 frames but holds 1/],
    [movie({ tags: [sprite(1, 1, [show]), show] }), /sprite tag #0: no End tag/],
    [movie({ tags: [tag(TAG.End, Uint8Array.of(1))] , frameCount: 0 }), /End tag at offset \d+ has a 1-byte body/],
  ];
  for (const [bytes, pattern] of cases) {
    const { problems } = inspectSwf(bytes);
    assert.ok(problems.some((p) => pattern.test(p)), `${pattern} not in ${JSON.stringify(problems)}`);
  }
  const cut = movie({ compressed: true, tags: [bg(1, 2, 3), show] });
  assert.ok(inspectSwf(cut.subarray(0, cut.length - 4)).problems.some((p) => /zlib stream is damaged/.test(p)));
});

test("parser check passes matching expectations and reports each wrong one by path", () => {
  const bytes = movie({ version: 9, frameRate: 30, tags: [bg(0x33, 0x66, 0x99), tag(TAG.DoAction, traceActions(["hi"])), tag(TAG.ShowFrame)] });
  const good = {
    header: { signature: "FWS", version: 9, fileLength: bytes.length, frameRate: 30, frameCount: 1, frameSize: { xMax: 4000, yMax: 2000 } },
    tags: ["SetBackgroundColor", "DoAction", "ShowFrame"],
    codes: [9, 12, 1, 0],
    fields: { 0: { color: { r: 0x33, g: 0x66, b: 0x99 } } },
    rawTags: [{ index: 1, code: 12, hexPrefix: "96" }],
  };
  assert.deepEqual(checkWithParser(bytes, good).failures, []);

  // Blend mode 3 in the file is swf-types' Multiply (2): expectations name it.
  const place3 = movie({ tags: [tag(70, Uint8Array.of(0x02, 0x02, 1, 0, 1, 0, 3)), tag(TAG.ShowFrame)] });
  assert.deepEqual(checkWithParser(place3, { fields: { 0: { blendMode: "Multiply", depth: 1, characterId: 1 } } }).failures, []);

  const wrong = {
    header: { version: 8 },
    tags: ["SetBackgroundColor", "ShowFrame"],
    codes: [9, 12, 1, 1, 0],
    fields: { 0: { color: { r: 0x34 } }, 7: {} },
    rawTags: [{ index: 0, hex: "336698" }],
  };
  const failures = checkWithParser(bytes, wrong).failures;
  for (const pattern of [/^header\.version: expected 8, got 9/, /^tags\[1\]: expected "ShowFrame", got "DoAction"/,
    /^codes\[3\]: expected 1, got 0/, /^tags\[0\] \(SetBackgroundColor\)\.color\.r: expected 52, got 51/,
    /^fields: no tag at index 7/, /^rawTags\[0\]\.hex: expected "336698", got "336699"/]) {
    assert.ok(failures.some((f) => pattern.test(f)), `${pattern} not in ${JSON.stringify(failures)}`);
  }
  assert.equal(failures.length, 6);
});

test("a body swf-parser rejects or does not read to its end fails the file", () => {
  const show = tag(TAG.ShowFrame);
  const short = movie({ tags: [tag(TAG.SetBackgroundColor, Uint8Array.of(1, 2)), show] });
  assert.match(checkWithParser(short).failures.join("\n"), /tags\[0\]: swf-parser could not decode this tag 9 body/);
  // Letting the expectation check the raw bytes is how a file owns up to such a tag.
  assert.deepEqual(checkWithParser(short, { rawTags: [{ index: 0, hex: "0102" }] }).failures, []);

  const long = movie({ tags: [tag(TAG.SetBackgroundColor, Uint8Array.of(1, 2, 3, 4)), show] });
  assert.match(checkWithParser(long).failures.join("\n"), /SetBackgroundColor\): swf-parser left 1 of 4 body bytes unread/);
  assert.deepEqual(checkWithParser(long, { rawTags: [{ index: 0, parserUnread: 1, hex: "01020304" }] }).failures, []);
  assert.match(checkWithParser(long, { rawTags: [{ index: 0, parserUnread: 2 }] }).failures.join("\n"),
    /rawTags\[0\]\.parserUnread: expected 2, swf-parser left 1 unread/);

  const nested = movie({ tags: [sprite(1, 1, [tag(TAG.SetBackgroundColor, Uint8Array.of(1)), show, tag(TAG.End)]), show] });
  assert.match(checkWithParser(nested).failures.join("\n"), /tags\[0\]\.tags\[0\]: swf-parser could not decode/);

  // The long tag header is legal for any body and must not disturb the unread-bytes count.
  assert.deepEqual(checkWithParser(movie({ tags: [tag(TAG.SetBackgroundColor, Uint8Array.of(1, 2, 3), true), show] })).failures, []);
});

test("check.mjs plays movies in Ruffle, collects traces and fails panics and wrong traces", async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-check-"));
  try {
    fs.writeFileSync(path.join(dir, "hello.swf"), traceMovie(["hello"]));
    fs.writeFileSync(path.join(dir, "two_lines.swf"), traceMovie(["first", "second line"], { compressed: true, version: 10 }));
    fs.writeFileSync(path.join(dir, "wrong_trace.swf"), traceMovie(["actual"]));
    // A relative URL in a movie resolves beside it, as in a published folder.
    const importBody = concat(new TextEncoder().encode("hello.swf\0"), Uint8Array.of(1, 0, 1, 0), new TextEncoder().encode("x\0"));
    fs.writeFileSync(path.join(dir, "imports.swf"), movie({ version: 7, tags: [tag(57, importBody), tag(TAG.ShowFrame)] }));
    fs.writeFileSync(path.join(dir, "not_a_movie.swf"), new TextEncoder().encode("FWX, not a movie at all"));
    fs.writeFileSync(path.join(dir, "expected.json"), JSON.stringify({
      "hello.swf": { traces: ["hello"], tags: ["SetBackgroundColor", "DoAction", "ShowFrame"] },
      "two_lines.swf": { header: { signature: "CWS", version: 10 }, traces: ["first", "second line"] },
      "wrong_trace.swf": { traces: ["expected"] },
      "not_a_movie.swf": { ruffle: { playMs: 200 } },
    }));
    const { code, stdout } = await new Promise((resolve) => {
      execFile(process.execPath, [path.join(here, "check.mjs"), "--play-ms=500", dir], { timeout: 120000 },
        (err, out, errOut) => resolve({ code: err ? err.code : 0, stdout: out + errOut }));
    });
    assert.equal(code, 1, stdout);
    assert.match(stdout, /^ok {3}hello\.swf/m);
    assert.match(stdout, /^ok {3}two_lines\.swf/m);
    assert.match(stdout, /^ok {3}imports\.swf/m);
    assert.match(stdout, /wrong_trace\.swf: traces\[0\]: expected "expected", got "actual"/);
    assert.match(stdout, /not_a_movie\.swf: container: unknown signature/);
    assert.match(stdout, /not_a_movie\.swf: ruffle: panic: .*not a valid SWF/i);
    assert.match(stdout, /^3 passed, 2 failed$/m);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

// ---------------------------------------------------------------------------------------------
// Pixel checks

// A PNG written the plain way: rows filtered as asked (one filter type per row, cycling).
function encodePng(width, height, pixel, { colorType = 2, filters = [0], palette = null } = {}) {
  const channels = { 0: 1, 2: 3, 3: 1, 6: 4 }[colorType];
  const stride = width * channels;
  const rows = [];
  let prev = new Uint8Array(stride);
  for (let y = 0; y < height; y++) {
    const row = new Uint8Array(stride);
    for (let x = 0; x < width; x++) {
      row.set(pixel(x, y), x * channels);
    }
    const filter = filters[y % filters.length];
    const out = new Uint8Array(stride + 1);
    out[0] = filter;
    for (let i = 0; i < stride; i++) {
      const a = i >= channels ? row[i - channels] : 0;
      const b = prev[i];
      const c = i >= channels ? prev[i - channels] : 0;
      const p = a + b - c;
      const [pa, pb, pc] = [Math.abs(p - a), Math.abs(p - b), Math.abs(p - c)];
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      out[i + 1] = (row[i] - predictor) & 0xff;
    }
    rows.push(out);
    prev = row;
  }
  const chunk = (type, body) => {
    const head = Buffer.alloc(8);
    head.writeUInt32BE(body.length, 0);
    head.write(type, 4, "latin1");
    const crc = Buffer.alloc(4);
    crc.writeUInt32BE(zlib.crc32(Buffer.concat([head.subarray(4), body])));
    return Buffer.concat([head, body, crc]);
  };
  const ihdr = Buffer.alloc(13);
  ihdr.writeUInt32BE(width, 0);
  ihdr.writeUInt32BE(height, 4);
  ihdr.set([8, colorType, 0, 0, 0], 8);
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk("IHDR", ihdr),
    ...(palette ? [chunk("PLTE", Buffer.from(palette))] : []),
    chunk("IDAT", zlib.deflateSync(Buffer.concat(rows))),
    chunk("IEND", Buffer.alloc(0)),
  ]);
}

// An image from a function of (x, y) giving [r, g, b].
function image(width, height, fn) {
  const data = new Uint8Array(width * height * 3);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      data.set(fn(x, y), (y * width + x) * 3);
    }
  }
  return { width, height, data };
}

test("PNG decoder undoes every row filter for RGB, RGBA, grey and palette pictures", () => {
  // Values that wrap around 255 in every filter's arithmetic.
  const colour = (x, y) => [(x * 37 + y * 11) & 0xff, (200 + x * y * 7) & 0xff, (x * 90 - y * 50) & 0xff];
  const want = image(7, 10, colour);
  const filters = [0, 1, 2, 3, 4];
  assert.deepEqual(decodePng(encodePng(7, 10, colour, { filters })), want);
  assert.deepEqual(decodePng(encodePng(7, 10, (x, y) => [...colour(x, y), x * 30], { colorType: 6, filters })), want);
  // Few distinct levels make Paeth's ties common: its tie order is part of the format.
  let seed = 7;
  const levels = image(16, 16, () => [0, 1, 2].map(() => {
    seed = (seed * 1103515245 + 12345) % 2 ** 31;
    return (seed >> 16) % 4 * 60;
  }));
  assert.deepEqual(decodePng(encodePng(16, 16, (x, y) => rgbAt(levels, x, y), { filters: [4, 4, 1, 3, 2] })), levels);
  const grey = (x, y) => [(x * 40 + y * 25) & 0xff];
  assert.deepEqual(decodePng(encodePng(7, 10, grey, { colorType: 0, filters })),
    image(7, 10, (x, y) => [grey(x, y)[0], grey(x, y)[0], grey(x, y)[0]]));
  const palette = [10, 20, 30, 200, 100, 0];
  assert.deepEqual(decodePng(encodePng(3, 2, (x, y) => [(x + y) & 1], { colorType: 3, palette, filters })),
    image(3, 2, (x, y) => ((x + y) & 1 ? [200, 100, 0] : [10, 20, 30])));

  assert.throws(() => decodePng(Buffer.from("GIF89a....")), /not a PNG file/);
  const png = encodePng(4, 4, () => [1, 2, 3]);
  assert.throws(() => decodePng(png.subarray(0, 40)), /runs past the end|ends before its IEND/);
  const interlaced = Buffer.from(png);
  interlaced[8 + 8 + 12] = 1;
  assert.throws(() => decodePng(interlaced), /unsupported PNG: .*interlace 1/);
  assert.throws(() => decodePng(encodePng(3, 2, () => [5], { colorType: 3, palette })), /palette entry 5 of 2/);
});

test("pixel checks compare each channel within the tolerance and say what, where and what was found", () => {
  const img = image(10, 10, (x, y) => (x < 5 ? [255, 0, 0] : [0, 200, y * 20]));
  assert.deepEqual(checkPixels(img, [
    { x: 2, y: 2, rgb: "FF0000" },
    { x: 9, y: 0, rgb: "00c010", tol: 16 }, // 8 off in green, 16 in blue: the edges count as inside
    { x: 7, y: 3, rgb: ["ff0000", "00c83c"], tol: 0 },
  ]), []);
  assert.deepEqual(checkPixels(img, [
    { x: 9, y: 0, rgb: "00c011", tol: 16, what: "right half" },
    { x: 4, y: 9, rgb: ["00ff00", "0000ff"] },
    { x: 10, y: 0, rgb: "000000" },
  ], "steps[2]: "), [
    "steps[2]: pixel (9,0) right half: expected 00c011 ±16, found 00c800",
    "steps[2]: pixel (4,9): expected one of 00ff00, 0000ff ±16, found ff0000",
    "steps[2]: pixel (10,0): outside the 10x10 player",
  ]);
});

test("ink share counts pixels off the background inside a half-open box", () => {
  // Background white, a 4x2 block of dark grey at (2..5, 3..4), one faint pixel at (0, 0).
  const img = image(8, 6, (x, y) => (x >= 2 && x < 6 && y >= 3 && y < 5 ? [60, 60, 60] : x + y === 0 ? [235, 255, 255] : [255, 255, 255]));
  assert.deepEqual(inkCount(img, [0, 0, 8, 6], "ffffff", 32), { count: 8, total: 48 });
  assert.deepEqual(inkCount(img, [0, 0, 8, 6], "ffffff", 10), { count: 9, total: 48 });
  // x1 and y1 are outside the box: a box ending where the block starts holds none of it.
  assert.deepEqual(inkCount(img, [0, 0, 2, 3], "ffffff", 32), { count: 0, total: 6 });
  assert.deepEqual(inkCount(img, [5, 4, 6, 5], "ffffff", 32), { count: 1, total: 1 });

  assert.deepEqual(checkInk(img, [
    { box: [2, 3, 6, 5], background: "ffffff", min: 1, max: 1 },
    { box: [0, 0, 8, 3], background: "FFFFFF", max: 0 },
    { box: [0, 0, 8, 6], background: "ffffff", min: 0.1, max: 0.2 },
    { box: [0, 0, 8, 6], background: "3c3c3c", min: 0.8 },
  ]), []);
  assert.deepEqual(checkInk(img, [
    { box: [0, 0, 8, 3], background: "ffffff", tol: 10, max: 0, what: "above the block" },
    { box: [0, 0, 8, 6], background: "ffffff", min: 0.5 },
    { box: [4, 4, 9, 6], background: "ffffff" },
  ]), [
    "ink (0,0)-(8,3) above the block: 1 of 24 pixels (4.2%) differ from ffffff by more than 10, expected at most 0.0%",
    "ink (0,0)-(8,6): 8 of 48 pixels (16.7%) differ from ffffff by more than 32, expected at least 50.0%",
    "ink (4,4)-(9,6): box reaches outside the 8x6 player",
  ]);
});

test("malformed pixel, ink and step expectations are named with their path", () => {
  const cases = [
    [{ pixels: [{ x: 1, y: 2, color: "ff0000" }] }, /^pixels\[0\]: unknown key "color"/],
    [{ pixels: [{ x: 1, y: 2, rgb: "#ff0000" }] }, /^pixels\[0\]\.rgb: expected "rrggbb"/],
    [{ pixels: [{ x: 1.5, y: 2, rgb: "ff0000" }] }, /^pixels\[0\]\.x: expected a pixel coordinate/],
    [{ pixels: [{ x: 1, y: 2, rgb: [] }] }, /^pixels\[0\]\.rgb: expected "rrggbb" or a non-empty array/],
    [{ pixels: { x: 1 } }, /^pixels: expected an array/],
    [{ ink: [{ box: [5, 0, 5, 4], background: "ffffff" }] }, /^ink\[0\]\.box: expected \[x0, y0, x1, y1\] with x0 < x1/],
    [{ ink: [{ box: [0, 0, 5, 4], background: "ffffff", min: 5 }] }, /^ink\[0\]\.min: expected a share from 0 to 1/],
    [{ ink: [{ box: [0, 0, 5, 4], background: "ffffff", min: 0.5, max: 0.2 }] }, /^ink\[0\]: min 0.5 is above max 0.2/],
    [{ ink: [{ box: [0, 0, 5, 4] }] }, /^ink\[0\]\.background: expected "rrggbb"/],
    [{ steps: [{ mouse: "hover", x: 1, y: 1 }] }, /^steps\[0\]\.mouse: expected one of move, down, up, click/],
    [{ steps: [{ mouse: "move", x: 1 }] }, /^steps\[0\]\.y: "move" needs a coordinate/],
    [{ steps: [{ mouse: "down", x: 1, y: 1 }] }, /^steps\[0\]: "down" acts where the mouse is/],
    [{ steps: [{ mouse: "up", pixels: [] }] }, /^steps\[0\]: one action per step, got mouse and pixels/],
    [{ steps: [{}, { wait: 100 }] }, /^steps\[0\]: expected one of mouse, waitMs, pixels, ink, traces/],
    [{ steps: [{ traces: "pressed" }] }, /^steps\[0\]\.traces: expected an array of strings/],
    [{ steps: [{ opened: [1] }] }, /^steps\[0\]\.opened: expected an array of strings/],
    [{ steps: [{ ink: [{ box: [0, 0, 1, 1], background: "fff" }] }] }, /^steps\[0\]\.ink\[0\]\.background/],
    [{ steps: [{ waitMs: -1 }] }, /^steps\[0\]\.waitMs: expected milliseconds/],
  ];
  for (const [entry, pattern] of cases) {
    const problems = validateVisual(entry);
    assert.ok(problems.some((p) => pattern.test(p)), `${pattern} not in ${JSON.stringify(problems)}`);
  }
  assert.deepEqual(validateVisual({
    pixels: [{ x: 0, y: 0, rgb: ["ABCDEF", "000000"], tol: 0, what: "corner" }],
    ink: [{ box: [0, 0, 1, 1], background: "ffffff", tol: 40, min: 0, max: 0, what: "nothing" }],
    steps: [{ mouse: "click", x: 3, y: 4, waitMs: 0 }, { mouse: "down" }, { waitMs: 20 }, { traces: [] },
      { pixels: [] }, { ink: [] }],
  }), []);

  assert.deepEqual(entryProblems({ traces: [], pixel: [] }).length, 1);
  assert.match(entryProblems({ traces: [], pixel: [] })[0], /^expected\.json: unknown key "pixel"/);
  assert.match(entryProblems({ ruffle: false, steps: [] }).join("\n"), /need the player, but ruffle is false/);
});

test("steps run in order on the live player, each mouse action followed by a pause", async () => {
  const log = [];
  const white = encodePng(4, 4, () => [255, 255, 255]);
  const black = encodePng(4, 4, () => [0, 0, 0]);
  let shots = 0;
  let traces = [];
  const live = {
    screenshot: async () => {
      log.push("shot");
      return shots++ === 0 ? black : white;
    },
    mouse: {
      move: async (x, y) => log.push(`move ${x},${y}`),
      down: async () => log.push("down"),
      up: async () => {
        log.push("up");
        traces = [...traces, "released"];
      },
    },
    wait: async (ms) => log.push(`wait ${ms}`),
    traces: async () => traces,
  };
  const saved = [];
  const failures = await runVisualChecks(live, {
    pixels: [{ x: 0, y: 0, rgb: "ffffff" }],
    steps: [
      { mouse: "move", x: 1, y: 2 },
      { mouse: "click", x: 3, y: 3, waitMs: 40 },
      { ink: [{ box: [0, 0, 4, 4], background: "ffffff", max: 0 }] },
      { traces: ["released"] },
      { waitMs: 5 },
      { mouse: "down" },
      { mouse: "up" },
      { pixels: [{ x: 3, y: 3, rgb: "000000" }] },
      { traces: ["released", "pressed"] },
    ],
  }, black, (png, i) => saved.push(i));
  assert.deepEqual(log, ["move 1,2", "wait 150", "move 3,3", "down", "up", "wait 40", "shot", "wait 5", "down",
    "wait 150", "up", "wait 150", "shot"]);
  assert.deepEqual(saved, [2, 7]);
  assert.deepEqual(failures, [
    "pixel (0,0): expected ffffff ±16, found 000000",
    "steps[2]: ink (0,0)-(4,4): 16 of 16 pixels (100.0%) differ from ffffff by more than 32, expected at most 0.0%",
    "steps[7]: pixel (3,3): expected 000000 ±16, found ffffff",
    'steps[8]: expected the traces so far to end with ["released","pressed"], got ["released","released"] (2 in all)',
  ]);

  assert.equal(tracesEndWith(["b", "c"], ["a", "b", "c"]), null);
  assert.equal(tracesEndWith([], []), null);
  assert.match(tracesEndWith(["a", "b"], ["b"]), /end with \["a","b"\], got \["b"\] \(1 in all\)/);
});

test("check.mjs checks pixels and drives the mouse over a button in Ruffle", async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-pixels-"));
  try {
    const bytes = buttonMovie();
    for (const name of ["button.swf", "button_wrong.swf", "button_typo.swf"]) {
      fs.writeFileSync(path.join(dir, name), bytes);
    }
    fs.writeFileSync(path.join(dir, "button_link.swf"), buttonMovie(getUrlActions("https://example.com/b", "_blank")));
    const at = (rgb) => [{ x: 50, y: 40, rgb, what: "the button" }];
    fs.writeFileSync(path.join(dir, "expected.json"), JSON.stringify({
      "button.swf": {
        pixels: [...at("ff0000"), { x: 5, y: 5, rgb: "ffffff" }],
        ink: [{ box: [20, 20, 80, 60], background: "ffffff", min: 1 }, { box: [0, 0, 200, 20], background: "ffffff", max: 0 }],
        steps: [
          { mouse: "move", x: 50, y: 40 }, { pixels: at("00ff00") },
          { mouse: "down" }, { pixels: at("0000ff") }, { mouse: "up" }, { traces: ["pressed"] },
          { mouse: "move", x: 150, y: 90 }, { pixels: at("ff0000") },
          { mouse: "click", x: 30, y: 30 },
        ],
        traces: ["pressed", "pressed"],
      },
      "button_wrong.swf": {
        pixels: at("00ff00"),
        steps: [{ mouse: "click", x: 150, y: 90 }, { traces: ["pressed"] }],
      },
      "button_typo.swf": { steps: [{ mouse: "move", x: 50 }] },
      // The click asks for a popup, which is caught and refused; a second expectation fails.
      "button_link.swf": {
        steps: [{ opened: [] }, { mouse: "click", x: 50, y: 40, waitMs: 500 }, { opened: ["https://example.com/b"] },
          { opened: ["https://example.com/c"] }],
      },
    }));
    const shots = path.join(dir, "shots");
    const { code, stdout } = await new Promise((resolve) => {
      execFile(process.execPath, [path.join(here, "check.mjs"), "--play-ms=300", `--screenshot=${shots}`, dir], { timeout: 120000 },
        (err, out, errOut) => resolve({ code: err ? err.code : 0, stdout: out + errOut }));
    });
    assert.equal(code, 1, stdout);
    assert.match(stdout, /^ok {3}button\.swf/m);
    assert.match(stdout, /button_wrong\.swf: pixel \(50,40\) the button: expected 00ff00 ±16, found ff0000/);
    assert.match(stdout, /button_wrong\.swf: steps\[1\]: expected the traces so far to end with \["pressed"\], got \[\]/);
    assert.match(stdout, /button_typo\.swf: expected\.json: steps\[0\]\.y: "move" needs a coordinate/);
    assert.match(stdout, /button_link\.swf: steps\[3\]: expected the links opened so far to end with \["https:\/\/example\.com\/c"\], got \["https:\/\/example\.com\/b"\] \(1 in all\)/);
    assert.doesNotMatch(stdout, /button_link\.swf: steps\[2\]/);
    assert.match(stdout, /^1 passed, 3 failed$/m);
    assert.deepEqual(fs.readdirSync(shots).filter((n) => n.startsWith("button.")).sort(),
      ["button.png", "button.step1.png", "button.step3.png", "button.step7.png"]);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
