// How close `orvanta swf render` comes to two references: Ruffle's rendering of the same frame at
// the same size, and the Flash Player screenshots that some corpus tests carry.
//
//   node render_accuracy.mjs --orvanta=BIN [--movies=DIR] [--corpus=DIR] [--sets=a,b,c]
//        [--json=OUT] [--out=DIR] [--check | --update] [--ceilings=FILE] [--jobs=N] [--every=N]
//        [-v] [FILTER...]
//
// Sets: "conformance" (our movies in --movies, written by make_conformance_movies), "corpus-a"
// (corpus files whose first frame needs no script, against Ruffle held on frame 1) and
// "corpus-b" (corpus tests with Flash Player reference pictures, script-free files only).
// --check fails on a file above its stored ceiling or newly failing to render; --update
// rewrites the ceilings of the files covered by this run. FILTER words keep matching keys only;
// --every=N measures every Nth playable file of corpus-a (the others still keep their ceilings).

import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

import {
  ceilingFor, compareImages, compositeOver, decodePngRgba, encodePngRgb, judgeAgainstCeilings, median, sideBySide,
} from "./image_metrics.mjs";
import { RuffleSession } from "./ruffle.mjs";
import { readContainer, readMovieHeader, walkTags } from "./swf.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const repoRoot = path.resolve(here, "..", "..");
const DEFAULT_CEILINGS = path.join(here, "render_ceilings.json");

export const TARGET_MAE = 3;
export const TARGET_SHARE = 1;

// Frame 1 of a movie is held in Ruffle by a trace line added to it and a frame rate locked low
// enough that no second frame comes before the screenshot (frame 1 runs one period after load).
export const HOLD_MARKER = "orvanta-accuracy: frame 1 done";
const HOLD_FRAME_RATE = 1;
const HOLD_WAIT_MS = 6000;

// Largest frame compared: the browser's viewport.
const MAX_WIDTH = 1280;
const MAX_HEIGHT = 960;

// Our movies whose still frame cannot be told from the file alone: name → { frame } (the frame
// our renderer draws, against Ruffle after the play time), { hold: true } (frame 1 held by the
// marker although a script runs there) or { skip: reason }.
export const CONFORMANCE_FRAMES = {
  // Jumps around and stops on its last frame, which draws nothing but the background.
  "script_frames.swf": { frame: 5 },
  // The clip actions only stop a shape's (nonexistent) timeline; the main timeline loops.
  "display_list.swf": { hold: true },
  // The second frame stops the movie on the repainted video frame.
  "video.swf": { frame: 2 },
  // Its clips stop on their second frames by script; a renderer that runs no scripts draws the
  // clips' first frames, so there is no frame of ours to compare.
  "sprites.swf": { skip: "its clips stop on their second frames by script" },
};

const TAG = {
  ShowFrame: 1, DoAction: 12, PlaceObject2: 26, DefineSprite: 39, DoInitAction: 59, FileAttributes: 69,
  PlaceObject3: 70, DoABCOld: 72, DoABC: 82,
};
const SCRIPT_TAGS = new Map([[TAG.DoAction, "DoAction"], [TAG.DoInitAction, "DoInitAction"], [TAG.DoABCOld, "DoABC"],
  [TAG.DoABC, "DoABC"]]);

// The first reason found why the given tags run a script, or null. `firstFrameOnly` stops at
// the first ShowFrame of each list (what runs before frame 1 is drawn).
function scriptIn(tags, firstFrameOnly) {
  for (const t of tags) {
    if (firstFrameOnly && t.code === TAG.ShowFrame) return null;
    if (SCRIPT_TAGS.has(t.code)) return SCRIPT_TAGS.get(t.code);
    if ((t.code === TAG.PlaceObject2 || t.code === TAG.PlaceObject3) && t.body.length > 0 && (t.body[0] & 0x80)) {
      return "clip actions";
    }
    if (t.code === TAG.DefineSprite && t.tags) {
      const inner = scriptIn(t.tags, firstFrameOnly);
      if (inner) return `${inner} in a sprite`;
    }
  }
  return null;
}

/**
 * What the selection needs to know of a movie: { signature, version, width, height (pixels,
 * rounded), frameCount, as3, frame1Script, anyScript, animatedSprites, problem }. The script
 * fields hold a reason or null; `problem` says why the file cannot be read at all.
 */
export function movieFacts(bytes) {
  const facts = { signature: null, version: null, width: 0, height: 0, frameCount: 0, as3: false, frame1Script: null,
    anyScript: null, animatedSprites: false, problem: null };
  try {
    const container = readContainer(bytes);
    facts.signature = container.signature;
    facts.version = container.version;
    if (!container.data) {
      facts.problem = `${container.signature} (LZMA) movie`;
      return facts;
    }
    const header = readMovieHeader(container.data);
    facts.width = Math.round((header.frameSize.xMax - header.frameSize.xMin) / 20);
    facts.height = Math.round((header.frameSize.yMax - header.frameSize.yMin) / 20);
    const { tags } = walkTags(container.data, header.tagsOffset, container.data.length);
    facts.frameCount = tags.filter((t) => t.code === TAG.ShowFrame).length;
    facts.as3 = tags.some((t) => t.code === TAG.FileAttributes && t.body.length > 0 && (t.body[0] & 0x08));
    facts.frame1Script = scriptIn(tags, true);
    facts.anyScript = scriptIn(tags, false);
    facts.animatedSprites = tags.some((t) => t.code === TAG.DefineSprite && t.tags &&
      t.tags.filter((inner) => inner.code === TAG.ShowFrame).length > 1);
  } catch (e) {
    facts.problem = e.message;
  }
  return facts;
}

function le16(v) {
  return [v & 0xff, (v >> 8) & 0xff];
}

/**
 * The movie with a DoAction just before its first ShowFrame that traces HOLD_MARKER and stops
 * the main timeline, as an uncompressed FWS file (what Ruffle is shown to hold frame 1).
 */
export function holdMarkerMovie(bytes) {
  const container = readContainer(bytes);
  if (!container.data) throw new Error("LZMA movies are not supported");
  const data = container.data;
  const header = readMovieHeader(data);
  const { tags } = walkTags(data, header.tagsOffset, data.length);
  const show = tags.find((t) => t.code === TAG.ShowFrame);
  if (!show) throw new Error("the movie has no frame");
  const text = Buffer.from(HOLD_MARKER + "\0", "latin1");
  // Push string, Trace, Stop, End.
  const actions = Buffer.concat([Buffer.from([0x96, ...le16(text.length + 1), 0]), text, Buffer.from([0x26, 0x07, 0x00])]);
  const tagHeader = actions.length < 0x3f
    ? Buffer.from(le16((TAG.DoAction << 6) | actions.length))
    : Buffer.from([...le16((TAG.DoAction << 6) | 0x3f), ...le16(actions.length & 0xffff), ...le16(actions.length >>> 16)]);
  const out = Buffer.concat([Buffer.from(data.subarray(0, show.offset)), tagHeader, actions, Buffer.from(data.subarray(show.offset))]);
  out.write("FWS", 0, "latin1");
  out.writeUInt32LE(out.length, 4);
  return out;
}

// ---------------------------------------------------------------------------------------------
// Choosing the files of each set. Every entry: { key, set, group, swf, frame, width, height,
// reference: { kind: "ruffle", swfForRuffle, servedName, playMs, hold } | { kind: "png", png },
// skip: reason, notes }.

function conformanceGroup(name) {
  const base = name.replace(/\.swf$/, "");
  if (base.startsWith("image_")) return "images";
  if (base.startsWith("shape_") || ["morph_shapes", "mask", "blend_modes", "filters", "add_modes"].includes(base)) return "shapes";
  if (base.startsWith("text_")) return "text";
  if (base.startsWith("sound_")) return "sound";
  if (base.startsWith("script_")) return "scripts";
  if (base.startsWith("button")) return "buttons";
  return "movie";
}

export function selectConformance(dir, heldDir) {
  const expectedPath = path.join(dir, "expected.json");
  let expected = {};
  if (fs.existsSync(expectedPath)) {
    const raw = JSON.parse(fs.readFileSync(expectedPath, "utf8"));
    expected = raw.files ?? raw;
  }
  const entries = [];
  for (const name of fs.readdirSync(dir).filter((f) => f.endsWith(".swf")).sort()) {
    const swf = path.join(dir, name);
    const facts = movieFacts(fs.readFileSync(swf));
    const entry = { key: `conformance/${name}`, set: "conformance", group: conformanceGroup(name), swf, frame: 1,
      width: facts.width, height: facts.height, reference: null, skip: null, notes: [] };
    entries.push(entry);
    const exp = expected[name] ?? {};
    const override = CONFORMANCE_FRAMES[name];
    if (facts.problem) {
      entry.skip = facts.problem;
    } else if (facts.frameCount === 0) {
      entry.skip = "no frame to draw";
    } else if (exp.ruffle === false) {
      entry.skip = "not played in Ruffle";
    } else if (override?.skip) {
      entry.skip = override.skip;
    } else if (override?.frame || facts.frameCount === 1) {
      // A one-frame movie holds still once its scripts have run: compare after the play time.
      entry.frame = override?.frame ?? 1;
      entry.reference = { kind: "ruffle", swfForRuffle: swf, servedName: name, playMs: exp.ruffle?.playMs ?? 1000 };
    } else if ((facts.frame1Script || facts.as3) && !override?.hold) {
      entry.skip = `${facts.frameCount} frames and a script in frame 1 (${facts.frame1Script ?? "AS3"}): name its frame`;
    } else {
      entry.reference = holdReference(entry, swf, heldDir, `held_${name}`);
      entry.notes.push(`frame 1 of ${facts.frameCount}`);
    }
  }
  return entries;
}

function holdReference(entry, swf, heldDir, servedName) {
  const held = path.join(heldDir, servedName);
  fs.writeFileSync(held, holdMarkerMovie(fs.readFileSync(swf)));
  return { kind: "ruffle", swfForRuffle: held, servedName, playMs: HOLD_WAIT_MS, hold: true };
}

function corpusSwfs(corpus) {
  const index = path.join(corpus, "INDEX.tsv");
  const lines = fs.readFileSync(index, "utf8").split("\n").slice(1).filter(Boolean);
  return lines.map((l) => l.split("\t")[0]).filter((p) => p.endsWith(".swf"));
}

function sizeProblem(facts) {
  if (facts.width < 1 || facts.height < 1) return `frame of ${facts.width}x${facts.height} pixels`;
  if (facts.width > MAX_WIDTH || facts.height > MAX_HEIGHT) return `frame of ${facts.width}x${facts.height} pixels is larger than the viewport`;
  return null;
}

export function selectCorpusA(corpus, heldDir) {
  const entries = [];
  corpusSwfs(corpus).forEach((rel, i) => {
    const swf = path.join(corpus, rel);
    const facts = movieFacts(fs.readFileSync(swf));
    const entry = { key: `corpus-a/${rel}`, set: "corpus-a", group: rel.split("/")[0], swf, frame: 1,
      width: facts.width, height: facts.height, reference: null, skip: null, notes: [] };
    entries.push(entry);
    entry.skip = facts.problem ?? sizeProblem(facts) ??
      (facts.frameCount === 0 ? "no frame" : null) ??
      (facts.as3 ? "AS3 movie (frame 1 cannot be held by a trace)" : null) ??
      (facts.frame1Script ? `${facts.frame1Script} before the first frame` : null);
    if (!entry.skip) {
      const servedName = `a${String(i).padStart(4, "0")}_${path.basename(rel)}`;
      try {
        entry.reference = holdReference(entry, swf, heldDir, servedName);
      } catch (e) {
        entry.skip = e.message;
      }
    }
  });
  return entries;
}

// The frame a reference taken after `ticks` frames shows, when our renderer can draw it: past
// the last frame the main timeline loops, which only a movie without animated sprites survives.
export function frameAfterTicks(facts, ticks) {
  if (ticks <= facts.frameCount) return { frame: Math.max(1, ticks) };
  if (facts.animatedSprites) return { skip: `reference after ${ticks} frames of a ${facts.frameCount}-frame movie with animated sprites` };
  return { frame: ((ticks - 1) % facts.frameCount) + 1 };
}

function pngSize(file) {
  const b = fs.readFileSync(file);
  return { width: b.readUInt32BE(16), height: b.readUInt32BE(20) };
}

export function selectCorpusB(corpus) {
  const entries = [];
  const add = (key, group, swf, png, ticks, notes, extraSkip) => {
    const facts = movieFacts(fs.readFileSync(swf));
    const size = pngSize(png);
    const entry = { key, set: "corpus-b", group, swf, frame: 1, width: size.width, height: size.height,
      reference: { kind: "png", png }, skip: null, notes };
    entries.push(entry);
    if (size.width !== facts.width || size.height !== facts.height) {
      notes.push(`reference ${size.width}x${size.height}, frame ${facts.width}x${facts.height}`);
    }
    const timing = facts.frameCount > 0 ? frameAfterTicks(facts, ticks) : { skip: "no frame" };
    entry.skip = extraSkip ?? facts.problem ?? sizeProblem(size) ?? (facts.as3 ? "AS3 movie" : null) ??
      (facts.anyScript ? `scripted (${facts.anyScript})` : null) ?? timing.skip ?? null;
    entry.frame = timing.frame ?? 1;
  };
  const manifestPath = path.join(corpus, "ruffle", "tests-manifest.json");
  if (fs.existsSync(manifestPath)) {
    const tests = JSON.parse(fs.readFileSync(manifestPath, "utf8")).tests;
    for (const [dir, test] of Object.entries(tests).sort(([x], [y]) => x.localeCompare(y))) {
      const folder = path.join(corpus, "ruffle", "tests", dir);
      const png = path.join(folder, "output.expected.png");
      const swf = path.join(folder, "test.swf");
      if (!fs.existsSync(png) || !fs.existsSync(swf)) continue;
      const toml = test.test_toml ?? {};
      const ticks = toml.num_frames ?? toml.num_ticks ?? 1;
      const quality = toml.player_options?.with_renderer?.quality;
      const notes = quality && quality !== "high" ? [`quality ${quality}`] : [];
      const skip = fs.existsSync(path.join(folder, "input.json")) ? "driven by input events" : null;
      add(`corpus-b/ruffle/tests/${dir}`, "ruffle", swf, png, ticks, notes, skip);
    }
  }
  const swfdec = path.join(corpus, "swfdec", "test", "image");
  if (fs.existsSync(swfdec)) {
    for (const name of fs.readdirSync(swfdec).filter((f) => f.endsWith(".swf")).sort()) {
      // The .org.png, where present, is the Flash Player's own; the .png may be swfdec's.
      const org = path.join(swfdec, `${name}.org.png`);
      const png = fs.existsSync(org) ? org : path.join(swfdec, `${name}.png`);
      if (!fs.existsSync(png)) continue;
      add(`corpus-b/swfdec/test/image/${name}`, "swfdec", path.join(swfdec, name), png, 10, [], null);
    }
  }
  return entries;
}

// ---------------------------------------------------------------------------------------------
// Running.

function run(bin, args, timeoutMs) {
  return new Promise((resolve) => {
    const child = spawn(bin, args, { stdio: ["ignore", "pipe", "pipe"] });
    let out = "";
    child.stdout.on("data", (d) => { out += d; });
    child.stderr.on("data", (d) => { out += d; });
    const timer = setTimeout(() => child.kill("SIGKILL"), timeoutMs);
    child.on("close", (code, signal) => {
      clearTimeout(timer);
      resolve({ code, signal, out });
    });
  });
}

async function renderOurs(orvanta, entry, outPng) {
  const args = ["swf", "render", entry.swf, outPng, "--frame", String(entry.frame), "--width", String(entry.width),
    "--height", String(entry.height)];
  const r = await run(orvanta, args, 60000);
  if (r.code !== 0) {
    const last = r.out.trim().split("\n").pop() ?? "";
    throw new Error(r.signal ? `killed by ${r.signal}` : `exit ${r.code}: ${last.slice(0, 200)}`);
  }
  return decodePngRgba(fs.readFileSync(outPng));
}

async function pool(items, jobs, work) {
  let next = 0;
  await Promise.all(Array.from({ length: Math.max(1, jobs) }, async () => {
    while (next < items.length) {
      const item = items[next++];
      await work(item);
    }
  }));
}

function safeName(key) {
  return key.replace(/[^A-Za-z0-9._-]+/g, "_");
}

async function measure(entries, { orvanta, outDir, jobs, verbose }) {
  const results = {};
  const measured = entries.filter((e) => !e.skip);
  const references = new Map();
  // Ruffle first, one page for every movie; our renders in parallel afterwards.
  const ruffleEntries = measured.filter((e) => e.reference.kind === "ruffle");
  if (ruffleEntries.length > 0) {
    const session = await RuffleSession.start(ruffleEntries.map((e) => e.reference.swfForRuffle));
    try {
      for (const e of ruffleEntries) {
        const shot = path.join(outDir, `${safeName(e.key)}.ruffle.png`);
        const ref = e.reference;
        const played = await session.play(ref.servedName, {
          width: e.width, height: e.height, playMs: ref.playMs, screenshot: shot,
          config: ref.hold ? { frameRate: HOLD_FRAME_RATE } : null, holdOnTrace: ref.hold ? HOLD_MARKER : null,
        });
        if (ref.hold && played.heldMs === null) {
          references.set(e.key, { error: "Ruffle never printed the frame-1 marker" });
        } else if (!fs.existsSync(shot)) {
          references.set(e.key, { error: `Ruffle: ${played.failures[0] ?? "no screenshot"}` });
        } else {
          references.set(e.key, { png: shot, warnings: played.failures });
        }
        if (verbose) console.error(`ruffle ${e.key}: ${played.totalMs} ms${played.failures.length ? ` (${played.failures[0]})` : ""}`);
      }
    } finally {
      await session.close();
    }
  }
  await pool(measured, jobs, async (e) => {
    const ref = e.reference.kind === "png" ? { png: e.reference.png } : references.get(e.key);
    if (ref.error) {
      results[e.key] = { referenceError: ref.error };
      return;
    }
    const oursPng = path.join(outDir, `${safeName(e.key)}.ours.png`);
    let ours;
    try {
      ours = await renderOurs(orvanta, e, oursPng);
    } catch (err) {
      results[e.key] = { error: err.message };
      return;
    }
    // Both pictures over white: the movie's own background is drawn by both renderers.
    const a = compositeOver(ours, [255, 255, 255]);
    const b = compositeOver(decodePngRgba(fs.readFileSync(ref.png)), [255, 255, 255]);
    if (a.width !== b.width || a.height !== b.height) {
      results[e.key] = { referenceError: `reference is ${b.width}x${b.height}, ours ${a.width}x${a.height}` };
      return;
    }
    const m = compareImages(a, b);
    fs.writeFileSync(path.join(outDir, `${safeName(e.key)}.side.png`), encodePngRgb(sideBySide(a, b)));
    results[e.key] = { mae: m.mae.map((v) => Math.round(v * 100) / 100), maeMax: Math.round(m.maeMax * 100) / 100,
      share: Math.round(m.share * 100) / 100 };
  });
  return results;
}

// ---------------------------------------------------------------------------------------------
// Reporting.

function fmt(v, digits = 2) {
  return v === null || v === undefined ? "-" : v.toFixed(digits);
}

export function summarise(entries, results) {
  const groups = new Map();
  for (const e of entries) {
    const name = e.set === "conformance" ? `conformance/${e.group}` : `${e.set}/${e.group}`;
    if (!groups.has(name)) groups.set(name, { name, files: 0, measured: 0, skipped: 0, failed: 0, mae: [], share: [], worst: null });
    const g = groups.get(name);
    g.files++;
    const r = results[e.key];
    if (e.skip) g.skipped++;
    else if (!r || r.error !== undefined || r.referenceError !== undefined) g.failed++;
    else {
      g.measured++;
      g.mae.push(r.maeMax);
      g.share.push(r.share);
      if (!g.worst || r.maeMax > g.worst.maeMax) g.worst = { key: e.key, maeMax: r.maeMax, share: r.share };
    }
  }
  return [...groups.values()].map((g) => ({
    name: g.name, files: g.files, measured: g.measured, skipped: g.skipped, failed: g.failed,
    medianMae: median(g.mae), worstMae: g.mae.length ? Math.max(...g.mae) : null,
    medianShare: median(g.share), worstShare: g.share.length ? Math.max(...g.share) : null,
    worstFile: g.worst?.key ?? null,
    onTarget: g.mae.filter((v, i) => v <= TARGET_MAE && g.share[i] <= TARGET_SHARE).length,
  }));
}

function printTable(entries, results, verbose) {
  const lines = [];
  lines.push(["file", "frame", "size", "mae R/G/B", "max", "share%", "note"].join("\t"));
  for (const e of entries) {
    const r = results[e.key];
    if (e.skip) {
      if (verbose) lines.push([e.key, "", "", "", "", "", `skipped: ${e.skip}`].join("\t"));
      continue;
    }
    if (!r) continue;
    const size = `${e.width}x${e.height}`;
    if (r.error !== undefined) {
      lines.push([e.key, e.frame, size, "", "", "", `ours failed: ${r.error}`].join("\t"));
    } else if (r.referenceError !== undefined) {
      lines.push([e.key, e.frame, size, "", "", "", `no reference: ${r.referenceError}`].join("\t"));
    } else {
      const miss = r.maeMax > TARGET_MAE || r.share > TARGET_SHARE ? "over target" : "";
      lines.push([e.key, e.frame, size, r.mae.map((v) => fmt(v)).join("/"), fmt(r.maeMax), fmt(r.share),
        [miss, ...e.notes].filter(Boolean).join("; ")].join("\t"));
    }
  }
  console.log(lines.join("\n"));
  console.log("");
  console.log(["group", "files", "measured", "skipped", "failed", "median mae", "worst mae", "median share%",
    "worst share%", "on target"].join("\t"));
  for (const g of summarise(entries, results)) {
    console.log([g.name, g.files, g.measured, g.skipped, g.failed, fmt(g.medianMae), fmt(g.worstMae), fmt(g.medianShare),
      fmt(g.worstShare), g.onTarget].join("\t"));
  }
}

/** The ceilings file: one line per file, sorted, so that a change reads as a small diff. */
export function formatCeilings(ceilings) {
  const lines = Object.entries(ceilings).sort(([x], [y]) => x.localeCompare(y))
    .map(([key, value]) => `  ${JSON.stringify(key)}: ${JSON.stringify(value)}`);
  return `{\n${lines.join(",\n")}\n}\n`;
}

function parseArgs(argv) {
  const args = { sets: null, filters: [], verbose: false, check: false, update: false, jobs: 2, every: 1, ceilings: DEFAULT_CEILINGS,
    corpus: path.resolve(repoRoot, "..", "shared", "corpus") };
  for (const a of argv) {
    const m = /^--([a-z-]+)(?:=(.*))?$/.exec(a);
    if (a === "-v") args.verbose = true;
    else if (m && m[1] === "check") args.check = true;
    else if (m && m[1] === "update") args.update = true;
    else if (m && ["orvanta", "movies", "corpus", "json", "out", "ceilings", "sets", "jobs", "every"].includes(m[1]) && m[2] !== undefined) {
      args[m[1]] = ["jobs", "every"].includes(m[1]) ? Number(m[2]) : m[2];
    } else if (a.startsWith("-")) throw new Error(`unknown option ${a}`);
    else args.filters.push(a);
  }
  if (!args.orvanta) throw new Error("--orvanta=PATH is needed");
  if (!(Number.isInteger(args.every) && args.every >= 1)) throw new Error("--every takes a whole number from 1");
  if (args.check && args.update) throw new Error("--check and --update exclude each other");
  args.sets = (args.sets ?? ["conformance", "corpus-a", "corpus-b"].join(",")).split(",");
  return args;
}

async function main() {
  const args = parseArgs(process.argv.slice(2));
  const outDir = args.out ?? fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-accuracy-"));
  fs.mkdirSync(outDir, { recursive: true });
  const heldDir = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-held-"));
  const started = Date.now();
  let entries = [];
  try {
    if (args.sets.includes("conformance")) {
      if (!args.movies) throw new Error("the conformance set needs --movies=DIR");
      entries.push(...selectConformance(args.movies, heldDir));
    }
    if (args.sets.includes("corpus-a")) {
      // Ruffle needs over a second per held movie: a quick run takes every Nth of them.
      const chosen = selectCorpusA(args.corpus, heldDir);
      let measuredIndex = 0;
      entries.push(...chosen.filter((e) => e.skip || measuredIndex++ % args.every === 0));
    }
    if (args.sets.includes("corpus-b")) entries.push(...selectCorpusB(args.corpus));
    if (args.filters.length) entries = entries.filter((e) => args.filters.some((f) => e.key.includes(f)));
    const results = await measure(entries, { orvanta: path.resolve(args.orvanta), outDir, jobs: args.jobs, verbose: args.verbose });
    printTable(entries, results, args.verbose);
    if (args.json) {
      const files = Object.fromEntries(entries.map((e) => [e.key, {
        set: e.set, group: e.group, frame: e.frame, width: e.width, height: e.height, skip: e.skip ?? undefined,
        notes: e.notes.length ? e.notes : undefined, ...(results[e.key] ?? {}),
      }]));
      fs.writeFileSync(args.json, JSON.stringify({ summary: summarise(entries, results), files }, null, 1) + "\n");
    }
    console.log(`pictures in ${outDir}; ${Math.round((Date.now() - started) / 1000)} s`);
    // A missing reference (Ruffle would not play it) says nothing about our renderer.
    const judged = Object.fromEntries(Object.entries(results).filter(([, r]) => r.referenceError === undefined));
    const ceilings = fs.existsSync(args.ceilings) ? JSON.parse(fs.readFileSync(args.ceilings, "utf8")) : {};
    if (args.update) {
      for (const [key, r] of Object.entries(judged)) {
        ceilings[key] = r.error !== undefined ? { error: r.error } : ceilingFor(r);
      }
      fs.writeFileSync(args.ceilings, formatCeilings(ceilings));
      console.log(`ceilings of ${Object.keys(judged).length} files written to ${args.ceilings}`);
    }
    if (args.check) {
      const { failures, unjudged } = judgeAgainstCeilings(judged, ceilings);
      for (const f of failures) console.log(`FAIL ${f}`);
      if (unjudged.length) console.log(`no ceiling yet (not judged): ${unjudged.join(", ")}`);
      const passed = Object.keys(judged).length - unjudged.length - new Set(failures.map((f) => f.split(": ")[0])).size;
      console.log(`${passed} passed, ${new Set(failures.map((f) => f.split(": ")[0])).size} failed`);
      process.exitCode = failures.length ? 1 : 0;
    }
  } finally {
    fs.rmSync(heldDir, { recursive: true, force: true });
  }
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  main().catch((e) => {
    console.error(e.message);
    process.exit(2);
  });
}
