// Hand-assembled SWF bytes for the harness's own tests, made without any SWF library so that a
// fault in the harness cannot hide behind the same fault in a writer.

import zlib from "node:zlib";

export const TAG = { End: 0, ShowFrame: 1, DefineShape: 2, SetBackgroundColor: 9, DoAction: 12, DefineSprite: 39 };

function bitsNeeded(v) {
  let n = 1;
  while (v < -(2 ** (n - 1)) || v >= 2 ** (n - 1)) {
    n++;
  }
  return n;
}

/** A RECT record: 5-bit field size then four signed fields, padded to a byte. */
export function rect(xMin, xMax, yMin, yMax) {
  const nbits = Math.max(...[xMin, xMax, yMin, yMax].map(bitsNeeded));
  const bits = [];
  const put = (v, n) => {
    for (let i = n - 1; i >= 0; i--) {
      bits.push(Math.floor(v / 2 ** i) & 1);
    }
  };
  put(nbits, 5);
  for (const v of [xMin, xMax, yMin, yMax]) {
    put(v < 0 ? v + 2 ** nbits : v, nbits);
  }
  const out = new Uint8Array(Math.ceil(bits.length / 8));
  bits.forEach((b, i) => {
    out[i >> 3] |= b << (7 - (i & 7));
  });
  return out;
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
