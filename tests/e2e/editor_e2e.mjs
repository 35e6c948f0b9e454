// The editor as a person uses it, in headless Chromium: start `orvanta serve`, wait for the
// templates, open a sample, read the content list, change the banner, rebuild and see the movie
// change inside Ruffle, undo, add and delete pages up to their limits, save, start anew and load
// the saved project back. Prints how long the editor took to become usable.
//
//   node tests/e2e/editor_e2e.mjs --orvanta=build/src/orvanta [--screenshots=DIR]

import fs from "node:fs";
import path from "node:path";

import { decodePngRgba } from "../conformance/image_metrics.mjs";
import { checkList, documentApi, e2eArguments, screenshots, waitFor, waitIdle, withEditor } from "./editor_harness.mjs";

const args = e2eArguments("editor_e2e.mjs");
const { results, expect: check } = checkList();
const screenshot = screenshots(args.screenshots);

const kAnimatedText = "ORVANTA E2E";
const listLines = (page, name) => page.locator(`[aria-label="${name}"] li`).allTextContents();
const contentLine = (page, text) => page.locator('[aria-label="Banner Content List"] li', { hasText: text });

async function dismissMessage(page) {
  const dialog = page.locator("dialog.message");
  await dialog.waitFor({ timeout: 10000 });
  const text = await dialog.locator(".message-text").textContent();
  await dialog.getByRole("button", { name: "OK" }).click();
  return text;
}

// The player of the preview page, once it plays.
async function shownPlayer(page) {
  const frame = page.frames().find((f) => /flashtemp(_center)?\.htm/.test(f.url()));
  const player = await frame.waitForFunction(() => {
    const p = document.querySelector("ruffle-embed, ruffle-object, ruffle-player");
    return p && p.shadowRoot?.querySelector("canvas") ? p : null;
  }, null, { timeout: 40000 });
  return { frame, player };
}

// What the movie alone draws in the banner: the strips hidden, the page green behind it.
async function moviePixels(page, { width, height }) {
  const { frame, player } = await shownPlayer(page);
  await frame.addStyleTag({ content: ".strips { visibility: hidden } html, body { background: #00ff00 !important }" });
  // Past the loading frames and the text effect's entrance.
  await page.waitForTimeout(2500);
  const box = await player.boundingBox();
  return decodePngRgba(await page.screenshot({ clip: { x: box.x, y: box.y, width, height } }));
}

function differingPixels(a, b) {
  let count = 0;
  for (let i = 0; i < Math.min(a.data.length, b.data.length); i += 4)
    if (Math.abs(a.data[i] - b.data[i]) + Math.abs(a.data[i + 1] - b.data[i + 1]) + Math.abs(a.data[i + 2] - b.data[i + 2]) > 60) count++;
  return count;
}

// OK of the open content editor, and the build it starts.
async function confirmEditor(page) {
  await page.locator("dialog.content-editor").getByRole("button", { name: "OK", exact: true }).click();
  await page.locator("dialog.content-editor").waitFor({ state: "detached", timeout: 60000 });
  await waitIdle(page);
}

async function chooseInFileDialog(page, { typed, pick }) {
  const dialog = page.locator("dialog.file-dialog");
  await dialog.waitFor();
  if (typed) {
    await dialog.locator("input.file-name").fill(typed);
    await dialog.getByRole("button", { name: /^(Save|Open)$/ }).click();
  } else {
    await dialog.getByRole("option", { name: pick }).dblclick();
  }
  await dialog.waitFor({ state: "detached" });
}

async function run(page, { server, address, api, started, home }) {
  const opening = performance.now();
  await page.goto(address);
  await waitIdle(page);
  await page.locator(".sample").first().waitFor();
  const now = performance.now();
  console.log(`editor usable ${Math.round(now - opening)} ms after its address was opened, ` +
    `${Math.round(now - started)} ms after the program started (the browser's own start between)`);
  await screenshot(page, "1-opened");
  check(await page.locator(".preview-bar").evaluate((bar) => getComputedStyle(bar).visibility === "hidden"),
    "the preview bar waits for the first build");
  check(await page.getByRole("button", { name: "Save Project" }).isDisabled(), '"Save Project" waits for the first build');

  // A sample when the data root has one, else the empty banner.
  const sample = page.locator(".sample:not(:disabled)").first();
  if (await sample.count()) {
    await sample.click();
  } else {
    console.log('no sample project in the data root: starting from "New&Empty"');
    await page.getByRole("button", { name: "New&Empty" }).click();
    await page.locator("dialog.content-editor").getByRole("button", { name: "Cancel" }).click();
  }
  await waitIdle(page);
  await page.locator(".preview-bar:not(.unbuilt)").waitFor();
  const opened = await api.state();
  check(JSON.stringify(await listLines(page, "Banner Content List")) === JSON.stringify(opened.content.map((c) => c.label)),
    "the content list shows the document's items");
  check((await listLines(page, "Banner Content List")).some((line) => line.startsWith("[Layout]")), "the content list has the layout line");
  check(await page.getByRole("button", { name: "Save Project" }).isEnabled(), '"Save Project" is offered after the build');
  await waitFor("the preview page", () => page.frames().some((f) => f.url().endsWith("/flashtemp.htm")), 15000);
  await shownPlayer(page);
  await screenshot(page, "2-sample");

  // The 468 × 60 preset of Banner Options; OK builds the banner.
  await page.getByRole("button", { name: "Banner Options", exact: true }).click();
  await page.getByRole("button", { name: "468 × 60" }).click();
  await confirmEditor(page);
  await contentLine(page, "[Layout] 468x60").waitFor({ timeout: 15000 });
  const size = { width: 468, height: 60 };
  const before = await moviePixels(page, size);

  const sampleText = (await api.state()).blocks.InputText;
  // The animated text, placed inside the short banner (its default top is below 60 pixels).
  await page.getByRole("button", { name: "Animated Text", exact: true }).click();
  await page.getByLabel("Input Text").fill(kAnimatedText);
  await page.getByRole("tab", { name: "Text", exact: true }).click();
  await page.locator(".oe-page:visible").getByLabel("Top", { exact: true }).fill("5");
  await confirmEditor(page);
  await contentLine(page, "Animated Text").waitFor({ timeout: 15000 });
  check((await api.state()).blocks.InputText === kAnimatedText, "the Animated Text editor sets the text");
  await page.getByRole("button", { name: "Rebuld Webpage" }).click();
  await waitIdle(page);
  // Past the loading screen, for the picture.
  await shownPlayer(page);
  await page.waitForTimeout(3000);
  await screenshot(page, "3-rebuilt");
  const after = await moviePixels(page, size);
  const changed = differingPixels(before, after);
  check(changed > 150, `the movie in the preview changed after the rebuild (${changed} pixels)`);

  // The two preview pages, and a link to a page that is not published yet.
  const previewFrame = (page_) => page.frames().find((f) => f.url().endsWith(`/${page_}`));
  await page.getByLabel("Preview Mode").check();
  check(await waitFor("flashtemp_center.htm", () => previewFrame("flashtemp_center.htm"), 15000), "Preview Mode shows the centred page");
  await page.getByLabel("Design/Edit Mode").check();
  check(await waitFor("flashtemp.htm", () => previewFrame("flashtemp.htm"), 15000), "Design/Edit Mode shows the left-aligned page");
  const frame = previewFrame("flashtemp.htm");
  await frame.goto(new URL("page2.html", frame.url()).href);
  check((await dismissMessage(page)).startsWith('Can not open link "page2.html"\nPlease [Pubilsh Webpage] first !'),
    "a link to a page not yet published shows the link message");
  check(await waitFor("flashtemp.htm", () => previewFrame("flashtemp.htm"), 15000), "the preview returns to the page after the link message");

  // The sample panel's sizes: the button of the current size is disabled.
  const sizeButton = (name) => page.locator(".size-buttons").getByRole("button", { name });
  await sizeButton("Hide").click();
  check((await sizeButton("Hide").isDisabled()) && (await sizeButton("Medium").isEnabled()) &&
    !(await page.locator(".sample-grid").isVisible()), '"Hide" leaves the sample panel\'s buttons only');
  await sizeButton("Medium").click();

  // Undo takes the text back.
  await page.getByRole("button", { name: "Undo" }).click();
  await waitIdle(page);
  const undone = await api.state();
  check(undone.blocks.InputText === sampleText, "Undo brings back the page before the text");
  check(
    JSON.stringify(await listLines(page, "Banner Content List")) ===
      JSON.stringify(undone.content.map((c) => c.label)),
    "the content list follows Undo",
  );
  // A change made elsewhere (another tab, a script) shows in this window: Undo is offered again.
  check(await page.getByRole("button", { name: "Undo" }).isDisabled(), "Undo is one level deep");
  await api.set({ InputText: kAnimatedText });
  await page.locator('button[data-command="undo"]:enabled').waitFor({ timeout: 15000 });

  // Ten pages at most; index.html stays.
  const newPage = page.getByRole("button", { name: "New", exact: true });
  for (let pages = (await listLines(page, "Recent Webpage")).length; pages < 10; pages++) {
    await newPage.click();
    await waitIdle(page);
  }
  check((await listLines(page, "Recent Webpage")).length === 10, 'ten pages made with "New"');
  await newPage.click();
  await page.locator("dialog.message").waitFor();
  await screenshot(page, "4-message");
  check((await dismissMessage(page)) === "Max 10 webpages!", 'an eleventh page is refused with "Max 10 webpages!"');
  await page.locator('[aria-label="Recent Webpage"] li').first().click();
  await waitIdle(page);
  const pageDelete = page.locator(".pages").getByRole("button", { name: "Del" });
  await pageDelete.click();
  check((await dismissMessage(page)) === "Can not remove index.html webpage file!", "index.html cannot be deleted");
  await page.locator('[aria-label="Recent Webpage"] li').last().click();
  await waitIdle(page);
  await pageDelete.click();
  await waitIdle(page);
  check((await listLines(page, "Recent Webpage")).length === 9, "a page other than index.html is deleted");
  await page.locator('[aria-label="Recent Webpage"] li').first().click();
  await waitIdle(page);

  // Save, start anew, load it back.
  await page.getByRole("button", { name: "Save Project" }).click();
  await chooseInFileDialog(page, { typed: "e2e" });
  await page.waitForFunction(() => document.querySelector(".status-bar").value.startsWith("Saved"));
  check(fs.existsSync(path.join(home, "e2e.fls")), 'a name typed without extension is saved as "e2e.fls"');
  check(await page.title() === `Orvanta [${path.join(home, "e2e.fls")}]`, "the window's caption names the saved project");

  // Published into a folder of the home, in the mode the dialog opens with.
  fs.mkdirSync(path.join(home, "site"));
  await page.getByRole("button", { name: "Publish Banner" }).click();
  await page.getByRole("button", { name: "Save to Folder" }).click();
  await page.locator("dialog.file-dialog").getByRole("option", { name: "site" }).dblclick();
  await page.getByRole("button", { name: "Select Folder" }).click();
  await page.locator("dialog.publish-dialog").getByRole("button", { name: "Save", exact: true }).click();
  check(/^Published \d+ files/.test(await dismissMessage(page)) && fs.existsSync(path.join(home, "site", "index.swf")),
    '"Publish Banner" writes the page and its movie');

  await page.getByRole("button", { name: "New&Empty" }).click();
  await page.locator("dialog.content-editor").getByRole("button", { name: "Cancel" }).click();
  await waitIdle(page);
  check((await api.state()).blocks.InputText === "" && await page.title() === "Orvanta v6.08",
    '"New&Empty" starts an empty, untitled banner');
  await page.getByRole("button", { name: "Load Project" }).click();
  await chooseInFileDialog(page, { pick: "e2e.fls" });
  await waitIdle(page);
  const reloaded = await api.state();
  check(reloaded.blocks.InputText === kAnimatedText && reloaded.pages.length === 9, "the saved project loads back with its text and pages");
  check(
    (await listLines(page, "Banner Content List")).includes("Animated Text"),
    "the loaded project's content list shows the text",
  );

  // Delete in the content list removes the selected item (and only there).
  await contentLine(page, "Animated Text").click();
  await page.locator('button[data-command="deleteContent"]:enabled').waitFor({ timeout: 15000 });
  await page.locator(".pages .list-box").focus();
  await page.keyboard.press("Delete");
  await waitIdle(page);
  check((await api.state()).blocks.InputText === kAnimatedText, "Delete outside the content list removes nothing");
  await page.locator(".content .list-box").focus();
  await page.keyboard.press("Delete");
  await waitIdle(page);
  check(await contentLine(page, "Animated Text").waitFor({ state: "detached", timeout: 15000 }).then(() => true, () => false),
    "Delete in the content list removes the selected item");

  // "Exit & Close" ends the program as Ctrl-C does.
  const exited = new Promise((resolve) => server.once("exit", resolve));
  await page.getByRole("button", { name: "Exit & Close" }).click();
  await page.locator(".closed").waitFor();
  check((await exited) === 0, '"Exit & Close" stops the program cleanly');
}

await withEditor({ orvanta: args.orvanta, screenshots: args.screenshots, failures: results.failures },
  (page, editor) => run(page, { ...editor, api: documentApi(editor.address) }));
for (const failure of results.failures) console.log(`FAIL: ${failure}`);
console.log(`${results.passed} passed, ${results.failures.length} failed`);
process.exit(results.failures.length ? 1 : 0);
