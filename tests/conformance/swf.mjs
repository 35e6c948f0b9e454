// Our own reading of the SWF container: signature, header and tag framing.
//
// swf-parser is lenient about framing (it never checks the declared file length, a missing End
// tag, bytes after it, or frame counts) and it silently turns a tag it cannot parse into a raw
// one. This walk is deliberately small and strict so that framing faults in the files we write
// are reported even where both swf-parser and Ruffle would shrug them off.

import zlib from "node:zlib";

const TAG_END = 0;
const TAG_SHOW_FRAME = 1;
const TAG_DEFINE_SPRITE = 39;

export class SwfContainerError extends Error {}

/**
 * Reads the 8-byte file header and decompresses the rest.
 *
 * Returns { signature, version, fileLength, data, problems } where `data` holds the whole
 * uncompressed file (header included), so tag offsets are file offsets of the FWS form.
 * Throws SwfContainerError only when nothing sensible can be read at all.
 */
export function readContainer(bytes) {
  if (bytes.length < 8) {
    throw new SwfContainerError(`file is ${bytes.length} bytes, shorter than the 8-byte SWF header`);
  }
  const signature = String.fromCharCode(bytes[0], bytes[1], bytes[2]);
  const version = bytes[3];
  const fileLength = (bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (bytes[7] << 24)) >>> 0;
  const problems = [];
  let data;
  if (signature === "FWS") {
    data = bytes;
  } else if (signature === "CWS") {
    let tail;
    try {
      tail = zlib.inflateSync(bytes.subarray(8));
    } catch (e) {
      // A truncated stream still gives what it holds: flush instead of failing, and say so.
      problems.push(`zlib stream is damaged: ${e.message}`);
      try {
        tail = zlib.inflateSync(bytes.subarray(8), { finishFlush: zlib.constants.Z_SYNC_FLUSH });
      } catch {
        throw new SwfContainerError(`zlib stream cannot be inflated: ${e.message}`);
      }
    }
    data = new Uint8Array(8 + tail.length);
    data.set(bytes.subarray(0, 8), 0);
    data.set(tail, 8);
  } else if (signature === "ZWS") {
    return { signature, version, fileLength, data: null, problems };
  } else {
    throw new SwfContainerError(`unknown signature ${JSON.stringify(signature)}`);
  }
  if (data.length !== fileLength) {
    problems.push(`header file length is ${fileLength} but the uncompressed file has ${data.length} bytes`);
  }
  return { signature, version, fileLength, data, problems };
}

/** Reads the RECT, frame rate and frame count that follow the 8-byte header. */
export function readMovieHeader(data) {
  if (data.length < 9) {
    throw new SwfContainerError("file ends inside the frame rectangle");
  }
  const nbits = data[8] >> 3;
  const rectBits = 5 + 4 * nbits;
  const rectBytes = Math.ceil(rectBits / 8);
  if (data.length < 8 + rectBytes + 4) {
    throw new SwfContainerError("file ends inside the movie header");
  }
  let bitPos = 5;
  const readSigned = () => {
    let v = 0;
    for (let i = 0; i < nbits; i++, bitPos++) {
      const byte = data[8 + (bitPos >> 3)];
      v = v * 2 + ((byte >> (7 - (bitPos & 7))) & 1);
    }
    if (nbits > 0 && v >= 2 ** (nbits - 1)) {
      v -= 2 ** nbits;
    }
    return v;
  };
  const frameSize = { xMin: readSigned(), xMax: readSigned(), yMin: readSigned(), yMax: readSigned() };
  const p = 8 + rectBytes;
  const frameRate = data[p + 1] + data[p] / 256;
  const frameCount = data[p + 2] | (data[p + 3] << 8);
  return { frameSize, frameRate, frameCount, tagsOffset: p + 4 };
}

/**
 * Walks the tags in data[start, end) until an End tag.
 *
 * Returns { tags, problems, sawEnd }; `tags` leaves the End tag out, and each tag is { code, offset, headerLength, length, body } with
 * `body` a view of the tag's bytes. Sprites are walked too and carry their own `tags`.
 * `where` names the tag list in problem messages.
 */
export function walkTags(data, start, end, where = "movie") {
  const tags = [];
  const problems = [];
  let pos = start;
  let sawEnd = false;
  while (pos < end) {
    if (end - pos < 2) {
      problems.push(`${where}: 1 stray byte at offset ${pos} where a tag header should be`);
      pos = end;
      break;
    }
    const codeAndLength = data[pos] | (data[pos + 1] << 8);
    const code = codeAndLength >> 6;
    let length = codeAndLength & 0x3f;
    let headerLength = 2;
    if (length === 0x3f) {
      if (end - pos < 6) {
        problems.push(`${where}: tag ${code} at offset ${pos} has a cut-off long header`);
        pos = end;
        break;
      }
      length = (data[pos + 2] | (data[pos + 3] << 8) | (data[pos + 4] << 16) | (data[pos + 5] << 24)) >>> 0;
      headerLength = 6;
    }
    const bodyStart = pos + headerLength;
    if (length > end - bodyStart) {
      problems.push(
        `${where}: tag ${code} at offset ${pos} declares ${length} body bytes but only ${end - bodyStart} remain`);
      pos = end;
      break;
    }
    pos = bodyStart + length;
    if (code === TAG_END) {
      if (length !== 0) {
        problems.push(`${where}: End tag at offset ${bodyStart - headerLength} has a ${length}-byte body`);
      }
      sawEnd = true;
      break;
    }
    const tag = { code, offset: bodyStart - headerLength, headerLength, length, body: data.subarray(bodyStart, pos) };
    if (code === TAG_DEFINE_SPRITE) {
      walkSprite(tag, data, bodyStart, pos, `${where} > sprite tag #${tags.length}`, problems);
    }
    tags.push(tag);
  }
  if (!sawEnd) {
    problems.push(`${where}: no End tag`);
  } else if (pos < end) {
    problems.push(`${where}: ${end - pos} bytes after the End tag`);
  }
  return { tags, problems, sawEnd };
}

function walkSprite(tag, data, start, end, where, problems) {
  if (end - start < 4) {
    problems.push(`${where}: body of ${end - start} bytes is too short for id and frame count`);
    tag.tags = [];
    return;
  }
  tag.spriteId = data[start] | (data[start + 1] << 8);
  tag.frameCount = data[start + 2] | (data[start + 3] << 8);
  const inner = walkTags(data, start + 4, end, where);
  tag.tags = inner.tags;
  problems.push(...inner.problems);
  const shown = inner.tags.filter((t) => t.code === TAG_SHOW_FRAME).length;
  if (shown !== tag.frameCount) {
    problems.push(`${where}: declares ${tag.frameCount} frames but holds ${shown} ShowFrame tags`);
  }
}

/**
 * Everything our strict reading finds about one file: container, header and framing.
 * `problems` lists faults; `tags` is the top-level tag list (End excluded, `sawEnd` tells).
 */
export function inspectSwf(bytes) {
  const container = readContainer(bytes);
  const result = { ...container, header: null, tags: [], sawEnd: false, problems: [...container.problems] };
  if (!container.data) {
    return result;
  }
  try {
    result.header = readMovieHeader(container.data);
  } catch (e) {
    result.problems.push(e.message);
    return result;
  }
  const walk = walkTags(container.data, result.header.tagsOffset, container.data.length);
  result.tags = walk.tags;
  result.sawEnd = walk.sawEnd;
  result.problems.push(...walk.problems);
  const shown = walk.tags.filter((t) => t.code === TAG_SHOW_FRAME).length;
  if (shown !== result.header.frameCount) {
    result.problems.push(`header declares ${result.header.frameCount} frames but the movie holds ${shown} ShowFrame tags`);
  }
  return result;
}

export function toHex(bytes) {
  return Buffer.from(bytes.buffer, bytes.byteOffset, bytes.byteLength).toString("hex");
}
