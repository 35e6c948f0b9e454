// The HTML text layers as a person uses them, in headless Chromium against `orvanta serve`:
// type a text into layer 1, make one word bold and red in the visual editor, see the layer text
// carry it and the rebuilt preview page show it; cancel the visual editor on awkward markup and
// get it back byte for byte; insert a picture from the home folder by its path and find it in
// the preview and in the published site's images/. Prints how long the visual editor took to
// become editable.
//
//   node tests/e2e/html_editor_e2e.mjs --orvanta=build/src/orvanta [--screenshots=DIR]

import fs from "node:fs";
import path from "node:path";

import { checkList, e2eArguments, runInEditor, screenshots, waitFor, waitIdle } from "./editor_harness.mjs";

const args = e2eArguments("html_editor_e2e.mjs");
const { results, expect } = checkList();
const screenshot = screenshots(args.screenshots);

// Mixed-case tags, CR LF, entities and characters beyond ASCII.
const kAwkward = "<B>Mixed</b>\r\n&amp; &nbsp;Gr\u00fc\u00dfe \u2713\r\n<P align=center>x</p>";
const kPicture = "my picture.jpg";

const layers = (page) => page.locator('dialog.content-editor[aria-label="HTML Text"]');
const layerPage = (page, n) => layers(page).locator(`section[data-tab="HTML Text ${n}"]`);
const visualEditor = (page) => page.locator('.html-editor[role="dialog"]');

async function openLayers(page, n) {
  await page.getByRole("button", { name: "HTML Text", exact: true }).click();
  await layers(page).waitFor({ timeout: 10000 });
  await layers(page).getByRole("tab", { name: `HTML Text ${n}` }).click();
}

// Opens the visual editor of layer n; resolves to its document's frame once it can be edited.
async function openVisualEditor(page, n) {
  const asked = performance.now();
  await layerPage(page, n).getByRole("button", { name: "HTML Editor" }).click();
  await visualEditor(page).getByRole("button", { name: "Bold" }).waitFor({ timeout: 10000 });
  await waitFor("the editable document", () =>
    visualEditor(page).getByRole("button", { name: "Bold" }).isEnabled());
  const frame = page.frames().find((f) => /\/htmledit\.html/.test(f.url()));
  return { frame, ms: Math.round(performance.now() - asked) };
}

const layerText = (page, n) => layerPage(page, n).locator("textarea").inputValue();

async function confirmLayers(page) {
  await layers(page).getByRole("button", { name: "OK", exact: true }).click();
  await layers(page).waitFor({ state: "detached", timeout: 60000 });
  await waitIdle(page);
}

// The preview page's layer 10n once it is loaded with the text.
async function previewLayer(page, n, contains) {
  let html = "";
  await waitFor(`layer ${n} in the preview`, async () => {
    const frame = page.frames().find((f) => /\/flashtemp\.htm/.test(f.url()));
    html = (await frame?.evaluate((id) => document.getElementById(id)?.innerHTML ?? "",
      `Layer10${n}`).catch(() => "")) ?? "";
    return html.includes(contains);
  });
  return html;
}

async function boldAndRed(page) {
  await openLayers(page, 1);
  const options = layerPage(page, 1).getByLabel("Left");
  expect(!(await options.isVisible()), "an empty layer hides its position, size and glow");
  await layerPage(page, 1).locator("textarea").fill("Hello world");
  expect(await options.isVisible(), "a layer with text shows its options");
  await screenshot(page, "1-layer-list");

  const { frame, ms } = await openVisualEditor(page, 1);
  console.log(`visual editor editable ${ms} ms after the click`);
  // The word as a double click selects it.
  await frame.evaluate(() => {
    const text = document.body.firstChild;
    const range = document.createRange();
    range.setStart(text, 6);
    range.setEnd(text, 11);
    getSelection().removeAllRanges();
    getSelection().addRange(range);
  });
  const bold = visualEditor(page).getByRole("button", { name: "Bold" });
  await bold.click();
  await waitFor("Bold pressed", async () => (await bold.getAttribute("aria-pressed")) === "true");
  expect((await bold.getAttribute("aria-pressed")) === "true", "the toolbar shows the word bold");
  await visualEditor(page).getByLabel("Colour").fill("#ff0000");
  await screenshot(page, "2-visual-editor");
  await visualEditor(page).getByRole("button", { name: "OK & Save" }).click();
  await visualEditor(page).waitFor({ state: "detached", timeout: 10000 });

  const text = await layerText(page, 1);
  const styled = /<(b|strong)>/i.test(text) && /color="#ff0000"/i.test(text) &&
    text.startsWith("Hello ") && text.includes("world");
  expect(styled, `the layer text carries the bold red word: ${JSON.stringify(text)}`);
  await confirmLayers(page);
  const shown = await previewLayer(page, 1, "world");
  expect(/<(b|strong)>/i.test(shown) && /#ff0000/i.test(shown),
    `the rebuilt preview page shows it in Layer101: ${JSON.stringify(shown)}`);
  await screenshot(page, "3-preview");
}

async function cancelKeepsTheText(page, api) {
  await api.set({ HtmlText2: kAwkward });
  await api.post("preview-mode", { mode: "preview" });
  await openLayers(page, 2);
  const { frame } = await openVisualEditor(page, 2);
  // An edit made and then cancelled.
  await frame.evaluate(() => document.execCommand("selectAll"));
  await visualEditor(page).getByRole("button", { name: "Italic" }).click();
  await visualEditor(page).getByRole("button", { name: "Cancel" }).click();
  await visualEditor(page).waitFor({ state: "detached", timeout: 10000 });
  await confirmLayers(page);
  const kept = (await api.state()).blocks.HtmlText2;
  expect(kept === kAwkward, `Cancel returns the text byte for byte: ${JSON.stringify(kept)}`);
  // The editor was opened in preview mode.
  const designed = await waitFor("design mode", async () =>
    (await api.state()).previewMode === "design" &&
    page.frames().some((f) => /\/flashtemp\.htm/.test(f.url())), 10000);
  expect(designed, "after the HTML text editor the preview shows flashtemp.htm");
}

async function pictureByPath(page, api, home) {
  await openLayers(page, 3);
  await layerPage(page, 3).locator("textarea").fill("Look: ");
  const { frame } = await openVisualEditor(page, 3);
  await frame.evaluate(() => {
    getSelection().collapse(document.body, document.body.childNodes.length);
  });
  await visualEditor(page).getByRole("button", { name: "Insert Image" }).click();
  const prompt = page.locator('.oe-prompt[aria-label="Insert Image"]');
  await prompt.getByRole("button", { name: "Browse" }).click();
  // The dialog opens in the home folder.
  const files = page.locator(".oe-file-dialog");
  await files.getByRole("button", { name: kPicture }).click();
  await files.getByRole("button", { name: "Open" }).click();
  await prompt.getByRole("button", { name: "OK" }).click();
  const inEditor = await waitFor("the picture in the visual editor", () => frame.evaluate(() => {
    const img = document.querySelector("img");
    return img && getComputedStyle(img).content.includes("htmledit_files");
  }));
  expect(inEditor, "the visual editor shows the picture from a copy while the text keeps its path");
  await screenshot(page, "4-picture-in-editor");
  await visualEditor(page).getByRole("button", { name: "OK & Save" }).click();
  await visualEditor(page).waitFor({ state: "detached", timeout: 10000 });
  const text = await layerText(page, 3);
  expect(text.includes(path.join(home, kPicture)), `the layer keeps the picked path: ${text}`);
  await confirmLayers(page);

  const shown = await previewLayer(page, 3, "<img");
  const frame2 = page.frames().find((f) => /\/flashtemp\.htm/.test(f.url()));
  const loaded = await waitFor("the picture in the preview", () => frame2.evaluate(() =>
    document.querySelector("#Layer103 img")?.naturalWidth > 0));
  expect(loaded && shown.includes("images/html/my%20picture.jpg"),
    `the preview shows the picture from its copy: ${shown}`);

  const published = await api.post("publish", { root: "home", path: "site" });
  const site = path.join(home, "site");
  const copied = fs.existsSync(path.join(site, "images", "html", kPicture));
  const pageText = fs.readFileSync(path.join(site, "index.html")).toString("utf16le");
  expect(copied && pageText.includes('src="images/html/my%20picture.jpg"'),
    `publishing copies the picture into images/ and the page refers to it (${published.error ?? "ok"})`);
}

// A picture in the home folder, with a space in its name as pictures often have.
function preparePicture(dir) {
  const photos = path.join(path.dirname(path.resolve(args.orvanta)), "data", "photos");
  const photo = fs.readdirSync(photos).find((f) => f.endsWith(".jpg"));
  fs.mkdirSync(path.join(dir, "home"));
  fs.copyFileSync(path.join(photos, photo), path.join(dir, "home", kPicture));
}

await runInEditor({ args, results, prepare: preparePicture }, async ({ page, api, dir }) => {
  await waitIdle(page);
  await page.getByRole("button", { name: "New&Empty" }).click();
  await page.locator("dialog.content-editor").getByRole("button", { name: "Cancel" }).click();
  await waitIdle(page);
  await boldAndRed(page);
  await cancelKeepsTheText(page, api);
  await pictureByPath(page, api, path.join(dir, "home"));
});
