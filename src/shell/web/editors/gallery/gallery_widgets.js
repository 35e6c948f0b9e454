// The editor controls the galleries make: a slot that shows its entry's thumbnail and opens the
// modal picker ("Change"), an inline picture list with its live preview, and an option group
// shown as tiles. Each is a widget as widgets.js makes them: {element, update()}.
import { displayCaption, el, uniqueId } from "../dom.js";
import { catalogueList, galleryOfField, galleryOfGroup } from "./galleries.js";
import { createPreviewPane } from "./preview_pane.js";
import { coloursFromSlot, coloursToSlot } from "./shape_colours.js";
import { ensureGalleryStylesheet } from "./stylesheet.js";
import { createThumbnailGrid } from "./thumbnail_grid.js";

// A gallery control for the field, or null when no gallery serves it or the catalogue does not
// hold its list (the editor then offers its plain choice).
export function galleryWidget(field, ctx) {
  const gallery = galleryOfField(field.name);
  const list = gallery && catalogueList(ctx.session.catalogue, gallery.list);
  if (!list) return null;
  ensureGalleryStylesheet();
  return gallery.picker ? slotWidget(field, ctx, list, gallery.picker) : inlineWidget(field, ctx, list);
}

export function galleryGroupWidget(row, ctx) {
  const gallery = galleryOfGroup(row.name);
  const list = gallery && catalogueList(ctx.session.catalogue, gallery.list);
  if (!list) return null;
  ensureGalleryStylesheet();
  return tileGroupWidget(row, ctx, list);
}

function entryOf(list, value) {
  return list.entries.find((e) => String(e.index) === String(value)) ?? null;
}

function slotWidget(field, ctx, list, picker) {
  const picture = el("span", { class: "og-slot-picture" });
  const caption = el("span", { class: "og-slot-caption" });
  const change = el("button", { type: "button", class: "oe-button" }, "Change");
  change.addEventListener("click", async () => {
    const values = ctx.session.values;
    const chosen = await ctx.pick({ list: list.name, selected: values[field.name],
      colours: picker.colours ? coloursFromSlot(values, field.name) : undefined });
    if (!chosen) return;
    ctx.set(field.name, String(chosen.index));
    for (const [name, value] of Object.entries(chosen.colours ? coloursToSlot(chosen.colours, field.name) : {}))
      ctx.set(name, value);
  });
  const element = el("div", { class: "oe-row og-slot" },
    el("span", { class: "oe-caption" }, displayCaption(field.caption)),
    el("div", { class: "oe-control" }, picture, caption, change));
  return {
    element,
    update() {
      const entry = entryOf(list, ctx.session.values[field.name]);
      const shown = entry?.picture !== false && entry != null && entry.index > 0;
      picture.replaceChildren(shown
        ? el("img", { alt: "", src: ctx.api.thumbnailUrl(list.name, entry.index) })
        : el("span", { class: "og-no-picture" }, "None"));
      caption.textContent = `${picker.slotLabel ?? ""}${entry ? entry.caption.trim() : "None"}`;
      change.disabled = ctx.disabled(field.name);
    },
  };
}

// A picture list in the editor's form, and the preview of the entry last picked.
// A list without a "None" of its own, for a field whose nothing is -1 (no transition), gets one.
function inlineWidget(field, ctx, list) {
  const noneOfItsOwn = field.default === "-1" && !list.entries.some((e) => e.caption.trim() === "None");
  const entries = noneOfItsOwn ? [{ index: -1, caption: "None", picture: false }, ...list.entries]
    : list.entries;
  const preview = createPreviewPane({ api: ctx.api, list: list.name });
  const grid = createThumbnailGrid({
    label: displayCaption(field.caption),
    entries,
    pictureUrl: (e) => ctx.api.thumbnailUrl(list.name, e.index),
    onPick: (index) => {
      ctx.set(field.name, String(index));
      if (index >= 0) preview.show(index);
      else preview.clear();
    },
  });
  const selected = ctx.session.rules.selected?.includes(field.name)
    ? el("span", { class: "oe-selected" }) : null;
  return galleryRow(displayCaption(field.caption), grid, preview, selected, () => {
    const value = ctx.session.values[field.name];
    grid.select(value);
    if (selected) selected.textContent = `Selected:${entryOf(list, value)?.caption.trim() ?? ""}`;
    return ctx.disabled(field.name);
  });
}

// An option group as tiles: each entry names the option it sets, and exactly one is set.
function tileGroupWidget(row, ctx, list) {
  const options = new Set(row.fields.map((f) => f.name));
  const entries = list.entries.filter((e) => options.has(e.field));
  const preview = createPreviewPane({ api: ctx.api, list: list.name });
  const grid = createThumbnailGrid({
    label: row.name,
    entries,
    pictureUrl: (e) => ctx.api.thumbnailUrl(list.name, e.index),
    onPick: (index) => {
      ctx.set(entries.find((e) => e.index === index).field, "True");
      preview.show(index);
    },
  });
  const legend = row.name.charAt(0).toUpperCase() + row.name.slice(1);
  return galleryRow(legend, grid, preview, null, () => {
    grid.select(entries.find((e) => ctx.session.values[e.field] === "True")?.index);
    return entries.every((e) => ctx.disabled(e.field));
  });
}

// A gallery across the form's width: its caption, the grid and the preview beside it. refresh()
// shows the session's value and says whether the gallery is disabled.
function galleryRow(caption, grid, preview, selected, refresh) {
  const id = uniqueId("gallery");
  grid.element.setAttribute("aria-labelledby", id);
  const element = el("div", { class: "og-inline" },
    el("div", { class: "og-inline-head" }, el("span", { class: "oe-caption", id }, caption), selected),
    el("div", { class: "og-inline-body" }, grid.element, preview.element));
  return {
    element,
    update() {
      const disabled = refresh();
      element.classList.toggle("og-disabled", disabled);
      grid.element.inert = disabled;
    },
  };
}
