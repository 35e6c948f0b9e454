// Checks one file against the independent parser and its expectation entry.
// The expectation format is described in README.md beside this file.

import { PARSER_KNOWN_CODES, parseWithParser, unreadBodyBytes } from "./parser.mjs";
import { hasVisualChecks, validateVisual } from "./pixels.mjs";
import { inspectSwf, SwfContainerError, toHex } from "./swf.mjs";

const show = (v) => (v === undefined ? "undefined" : JSON.stringify(v));

function isPlainObject(v) {
  return v !== null && typeof v === "object" && !Array.isArray(v);
}

/**
 * Deep partial match: every key the expectation names must match; keys it leaves out are free.
 * Arrays must have the same length and match element by element, unless the expectation is an
 * object with index keys ("0", "3", "length"), which checks only those. {"$approx": x,
 * "$tol": t} matches a number within t (default 1e-6). Mismatches go to `out` as strings.
 */
export function partialMatch(expected, actual, path, out) {
  if (isPlainObject(expected) && "$approx" in expected) {
    const tol = expected.$tol ?? 1e-6;
    if (typeof actual !== "number" || Math.abs(actual - expected.$approx) > tol) {
      out.push(`${path}: expected ${expected.$approx} ±${tol}, got ${show(actual)}`);
    }
    return;
  }
  if (Array.isArray(expected)) {
    if (!Array.isArray(actual)) {
      out.push(`${path}: expected an array, got ${show(actual)}`);
      return;
    }
    if (expected.length !== actual.length) {
      out.push(`${path}: expected ${expected.length} elements, got ${actual.length}`);
      return;
    }
    expected.forEach((e, i) => partialMatch(e, actual[i], `${path}[${i}]`, out));
    return;
  }
  if (isPlainObject(expected)) {
    if (Array.isArray(actual)) {
      for (const [k, e] of Object.entries(expected)) {
        if (k === "length") {
          partialMatch(e, actual.length, `${path}.length`, out);
        } else if (!/^\d+$/.test(k)) {
          out.push(`${path}: "${k}" is not an index of an array`);
        } else {
          partialMatch(e, actual[Number(k)], `${path}[${k}]`, out);
        }
      }
      return;
    }
    if (!isPlainObject(actual)) {
      out.push(`${path}: expected an object, got ${show(actual)}`);
      return;
    }
    for (const [k, e] of Object.entries(expected)) {
      if (!(k in actual) && e !== null) {
        out.push(`${path}.${k}: missing (expected ${show(e)})`);
      } else {
        partialMatch(e, actual[k], `${path}.${k}`, out);
      }
    }
    return;
  }
  if (expected === null ? actual !== null && actual !== undefined : expected !== actual) {
    out.push(`${path}: expected ${show(expected)}, got ${show(actual)}`);
  }
}

// Every key an entry may have; a misspelt one would otherwise turn a check off unnoticed.
const ENTRY_KEYS = ["header", "tags", "codes", "fields", "rawTags", "traces", "tracesPrefix", "ruffle",
  "pixels", "ink", "steps"];

/** Problems with the shape of one entry (not with the movie), as failure messages. */
export function entryProblems(expected = {}) {
  const out = [];
  for (const k of Object.keys(expected)) {
    if (!ENTRY_KEYS.includes(k)) {
      out.push(`expected.json: unknown key "${k}" (allowed: ${ENTRY_KEYS.join(", ")})`);
    }
  }
  out.push(...validateVisual(expected).map((p) => `expected.json: ${p}`));
  if (hasVisualChecks(expected) && expected.ruffle === false) {
    out.push("expected.json: pixels, ink and steps need the player, but ruffle is false");
  }
  return out;
}

function compareList(name, expected, actual, out) {
  if (!Array.isArray(expected)) {
    out.push(`${name}: expectation must be an array`);
    return;
  }
  const n = Math.max(expected.length, actual.length);
  for (let i = 0; i < n; i++) {
    if (expected[i] !== actual[i]) {
      out.push(
        `${name}[${i}]: expected ${show(expected[i])}, got ${show(actual[i])} ` +
        `(expected ${expected.length} entries, got ${actual.length}: ${actual.join(" ")})`);
      return;
    }
  }
}

// RawBody and Raw results of swf-parser inside the tag list, walking sprites too.
function parserRejections(tags, where, allowed, out) {
  tags.forEach((tag, i) => {
    const here = `${where}[${i}]`;
    if (tag.type === "Raw") {
      out.push(`${here}: swf-parser found the tag cut off by the end of the data`);
    } else if (tag.type.startsWith("RawBody:")) {
      if (PARSER_KNOWN_CODES.has(tag.code) && !(where === "tags" && allowed.has(i))) {
        out.push(`${here}: swf-parser could not decode this tag ${tag.code} body`);
      }
    } else if (tag.type === "DefineSprite" && Array.isArray(tag.tags)) {
      parserRejections(tag.tags, `${here}.tags`, allowed, out);
    }
  });
}

/**
 * Runs every parser-side check of one file. `expected` is the file's entry of expected.json
 * or undefined. Returns { failures, warnings, inspect, parsed }.
 */
export function checkWithParser(bytes, expected = {}) {
  const failures = [];
  const warnings = [];
  let inspect;
  try {
    inspect = inspectSwf(bytes);
  } catch (e) {
    if (!(e instanceof SwfContainerError)) {
      throw e;
    }
    failures.push(`container: ${e.message}`);
    return { failures, warnings, inspect: null, parsed: null };
  }
  failures.push(...inspect.problems.map((p) => `framing: ${p}`));

  if (inspect.signature === "ZWS") {
    warnings.push("swf-parser cannot read LZMA (ZWS) files; parser checks skipped");
    if (expected.header) {
      partialMatch(expected.header, { signature: inspect.signature, version: inspect.version }, "header", failures);
    }
    return { failures, warnings, inspect, parsed: null };
  }

  const parsed = parseWithParser(bytes);
  if (parsed.error) {
    failures.push(`swf-parser: ${parsed.error}`);
    return { failures, warnings, inspect, parsed };
  }
  const h = parsed.movie.header;
  const header = {
    signature: inspect.signature,
    version: h.swfVersion,
    fileLength: inspect.fileLength,
    frameSize: { ...h.frameSize },
    frameRate: h.frameRate.valueOf(),
    frameCount: h.frameCount,
  };
  if (inspect.header) {
    const own = inspect.header;
    const same = JSON.stringify(own.frameSize) === JSON.stringify(header.frameSize) &&
      own.frameRate === header.frameRate && own.frameCount === header.frameCount;
    if (!same) {
      failures.push(`header: swf-parser reads ${show(header)}, the framing walk reads ${show(own)}`);
    }
  }

  const rawAllowed = new Set((expected.rawTags ?? []).map((r) => r.index));
  parserRejections(parsed.tags, "tags", rawAllowed, failures);

  const names = parsed.tags.map((t) => t.type);
  if (inspect.problems.length === 0) {
    if (parsed.tags.length !== inspect.tags.length) {
      failures.push(`tags: swf-parser sees ${parsed.tags.length} tags, the framing walk ${inspect.tags.length}`);
    } else {
      inspect.tags.forEach((t, i) => {
        if (names[i].startsWith("RawBody")) {
          return;
        }
        const framed = inspect.data.subarray(t.offset, t.offset + t.headerLength + t.length);
        const unread = unreadBodyBytes(framed, inspect.version);
        const owned = (expected.rawTags ?? []).find((r) => r.index === i && r.parserUnread !== undefined);
        if (owned) {
          if (owned.parserUnread !== unread) {
            failures.push(`rawTags[${i}].parserUnread: expected ${owned.parserUnread}, swf-parser left ${unread} unread`);
          }
        } else if (unread > 0) {
          failures.push(`tags[${i}] (${names[i]}): swf-parser left ${unread} of ${t.length} body bytes unread`);
        }
      });
    }
  }

  if (expected.header) {
    partialMatch(expected.header, header, "header", failures);
  }
  if (expected.tags) {
    compareList("tags", expected.tags, names, failures);
  }
  if (expected.codes) {
    const codes = inspect.tags.map((t) => t.code);
    if (inspect.sawEnd) {
      codes.push(0);
    }
    compareList("codes", expected.codes, codes, failures);
  }
  for (const [key, want] of Object.entries(expected.fields ?? {})) {
    const i = Number(key);
    if (!Number.isInteger(i) || i < 0 || i >= parsed.tags.length) {
      failures.push(`fields: no tag at index ${key} (the movie has ${parsed.tags.length})`);
      continue;
    }
    partialMatch(want, parsed.tags[i], `tags[${i}] (${names[i]})`, failures);
  }
  for (const raw of expected.rawTags ?? []) {
    const t = inspect.tags[raw.index];
    if (!t) {
      failures.push(`rawTags: no tag at index ${raw.index}`);
      continue;
    }
    const got = { code: t.code, length: t.length, hex: toHex(t.body) };
    const want = { ...raw };
    delete want.index;
    delete want.parserUnread;
    if (want.hexPrefix !== undefined) {
      if (!got.hex.startsWith(want.hexPrefix.toLowerCase())) {
        failures.push(`rawTags[${raw.index}].hexPrefix: expected ${want.hexPrefix}, body is ${got.hex.slice(0, 80)}`);
      }
      delete want.hexPrefix;
    }
    if (want.hexSuffix !== undefined) {
      if (!got.hex.endsWith(want.hexSuffix.toLowerCase())) {
        failures.push(`rawTags[${raw.index}].hexSuffix: expected ${want.hexSuffix}, body ends ${got.hex.slice(-80)}`);
      }
      delete want.hexSuffix;
    }
    if (want.hex !== undefined) {
      want.hex = want.hex.toLowerCase();
    }
    partialMatch(want, got, `rawTags[${raw.index}]`, failures);
  }
  return { failures, warnings, inspect, parsed };
}
