// Tests of the harness itself, on hand-assembled files: run with `node --test` in this folder.

import assert from "node:assert/strict";
import { execFile } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { test } from "node:test";
import { fileURLToPath } from "node:url";

import { checkWithParser, partialMatch } from "./expect.mjs";
import { concat, movie, rect, tag, TAG, traceActions, traceMovie } from "./fixtures.mjs";
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
