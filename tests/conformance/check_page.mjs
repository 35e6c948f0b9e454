// Publishes small projects with orvanta and opens each published folder in headless Chromium,
// served as a static site: the movie must play in Ruffle over its background strips with no
// console error, the background must show where the movie is transparent, and the all-media
// page must have no strip images and a movie that exports the music for its control clip.
//
//   node check_page.mjs --orvanta=BIN --data-root=DIR [--keep=DIR]

import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

import { decodePngRgba } from "./image_metrics.mjs";
import { parseWithParser } from "./parser.mjs";
import { launchChromium, openPublishedPage, startFolderServer } from "./ruffle.mjs";

const args = Object.fromEntries(
  process.argv.slice(2).map((a) => a.replace(/^--/, "").split("=")).map(([k, ...v]) => [k, v.join("=")]),
);
if (!args.orvanta || !args["data-root"]) {
  console.error("usage: node check_page.mjs --orvanta=BIN --data-root=DIR [--keep=DIR]");
  process.exit(2);
}
const dataRoot = path.resolve(args["data-root"]);
const music = fs.readdirSync(path.join(dataRoot, "sound")).find((f) => f.endsWith(".mp3"));

const RED = [255, 0, 0];
const BLUE = [0, 0, 255];
// Colours are stored as 0x00BBGGRR.
const stored = ([r, g, b]) => String(r | (g << 8) | (b << 16));

// Each case: project settings, publish mode, the page the site opens with, and a point of the
// banner (away from the loader and the control) where the page background must show.
const CASES = [
  {
    name: "empty project, current page",
    mode: "current",
    settings: { SWFWidth: 300, SWFHeight: 250, PageBackGroundSolidColor: stored(RED) },
    page: "index.html",
    strips: 4,
    probe: { x: 150, y: 125, rgb: RED },
  },
  {
    name: "loading screen and music, all media",
    mode: "all-media",
    settings: {
      SWFWidth: 300, SWFHeight: 250, PageBackGroundSolidColor: stored(BLUE),
      preloadindex: 1, bgsound: music, bgsoundcontrol: 1, webpage_filename: "music.html",
    },
    page: "music.html",
    strips: 0,
    probe: { x: 20, y: 220, rgb: BLUE },
    movie: "music.swf",
    depths: [3109, 1301, 280],
    exports: ["bgsound"],
  },
  {
    name: "a page name climbing out of the folder",
    mode: "current",
    settings: { SWFWidth: 200, SWFHeight: 100, PageBackGroundSolidColor: stored(RED), webpage_filename: "../x.html" },
    page: "x.html",
    browser: false,  // the layout is that of the first case; only the names differ
  },
];

function publish(work, c) {
  const site = path.join(work, "site-" + CASES.indexOf(c), "inner");
  const project = path.join(work, "p" + CASES.indexOf(c) + ".fls");
  execFileSync(args.orvanta, ["project", "new", project], { stdio: "pipe" });
  const sets = Object.entries(c.settings).flatMap(([k, v]) => ["--set", `${k}=${v}`]);
  execFileSync(args.orvanta, ["publish", project, "--to", site, "--mode", c.mode, "--seed", "1",
    "--data-root", dataRoot, ...sets], { stdio: "pipe" });
  return site;
}

function movieProblems(site, c) {
  if (!c.movie) return [];
  const parsed = parseWithParser(fs.readFileSync(path.join(site, c.movie)));
  if (parsed.error) return [`swf-parser: ${parsed.error}`];
  const problems = [];
  const depths = new Set(parsed.tags.filter((t) => t.type === "PlaceObject").map((t) => t.depth));
  for (const d of c.depths) if (!depths.has(d)) problems.push(`nothing placed at depth ${d}`);
  const names = parsed.tags.filter((t) => t.type === "ExportAssets").flatMap((t) => t.assets.map((a) => a.name));
  for (const n of c.exports) if (!names.includes(n)) problems.push(`no export "${n}"`);
  if (!parsed.tags.some((t) => t.type === "StartSound")) problems.push("the music is never started");
  return problems;
}

async function pageProblems(browser, origin, c) {
  // Past the five loading frames, with the content showing.
  const { page, player, problems } = await openPublishedPage(browser, `${origin}/${c.page}`, 1500);
  try {
    if (!player) return problems;
    const images = await page.evaluate(() => [...document.images].map((i) => i.naturalWidth));
    if (images.length !== c.strips) problems.push(`${images.length} strip images, expected ${c.strips}`);
    // The page's own colour is hidden, so that what shows in the banner comes from the strips
    // or from the movie.
    await page.addStyleTag({ content: "html, body { background: #00FF00 !important; }" });
    await page.waitForTimeout(200);
    const box = await player.evaluate((p) => { const r = p.getBoundingClientRect(); return { x: r.x, y: r.y }; });
    const shot = decodePngRgba(await page.screenshot());
    const at = ((Math.round(box.y) + c.probe.y) * shot.width + Math.round(box.x) + c.probe.x) * 4;
    const seen = [...shot.data.subarray(at, at + 3)];
    if (seen.some((v, i) => Math.abs(v - c.probe.rgb[i]) > 40)) {
      problems.push(`background at (${c.probe.x}, ${c.probe.y}) is ${seen}, expected ${c.probe.rgb}`);
    }
    if (args.keep) fs.writeFileSync(path.join(args.keep, c.page.replace(/\W/g, "_") + ".png"), await page.screenshot());
  } catch (e) {
    problems.push(e.message.split("\n")[0]);
  } finally {
    await page.close();
  }
  return problems;
}

function report(c, problems) {
  if (problems.length === 0) {
    passed++;
    console.log(`ok    ${c.name}`);
  } else {
    failed++;
    console.log(`FAIL  ${c.name}\n      ${problems.join("\n      ")}`);
  }
}

const work = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-page-"));
let passed = 0;
let failed = 0;
const { browser, profileDir } = await launchChromium("http://127.0.0.1:");
try {
  if (args.keep) fs.mkdirSync(args.keep, { recursive: true });
  for (const c of CASES) {
    let problems;
    try {
      const site = publish(work, c);
      // Nothing may land beside the folder the site was published into.
      const beside = fs.readdirSync(path.dirname(site)).filter((f) => f !== "inner");
      problems = beside.map((f) => `${f} written outside the folder`);
      problems.push(...movieProblems(site, c));
      if (!fs.existsSync(path.join(site, c.page))) problems.push(`${c.page} was not written`);
      if (c.browser === false) {
        report(c, problems);
        continue;
      }
      const server = await startFolderServer(site);
      try {
        problems.push(...await pageProblems(browser, server.origin, c));
      } finally {
        await server.close();
      }
    } catch (e) {
      problems = [`publish failed: ${String(e.stderr || e.message).trim()}`];
    }
    report(c, problems);
  }
} finally {
  await browser.close().catch(() => {});
  fs.rmSync(profileDir, { recursive: true, force: true });
  fs.rmSync(work, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
