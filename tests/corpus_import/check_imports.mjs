#!/usr/bin/env node
// Checks the movies import_corpus_movies wrote: each is parsed and played by the conformance
// harness, and every one that fails is set beside its original, played the same way, so that
// what the original already does wrong is not counted against the import.
//
//   node check_imports.mjs [--play-ms=N] [--every=N] [--corpus=DIR] [--json=FILE] OUT_DIR
//
// OUT_DIR is the folder import_corpus_movies wrote (movies and import.tsv). With --every=N only
// every N-th imported movie (in name order) is played, plus those named in always.txt beside
// this script. --corpus names the folder the movies were imported from (by default
// ../shared/corpus beside the repository). Prints the failures with their reasons and a summary; the exit status is 1 when
// an import failed unexpectedly or an imported movie fails where its original does not.

import { spawnSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const CHECK = path.join(here, "..", "conformance", "check.mjs");
const DEFAULT_CORPUS = path.resolve(here, "..", "..", "..", "shared", "corpus");

function parseArgs(argv) {
  const args = { playMs: 200, every: 1, json: null, dir: null, corpus: DEFAULT_CORPUS };
  for (const a of argv) {
    if (a.startsWith("--play-ms=")) {
      args.playMs = Number(a.slice(10));
    } else if (a.startsWith("--every=")) {
      args.every = Math.max(1, Math.floor(Number(a.slice(8))));
    } else if (a.startsWith("--corpus=")) {
      args.corpus = a.slice(9);
    } else if (a.startsWith("--json=")) {
      args.json = a.slice(7);
    } else if (!a.startsWith("-") && !args.dir) {
      args.dir = a;
    } else {
      throw new Error(`unexpected argument ${a}`);
    }
  }
  if (!args.dir || !Number.isFinite(args.playMs) || !Number.isFinite(args.every)) {
    throw new Error("usage: node check_imports.mjs [--play-ms=N] [--every=N] [--corpus=DIR] [--json=FILE] OUT_DIR");
  }
  return args;
}

function readIndex(dir) {
  const lines = fs.readFileSync(path.join(dir, "import.tsv"), "utf8").split("\n").slice(1);
  return lines.filter(Boolean).map((line) => {
    const [source, movie, status, message] = line.split("\t");
    return { source, movie, status, message };
  });
}

// A fresh folder of links named `movie`, pointing at the given files.
function linkFolder(dir, entries) {
  fs.rmSync(dir, { recursive: true, force: true });
  fs.mkdirSync(dir, { recursive: true });
  for (const { movie, file } of entries) {
    fs.symlinkSync(path.resolve(file), path.join(dir, movie));
  }
}

// Runs the harness on a folder; returns its results by file name.
function check(dir, playMs, jsonFile) {
  const run = spawnSync(process.execPath, [CHECK, `--play-ms=${playMs}`, `--json=${jsonFile}`, dir], {
    encoding: "utf8",
    maxBuffer: 256 << 20,
  });
  if (!fs.existsSync(jsonFile)) {
    throw new Error(`the harness wrote no results for ${dir}: ${run.stderr || run.stdout}`);
  }
  const results = JSON.parse(fs.readFileSync(jsonFile, "utf8"));
  return new Map(results.map((r) => [r.name, r]));
}

const isRuffle = (f) => f.startsWith("ruffle:");
// A parser complaint without the place of the tag: an import moves tags (into its sprite) and
// shifts their indices, but a copied tag keeps its faults.
const normalised = (f) => f.replace(/tags\[\d+\](\.tags\[\d+\])*/g, "tags[]").replace(/#\d+/g, "#");
// The movie asked for a file beside it (loadMovie, an imported library, a picture): only the
// movies themselves are served, so that is the content's request, not a fault of the bytes.
const isMissingFile = (f) =>
  /^ruffle: (http: HTTP 404 for |console error: Failed to load resource: (the server responded with a status of 404|net::ERR_FAILED)|requestfailed: )/.test(f);
// Differences our writer makes on purpose, with the reason.
const KNOWN = [
  {
    pattern: /\(DefineFont\): swf-parser left 2 of \d+ body bytes unread$/,
    reason: "a font without glyphs is written with its code-table offset, which swf-parser does not read",
  },
];

// Movies that fail for a reason understood one by one (path inside the corpus -> reason).
const KNOWN_MOVIES = new Map([
  [
    "swfdec/test/trace/crash-0.6.6-prototype-recursion-8.swf",
    "a crash test that runs past the prototype recursion limit: inside a sprite Ruffle's own stack overflows first",
  ],
  [
    "ruffle/tests/from_shumway/fuzz/9cad44804736a4fbd806d349c97b81d33c3f09ed4d9278acc4ef5cfbab147f3c/test.swf",
    "places character 1, which it never defines; the renumbering keeps such ids, so the import's own sprite (id 1) places itself",
  ],
]);

// Sorts the failures of one imported movie against its original's: what is left unexplained
// counts against the import.
function classify(mine, theirs) {
  const reasons = new Set();
  const unexplained = [];
  const theirParser = new Set(theirs.filter((f) => !isRuffle(f)).map(normalised));
  const originalUnplayable = theirs.some((f) => isRuffle(f) && !isMissingFile(f));
  for (const f of mine) {
    const known = KNOWN.find((k) => k.pattern.test(f));
    if (known) {
      reasons.add(known.reason);
    } else if (isMissingFile(f)) {
      reasons.add("asks for files beside it, which are not served");
    } else if (!isRuffle(f) && theirParser.has(normalised(f))) {
      reasons.add("the original has the same parser complaint");
    } else if (isRuffle(f) && originalUnplayable) {
      reasons.add("Ruffle fails on the original too");
    } else {
      unexplained.push(f);
    }
  }
  return { reasons: [...reasons], unexplained };
}

function main() {
  const args = parseArgs(process.argv.slice(2));
  const started = Date.now();
  const index = readIndex(args.dir);
  const imported = index.filter((e) => e.status === "ok");
  const refused = index.filter((e) => e.status !== "ok");

  const alwaysFile = path.join(here, "always.txt");
  const always = new Set(
    fs.existsSync(alwaysFile)
      ? fs.readFileSync(alwaysFile, "utf8").split("\n").map((l) => l.trim()).filter((l) => l && !l.startsWith("#"))
      : [],
  );
  const chosen = imported.filter((e, i) => i % args.every === 0 || always.has(e.source));

  const work = path.join(args.dir, "check");
  fs.mkdirSync(work, { recursive: true });
  linkFolder(path.join(work, "imported"), chosen.map((e) => ({ movie: e.movie, file: path.join(args.dir, e.movie) })));
  const ours = check(path.join(work, "imported"), args.playMs, path.join(work, "imported.json"));

  // Originals of the movies that failed, and of those the import refused.
  const failed = chosen.filter((e) => (ours.get(e.movie)?.failures ?? ["no result"]).length > 0);
  const toCompare = [...failed, ...refused];
  let originals = new Map();
  if (toCompare.length > 0) {
    linkFolder(path.join(work, "originals"), toCompare.map((e) => ({ movie: e.movie, file: path.join(args.corpus, e.source) })));
    originals = check(path.join(work, "originals"), args.playMs, path.join(work, "originals.json"));
  }

  const report = { imported: imported.length, played: chosen.length, clean: 0, explained: [], failed: [], refused: [] };
  for (const e of chosen) {
    const mine = ours.get(e.movie)?.failures ?? ["no result from the harness"];
    if (mine.length === 0) {
      report.clean++;
      continue;
    }
    const theirs = originals.get(e.movie)?.failures ?? [];
    const { reasons, unexplained } = KNOWN_MOVIES.has(e.source)
      ? { reasons: [KNOWN_MOVIES.get(e.source)], unexplained: [] }
      : classify(mine, theirs);
    const entry = { source: e.source, failures: mine, original: theirs, reasons };
    if (unexplained.length > 0) {
      report.failed.push({ ...entry, unexplained });
    } else {
      report.explained.push(entry);
    }
  }
  let unexpected = 0;
  for (const e of refused) {
    const original = originals.get(e.movie)?.failures ?? [];
    const unexpectedFailure = /unexpected failure/.test(e.message);
    if (unexpectedFailure) unexpected++;
    report.refused.push({
      source: e.source,
      message: e.message,
      originalPlays: !original.some((f) => isRuffle(f) && !isMissingFile(f)),
      unexpected: unexpectedFailure,
    });
  }

  const show = (title, list, line) => {
    if (list.length === 0) return;
    console.log(`\n${title} (${list.length}):`);
    for (const item of list) console.log(line(item));
  };
  const brief = (failures) => failures.map((f) => f.slice(0, 300)).join("\n      ");
  show("not imported", report.refused, (r) =>
    `  ${r.source}: ${r.message}${r.originalPlays ? " [Ruffle plays the original]" : " [Ruffle fails on the original too]"}`);
  show("failing for reasons of their own", report.explained, (r) => `  ${r.source}: ${r.reasons.join("; ")}`);
  show("FAILED", report.failed, (r) =>
    `  ${r.source}\n      ${brief(r.unexplained)}\n    original: ${brief(r.original) || "passes"}`);

  const seconds = Math.round((Date.now() - started) / 1000);
  console.log(
    `\n${index.length} corpus movies: ${imported.length} imported, ${refused.length} not imported; ` +
      `${chosen.length} played${args.every > 1 ? ` (every ${args.every}th and always.txt)` : ""}: ` +
      `${report.clean} clean, ${report.explained.length} failing for reasons of their own, ` +
      `${report.failed.length} failed (${seconds} s)`,
  );
  if (args.json) fs.writeFileSync(args.json, JSON.stringify(report, null, 2));
  return report.failed.length > 0 || unexpected > 0 ? 1 : 0;
}

try {
  process.exitCode = main();
} catch (e) {
  console.error(e.message);
  process.exitCode = 2;
}
