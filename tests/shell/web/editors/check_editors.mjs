// Opens every content editor in headless Chromium at 1366 × 768 against the fake API: each tab
// is shown and checked for content that spills out of the window, a screenshot of each
// editor's first tab is kept, and OK, Cancel, a refused value and the file dialog are used as a
// person would. With --orvanta, the schema snapshot the tests use is first compared with the
// program's, and at the end two editors are used in the real editor: the 468 × 60 preset, and
// an animated text with its own font, read back from the server.
// Run: node tests/shell/web/editors/check_editors.mjs [--orvanta BIN] [--out DIR]
import assert from "node:assert/strict";
import { execFileSync, spawn } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { parseArgs } from "node:util";

import { launchChromium } from "../../../conformance/ruffle.mjs";

const { values: args } = parseArgs({
  options: { out: { type: "string", default: "" }, orvanta: { type: "string" } },
});
const repo = path.resolve(new URL("../../../..", import.meta.url).pathname);
const schema = JSON.parse(fs.readFileSync(new URL("./schema.json", import.meta.url)));
if (args.orvanta) {
  const current = JSON.parse(execFileSync(args.orvanta, ["project", "schema"], { encoding: "utf8" }));
  assert.deepEqual(schema.editors, current, "tests/shell/web/editors/schema.json is out of date: " +
    "write it anew with `orvanta project schema` (see README.md)");
}
const MIME = { ".html": "text/html", ".js": "text/javascript", ".mjs": "text/javascript",
  ".css": "text/css", ".json": "application/json" };

function serveRepo() {
  const server = http.createServer((req, res) => {
    const file = path.resolve(repo, "." + decodeURIComponent(new URL(req.url, "http://x").pathname));
    const type = MIME[path.extname(file)];
    if (!file.startsWith(repo + path.sep) || !type || !fs.existsSync(file)) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { "content-type": `${type}; charset=utf-8` }).end(fs.readFileSync(file));
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// Pages that show each editor's groups: music chosen, lines typed, photos in the list.
const PAGE = {
  fields: { TSWFOptionForm: { bgsound: "loop.mp3", bgsoundcontrol: "1" },
    Tbuttonform: { buttonurlenabled0: "False" } },
  blocks: { InputText: "Spring Sale\nToday only", StaticText1: "Fresh flowers",
    Photos: ["beach.jpg", "sunset.jpg"] },
};

// Whatever sticks out of the editor's window or scrolls sideways, as "what: where".
function overflowsIn(page) {
  return page.evaluate(() => {
    const found = [];
    const win = document.querySelector(".oe-modal .oe-window").getBoundingClientRect();
    if (win.left < 0 || win.top < 0 || win.right > innerWidth || win.bottom > innerHeight)
      found.push(`window ${win.width}×${win.height} outside the viewport`);
    const pages = document.querySelector(".oe-pages");
    if (pages.scrollWidth > pages.clientWidth + 1) found.push("the form scrolls sideways");
    for (const node of document.querySelectorAll(".oe-window *")) {
      const r = node.getBoundingClientRect();
      if (r.width === 0 || node.closest("[hidden]")) continue;
      if (r.right > win.right + 1 || r.left < win.left - 1)
        found.push(`${node.tagName.toLowerCase()}.${node.className}: ${Math.round(r.left)}–${Math.round(r.right)}`);
    }
    return found;
  });
}

async function open(page, editor, tab, state = PAGE) {
  await page.evaluate(([e, t, s]) => window.openEditor(e, t, s), [editor, tab, state]);
  await page.locator(".oe-modal").waitFor();
}
const result = (page) => page.waitForFunction(() => window.editorResult !== undefined)
  .then(() => page.evaluate(() => ({ closed: window.editorResult, writes: window.api.writes })));

const server = await serveRepo();
const origin = `http://127.0.0.1:${server.address().port}`;
// Both the test pages and the real editor run on this machine; nothing else is reached.
const { browser, profileDir } = await launchChromium("http://127.0.0.1:");
const problems = [];
try {
  const page = await browser.newPage();
  await page.setViewportSize({ width: 1366, height: 768 });
  page.on("pageerror", (e) => problems.push(`page error: ${e.message}`));
  await page.goto(`${origin}/tests/shell/web/editors/harness.html`);
  await page.waitForFunction(() => window.harnessReady);

  for (const editor of schema.editors.editors) {
    await open(page, editor.class);
    for (const tab of await page.locator(".oe-tab:visible").all()) {
      await tab.click();
      for (const p of await overflowsIn(page)) problems.push(`${editor.class} "${await tab.textContent()}": ${p}`);
    }
    await page.locator(".oe-tab:visible").first().click();
    if (args.out) {
      fs.mkdirSync(args.out, { recursive: true });
      await page.screenshot({ path: path.join(args.out, `${editor.class}.png`) });
    }
    await page.getByRole("button", { name: "Cancel", exact: true }).click();
    assert.deepEqual(await result(page), { closed: false, writes: [] }, `${editor.class} Cancel`);
  }

  // The keyboard stays in the editor, and the arrows go through its tabs.
  await open(page, "TSWFOptionForm", "Main");
  for (let i = 0; i < 40; i++) await page.keyboard.press("Tab");
  assert.ok(await page.evaluate(() => !!document.activeElement.closest(".oe-modal")), "focus left the editor");
  await page.getByRole("tab", { name: "Main" }).focus();
  await page.keyboard.press("ArrowRight");
  assert.equal(await page.locator(".oe-tab[aria-selected=true]").textContent(), "Welcome Loading");
  await page.getByRole("tab", { name: "Main" }).click();

  // OK sends the preset's size and rebuilds.
  await page.getByRole("button", { name: "468 × 60" }).click();
  await page.getByRole("button", { name: "OK", exact: true }).click();
  assert.deepEqual(await result(page), { closed: true,
    writes: [{ setFields: { SWFWidth: "468", SWFHeight: "60" } }, { rebuild: true }] });

  // A refused value keeps the editor open with the server's words; Escape then cancels.
  await open(page, "Tdynamictextform", "Text");
  await page.getByLabel("Left", { exact: true }).fill("25");
  await page.getByLabel("Left", { exact: true }).press("Tab");
  await page.evaluate(() => { window.api.refuseNext = "the text position is refused"; });
  await page.getByRole("button", { name: "OK", exact: true }).click();
  await page.getByRole("alert").filter({ hasText: "the text position is refused" }).waitFor();
  await page.keyboard.press("Escape");
  assert.deepEqual(await result(page), { closed: false, writes: [] }, "refused, then Escape");

  // Files picked through the dialog: from the data root's photos by name, from home by path.
  await open(page, "Tstaticimage_form", "Static Image 2");
  const pick = async (root, ...entries) => {
    await page.locator(".oe-page:visible").getByRole("button", { name: "Browse" }).click();
    const dialog = page.locator(".oe-file-dialog");
    await dialog.getByRole("button", { name: root, exact: true }).click();
    for (const entry of entries) await dialog.getByRole("button", { name: entry, exact: true }).click();
    if (args.out) await page.screenshot({ path: path.join(args.out, "file_dialog.png") });
    await dialog.getByRole("button", { name: "Open" }).click();
  };
  await pick("data", "photos/", "people/", "anna.jpg");
  const file = page.locator(".oe-page:visible input.oe-wide").first();
  assert.equal(await file.inputValue(), "people/anna.jpg");
  await pick("home", "Pictures/", "cat.png");
  assert.equal(await file.inputValue(), "/home/ann/Pictures/cat.png");
  await page.getByRole("button", { name: "OK", exact: true }).click();
  assert.deepEqual((await result(page)).writes[0],
    { setFields: { StaticImageText2: "/home/ann/Pictures/cat.png" } });

  if (args.orvanta) await useTheRealEditor(page);
} finally {
  await browser.close();
  fs.rmSync(profileDir, { recursive: true, force: true });
  server.close();
}

// `orvanta serve` in a folder of its own; resolves to the address it prints and the process.
function serveEditor(dir) {
  fs.mkdirSync(path.join(dir, "home"), { recursive: true });
  const child = spawn(args.orvanta, ["serve", "--no-browser", "--work", path.join(dir, "work")],
    { env: { ...process.env, HOME: path.join(dir, "home") }, stdio: ["ignore", "pipe", "inherit"] });
  let printed = "";
  return new Promise((resolve, reject) => {
    child.on("exit", (code) => reject(new Error(`orvanta serve stopped (${code}): ${printed}`)));
    child.stdout.on("data", (text) => {
      printed += text;
      const address = /Orvanta editor: (\S+)/.exec(printed)?.[1];
      if (address && printed.includes("ready in")) resolve({ child, address });
    });
  });
}

async function useTheRealEditor(page) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-editors-"));
  const { child, address } = await serveEditor(dir);
  try {
    await page.goto(address);
    const okAndWait = async () => {
      await page.getByRole("button", { name: "OK", exact: true }).click();
      await page.locator(".oe-modal").waitFor({ state: "detached", timeout: 60000 });
    };
    await page.getByRole("button", { name: "Banner Options", exact: true }).click();
    await page.getByRole("button", { name: "468 × 60" }).click();
    await okAndWait();
    await page.locator("li", { hasText: "[Layout] 468x60" }).waitFor({ timeout: 10000 });

    await page.getByRole("button", { name: "Animated Text", exact: true }).click();
    await page.getByLabel("Input Text").fill("Real editors");
    const face = page.getByLabel("Font", { exact: true });
    const family = (await face.locator("option").allTextContents()).at(-1);
    await face.selectOption(family);
    await page.locator(".oe-page:visible .oe-number").first().fill("40");
    await page.locator(".oe-page:visible .oe-number").first().press("Tab");
    if (args.out) await page.screenshot({ path: path.join(args.out, "real_animated_text.png") });
    await okAndWait();
    await page.locator("li", { hasText: "Animated Text" }).waitFor({ timeout: 10000 });
    const token = new URL(address).searchParams.get("token");
    const state = await (await fetch(new URL("/api/state", address),
      { headers: { "X-Orvanta-Token": token } })).json();
    assert.equal(state.blocks.InputText, "Real editors");
    assert.equal(state.blocks.AnimatedTextFont, `${family}|40`);
    if (args.out) {
      // The preview reloads after the rebuild; the picture is for people to look at.
      await page.waitForTimeout(3000);
      await page.screenshot({ path: path.join(args.out, "real_after_ok.png") });
    }
  } finally {
    child.removeAllListeners("exit");
    child.kill();
    fs.rmSync(dir, { recursive: true, force: true });
  }
}
if (problems.length) {
  console.error(problems.join("\n"));
  process.exit(1);
}
console.log(`${schema.editors.editors.length} editors opened, every tab fits at 1366 × 768` +
  (args.orvanta ? "; the real editor took the preset and the animated text" : ""));
