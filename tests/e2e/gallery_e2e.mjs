// The galleries as a person uses them, in headless Chromium against `orvanta serve`: in each
// gallery every thumbnail loads and the preview plays in Ruffle; an entry is picked, OK given,
// and the document holds it and the rebuilt banner shows it. Button style 25 through "Add
// Button", a panel style with its colour carried back, a clip of a category through "Add
// MovieClip", a loading screen and a music control, a photo border and a transition, a text
// effect, an art family and a background effect. Prints the time from "Add MovieClip" to the
// clip thumbnails shown.
//
//   node tests/e2e/gallery_e2e.mjs --orvanta=build/src/orvanta [--screenshots=DIR]

import { decodePngRgba } from "../conformance/image_metrics.mjs";
import { checkList, e2eArguments, runInEditor, screenshots, waitFor, waitIdle } from "./editor_harness.mjs";

const args = e2eArguments("gallery_e2e.mjs");
const { results, expect } = checkList();
const screenshot = screenshots(args.screenshots);

// Pixels of a screenshot that are not (near) white.
async function inkIn(page, clip) {
  const { data } = decodePngRgba(await page.screenshot({ clip }));
  let count = 0;
  for (let i = 0; i < data.length; i += 4) if (Math.min(data[i], data[i + 1], data[i + 2]) < 230) count++;
  return count;
}

// The banner's own pixels in a rectangle of banner pixels, the design overlay out of the way.
async function bannerInk(page, rect) {
  const box = await page.locator(".preview-frame").boundingBox();
  const overlay = page.locator(".design-host");
  await overlay.evaluate((node) => (node.style.visibility = "hidden"));
  const ink = await inkIn(page, { x: box.x + rect.left, y: box.y + rect.top, width: rect.width,
    height: rect.height });
  await overlay.evaluate((node) => (node.style.visibility = ""));
  return ink;
}

// Every thumbnail of the grid loads; the entries without a picture are named.
async function thumbnails(grid) {
  return grid.evaluate(async (node) => {
    const images = [...node.querySelectorAll("img.og-picture")];
    for (const image of images) image.loading = "eager";
    await Promise.all(images.map((image) => image.decode().catch(() => {})));
    return {
      tiles: node.querySelectorAll(".og-tile").length,
      broken: images.filter((i) => i.naturalWidth === 0).map((i) => i.closest(".og-tile").title),
      withoutPicture: [...node.querySelectorAll(".og-no-picture")].map((n) => n.closest(".og-tile").title),
    };
  });
}

// Ruffle plays the preview: the player's canvas is there and the pane shows more than white.
async function previewPlays(page, scope) {
  const element = scope.locator("iframe.og-preview-frame");
  const frame = await (await element.elementHandle()).contentFrame();
  const playerDrawn = () => !!document.querySelector("ruffle-embed, ruffle-object, ruffle-player")
    ?.shadowRoot?.querySelector("canvas");
  return waitFor("the preview player draws", async () => {
    if (!(await frame.evaluate(playerDrawn).catch(() => false))) return false;
    const box = await element.boundingBox();
    return box && (await inkIn(page, box)) > 40;
  }, 20000);
}

// One gallery: its thumbnails, the pick, and the preview of the picked entry.
async function useGallery(page, scope, grid, { name, pick }) {
  const { tiles, broken, withoutPicture } = await thumbnails(grid);
  expect(tiles > 0 && broken.length === 0,
    `${name}: all ${tiles} thumbnails load${broken.length ? ` (not: ${broken.slice(0, 5)})` : ""}`);
  expect(withoutPicture.every((caption) => caption === "None"),
    `${name}: only "None" goes without a picture (${withoutPicture.length ? withoutPicture : "none"})`);
  await grid.locator(`.og-tile[data-index="${pick}"]`).click();
  expect(await previewPlays(page, scope), `${name}: the preview of entry ${pick} plays in Ruffle`);
}

const editorDialog = (page) => page.locator("dialog.content-editor");
const picker = (page) => page.locator(".og-picker");

async function openEditor(page, button, tab) {
  await page.getByRole("button", { name: button, exact: true }).click();
  await editorDialog(page).waitFor();
  if (tab) await editorDialog(page).getByRole("tab", { name: tab, exact: true }).click();
}

async function okEditor(page, name) {
  await editorDialog(page).getByRole("button", { name: "OK", exact: true }).click();
  await editorDialog(page).waitFor({ state: "detached", timeout: 60000 });
  await waitIdle(page);
  await screenshot(page, `${name}-built`);
}

// A modal picker opened by one of the editor's buttons: pick, preview, OK.
async function throughPicker(page, opener, gallery) {
  await opener.click();
  await picker(page).waitFor();
  const grid = picker(page).locator(".og-grid");
  if (gallery.category) {
    await picker(page).getByLabel("Category").selectOption(gallery.category.name);
    const shown = await grid.locator(".og-tile:visible").count();
    expect(shown === gallery.category.size,
      `${gallery.name}: "${gallery.category.name}" shows its ${gallery.category.size} clips (${shown})`);
  }
  await useGallery(page, picker(page), grid, gallery);
  await screenshot(page, `${gallery.name}-picker`);
  if (gallery.check) await gallery.check(picker(page));
  await picker(page).getByRole("button", { name: "OK", exact: true }).click();
  await picker(page).waitFor({ state: "detached" });
}

async function inline(page, gallery) {
  const listbox = page.getByRole("listbox", { name: gallery.caption, exact: true });
  const scope = editorDialog(page).locator(".og-inline", { has: listbox });
  const grid = scope.locator(".og-grid");
  await useGallery(page, scope, grid, gallery);
  if (gallery.selected) {
    const shown = await scope.locator(".oe-selected").textContent();
    expect(shown === gallery.selected, `${gallery.name}: the editor shows "${gallery.selected}" (${shown})`);
  }
  await screenshot(page, `${gallery.name}-gallery`);
}

function fieldsHold(state, editor, expected) {
  return Object.entries(expected).every(([name, value]) => state.fields[editor][name] === value);
}

// How long from a click on "Add MovieClip" until the first row of clip thumbnails shows.
async function timeToClipThumbnails(page) {
  return page.evaluate(() => new Promise((resolve) => {
    const button = [...document.querySelectorAll("dialog.content-editor button")]
      .find((b) => b.textContent === "Add MovieClip");
    const start = performance.now();
    button.click();
    const shown = () => {
      const images = [...document.querySelectorAll(".og-picker img.og-picture")].slice(0, 6);
      if (images.length === 6 && images.every((i) => i.complete && i.naturalWidth > 0))
        resolve(Math.round(performance.now() - start));
      else requestAnimationFrame(shown);
    };
    shown();
  }));
}

await runInEditor({ args, results }, async ({ page, api: doc }) => {
  await waitIdle(page);
  await page.getByRole("button", { name: "New&Empty" }).click();
  await editorDialog(page).getByRole("button", { name: "Cancel" }).click();
  await waitIdle(page);
  // A white page, so that what the banner draws shows as ink whether or not the page has loaded
  // yet (the empty project's page is black). The photos come later: the slideshow lies over the
  // top left corner, where the button and the panel go.
  await doc.set({ SWFWidth: 600, SWFHeight: 400, PageBackGroundSolidColor: 0xffffff,
    buttonurlenabled0: false, bgsound: "calm.mp3", InputText: "Gallery" });
  const catalogue = await doc.catalogue();
  // A change from another client is not built by itself: once the page has it (its text is in
  // the content list), rebuild.
  await page.locator('[aria-label="Banner Content List"] li', { hasText: "Animated Text" }).waitFor();
  await page.getByRole("button", { name: "Rebuld Webpage" }).click();
  await waitIdle(page);

  // Button style 25 (120 × 28) goes into button 1, at (10, 10).
  const button = { left: 10, top: 10, width: 120, height: 28 };
  expect(await waitFor("the white page", async () => (await bannerInk(page, button)) < 100),
    "the banner starts on a white page");
  const blank = await bannerInk(page, button);
  await openEditor(page, "Button Bar");
  await throughPicker(page, editorDialog(page).getByRole("button", { name: "Add Button" }),
    { name: "button-styles", pick: 25 });
  await okEditor(page, "button-styles");
  expect(fieldsHold(await doc.state(), "Tbuttonform", { buttonindex1: "25", buttontext1: "link1" }),
    "Add Button → style 25 sets buttonindex1 = 25 and its caption");
  expect(await waitFor("the button", async () => (await bannerInk(page, button)) > blank + 200),
    "the rebuilt banner shows the button where style 25 stands");

  // A panel style for slot 1 (at 10, 20 and 50 × 50), its changed colour back in the slot.
  const panel = { left: 10, top: 20, width: 50, height: 50 };
  const underPanel = await bannerInk(page, panel);
  await openEditor(page, "Shape Panel", "Shape 1");
  await throughPicker(page, editorDialog(page).locator(".oe-page:visible").getByRole("button", { name: "Change" }),
    { name: "shape-styles", pick: 7, check: (p) => p.getByLabel("Border Color", { exact: true })
      .evaluate((input) => { input.value = "#ff0000"; input.dispatchEvent(new Event("change")); }) });
  expect((await editorDialog(page).locator(".og-slot-caption:visible").textContent()) === "Style:Panel7",
    'the slot reads "Style:Panel7"');
  await okEditor(page, "shape-styles");
  expect(fieldsHold(await doc.state(), "Tshapeboxform", { shape1listbox: "7", shape1color2: "255" }),
    "the shape gallery sets shape1listbox = 7 and carries the border colour back to the slot");
  expect(await waitFor("the panel", async () =>
    (await bannerInk(page, panel)) > underPanel + 200),
    "the rebuilt banner draws the panel");

  // A clip of the "Ball" category into the first free layer.
  const balls = catalogue.clipsByCategory.Ball;
  const category = { name: "Ball", size: balls.length };
  await openEditor(page, "MovieClip");
  const opened = await timeToClipThumbnails(page);
  console.log(`"Add MovieClip" to the first clip thumbnails shown: ${opened} ms`);
  await picker(page).getByRole("button", { name: "Cancel", exact: true }).click();
  let size = "";
  await throughPicker(page, editorDialog(page).getByRole("button", { name: "Add MovieClip" }), {
    name: "library-clips", pick: balls[0], category,
    check: async (p) => { size = await p.locator(".og-preview-caption").textContent(); },
  });
  expect(/^\d+x\d+$/.test(size), `the clip picker names the clip's size (${size})`);
  await okEditor(page, "library-clips");
  const clipState = await doc.state();
  expect(fieldsHold(clipState, "TMovieClipform", { PageEffectID1: String(balls[0]) }),
    `"Add MovieClip" puts clip ${balls[0]} into layer 1`);
  expect(clipState.content.some((line) => String(line.label ?? line).startsWith("[MC1]")),
    "the rebuilt banner lists the clip");

  // The loading screen and the music control, inline in the banner options.
  await openEditor(page, "Banner Options", "Welcome Loading");
  await inline(page, { name: "loading-screens", caption: "Loading screen", pick: 2,
    selected: `Selected:${catalogue.lists.find((l) => l.name === "Loading Screens").entries[2].caption}` });
  await editorDialog(page).getByRole("tab", { name: "Sound", exact: true }).click();
  await inline(page, { name: "music-controls", caption: "Music control", pick: 1,
    selected: `Selected:${catalogue.lists.find((l) => l.name === "Music Controls").entries[1].caption}` });
  await okEditor(page, "banner-options");
  expect(fieldsHold(await doc.state(), "TSWFOptionForm", { preloadindex: "2", bgsoundcontrol: "1" }),
    "the options take loading screen 2 and music control 1");

  // A picture border and a transition for the slideshow.
  await doc.set({ Photos: "photo01.jpg|photo02.jpg" });
  await openEditor(page, "SlideShow", "Add Photo Files");
  await inline(page, { name: "photo-borders", caption: "Border", pick: 4, selected: "Selected:Border 2" });
  await inline(page, { name: "transitions", caption: "Transition", pick: 6 });
  await okEditor(page, "slideshow");
  expect(fieldsHold(await doc.state(), "Tslideshowform", { photoborderindex: "4", slideshoweffect: "6" }),
    "the slideshow takes border 2 and transition 6");

  // A text effect, an art family (with the art fill on) and a background effect.
  await openEditor(page, "Animated Text", "Text");
  await inline(page, { name: "text-effects", caption: "Effect", pick: 5 });
  await editorDialog(page).getByRole("tab", { name: "Letter Look", exact: true }).click();
  await editorDialog(page).getByLabel("Art Text", { exact: true }).check();
  await editorDialog(page).getByRole("tab", { name: "Art Text", exact: true }).click();
  const gold = catalogue.lists.find((l) => l.name === "Art Families").entries
    .find((e) => e.field === "FontFrontArtText5");
  await inline(page, { name: "art-families", caption: "Art style", pick: gold.index });
  await editorDialog(page).getByRole("tab", { name: "Effects", exact: true }).click();
  const comet = catalogue.lists.find((l) => l.name === "Background Effects").entries
    .find((e) => e.field === "FontBackgroundEffectComet");
  await inline(page, { name: "background-effects", caption: "Background effect", pick: comet.index });
  await okEditor(page, "animated-text");
  expect(fieldsHold(await doc.state(), "Tdynamictextform", { TextEffectID: "5",
    FontFrontArtText5: "True", FontFrontArtTextIce: "False", FontBackgroundEffectComet: "True" }),
  "the animated text takes effect 5, the Gold art letters and the comet background");
});
