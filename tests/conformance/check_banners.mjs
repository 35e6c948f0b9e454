// Banners built by `orvanta build` and played in Ruffle as a visitor uses them: a click on a
// button opens its link, the pointer on a button shows its over look and leaving it brings the
// normal look back, the whole-banner link opens from anywhere, and the static texts show in
// their boxes and colours with the background effect only inside the text box.
//
//   node tests/conformance/check_banners.mjs ORVANTA [--keep=DIR]

import { execFileSync, spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const [orvanta] = process.argv.slice(2);
const keep = process.argv.find((a) => a.startsWith("--keep="))?.slice(7);
const out = keep ?? fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-banners-"));
fs.mkdirSync(out, { recursive: true });

// A project of one page with these static texts (slot → text) and fields, built; returns the
// content list of the build.
function build(name, fields, texts = {}) {
  const project = path.join(out, `${name}.fls`);
  execFileSync(orvanta, ["project", "new", project]);
  if (Object.keys(texts).length > 0) {
    let page = fs.readFileSync(project).toString("utf16le");
    for (const [slot, text] of Object.entries(texts)) {
      page = page.replace(`<TextMemo${slot}></TextMemo${slot}>`, `<TextMemo${slot}>${text}</TextMemo${slot}>`);
    }
    fs.writeFileSync(project, Buffer.from(page, "utf16le"));
  }
  const work = path.join(out, `${name}.work`);
  const sets = Object.entries(fields).flatMap(([k, v]) => ["--set", `${k}=${v}`]);
  const report = JSON.parse(execFileSync(orvanta, ["build", project, "--work", work, "--seed", "1", "--json", ...sets],
    { encoding: "utf8" }));
  if (report.warnings.length > 0) throw new Error(`${name}: ${JSON.stringify(report.warnings)}`);
  fs.copyFileSync(path.join(work, "temp.swf"), path.join(out, `${name}.swf`));
  return report.content;
}
const item = (content, label) => content.find((c) => c.label === label);

// Three buttons of style 25 (120 x 28, purple, lighter under the pointer) at x = 10, 140, 270.
build("buttons", {
  SWFWidth: 420, SWFHeight: 50, buttonurlenabled0: "False",
  ...Object.fromEntries([1, 2, 3].flatMap((n) => [[`buttonindex${n}`, 25], [`buttonurl${n}`, `https://example.com/b${n}`]])),
});
const normal = "842cd3", over = "a86adf";
const onButton2 = { x: 150, y: 24 };
const look = (rgb, what) => ({ pixels: [{ ...onButton2, rgb, what }] });

build("whole", { SWFWidth: 300, SWFHeight: 100, buttonurl0: "https://example.com/whole" });

// Static text 1 in red with the background effect, 2 in blue with a drop shadow.
const texts = build("texts", {
  SWFWidth: 400, SWFHeight: 220, buttonurlenabled0: "False",
  Description1PosX: 20, Description1PosY: 20, Description1color: 0x0000ff, DescriptionBGEffect1: "True",
  Description2PosX: 40, Description2PosY: 160, Description2color: 0xff0000, Description2shadow: "True",
}, { 1: "Orvanta banner", 2: "Static text two" });
const t1 = item(texts, "Static Text1"), t2 = item(texts, "Static Text2");
const box = (t) => [t.left, t.top, t.left + t.width, t.top + t.height];

// A busy machine can take long to start the first player.
const loading = { loadTimeoutMs: 30000 };
fs.writeFileSync(path.join(out, "expected.json"), JSON.stringify({
  "buttons.swf": {
    ruffle: loading,
    pixels: [{ ...onButton2, rgb: normal, what: "button 2 at rest" }],
    steps: [
      { mouse: "move", x: onButton2.x, y: onButton2.y, waitMs: 300 }, look(over, "button 2 under the pointer"),
      { mouse: "move", x: 200, y: 48, waitMs: 300 }, look(normal, "button 2 after the pointer left"),
      { mouse: "click", x: onButton2.x, y: onButton2.y, waitMs: 600 }, { opened: ["https://example.com/b2"] },
    ],
  },
  "whole.swf": {
    ruffle: loading,
    steps: [{ opened: [] }, { mouse: "click", x: 250, y: 80, waitMs: 600 }, { opened: ["https://example.com/whole"] }],
  },
  "texts.swf": {
    // The fade ends after 32 frames at 12 per second.
    ruffle: { ...loading, playMs: 3500 },
    ink: [
      { box: box(t1), background: "ffffff", min: 0.15, what: "static text 1" },
      { box: [t1.left - 8, t1.top + t1.height + 4, t1.left + t1.width + 8, t1.top + 90], background: "ffffff", min: 0.05,
        what: "the effect under static text 1, inside its box" },
      { box: [t1.left + t1.width + 14, 0, 400, 150], background: "ffffff", max: 0, what: "right of text 1's box" },
      { box: [0, t1.top + 104, 400, t2.top - 12], background: "ffffff", max: 0, what: "below text 1's box" },
      { box: box(t2), background: "ffffff", min: 0.15, what: "static text 2" },
      // Some of each box in the text's own colour: few pixels differ from it by less than 60.
      { box: box(t1), background: "ff0000", tol: 60, max: 0.95, what: "red in static text 1" },
      { box: box(t2), background: "0000ff", tol: 60, max: 0.95, what: "blue in static text 2" },
    ],
  },
}, null, 1));

const check = spawnSync(process.execPath, [path.join(here, "check.mjs"), ...(keep ? [`--screenshot=${path.join(out, "shots")}`] : []), out],
  { stdio: "inherit" });
if (!keep) fs.rmSync(out, { recursive: true, force: true });
process.exit(check.status ?? 1);
