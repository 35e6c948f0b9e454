// Every sample project the data root ships, used as a new user would: loaded, built and
// published with `orvanta publish` without a warning, every published movie parsed by
// swf-parser, and every Nth published site (--every, default 8: 13 of the 102) served over HTTP
// and played in Ruffle in Chromium without error.
//
//   node check_samples.mjs --orvanta=BIN --data-root=DIR [--every=N] [--jobs=N] [--keep=DIR]
//
// --keep leaves the published sites there, with a screenshot of each site played.

import { execFile } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { promisify } from "node:util";

import { parseWithParser } from "./parser.mjs";
import { launchChromium, openPublishedPage, startFolderServer } from "./ruffle.mjs";

const run = promisify(execFile);
const args = Object.fromEntries(
  process.argv.slice(2).map((a) => a.replace(/^--/, "").split("=")).map(([k, ...v]) => [k, v.join("=")]),
);
if (!args.orvanta || !args["data-root"]) {
  console.error("usage: node check_samples.mjs --orvanta=BIN --data-root=DIR [--every=N] [--jobs=N] [--keep=DIR]");
  process.exit(2);
}
const every = Number(args.every ?? 8);
const dataRoot = path.resolve(args["data-root"]);
const samplesDir = path.join(dataRoot, "default_template");
const samples = fs.existsSync(samplesDir)
  ? fs.readdirSync(samplesDir).filter((f) => f.endsWith(".fls")).sort()
  : [];
if (samples.length === 0) {
  console.error(`FAIL  no sample projects in ${samplesDir}`);
  process.exit(1);
}
const out = args.keep ? path.resolve(args.keep) : fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-samples-"));
fs.mkdirSync(out, { recursive: true });

async function publish(file, site) {
  const { stdout } = await run(args.orvanta, ["publish", path.join(samplesDir, file), "--to", site,
    "--seed", "1", "--json", "--data-root", dataRoot], { maxBuffer: 1 << 24 });
  const result = JSON.parse(stdout);
  const problems = result.warnings.map((w) => `warning: ${w.field}: ${w.message}`);
  problems.push(...result.missing.map((m) => `not written: ${m}`));
  return problems;
}

function movieProblems(site) {
  const images = path.join(site, "images");
  const movies = fs.existsSync(images) ? fs.readdirSync(images).filter((f) => f.endsWith(".swf")) : [];
  if (movies.length === 0) return ["no movie was published"];
  return movies.flatMap((m) => {
    const parsed = parseWithParser(fs.readFileSync(path.join(images, m)));
    return parsed.error ? [`${m}: swf-parser: ${parsed.error}`] : [];
  });
}

async function playProblems(browser, site, name) {
  const server = await startFolderServer(site);
  const { page, problems } = await openPublishedPage(browser, `${server.origin}/index.html`, 2500);
  try {
    if (args.keep) await page.screenshot({ path: path.join(out, `${name}.png`) });
  } finally {
    await page.close();
    await server.close();
  }
  return problems.map((p) => `ruffle: ${p}`);
}

// Publishing runs two at a time (the machine's cores); the players one at a time after.
const jobs = Number(args.jobs ?? 2);
const results = new Map();
async function publishAll() {
  let next = 0;
  async function worker() {
    while (next < samples.length) {
      const file = samples[next++];
      const site = path.join(out, file.replace(/\.fls$/, ""));
      try {
        results.set(file, [...await publish(file, site), ...movieProblems(site)]);
      } catch (e) {
        results.set(file, [`publish failed: ${String(e.stderr || e.message).trim()}`]);
      }
    }
  }
  await Promise.all(Array.from({ length: jobs }, worker));
}

let played = 0;
await publishAll();
const { browser, profileDir } = await launchChromium("http://127.0.0.1:");
try {
  for (const [i, file] of samples.entries()) {
    if (i % every !== 0 || results.get(file).length > 0) continue;
    const name = file.replace(/\.fls$/, "");
    results.get(file).push(...await playProblems(browser, path.join(out, name), name));
    played++;
  }
} finally {
  await browser.close().catch(() => {});
  fs.rmSync(profileDir, { recursive: true, force: true });
  if (!args.keep) fs.rmSync(out, { recursive: true, force: true });
}
let failed = 0;
for (const file of samples) {
  const problems = results.get(file);
  if (problems.length === 0) continue;
  failed++;
  console.log(`FAIL  ${file.replace(/\.fls$/, "")}\n      ${problems.join("\n      ")}`);
}
console.log(`${samples.length - failed} of ${samples.length} samples published and parsed, ${played} played in Ruffle; ` +
  `${failed} failed`);
process.exit(failed ? 1 : 0);
