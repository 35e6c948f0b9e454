#!/usr/bin/env node
// Rewrites every corpus SWF file with `orvanta swf rewrite` and checks, with swf-parser, that
// the rewrite says the same as the original.
//
//   node corpus_roundtrip.mjs [options] [FILE.swf ...]
//
// Options:
//   --orvanta=PATH   the orvanta binary (default: $ORVANTA_BUILD_DIR/src/orvanta, else
//                    build/src/orvanta under the repository root)
//   --corpus=DIR     the corpus (default: ../shared/corpus beside the repository)
//   --known=FILE     known differences (default: corpus_known_differences.json here)
//   --jobs=N         rewrites run at the same time (default 2)
//   --every=N        check every Nth corpus file, and every file of the known-differences list
//                    (so that the list stays true); the default 1 checks them all
//   --keep=DIR       keep the rewritten files in DIR instead of a temporary folder
//   --json=FILE      write every file's result as JSON
//   --verbose, -v    also list the files that swf-parser cannot read, and timings
//
// Files named on the command line (relative to the corpus or as paths inside it) are checked
// alone. Both files are parsed and their trees compared: everything swf-parser reports must be
// equal. Encoder choices do not show in those trees (bit widths, long or short tag headers,
// compression, lengths and offsets are consumed by the parser), except the few fields in
// ENCODER_CHOICES. A file swf-parser cannot read is listed, not failed; so is a tag whose body
// swf-parser rejects in the original. Differences in files of the known-differences list are
// accepted (only in the tags listed there, when it lists tags); a listed file that no longer
// differs fails, so that the list stays true. swf-parser reads no LZMA: a ZWS original is
// decoded by xz into its FWS form for the comparison, and one whose lengths or data xz finds
// damaged must be refused by our reader too. Exit status 1 when anything failed, 2 on bad usage.

import { execFile, execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

import { PARSER_KNOWN_CODES, parseWithParser } from "./parser.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const repoRoot = path.resolve(here, "..", "..");

// Fields of swf-parser's trees whose values an encoder may pick: key -> when it is free, given
// the node (of the original) that holds it. swf-parser consumes bit widths, header forms and
// offsets without reporting them; these are the rest.
export const ENCODER_CHOICES = new Map([
  // DefineShape4 and DefineMorphShape2 hints, which writers set each their own way (files set
  // them without any line style, or leave them clear beside scaling strokes); ours are
  // recomputed from the line styles.
  ["hasScalingStrokes", () => true],
  ["hasNonScalingStrokes", () => true],
  // A DefineFont2/3 without glyphs has no code table for the flag to describe; ours is then
  // always set.
  ["isAnsi", (node) => node.glyphs === undefined],
]);

const MAX_DIFFERENCES = 5;

function show(value) {
  if (value === undefined) {
    return "absent";
  }
  const text = JSON.stringify(value);
  return text.length > 80 ? `${text.slice(0, 77)}...` : text;
}

function isRejectedRaw(node) {
  return node !== null && typeof node === "object" && typeof node.type === "string" &&
    node.type.startsWith("RawBody:") && PARSER_KNOWN_CODES.has(node.code);
}

/**
 * Compares two normalised swf-parser trees. Returns { differences, rejected }: `differences`
 * lists "path: original vs rewrite" lines (at most `limit`), `rejected` the paths of tags whose
 * body swf-parser rejected in the original (a RawBody for a code it decodes), which cannot be
 * compared and are left out.
 */
export function compareTrees(original, rewrite, { ignore = ENCODER_CHOICES, limit = MAX_DIFFERENCES } = {}) {
  const differences = [];
  const rejected = [];
  let total = 0;
  const note = (line) => {
    total++;
    if (differences.length < limit) {
      differences.push(line);
    }
  };
  const walk = (a, b, at) => {
    if (Object.is(a, b)) {
      return;
    }
    if (isRejectedRaw(a)) {
      rejected.push(at);
      return;
    }
    if (isRejectedRaw(b)) {
      note(`${at}: swf-parser rejects the rewritten body of ${show(a?.type)} (code ${b.code})`);
      return;
    }
    const aObject = a !== null && typeof a === "object";
    const bObject = b !== null && typeof b === "object";
    if (!aObject || !bObject || Array.isArray(a) !== Array.isArray(b)) {
      note(`${at}: ${show(a)} vs ${show(b)}`);
      return;
    }
    // Tags or records of different kinds: their fields have nothing to say to each other.
    if (typeof a.type === "string" && typeof b.type === "string" && a.type !== b.type) {
      note(`${at}: ${a.type} vs ${b.type}`);
      return;
    }
    if (Array.isArray(a)) {
      if (a.length !== b.length) {
        note(`${at}: ${a.length} elements vs ${b.length}`);
      }
      for (let i = 0; i < Math.min(a.length, b.length); i++) {
        walk(a[i], b[i], `${at}[${i}]`);
      }
      return;
    }
    const keys = new Set([...Object.keys(a), ...Object.keys(b)]);
    for (const k of keys) {
      if (ignore.get(k)?.(a)) {
        continue;
      }
      walk(a[k], b[k], at === "" ? k : `${at}.${k}`);
    }
  };
  walk(original, rewrite, "");
  const cut = total - differences.length;
  if (cut > 0) {
    differences.push(`... and ${cut} more`);
  }
  return { differences, rejected };
}

/** The header as swf-parser reports it, as plain data. */
function headerOf(movie) {
  const h = movie.header;
  return { swfVersion: h.swfVersion, frameSize: { ...h.frameSize }, frameRate: h.frameRate.valueOf(), frameCount: h.frameCount };
}

/** Compares the parses of an original and its rewrite (each the result of parseWithParser). */
export function compareParsed(original, rewrite) {
  return compareTrees({ header: headerOf(original.movie), tags: original.tags },
    { header: headerOf(rewrite.movie), tags: rewrite.tags });
}

/** The top-level tag index a difference line is about, or null when it is not about one tag. */
export function tagIndexOf(difference) {
  const m = /^tags\[(\d+)\]/.exec(difference);
  return m ? Number(m[1]) : null;
}

/**
 * Decides what a file's differences mean given its known-differences entry (or undefined).
 * Returns { status, unexplained } with status "equal", "known", "stale" (listed but equal) or
 * "failed"; `unexplained` holds the differences the entry does not cover.
 */
export function judge(differences, entry) {
  if (differences.length === 0) {
    return { status: entry ? "stale" : "equal", unexplained: [] };
  }
  if (!entry) {
    return { status: "failed", unexplained: differences };
  }
  const tags = Array.isArray(entry.tags) ? new Set(entry.tags) : null;
  const unexplained = tags === null ? [] : differences.filter((d) => {
    if (d.startsWith("... and ")) {
      return false;
    }
    const index = tagIndexOf(d);
    return index === null || !tags.has(index);
  });
  return { status: unexplained.length === 0 ? "known" : "failed", unexplained };
}

/** Checks the known-differences file: file name -> { reason, tags? }. Returns problems found. */
export function knownListProblems(known) {
  const problems = [];
  if (known === null || typeof known !== "object" || Array.isArray(known)) {
    return ["the known-differences list must be one object: file -> { reason, tags }"];
  }
  for (const [file, entry] of Object.entries(known)) {
    if (file.startsWith("$")) {
      continue;
    }
    if (entry === null || typeof entry !== "object" || typeof entry.reason !== "string" || entry.reason.trim() === "") {
      problems.push(`${file}: an entry needs a reason`);
    } else if (entry.tags !== undefined && (!Array.isArray(entry.tags) || !entry.tags.every(Number.isInteger))) {
      problems.push(`${file}: tags must be a list of top-level tag indices`);
    }
  }
  return problems;
}

/**
 * The FWS form of a ZWS file, decoded by xz (LZMA-alone framing around the file's properties and
 * data) rather than by our reader. Throws when the declared lengths or the LZMA data are damaged.
 */
export function zwsToFws(bytes) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  if (bytes.length < 17) {
    throw new Error("the file ends inside its LZMA header");
  }
  const fileLength = view.getUint32(4, true);
  const packed = view.getUint32(8, true);
  if (fileLength < 8 || fileLength > 256 * 1024 * 1024) {
    throw new Error(`the header declares an implausible file length of ${fileLength} bytes`);
  }
  if (bytes.length < 17 + packed) {
    throw new Error(`the header declares ${packed} bytes of LZMA data, ${bytes.length - 17} are there`);
  }
  const alone = Buffer.alloc(13 + packed);
  alone.set(bytes.subarray(12, 17), 0);
  alone.writeBigUInt64LE(BigInt(fileLength - 8), 5);
  alone.set(bytes.subarray(17, 17 + packed), 13);
  let tail;
  try {
    tail = execFileSync("xz", ["--decompress", "--stdout", "--format=lzma"], {
      input: alone, maxBuffer: fileLength + 1024, stdio: ["pipe", "pipe", "pipe"],
    });
  } catch (e) {
    throw new Error(`xz cannot decode the LZMA data: ${String(e.stderr || e.message).trim()}`);
  }
  if (tail.length !== fileLength - 8) {
    throw new Error(`the LZMA data holds ${tail.length} bytes, the header declares ${fileLength - 8}`);
  }
  const out = new Uint8Array(fileLength);
  out.set([0x46, 0x57, 0x53, bytes[3]], 0);
  new DataView(out.buffer).setUint32(4, fileLength, true);
  out.set(tail, 8);
  return out;
}

// ---- Running over the corpus ----

const USAGE = "usage: node corpus_roundtrip.mjs [--orvanta=PATH] [--corpus=DIR] [--known=FILE] [--jobs=N] [--every=N] " +
  "[--keep=DIR] [--json=FILE] [--verbose] [FILE.swf ...]";

function parseArgs(argv) {
  const buildDir = process.env.ORVANTA_BUILD_DIR ?? "build";
  const args = {
    orvanta: path.resolve(repoRoot, buildDir, "src", "orvanta"),
    corpus: path.resolve(repoRoot, "..", "shared", "corpus"),
    known: path.join(here, "corpus_known_differences.json"),
    jobs: 2,
    every: 1,
    keep: null,
    json: null,
    verbose: false,
    files: [],
  };
  for (const a of argv) {
    const value = a.slice(a.indexOf("=") + 1);
    if (a.startsWith("--orvanta=")) {
      args.orvanta = path.resolve(value);
    } else if (a.startsWith("--corpus=")) {
      args.corpus = path.resolve(value);
    } else if (a.startsWith("--known=")) {
      args.known = path.resolve(value);
    } else if (a.startsWith("--jobs=")) {
      args.jobs = Number(value);
      if (!Number.isInteger(args.jobs) || args.jobs < 1) {
        throw new Error(`bad --jobs: ${a}`);
      }
    } else if (a.startsWith("--every=")) {
      args.every = Number(value);
      if (!Number.isInteger(args.every) || args.every < 1) {
        throw new Error(`bad --every: ${a}`);
      }
    } else if (a.startsWith("--keep=")) {
      args.keep = path.resolve(value);
    } else if (a.startsWith("--json=")) {
      args.json = path.resolve(value);
    } else if (a === "--verbose" || a === "-v") {
      args.verbose = true;
    } else if (a.startsWith("-")) {
      throw new Error(`unknown option ${a}`);
    } else {
      args.files.push(a);
    }
  }
  return args;
}

function corpusFiles(corpus) {
  const out = [];
  const walk = (dir) => {
    for (const e of fs.readdirSync(dir, { withFileTypes: true })) {
      const p = path.join(dir, e.name);
      if (e.isDirectory()) {
        walk(p);
      } else if (e.isFile() && e.name.toLowerCase().endsWith(".swf")) {
        out.push(path.relative(corpus, p).split(path.sep).join("/"));
      }
    }
  };
  walk(corpus);
  return out.sort();
}

function rewrite(orvanta, input, output, extraArgs) {
  return new Promise((resolve) => {
    execFile(orvanta, ["swf", "rewrite", input, output, ...extraArgs], { maxBuffer: 1 << 20 }, (error, _stdout, stderr) => {
      resolve(error ? (stderr.trim() || error.message) : null);
    });
  });
}

// Runs fn over items with at most `jobs` at a time; onDone(item, result) is called in
// completion order, so the caller can parse one file while others are being rewritten.
async function pool(items, jobs, fn, onDone) {
  let next = 0;
  const worker = async () => {
    while (next < items.length) {
      const item = items[next++];
      onDone(item, await fn(item));
    }
  };
  await Promise.all(Array.from({ length: Math.min(jobs, items.length) }, worker));
}

function checkFile(item, rewriteError, known) {
  const r = item.result;
  if (item.damaged) {
    r.status = rewriteError ? "refused" : "failed";
    r.lines.push(`damaged: ${item.damaged}`);
    r.lines.push(rewriteError ? `refused: ${rewriteError}` : "our reader took it nevertheless");
    return;
  }
  if (rewriteError) {
    r.status = "failed";
    r.lines.push(`rewrite failed: ${rewriteError}`);
    return;
  }
  const original = parseWithParser(item.bytes);
  item.bytes = null;
  if (original.error) {
    r.status = "unreadable";
    r.lines.push(`swf-parser cannot read the original: ${original.error}`);
    return;
  }
  const again = parseWithParser(new Uint8Array(fs.readFileSync(item.output)));
  if (again.error) {
    r.status = "failed";
    r.lines.push(`swf-parser cannot read the rewrite: ${again.error}`);
    return;
  }
  const { differences, rejected } = compareParsed(original, again);
  r.rejected = rejected;
  r.differences = differences;
  const verdict = judge(differences, known[item.name]);
  r.status = verdict.status;
  if (verdict.status === "known") {
    r.lines.push(`known: ${known[item.name].reason}`);
  } else if (verdict.status === "stale") {
    r.lines.push("listed as a known difference but the trees are equal: remove it from the list");
  } else if (verdict.status === "failed") {
    r.lines.push(...verdict.unexplained);
  }
}

async function main() {
  let args;
  let known;
  try {
    args = parseArgs(process.argv.slice(2));
    known = JSON.parse(fs.readFileSync(args.known, "utf8"));
    const problems = knownListProblems(known);
    if (problems.length > 0) {
      throw new Error(`${args.known}: ${problems.join("; ")}`);
    }
  } catch (e) {
    console.error(`${e.message}\n${USAGE}`);
    return 2;
  }
  if (!fs.existsSync(args.orvanta)) {
    console.error(`no orvanta binary at ${args.orvanta} (build it, or give --orvanta=PATH)`);
    return 2;
  }
  if (!fs.existsSync(args.corpus)) {
    console.error(`no corpus at ${args.corpus}`);
    return 2;
  }
  const started = Date.now();
  const names = args.files.length > 0
    ? args.files.map((f) => (fs.existsSync(f) ? path.relative(args.corpus, path.resolve(f)) : f).split(path.sep).join("/"))
    : corpusFiles(args.corpus).filter((name, i) => i % args.every === 0 || name in known);
  const outDir = args.keep ?? fs.mkdtempSync(path.join(os.tmpdir(), "corpus-roundtrip-"));
  fs.mkdirSync(outDir, { recursive: true });

  const items = [];
  const results = [];
  for (const [i, name] of names.entries()) {
    const result = { name, status: null, lines: [], differences: [], rejected: [] };
    results.push(result);
    const file = path.join(args.corpus, name);
    if (!fs.existsSync(file)) {
      result.status = "failed";
      result.lines.push("no such file in the corpus");
      continue;
    }
    let bytes = new Uint8Array(fs.readFileSync(file));
    const signature = String.fromCharCode(...bytes.subarray(0, 3));
    if (signature !== "FWS" && signature !== "CWS" && signature !== "ZWS") {
      result.status = "skipped";
      result.lines.push("not an SWF file");
      continue;
    }
    let damaged = null;
    if (signature === "ZWS") {
      try {
        bytes = zwsToFws(bytes);
      } catch (e) {
        damaged = e.message;
      }
    }
    // Compressed files exist only from SWF 6 on, so a CWS file of an older version is written
    // back plain: the compressed form would have to raise the version.
    const extra = signature === "CWS" && bytes[3] < 6 ? ["--no-compress"] : [];
    items.push({ name, file, bytes, damaged, extra, output: path.join(outDir, `${i}.swf`), result });
  }

  let rewriteMs = 0;
  await pool(items, args.jobs, async (item) => {
    const t0 = Date.now();
    const error = await rewrite(args.orvanta, item.file, item.output, item.extra);
    rewriteMs += Date.now() - t0;
    return error;
  }, (item, error) => {
    checkFile(item, error, known);
    if (!args.keep) {
      fs.rmSync(item.output, { force: true });
    }
  });
  if (!args.keep) {
    fs.rmSync(outDir, { recursive: true, force: true });
  }

  const count = (status) => results.filter((r) => r.status === status).length;
  for (const r of results) {
    const loud = r.status === "failed" || r.status === "stale" ||
      (args.verbose && (r.status !== "equal" || r.rejected.length > 0));
    if (!loud) {
      continue;
    }
    console.log(`${r.status.padEnd(10)} ${r.name}`);
    for (const line of r.lines) {
      console.log(`           ${line}`);
    }
    if (args.verbose && r.rejected.length > 0) {
      console.log(`           swf-parser rejects ${r.rejected.join(", ")} in the original (not compared)`);
    }
  }
  const withRejected = results.filter((r) => r.rejected.length > 0).length;
  const failed = count("failed") + count("stale");
  console.log(`${results.length} files: ${count("equal")} tree-equal (${withRejected} with tags swf-parser ` +
    `rejects, not compared), ${count("known")} known differences, ${count("unreadable")} unreadable by ` +
    `swf-parser, ${count("refused")} damaged and refused, ${count("skipped")} not SWF, ${count("failed")} failed, ` +
    `${count("stale")} stale list entries`);
  if (args.verbose) {
    console.log(`${((Date.now() - started) / 1000).toFixed(1)} s (rewrites ${(rewriteMs / 1000).toFixed(1)} s of process time)`);
  }
  if (args.json) {
    fs.writeFileSync(args.json, JSON.stringify(results, null, 1));
  }
  console.log(`${results.length - failed} passed, ${failed} failed`);
  return failed > 0 ? 1 : 0;
}

if (process.argv[1] && import.meta.url === pathToFileURL(path.resolve(process.argv[1])).href) {
  process.exitCode = await main();
}
