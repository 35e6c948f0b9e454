// Every library clip parsed by swf-parser, and a sample from every family played in Ruffle.
//
//   node tests/conformance/check_clips.mjs ORVANTA DATA_ROOT [--every=N]
//
// The clips come from all three library sources: mc_thumb/NAME.swf, mc_thumb/NAME.ddt (zlib) and
// the template pack inside the executable (`orvanta data extract`).

import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import zlib from "node:zlib";

import { PARSER_KNOWN_CODES, parseWithParser, tagName } from "./parser.mjs";
import { RuffleSession } from "./ruffle.mjs";

const [orvanta, dataRoot] = process.argv.slice(2);
const every = Number((process.argv.find((a) => a.startsWith("--every=")) ?? "--every=12").slice(8));
const out = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-clips-"));
const thumbs = path.join(dataRoot, "mc_thumb");
const clips = new Map();
for (const file of fs.readdirSync(thumbs)) {
  const ext = path.extname(file);
  if (ext !== ".swf" && ext !== ".ddt") continue;
  const bytes = fs.readFileSync(path.join(thumbs, file));
  clips.set(path.basename(file, ext), ext === ".ddt" ? zlib.inflateSync(bytes) : bytes);
}
const list = JSON.parse(execFileSync(orvanta, ["data", "list", "--json"], { encoding: "utf8" }));
for (const entry of list.filter((e) => e.family.startsWith("clip_"))) {
  const file = path.join(out, "pack.swf");
  execFileSync(orvanta, ["data", "extract", entry.name, file]);
  clips.set(entry.name, fs.readFileSync(file));
}

const failures = [];
const sample = [];
let index = 0;
for (const [name, bytes] of [...clips].sort()) {
  const { movie, error } = parseWithParser(new Uint8Array(bytes));
  if (error) failures.push(`${name}: swf-parser: ${error}`);
  for (const tag of movie?.tags ?? [])
    if (tagName(tag).startsWith("RawBody:") && PARSER_KNOWN_CODES.has(tag.code))
      failures.push(`${name}: swf-parser rejected a tag of code ${tag.code}`);
  const file = `${name.replace(/[^A-Za-z0-9_]/g, "_")}.swf`;
  fs.writeFileSync(path.join(out, file), bytes);
  if (index++ % every === 0) sample.push(file);
}

const session = await RuffleSession.start(sample.map((f) => path.join(out, f)));
try {
  for (const file of sample) {
    const result = await session.play(file, { playMs: 600 });
    failures.push(...result.failures.map((f) => `${file}: Ruffle: ${f}`));
  }
} finally {
  await session.close();
}
fs.rmSync(out, { recursive: true, force: true });
console.log(`${clips.size} clips parsed, ${sample.length} played in Ruffle, ${failures.length} failures`);
for (const f of failures) console.log(f);
process.exit(failures.length ? 1 : 0);
