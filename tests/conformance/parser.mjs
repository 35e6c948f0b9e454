// The independent parser's view of a file, normalised to plain JSON-like data.

import { ReadableStream } from "@open-flash/stream";
import { parseSwf } from "swf-parser";
import { tryParseTag } from "swf-parser/parsers/tags";
import { BlendMode } from "swf-types/blend-mode";
import { LanguageCode } from "swf-types/language-code";
import { AudioCodingFormat } from "swf-types/sound/audio-coding-format";
import { SoundType } from "swf-types/sound/sound-type";
import { TagType } from "swf-types/tags/_type";
import { CsmTableHint } from "swf-types/text/csm-table-hint";
import { GridFitting } from "swf-types/text/grid-fitting";
import { TextAlignment } from "swf-types/text/text-alignment";
import { TextRenderer } from "swf-types/text/text-renderer";

import { toHex } from "./swf.mjs";

// Tag codes swf-parser decodes; any other code comes back as a RawBody by design. A RawBody for
// one of these means swf-parser rejected the body.
export const PARSER_KNOWN_CODES = new Set([
  1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 28, 32,
  33, 34, 35, 36, 37, 39, 43, 45, 46, 48, 56, 57, 58, 59, 60, 61, 62, 64, 65, 66, 69, 70, 71, 72,
  73, 74, 75, 76, 77, 78, 82, 83, 84, 86, 87, 88, 89, 90, 91, 93,
]);

/** The name a tag gets in expectation lists: swf-parser's type name, or "RawBody:<code>". */
export function tagName(tag) {
  if (tag.type === TagType.RawBody) {
    return `RawBody:${tag.code}`;
  }
  return TagType[tag.type] ?? `type${tag.type}`;
}

// Fields whose numbers are swf-types enum members, named by the field alone. swf-types numbers
// its enums its own way (BlendMode.Multiply is 2, where the file holds 3), so names are the
// only readable form for expectations.
const ENUM_FIELDS = {
  blendMode: BlendMode,
  align: TextAlignment,
  csmTableHint: CsmTableHint,
  fitting: GridFitting,
  renderer: TextRenderer,
  format: AudioCodingFormat,
  streamFormat: AudioCodingFormat,
  language: LanguageCode,
  soundType: SoundType,
  playbackSoundType: SoundType,
  streamSoundType: SoundType,
};

/**
 * Turns swf-parser values into plain data: fixed-point numbers become numbers, byte arrays
 * become lowercase hex strings, each tag's numeric `type` becomes its name, and so do the
 * enum fields above.
 */
export function normalize(value, isTag = false) {
  if (value === null || value === undefined) {
    return value;
  }
  if (value instanceof Uint8Array) {
    return toHex(value);
  }
  if (typeof value === "bigint") {
    return Number(value);
  }
  if (Array.isArray(value)) {
    return value.map((v) => normalize(v));
  }
  if (typeof value === "object") {
    if (typeof value.epsilons === "number") {
      return value.valueOf();
    }
    const out = {};
    for (const [k, v] of Object.entries(value)) {
      if (isTag && k === "type") {
        out[k] = tagName(value);
      } else if (k in ENUM_FIELDS && typeof v === "number" && ENUM_FIELDS[k][v] !== undefined) {
        out[k] = ENUM_FIELDS[k][v];
      } else if (k === "tags" && Array.isArray(v)) {
        out[k] = v.map((t) => normalize(t, true));
      } else {
        out[k] = normalize(v);
      }
    }
    return out;
  }
  return value;
}

/**
 * Parses one framed tag (header and body) alone and reports how many body bytes swf-parser
 * left unread. A writer that frames a tag with the wrong length shows up here even though
 * the tag itself decodes.
 */
export function unreadBodyBytes(tagBytes, version) {
  const original = ReadableStream.prototype.take;
  let body = null;
  ReadableStream.prototype.take = function take(length) {
    const taken = original.call(this, length);
    if (body === null) {
      body = taken;
    }
    return taken;
  };
  try {
    const tag = tryParseTag(new ReadableStream(tagBytes), version);
    if (!tag || tag.type === TagType.RawBody || body === null) {
      return 0;
    }
    return body.available();
  } finally {
    ReadableStream.prototype.take = original;
  }
}

/**
 * Parses the whole file with swf-parser. Returns { movie, tags, error } where `tags` are the
 * normalised top-level tags; `error` is set when swf-parser threw.
 */
export function parseWithParser(bytes) {
  try {
    const movie = parseSwf(bytes);
    return { movie, tags: movie.tags.map((t) => normalize(t, true)), error: null };
  } catch (e) {
    return { movie: null, tags: [], error: e && e.message ? e.message : String(e) };
  }
}
