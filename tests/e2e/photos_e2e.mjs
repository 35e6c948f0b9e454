// The slideshow's photo list as a person uses it, in headless Chromium: on "New&Empty", open the
// slideshow editor, add three photos of the data root in one pass of the file dialog, see their
// thumbnails and the preview of the selected one, move the last one up, drag one onto another,
// remove one, OK, and find the list in that order in the document and the slideshow in the
// rebuilt banner. About 15 s.
//
//   node tests/e2e/photos_e2e.mjs --orvanta=build/src/orvanta [--screenshots=DIR]

import { checkList, e2eArguments, runInEditor, screenshots, waitIdle } from "./editor_harness.mjs";

const args = e2eArguments("photos_e2e.mjs");
const { results, expect: check } = checkList();
const screenshot = screenshots(args.screenshots);

// Every thumbnail in the list has loaded a picture of its own size.
const thumbnailsLoaded = (editor) => editor.locator(".oe-photo-thumb").evaluateAll((images) =>
  images.length > 0 && images.every((img) => img.complete && img.naturalWidth > 0));

async function run({ page, api }) {
  await waitIdle(page);
  await page.getByRole("button", { name: "New&Empty" }).click();
  await page.locator("dialog.content-editor").getByRole("button", { name: "Cancel" }).click();
  await waitIdle(page);

  await page.getByRole("button", { name: "SlideShow", exact: true }).click();
  const editor = page.locator("dialog.content-editor");
  await editor.getByRole("button", { name: "Add New" }).click();
  const dialog = page.locator(".oe-file-dialog");
  // The dialog opens in the data root's photos, JPG first; Ctrl-click and Shift-click pick three.
  await dialog.getByRole("button", { name: "photo01.jpg", exact: true }).click();
  await dialog.getByRole("button", { name: "photo02.jpg", exact: true }).click({ modifiers: ["Shift"] });
  await dialog.getByRole("button", { name: "photo05.jpg", exact: true }).click({ modifiers: ["Control"] });
  await screenshot(page, "photo-dialog");
  await dialog.getByRole("button", { name: "Open" }).click();
  await dialog.waitFor({ state: "detached" });
  const names = () => editor.locator(".oe-photo-name").allTextContents();
  check(JSON.stringify(await names()) === '["photo01.jpg","photo02.jpg","photo05.jpg"]',
    "three photos added in one pass, by their names in photos/");
  await page.waitForFunction(() => [...document.querySelectorAll(".oe-photo-thumb")]
    .every((img) => img.complete && img.naturalWidth > 0), null, { timeout: 10000 }).catch(() => {});
  check(await thumbnailsLoaded(editor), "every photo shows its thumbnail");

  // Adding one of them again adds nothing.
  await editor.getByRole("button", { name: "Add New" }).click();
  await dialog.getByRole("button", { name: "photo02.jpg", exact: true }).dblclick();
  await dialog.waitFor({ state: "detached" });
  check((await names()).length === 3, "a photo already in the list is not added twice");

  // The last one up by the keyboard, then the second removed.
  await editor.getByRole("option", { name: /photo05/ }).click();
  const preview = editor.locator(".oe-photo-preview");
  await page.waitForFunction(() => document.querySelector(".oe-photo-preview")?.naturalWidth > 0,
    null, { timeout: 10000 }).catch(() => {});
  const shown = await preview.evaluate((img) => `${img.naturalWidth} × ${img.naturalHeight}`);
  const box = `${await editor.getByLabel("Width", { exact: true }).inputValue()} × ` +
    `${await editor.getByLabel("Height", { exact: true }).inputValue()}`;
  check(shown === box, `the selected photo is previewed cropped to its photo box (${shown}, box ${box})`);
  await screenshot(page, "slideshow-photos");
  await editor.getByRole("button", { name: "Up", exact: true }).click();
  check(JSON.stringify(await names()) === '["photo01.jpg","photo05.jpg","photo02.jpg"]', '"Up" moves the selected photo');
  await editor.getByRole("option", { name: /photo02/ }).dragTo(editor.getByRole("option", { name: /photo01/ }));
  check(JSON.stringify(await names()) === '["photo02.jpg","photo01.jpg","photo05.jpg"]',
    "a photo dragged onto another takes its place");
  await editor.getByRole("option", { name: /photo01/ }).click();
  await page.keyboard.press("Delete");
  check(JSON.stringify(await names()) === '["photo02.jpg","photo05.jpg"]', "Delete removes the selected photo");
  check(JSON.stringify(await editor.locator('.oe-photo[aria-selected="true"]').allTextContents()) === '["photo05.jpg"]',
    "the photo after the removed one is selected");
  await screenshot(page, "slideshow-photos-edited");

  await editor.getByRole("button", { name: "OK", exact: true }).click();
  await editor.waitFor({ state: "detached", timeout: 60000 });
  await waitIdle(page);
  const state = await api.state();
  check(JSON.stringify(state.blocks.Photos) === '["photo02.jpg","photo05.jpg"]',
    `the document holds the photos in the list's order (${JSON.stringify(state.blocks.Photos)})`);
  await page.locator('[aria-label="Banner Content List"] li', { hasText: "SlideShow" })
    .waitFor({ timeout: 15000 }).then(() => check(true, "the rebuilt banner has a slideshow"),
      () => check(false, "the rebuilt banner has a slideshow"));
  if (args.screenshots) {
    // Past the album's fade-in.
    await page.waitForTimeout(4000);
    await screenshot(page, "slideshow-built");
  }
}

await runInEditor({ args, results }, run);
