// What goes to an ad network, checked in headless Chromium the way the network's page uses it:
// a published clickTAG banner opens the address the page passes in flashvars (and its own link
// when the page passes none), the GIF of a sample plays (its picture changes), and a backup image
// matches Ruffle's picture of the same frame within the rasteriser's text tolerances.
//
//   node tests/conformance/check_export.mjs ORVANTA DATA_ROOT [--keep=DIR]

import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

import { compareImages, compositeOver, decodePngRgba } from "./image_metrics.mjs";
import { launchChromium, startFolderServer } from "./ruffle.mjs";

const [orvanta, dataRoot] = process.argv.slice(2);
const keep = process.argv.find((a) => a.startsWith("--keep="))?.slice(7);
const work = keep ?? fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-export-"));
fs.mkdirSync(work, { recursive: true });

// The rasteriser's ceilings for its text movies against Ruffle are up to 6 mean and 6 % of
// pixels (render_ceilings.json); the backup adds the strips' JPEG on top.
const BACKUP_CEILING = { mae: 6, share: 6 };

const run = (...args) => execFileSync(orvanta, [...args, "--data-root", dataRoot], { encoding: "utf8" });

// A yellow 300 x 100 banner whose headline enters in 1.2 s and then holds for 20 s.
function project(name, fields) {
  const file = path.join(work, `${name}.fls`);
  execFileSync(orvanta, ["project", "new", file]);
  execFileSync(orvanta, ["project", "set", file, "SWFWidth=300", "SWFHeight=100", "TextPosX=20", "TextPosY=30",
    "InputText=Orvanta", "TextEffectID=3", "suiSpinEdit9=1200", "PageDelayTime=20000",
    "PageBackGroundSolidColor=65535", ...Object.entries(fields).map(([k, v]) => `${k}=${v}`)]);
  return file;
}

async function withPage(browser, folder, page, body) {
  const server = await startFolderServer(folder);
  const tab = await browser.newPage();
  try {
    await tab.goto(`${server.origin}/${page}`, { waitUntil: "load" });
    return await body(tab, server.origin);
  } finally {
    await tab.close();
    await server.close();
  }
}

// On the first mouseover Ruffle covers the movie with advice to turn on hardware acceleration
// when it renders on the CPU, as it does here; that note is about the machine, and it would
// take the click.
const waitForPlayer = (tab) => tab.waitForFunction(() => {
  const p = document.querySelector("ruffle-embed, ruffle-object, ruffle-player");
  if (!p || !p.shadowRoot?.querySelector("canvas")) return null;
  const quiet = document.createElement("style");
  quiet.textContent = "#hardware-acceleration-modal { display: none !important; }";
  p.shadowRoot.appendChild(quiet);
  return p;
}, null, { timeout: 40000 });

const checks = {
  async "clickTAG from the page's flashvars, the set link without"(browser) {
    const site = path.join(work, "clicktag");
    run("publish", project("clicktag", { ClickTagEnabled: "True", buttonurl0: "https://fallback.example/landing" }),
      "--to", site, "--seed", "1");
    const page = fs.readFileSync(path.join(site, "index.html")).toString("utf16le");
    const passed = 'flashvars="clickTAG=https%3A%2F%2Ffallback.example%2Flanding"';
    if (!page.includes(passed)) return [`the page does not pass the link: ${page.match(/<embed[^>]*>/)}`];
    // What a network does: its own click-through address in place of the link.
    const network = "https://network.example/click?ad=7&to=x";
    fs.writeFileSync(path.join(site, "network.html"),
      Buffer.from(page.replace(passed, `flashvars="clickTAG=${encodeURIComponent(network)}"`), "utf16le"));
    fs.writeFileSync(path.join(site, "none.html"), Buffer.from(page.replace(passed, ""), "utf16le"));
    const problems = [];
    for (const [name, expected] of [["network.html", network], ["none.html", "https://fallback.example/landing"]]) {
      const opened = [];
      const record = (req) => { if (req.isNavigationRequest() && !req.url().startsWith("http://127.0.0.1")) opened.push(req.url()); };
      browser.on("request", record);
      await withPage(browser, site, name, async (tab) => {
        const player = await waitForPlayer(tab);
        await tab.waitForTimeout(800);
        const box = await player.evaluate((p) => { const r = p.getBoundingClientRect(); return { x: r.x, y: r.y }; });
        await tab.mouse.move(box.x + 250, box.y + 80);
        await tab.waitForTimeout(300);
        await tab.mouse.down();
        await tab.mouse.up();
        await tab.waitForTimeout(1000);
      });
      browser.off("request", record);
      if (!opened.includes(expected)) problems.push(`${name}: opened [${opened}], expected ${expected}`);
    }
    return problems;
  },

  async "an animated GIF of a sample plays in Chromium"(browser) {
    const folder = path.join(work, "gif");
    fs.mkdirSync(folder, { recursive: true });
    // "Garden Days", 300 x 250: its headline and sparkles move within the first second.
    run("export", "default_template/banner_panel85_300x250.fls", "--gif", path.join(folder, "banner.gif"), "--seed", "1");
    fs.writeFileSync(path.join(folder, "gif.html"), '<body style="margin:0"><img id="g" src="banner.gif"></body>');
    return withPage(browser, folder, "gif.html", async (tab) => {
      const size = await tab.$eval("#g", (img) => [img.naturalWidth, img.naturalHeight]);
      if (size.join("x") !== "300x250") return [`the GIF shows as ${size.join("x")}`];
      const shots = [];
      for (const wait of [100, 700]) {
        await tab.waitForTimeout(wait);
        // A clip of the page: an element shot would wait for the animation to hold still.
        const shot = await tab.screenshot({ clip: { x: 0, y: 0, width: 300, height: 250 } });
        shots.push(compositeOver(decodePngRgba(shot), [255, 255, 255]));
      }
      const { share } = compareImages(shots[0], shots[1]);
      return share > 0.5 ? [] : [`the picture did not change between 0.1 s and 0.8 s (${share.toFixed(2)} % differ)`];
    });
  },

  async "the backup image is Ruffle's picture of the same frame"(browser) {
    const site = path.join(work, "backup");
    const file = project("backup", {});
    run("publish", file, "--to", site, "--seed", "1");
    // Frame 60 (5 s in) lies in the 20 s hold, where every frame looks the same.
    const backup = path.join(work, "backup.png");
    run("export", file, "--backup", backup, "--frame", "60", "--seed", "1");
    const ours = compositeOver(decodePngRgba(fs.readFileSync(backup)), [255, 255, 255]);
    return withPage(browser, site, "index.html", async (tab) => {
      const player = await waitForPlayer(tab);
      await tab.waitForTimeout(4000);
      const box = await player.evaluate((p) => { const r = p.getBoundingClientRect(); return { x: r.x, y: r.y, width: 300, height: 100 }; });
      const shot = await tab.screenshot({ clip: box });
      if (keep) fs.writeFileSync(path.join(work, "backup-ruffle.png"), shot);
      const ruffle = compositeOver(decodePngRgba(shot), [255, 255, 255]);
      const { maeMax, share } = compareImages(ours, ruffle);
      const figures = `mean error ${maeMax.toFixed(2)}, ${share.toFixed(2)} % of pixels differ`;
      console.log(`      backup against Ruffle: ${figures}`);
      return maeMax <= BACKUP_CEILING.mae && share <= BACKUP_CEILING.share ? [] : [`over the ceiling: ${figures}`];
    });
  },
};

let failed = 0;
const { browser, profileDir } = await launchChromium("http://127.0.0.1:");
browser.on("page", async (page) => { if (await page.opener().catch(() => null)) await page.close().catch(() => {}); });
try {
  for (const [name, check] of Object.entries(checks)) {
    let problems;
    const started = Date.now();
    try {
      problems = await check(browser);
    } catch (e) {
      problems = [String(e.stderr || e.message).split("\n")[0]];
    }
    if (problems.length) failed++;
    const took = `(${((Date.now() - started) / 1000).toFixed(1)} s)`;
    console.log(problems.length ? `FAIL  ${name} ${took}\n      ${problems.join("\n      ")}` : `ok    ${name} ${took}`);
  }
} finally {
  await browser.close().catch(() => {});
  fs.rmSync(profileDir, { recursive: true, force: true });
  if (!keep) fs.rmSync(work, { recursive: true, force: true });
}
process.exit(failed ? 1 : 0);
