// Hand-assembled SWF bytes for the harness's own tests, made without any SWF library so that a
// fault in the harness cannot hide behind the same fault in a writer.

import zlib from "node:zlib";

export const TAG = {
  End: 0, ShowFrame: 1, DefineShape: 2, DefineButton: 7, SetBackgroundColor: 9, DoAction: 12, PlaceObject2: 26,
  DefineSprite: 39,
};

function bitsNeeded(v) {
  let n = 1;
  while (v < -(2 ** (n - 1)) || v >= 2 ** (n - 1)) {
    n++;
  }
  return n;
}

// Bit fields, most significant bit first, padded to a byte by bytes().
class Bits {
  constructor() {
    this.bits = [];
  }

  put(v, n) {
    const u = v < 0 ? v + 2 ** n : v;
    for (let i = n - 1; i >= 0; i--) {
      this.bits.push(Math.floor(u / 2 ** i) & 1);
    }
    return this;
  }

  bytes() {
    const out = new Uint8Array(Math.ceil(this.bits.length / 8));
    this.bits.forEach((b, i) => {
      out[i >> 3] |= b << (7 - (i & 7));
    });
    return out;
  }
}

/** A RECT record: 5-bit field size then four signed fields, padded to a byte. */
export function rect(xMin, xMax, yMin, yMax) {
  const nbits = Math.max(...[xMin, xMax, yMin, yMax].map(bitsNeeded));
  const b = new Bits().put(nbits, 5);
  for (const v of [xMin, xMax, yMin, yMax]) {
    b.put(v, nbits);
  }
  return b.bytes();
}

export function concat(...parts) {
  const total = parts.reduce((n, p) => n + p.length, 0);
  const out = new Uint8Array(total);
  let at = 0;
  for (const p of parts) {
    out.set(p, at);
    at += p.length;
  }
  return out;
}

const u16 = (v) => Uint8Array.of(v & 0xff, (v >> 8) & 0xff);
const u32 = (v) => Uint8Array.of(v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff, (v >>> 24) & 0xff);

/** One framed tag; `long` forces the 6-byte header even for a short body. */
export function tag(code, body = new Uint8Array(0), long = false) {
  if (body.length >= 0x3f || long) {
    return concat(u16((code << 6) | 0x3f), u32(body.length), body);
  }
  return concat(u16((code << 6) | body.length), body);
}

/** A DoAction body: Push "text" + Trace for each line, then Stop and the end marker. */
export function traceActions(lines) {
  const parts = [];
  for (const line of lines) {
    const text = new TextEncoder().encode(line);
    parts.push(Uint8Array.of(0x96), u16(text.length + 2), Uint8Array.of(0), text, Uint8Array.of(0));
    parts.push(Uint8Array.of(0x26));
  }
  parts.push(Uint8Array.of(0x07, 0x00));
  return concat(...parts);
}

/**
 * A whole file. `tags` are framed tags (from tag()); the End tag is appended unless `noEnd`.
 * `frameCount` defaults to the number of ShowFrame tags; `fileLength` overrides the header field.
 */
export function movie({ version = 8, compressed = false, width = 200, height = 100, frameRate = 24,
  frameCount, fileLength, tags = [], noEnd = false } = {}) {
  const shown = frameCount ?? tags.filter((t) => ((t[0] | (t[1] << 8)) >> 6) === TAG.ShowFrame).length;
  const rest = concat(
    rect(0, width * 20, 0, height * 20),
    Uint8Array.of(Math.round((frameRate % 1) * 256), Math.floor(frameRate)),
    u16(shown),
    ...tags,
    noEnd ? new Uint8Array(0) : tag(TAG.End));
  const length = fileLength ?? 8 + rest.length;
  const head = concat(new TextEncoder().encode(compressed ? "CWS" : "FWS"), Uint8Array.of(version), u32(length));
  return concat(head, compressed ? zlib.deflateSync(rest) : rest);
}

/** A movie whose first frame traces `lines`. */
export function traceMovie(lines, options = {}) {
  return movie({
    ...options,
    tags: [
      tag(TAG.SetBackgroundColor, Uint8Array.of(0x33, 0x66, 0x99)),
      tag(TAG.DoAction, traceActions(lines)),
      tag(TAG.ShowFrame),
    ],
  });
}

/**
 * A DefineShape body: one rectangle from (x0, y0) to (x1, y1) in pixels, filled with `rgb`
 * (0xRRGGBB), no outline.
 */
export function rectShape(id, [x0, y0, x1, y1], rgb) {
  const [tx0, ty0, tx1, ty1] = [x0, y0, x1, y1].map((v) => v * 20);
  const b = new Bits().put(1, 4).put(0, 4); // one fill bit, no line bits
  const moveBits = Math.max(bitsNeeded(tx0), bitsNeeded(ty0));
  // Style change: fill style 0 = 1, move to the first corner.
  b.put(0b000011, 6).put(moveBits, 5).put(tx0, moveBits).put(ty0, moveBits).put(1, 1);
  for (const [vertical, delta] of [[false, tx1 - tx0], [true, ty1 - ty0], [false, tx0 - tx1], [true, ty0 - ty1]]) {
    const n = bitsNeeded(delta);
    b.put(0b11, 2).put(n - 2, 4).put(0, 1).put(vertical ? 1 : 0, 1).put(delta, n);
  }
  b.put(0, 6);
  return concat(u16(id), rect(tx0, tx1, ty0, ty1), Uint8Array.of(1, 0x00, rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff, 0),
    b.bytes());
}

/**
 * A DefineButton body: `states` is a list of { id, depth, up, over, down, hit } character
 * records (untransformed); `actions` run when the button is released over it.
 */
export function button(id, states, actions) {
  const records = states.map((s) => concat(
    Uint8Array.of((s.hit ? 8 : 0) | (s.down ? 4 : 0) | (s.over ? 2 : 0) | (s.up ? 1 : 0)),
    u16(s.id), u16(s.depth), Uint8Array.of(0)));
  return concat(u16(id), ...records, Uint8Array.of(0), actions);
}

/** Actions that ask the browser to open `url` in `target`, then the end marker. */
export function getUrlActions(url, target) {
  const text = new TextEncoder().encode(`${url}\0${target}\0`);
  return concat(Uint8Array.of(0x83), u16(text.length), text, Uint8Array.of(0));
}

/** A PlaceObject2 body placing character `id` at `depth`, untransformed. */
export function place(id, depth) {
  return concat(Uint8Array.of(0x02), u16(depth), u16(id));
}

/**
 * A 200x100 movie on white with a button at (20, 20)-(80, 60): red when idle, green with the
 * mouse over it, blue while pressed; releasing it runs `releaseActions` (traces "pressed").
 */
export function buttonMovie(releaseActions = traceActions(["pressed"])) {
  const area = [20, 20, 80, 60];
  return movie({
    tags: [
      tag(TAG.SetBackgroundColor, Uint8Array.of(0xff, 0xff, 0xff)),
      tag(TAG.DefineShape, rectShape(1, area, 0xff0000)),
      tag(TAG.DefineShape, rectShape(2, area, 0x00ff00)),
      tag(TAG.DefineShape, rectShape(3, area, 0x0000ff)),
      tag(TAG.DefineButton, button(4, [
        { id: 1, depth: 1, up: true, hit: true },
        { id: 2, depth: 2, over: true },
        { id: 3, depth: 3, down: true },
      ], releaseActions)),
      tag(TAG.PlaceObject2, place(4, 1)),
      tag(TAG.ShowFrame),
    ],
  });
}
