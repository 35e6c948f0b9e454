// Design mode as a person uses it, in headless Chromium: start `orvanta serve`, put a red static
// text and a library clip on the banner, click the text to select it, drag it 40 pixels and see
// the rebuilt movie draw it there, resize the clip by its corner, resize the banner to 468 × 60
// by its corner handle and delete the text with the Delete key. Prints the time from a drop to
// the updated preview.
//
//   node tests/e2e/design_e2e.mjs --orvanta=build/src/orvanta [--screenshots=DIR]

import { decodePngRgba } from "../conformance/image_metrics.mjs";
import { checkList, e2eArguments, runInEditor, screenshots, waitFor, waitIdle } from "./editor_harness.mjs";

const args = e2eArguments("design_e2e.mjs");
const { results, expect } = checkList();
const screenshot = screenshots(args.screenshots);

const fieldOf = (state, editor, name) => state.fields[editor][name];

// A point of the banner in page coordinates: the overlay lies over the banner's top left.
async function bannerPoint(page, x, y) {
  const box = await page.locator(".orvanta-design").boundingBox();
  return { x: box.x + x, y: box.y + y };
}

async function drag(page, from, to) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  // In steps, as a hand moves, so that the overlay draws the drag on its way.
  await page.mouse.move((from.x + to.x) / 2, (from.y + to.y) / 2, { steps: 4 });
  await page.mouse.move(to.x, to.y, { steps: 4 });
  await page.mouse.up();
}

// Red pixels the movie draws inside a banner rectangle, with the overlay out of the picture.
async function redPixels(page, rect) {
  const frame = page.frames().find((f) => /flashtemp\.htm/.test(f.url()));
  if (!frame) return 0;
  const playerDrawn = () =>
    !!document
      .querySelector("ruffle-embed, ruffle-object, ruffle-player")
      ?.shadowRoot?.querySelector("canvas");
  const ready = await frame.evaluate(playerDrawn).catch(() => false);
  if (!ready) return 0;
  const overlay = page.locator(".orvanta-design");
  await overlay.evaluate((node) => (node.style.visibility = "hidden"));
  const origin = await bannerPoint(page, rect.left, rect.top);
  const clip = { ...origin, width: rect.width, height: rect.height };
  const png = await page.screenshot({ clip });
  await overlay.evaluate((node) => (node.style.visibility = ""));
  const { data } = decodePngRgba(png);
  let count = 0;
  for (let i = 0; i < data.length; i += 4)
    if (data[i] > 160 && data[i + 1] < 90 && data[i + 2] < 90) count++;
  return count;
}

async function startBanner(page, api) {
  await waitIdle(page);
  await page.getByRole("button", { name: "New&Empty" }).click();
  await page.locator("dialog.content-editor").getByRole("button", { name: "Cancel" }).click();
  await waitIdle(page);
  await api.set({
    SWFWidth: 600,
    SWFHeight: 400,
    StaticText1: "MOVE ME MOVE ME MOVE ME",
    Description1PosX: 40,
    Description1PosY: 40,
    Description1color: 255, // red, as the colour fields hold it (blue, green, red)
    DescriptionBGEffect1: false,
    PageEffectID1: 1,
    PageBackGroundPosX1: 250,
    PageBackGroundPosY1: 200,
  });
  await page.locator('.od-tab[data-label="Static Text1"]').waitFor({ timeout: 10000 });
}

async function moveText(page, api) {
  const text = (await api.state()).design.slots.find((s) => s.label === "Static Text1");
  const onText = await bannerPoint(page, text.left + 5, text.top + text.height / 2);
  await page.mouse.click(onText.x, onText.y);
  await page.locator(".od-move-handle", { hasText: "Static Text1" }).waitFor({ timeout: 5000 });
  expect((await api.state()).selection === "Static Text1", "a click on the text selects it");
  const drawn = await waitFor("the text", async () => (await redPixels(page, text)) > 30);
  expect(drawn, "the movie draws the red text before the move");
  await screenshot(page, "1-selected");

  // Right of "Del", which stands over the item's top left under the move handle.
  const grab = await bannerPoint(page, text.left + text.width - 10, text.top + text.height / 2);
  await drag(page, grab, { x: grab.x + 40, y: grab.y });
  const dropped = performance.now();
  const stamps = {};
  page.once("framenavigated", () => (stamps.reload = Math.round(performance.now() - dropped)));
  const moved = { ...text, left: text.left + 40 };
  const vacated = { ...text, width: 40 };
  const shown = await waitFor(
    "the moved text in the movie",
    async () => (await redPixels(page, moved)) > 30 && (await redPixels(page, vacated)) < 5,
  );
  const ms = Math.round(performance.now() - dropped);
  const state = await api.state();
  const built = Math.round(state.buildMs);
  console.log(`rebuilt in ${built} ms; the preview reloaded ${stamps.reload} ms after the drop`);
  expect(
    fieldOf(state, "Tstatictextform", "Description1PosX") === "80",
    "the drop moved the text 40 pixels (Description1PosX 80)",
  );
  expect(shown, `the rebuilt preview draws the text 40 pixels further (${ms} ms after the drop)`);
  expect(state.selection === "Static Text1", "the moved text stays selected");
  await screenshot(page, "2-moved");
  return ms;
}

async function resizeClip(page, api) {
  await page.locator('.od-tab[data-label^="[MC1]"]').click();
  await page.locator(".od-move-handle", { hasText: "MovieClip1" }).waitFor({ timeout: 5000 });
  const clip = (await api.state()).design.selection;
  const corner = await page.locator(".od-resize").boundingBox();
  const from = { x: corner.x + corner.width / 2, y: corner.y + corner.height / 2 };
  await drag(page, from, { x: from.x + clip.width, y: from.y + clip.height });
  const scale = async () =>
    fieldOf(await api.state(), "TMovieClipform", "PageBackGroundScalewidth1");
  const resized = await waitFor("the clip at 200 %", async () => (await scale()) === "200");
  const size = `${clip.width} x ${clip.height}`;
  expect(resized, `the clip's corner dragged to twice its ${size} scales it to 200 %`);
  await screenshot(page, "3-clip-resized");

  await page.locator(".od-button", { hasText: "Edit" }).click();
  const editor = page.locator("dialog.content-editor");
  const opened = await editor.waitFor({ timeout: 10000 }).then(
    () => true,
    () => false,
  );
  expect(opened, '"Edit" of the selected clip opens its editor');
  await editor.getByRole("button", { name: "Cancel" }).click();
}

async function resizeBanner(page, api) {
  const corner = await page.locator(".od-page-corner").boundingBox();
  const target = await bannerPoint(page, 468, 60);
  await drag(page, { x: corner.x + 1, y: corner.y + 1 }, { x: target.x + 1, y: target.y + 1 });
  const done = await waitFor("the banner at 468 x 60", async () => {
    const s = await api.state();
    const size = ["SWFWidth", "SWFHeight"].map((name) => fieldOf(s, "TSWFOptionForm", name));
    return size.join("x") === "468x60";
  });
  expect(done, "the banner's corner dropped at (468, 60) makes it 468 x 60");
  const caption = () => page.locator(".od-page-corner").textContent();
  const captioned = await waitFor(
    "the caption",
    async () => (await caption()) === "Resize Webpage\n468x60",
  );
  expect(captioned, 'the corner shows "Resize Webpage" and 468x60');
  await screenshot(page, "4-banner-resized");
}

async function deleteText(page, api) {
  await page.locator('.od-tab[data-label="Static Text1"]').click();
  await page.locator(".od-move-handle", { hasText: "Static Text1" }).waitFor({ timeout: 5000 });
  await page.keyboard.press("Delete");
  const text = async () => (await api.state()).blocks.StaticText1;
  const gone = await waitFor("the text deleted", async () => (await text()) === "");
  expect(gone, "the Delete key deletes the selected text");
}

await runInEditor({ args, results, viewport: { width: 1366, height: 900 } }, async ({ page, api }) => {
  await startBanner(page, api);
  const ms = await moveText(page, api);
  await resizeClip(page, api);
  await resizeBanner(page, api);
  await deleteText(page, api);
  console.log(`drop to updated preview: ${ms} ms`);
});
