#!/usr/bin/env node
// Checks SWF files with swf-parser and plays them in Ruffle.
//
//   node check.mjs [options] DIR|FILE.swf ...
//   node check.mjs --dump FILE.swf
//
// Options:
//   --no-ruffle          parser checks only
//   --screenshot[=DIR]   save a PNG of each movie after it played, and of each step that checks
//                        pixels (NAME.stepN.png) (default: <DIR>/screenshots)
//   --play-ms=N          how long each movie plays (default 1000)
//   --verbose            also print warnings, traces and timings
//   --json=FILE          write every file's result as JSON
//
// Expectations come from expected.json in each directory (format in README.md). Exit status is
// 0 when every file passed, 1 when any failed, 2 on bad usage or a broken expected.json.

import fs from "node:fs";
import path from "node:path";

import { checkWithParser, entryProblems } from "./expect.mjs";
import { parseWithParser } from "./parser.mjs";
import { DEFAULT_MOUSE_WAIT_MS, hasVisualChecks, opensLinks, runVisualChecks } from "./pixels.mjs";

const USAGE = "usage: node check.mjs [--no-ruffle] [--screenshot[=DIR]] [--play-ms=N] [--verbose] " +
  "[--json=FILE] DIR|FILE.swf ...\n       node check.mjs --dump FILE.swf";

function parseArgs(argv) {
  const args = { ruffle: true, screenshot: null, playMs: 1000, verbose: false, json: null, dump: null, inputs: [] };
  for (let i = 0; i < argv.length; i++) {
    const a = argv[i];
    if (a === "--no-ruffle") {
      args.ruffle = false;
    } else if (a === "--screenshot") {
      args.screenshot = "";
    } else if (a.startsWith("--screenshot=")) {
      args.screenshot = a.slice(13);
    } else if (a.startsWith("--play-ms=")) {
      args.playMs = Number(a.slice(10));
      if (!Number.isFinite(args.playMs) || args.playMs < 0) {
        throw new Error(`bad --play-ms: ${a}`);
      }
    } else if (a === "--verbose" || a === "-v") {
      args.verbose = true;
    } else if (a.startsWith("--json=")) {
      args.json = a.slice(7);
    } else if (a === "--dump") {
      args.dump = argv[++i];
      if (!args.dump) {
        throw new Error("--dump needs a file");
      }
    } else if (a.startsWith("-")) {
      throw new Error(`unknown option ${a}`);
    } else {
      args.inputs.push(a);
    }
  }
  if (!args.dump && args.inputs.length === 0) {
    throw new Error("no input");
  }
  return args;
}

function loadExpectations(dir) {
  const file = path.join(dir, "expected.json");
  if (!fs.existsSync(file)) {
    return {};
  }
  let data;
  try {
    data = JSON.parse(fs.readFileSync(file, "utf8"));
  } catch (e) {
    throw new Error(`${file}: ${e.message}`);
  }
  // The same map wrapped as {"files": {...}} is read alike.
  const keys = data && typeof data === "object" ? Object.keys(data) : [];
  if (keys.length === 1 && keys[0] === "files" && data.files && typeof data.files === "object") {
    data = data.files;
  }
  if (!data || typeof data !== "object" || Array.isArray(data)) {
    throw new Error(`${file}: expected an object mapping file names to expectations`);
  }
  for (const [name, entry] of Object.entries(data)) {
    if (!entry || typeof entry !== "object" || Array.isArray(entry)) {
      throw new Error(`${file}: the entry of ${name} is not an object`);
    }
  }
  return data;
}

// Enough time for the steps' own waits, their screenshots and the player's answers.
function inspectTimeout(expected) {
  const steps = expected.steps ?? [];
  const waits = steps.reduce((n, s) => n + (s.waitMs ?? (s.mouse ? DEFAULT_MOUSE_WAIT_MS : 0)), 0);
  return 30000 + 10000 * steps.length + waits;
}

/** Every file to check: { name, file, expected, missing }. */
function collectInputs(inputs) {
  const items = [];
  const seen = new Set();
  const byDir = new Map();
  const expectationsOf = (dir) => {
    if (!byDir.has(dir)) {
      byDir.set(dir, loadExpectations(dir));
    }
    return byDir.get(dir);
  };
  const add = (file, expected) => {
    const name = path.basename(file);
    if (seen.has(name)) {
      throw new Error(`two inputs share the name ${name}`);
    }
    seen.add(name);
    items.push({ name, file, expected });
  };
  for (const input of inputs) {
    if (fs.statSync(input).isDirectory()) {
      const expectations = expectationsOf(input);
      const swfs = fs.readdirSync(input).filter((n) => n.toLowerCase().endsWith(".swf")).sort();
      for (const n of swfs) {
        add(path.join(input, n), expectations[n]);
      }
      for (const n of Object.keys(expectations)) {
        if (!swfs.includes(n)) {
          items.push({ name: n, file: path.join(input, n), expected: expectations[n], missing: true });
        }
      }
    } else {
      add(input, expectationsOf(path.dirname(input))[path.basename(input)]);
    }
  }
  return items;
}

// Pixel size of the player for a movie, from its frame rectangle, kept to a sane range.
function playerSize(header) {
  if (!header) {
    return { width: 550, height: 400 };
  }
  const { xMin, xMax, yMin, yMax } = header.frameSize;
  const clamp = (v, hi) => Math.min(hi, Math.max(16, Math.round(v)));
  return { width: clamp((xMax - xMin) / 20, 1280), height: clamp((yMax - yMin) / 20, 960) };
}

function compareTraces(expected, prefixOnly, actual, out) {
  const n = prefixOnly ? expected.length : Math.max(expected.length, actual.length);
  for (let i = 0; i < n; i++) {
    if (expected[i] !== actual[i]) {
      out.push(`traces[${i}]: expected ${JSON.stringify(expected[i])}, got ${JSON.stringify(actual[i])} ` +
        `(all ${actual.length}: ${JSON.stringify(actual).slice(0, 300)})`);
      return;
    }
  }
}

function dump(file) {
  const parsed = parseWithParser(new Uint8Array(fs.readFileSync(file)));
  if (parsed.error) {
    console.error(`swf-parser: ${parsed.error}`);
    return 1;
  }
  const h = parsed.movie.header;
  const out = {
    header: { version: h.swfVersion, frameSize: h.frameSize, frameRate: h.frameRate.valueOf(), frameCount: h.frameCount },
    tags: parsed.tags,
  };
  console.log(JSON.stringify(out, null, 2));
  return 0;
}

async function main() {
  let args;
  let items;
  try {
    args = parseArgs(process.argv.slice(2));
    if (args.dump) {
      return dump(args.dump);
    }
    items = collectInputs(args.inputs);
  } catch (e) {
    console.error(`${e.message}\n${USAGE}`);
    return 2;
  }
  if (items.length === 0) {
    console.error("no .swf files found");
    console.log("0 passed, 0 failed");
    return 1;
  }
  if (args.screenshot === "") {
    const first = args.inputs.find((i) => fs.statSync(i).isDirectory()) ?? path.dirname(args.inputs[0]);
    args.screenshot = path.join(first, "screenshots");
  }
  if (args.screenshot) {
    fs.mkdirSync(args.screenshot, { recursive: true });
  }

  const results = [];
  for (const item of items) {
    const r = { name: item.name, failures: [], warnings: [], traces: [], parserMs: 0, ruffleMs: 0 };
    results.push(r);
    if (item.missing) {
      r.failures.push("file is named in expected.json but does not exist");
      continue;
    }
    const t0 = Date.now();
    const parser = checkWithParser(new Uint8Array(fs.readFileSync(item.file)), item.expected ?? {});
    r.parserMs = Date.now() - t0;
    r.failures.push(...parser.failures);
    r.warnings.push(...parser.warnings);
    r.header = parser.inspect?.header ?? null;
    const problems = entryProblems(item.expected ?? {});
    r.failures.push(...problems);
    item.visual = hasVisualChecks(item.expected) && problems.length === 0;
  }

  const toPlay = items.filter((it) => !it.missing && args.ruffle && it.expected?.ruffle !== false);
  if (toPlay.length > 0) {
    const { RuffleSession } = await import("./ruffle.mjs");
    const started = Date.now();
    let session;
    try {
      session = await RuffleSession.start(toPlay.map((it) => it.file));
    } catch (e) {
      console.error(`cannot start Ruffle in Chromium: ${e.message}`);
      for (const r of results) {
        r.failures.push("ruffle: browser did not start");
      }
    }
    if (session) {
      if (args.verbose) {
        console.log(`browser ready in ${Date.now() - started} ms`);
      }
      try {
        for (const item of toPlay) {
          const r = results.find((x) => x.name === item.name);
          const opts = typeof item.expected?.ruffle === "object" ? item.expected.ruffle : {};
          const base = args.screenshot ? path.join(args.screenshot, item.name.replace(/\.swf$/i, "")) : null;
          const played = await session.play(item.name, {
            ...playerSize(r.header),
            playMs: opts.playMs ?? args.playMs,
            loadTimeoutMs: opts.loadTimeoutMs,
            allowConsoleErrors: opts.allowConsoleErrors,
            // Links open only for a movie whose steps check them; the browser still reaches no
            // other host.
            config: opensLinks(item.expected) ? { openUrlMode: "allow", allowNetworking: "all" } : null,
            screenshot: base ? `${base}.png` : null,
            inspect: item.visual
              ? (live, png) => runVisualChecks(live, item.expected, png, (shot, i) => base && fs.writeFileSync(`${base}.step${i}.png`, shot))
              : null,
            inspectTimeoutMs: inspectTimeout(item.expected ?? {}),
          });
          r.ruffleMs = played.totalMs;
          r.renderer = played.renderer;
          r.traces = played.traces;
          r.failures.push(...played.failures);
          r.warnings.push(...played.warnings);
          if (Array.isArray(item.expected?.traces)) {
            compareTraces(item.expected.traces, item.expected.tracesPrefix === true, played.traces, r.failures);
          }
        }
      } finally {
        await session.close();
      }
    }
  } else {
    for (const [i, item] of items.entries()) {
      if (Array.isArray(item.expected?.traces) && !args.ruffle) {
        results[i].warnings.push("traces not checked: Ruffle was not run");
      }
      if (hasVisualChecks(item.expected) && !args.ruffle) {
        results[i].warnings.push("pixels, ink and steps not checked: Ruffle was not run");
      }
    }
  }

  let passed = 0;
  let failed = 0;
  for (const r of results) {
    const ok = r.failures.length === 0;
    ok ? passed++ : failed++;
    const timing = args.verbose ? ` (parser ${r.parserMs} ms, ruffle ${r.ruffleMs} ms${r.renderer ? `, ${r.renderer}` : ""})` : "";
    console.log(`${ok ? "ok  " : "FAIL"} ${r.name}${timing}`);
    for (const f of r.failures) {
      console.log(`     ${r.name}: ${f}`);
    }
    if (args.verbose) {
      for (const w of r.warnings) {
        console.log(`     warning: ${w}`);
      }
      if (r.traces.length > 0) {
        console.log(`     traces: ${JSON.stringify(r.traces).slice(0, 500)}`);
      }
    }
  }
  if (args.json) {
    fs.writeFileSync(args.json, JSON.stringify(results, null, 2));
  }
  console.log(`${passed} passed, ${failed} failed`);
  return failed === 0 ? 0 : 1;
}

process.exitCode = await main();
