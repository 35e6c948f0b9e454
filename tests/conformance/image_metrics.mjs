// How far one rendering of a frame is from another: PNG decoding that keeps alpha (reference
// images and our renderer's output may carry it), compositing onto an opaque background, the
// per-channel mean absolute error and the share of pixels that differ visibly, plus a small PNG
// writer for side-by-side pictures of the two and their difference.

import zlib from "node:zlib";

// A pixel "differs" when any channel is off by more than this.
export const DIFF_THRESHOLD = 24;

const PNG_SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
const CHANNELS = { 0: 1, 2: 3, 3: 1, 4: 2, 6: 4 };

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

/**
 * Decodes a non-interlaced PNG (grey, RGB, palette with tRNS, grey+alpha, RGBA; palette and
 * grey at 1, 2, 4 or 8 bits, the others at 8) into { width, height, data } with data holding
 * straight RGBA, top row first.
 */
export function decodePngRgba(bytes) {
  const buf = Buffer.isBuffer(bytes) ? bytes : Buffer.from(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  if (buf.length < 8 || !buf.subarray(0, 8).equals(PNG_SIGNATURE)) {
    throw new Error("not a PNG file");
  }
  let header = null;
  let palette = null;
  let transparency = null;
  const idat = [];
  for (let at = 8; ;) {
    if (at + 8 > buf.length) {
      throw new Error("PNG ends before its IEND chunk");
    }
    const length = buf.readUInt32BE(at);
    const type = buf.toString("latin1", at + 4, at + 8);
    if (at + 12 + length > buf.length) {
      throw new Error(`PNG chunk ${type} runs past the end of the file`);
    }
    const body = buf.subarray(at + 8, at + 8 + length);
    at += 12 + length;
    if (type === "IHDR") {
      header = {
        width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8],
        colorType: body[9], interlace: body[12],
      };
    } else if (type === "PLTE") {
      palette = body;
    } else if (type === "tRNS") {
      transparency = body;
    } else if (type === "IDAT") {
      idat.push(body);
    } else if (type === "IEND") {
      break;
    }
  }
  if (!header) {
    throw new Error("PNG has no IHDR chunk");
  }
  const { width, height, depth, colorType, interlace } = header;
  const channels = CHANNELS[colorType];
  const smallDepthOk = colorType === 0 || colorType === 3;
  if (channels === undefined || interlace !== 0 || (colorType === 3 && !palette) ||
      !(depth === 8 || (smallDepthOk && [1, 2, 4].includes(depth)))) {
    throw new Error(`unsupported PNG: depth ${depth}, colour type ${colorType}, interlace ${interlace}`);
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const bitsPerPixel = channels * depth;
  const stride = Math.ceil((width * bitsPerPixel) / 8);
  const step = Math.max(1, bitsPerPixel >> 3);
  if (raw.length < height * (stride + 1)) {
    throw new Error(`PNG data holds ${raw.length} bytes, ${height * (stride + 1)} needed`);
  }
  const data = new Uint8Array(width * height * 4);
  let prev = new Uint8Array(stride);
  const maxSample = (1 << depth) - 1;
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const row = Uint8Array.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; i++) {
      const a = i >= step ? row[i - step] : 0;
      const b = prev[i];
      const c = i >= step ? prev[i - step] : 0;
      switch (filter) {
        case 0: break;
        case 1: row[i] = (row[i] + a) & 0xff; break;
        case 2: row[i] = (row[i] + b) & 0xff; break;
        case 3: row[i] = (row[i] + ((a + b) >> 1)) & 0xff; break;
        case 4: row[i] = (row[i] + paeth(a, b, c)) & 0xff; break;
        default: throw new Error(`PNG row ${y} has unknown filter ${filter}`);
      }
    }
    const sample = (x) => {
      if (depth === 8) return row[x];
      const bit = x * depth;
      return (row[bit >> 3] >> (8 - depth - (bit & 7))) & maxSample;
    };
    for (let x = 0; x < width; x++) {
      const o = (y * width + x) * 4;
      let r, g, b, alpha = 255;
      if (colorType === 0) {
        const v = sample(x);
        r = g = b = Math.round((v * 255) / maxSample);
        if (transparency && transparency.length >= 2 && transparency.readUInt16BE(0) === v) alpha = 0;
      } else if (colorType === 3) {
        const index = sample(x);
        if (index * 3 + 2 >= palette.length) {
          throw new Error(`PNG pixel uses palette entry ${index} of ${palette.length / 3}`);
        }
        [r, g, b] = [palette[index * 3], palette[index * 3 + 1], palette[index * 3 + 2]];
        alpha = transparency && index < transparency.length ? transparency[index] : 255;
      } else if (colorType === 4) {
        r = g = b = row[x * 2];
        alpha = row[x * 2 + 1];
      } else {
        r = row[x * channels];
        g = row[x * channels + 1];
        b = row[x * channels + 2];
        if (colorType === 6) alpha = row[x * 4 + 3];
      }
      data[o] = r;
      data[o + 1] = g;
      data[o + 2] = b;
      data[o + 3] = alpha;
    }
    prev = row;
  }
  return { width, height, data };
}

/** Parses "rrggbb" into [r, g, b]. */
export function parseRgb(text) {
  if (!/^[0-9a-fA-F]{6}$/.test(text)) {
    throw new Error(`not a colour RRGGBB: ${JSON.stringify(text)}`);
  }
  const v = parseInt(text, 16);
  return [v >> 16, (v >> 8) & 0xff, v & 0xff];
}

/** The image drawn over an opaque background colour: RGB triplets. */
export function compositeOver(image, [br, bg, bb]) {
  const { width, height, data } = image;
  const out = new Uint8Array(width * height * 3);
  for (let i = 0, o = 0; i < data.length; i += 4, o += 3) {
    const a = data[i + 3];
    out[o] = Math.round((data[i] * a + br * (255 - a)) / 255);
    out[o + 1] = Math.round((data[i + 1] * a + bg * (255 - a)) / 255);
    out[o + 2] = Math.round((data[i + 2] * a + bb * (255 - a)) / 255);
  }
  return { width, height, rgb: out };
}

/**
 * Compares two opaque images of the same size (from compositeOver). Returns { mae: [r, g, b]
 * mean absolute errors, maeMax: the largest of the three, share: percentage of pixels with any
 * channel off by more than `threshold`, differing: that count, pixels }.
 */
export function compareImages(a, b, threshold = DIFF_THRESHOLD) {
  if (a.width !== b.width || a.height !== b.height) {
    throw new Error(`sizes differ: ${a.width}x${a.height} against ${b.width}x${b.height}`);
  }
  const pixels = a.width * a.height;
  const sums = [0, 0, 0];
  let differing = 0;
  for (let i = 0; i < pixels * 3; i += 3) {
    let worst = 0;
    for (let c = 0; c < 3; c++) {
      const d = Math.abs(a.rgb[i + c] - b.rgb[i + c]);
      sums[c] += d;
      if (d > worst) worst = d;
    }
    if (worst > threshold) differing++;
  }
  const mae = sums.map((s) => (pixels ? s / pixels : 0));
  return { mae, maeMax: Math.max(...mae), share: pixels ? (100 * differing) / pixels : 0, differing, pixels };
}

/** The ceiling stored for a figure: a little above it, so that noise does not fail a run. */
export function ceilingFor({ maeMax, share }) {
  const round = (v) => Math.ceil(v * 100) / 100;
  return { mae: round(Math.max(maeMax * 1.1, maeMax + 0.5)), share: round(Math.max(share * 1.1, share + 0.5)) };
}

/**
 * Judges one run against stored ceilings. `results` maps key → { maeMax, share } or { error };
 * `ceilings` maps key → { mae, share } or { error } (a file that already failed to render).
 * Returns { failures: [messages], unjudged: [keys without a ceiling] }. Keys in the ceilings
 * that the run did not cover are not judged: a run may cover a subset.
 */
export function judgeAgainstCeilings(results, ceilings) {
  const failures = [];
  const unjudged = [];
  for (const [key, result] of Object.entries(results)) {
    const ceiling = ceilings[key];
    if (!ceiling) {
      unjudged.push(key);
    } else if (result.error !== undefined) {
      if (ceiling.error === undefined) {
        failures.push(`${key}: no longer renders: ${result.error}`);
      }
    } else if (ceiling.error === undefined) {
      if (result.maeMax > ceiling.mae) {
        failures.push(`${key}: mean error ${result.maeMax.toFixed(2)} above its ceiling ${ceiling.mae}`);
      }
      if (result.share > ceiling.share) {
        failures.push(`${key}: ${result.share.toFixed(2)}% of pixels differ, above its ceiling ${ceiling.share}%`);
      }
    }
  }
  return { failures, unjudged };
}

/** The median of a list of numbers (null for none). */
export function median(values) {
  if (values.length === 0) return null;
  const sorted = [...values].sort((x, y) => x - y);
  const mid = sorted.length >> 1;
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

// ---------------------------------------------------------------------------------------------
// PNG writing: 8-bit RGB, no filtering; enough for pictures made to be looked at.

const CRC_TABLE = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(bytes) {
  let c = 0xffffffff;
  for (const b of bytes) c = CRC_TABLE[(c ^ b) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, body) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(body.length, 0);
  head.write(type, 4, "latin1");
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), body])), 0);
  return Buffer.concat([head, body, crc]);
}

/** Encodes an opaque image ({ width, height, rgb }) as PNG. */
export function encodePngRgb({ width, height, rgb }) {
  const ihdr = Buffer.alloc(13);
  ihdr.writeUInt32BE(width, 0);
  ihdr.writeUInt32BE(height, 4);
  ihdr[8] = 8;
  ihdr[9] = 2;
  const raw = Buffer.alloc(height * (width * 3 + 1));
  for (let y = 0; y < height; y++) {
    Buffer.from(rgb.buffer, rgb.byteOffset + y * width * 3, width * 3).copy(raw, y * (width * 3 + 1) + 1);
  }
  return Buffer.concat([PNG_SIGNATURE, chunk("IHDR", ihdr), chunk("IDAT", zlib.deflateSync(raw)), chunk("IEND", Buffer.alloc(0))]);
}

/**
 * Ours, the reference and their difference side by side (4-pixel grey gaps): the difference
 * shows differing pixels in red over a faded copy of the reference.
 */
export function sideBySide(ours, reference, threshold = DIFF_THRESHOLD) {
  const { width, height } = ours;
  const gap = 4;
  const total = width * 3 + gap * 2;
  const rgb = new Uint8Array(total * height * 3).fill(128);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const i = (y * width + x) * 3;
      const put = (panel, r, g, b) => {
        const o = (y * total + panel * (width + gap) + x) * 3;
        rgb[o] = r;
        rgb[o + 1] = g;
        rgb[o + 2] = b;
      };
      put(0, ours.rgb[i], ours.rgb[i + 1], ours.rgb[i + 2]);
      put(1, reference.rgb[i], reference.rgb[i + 1], reference.rgb[i + 2]);
      let worst = 0;
      for (let c = 0; c < 3; c++) worst = Math.max(worst, Math.abs(ours.rgb[i + c] - reference.rgb[i + c]));
      if (worst > threshold) {
        put(2, 255, 0, 0);
      } else {
        const grey = 192 + ((reference.rgb[i] + reference.rgb[i + 1] + reference.rgb[i + 2]) / 3) / 4;
        put(2, grey, grey, grey);
      }
    }
  }
  return { width: total, height, rgb };
}
