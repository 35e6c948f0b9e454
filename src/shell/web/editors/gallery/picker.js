// A modal gallery picker over a content editor: the thumbnails of one catalogue list, the clip
// categories where the list has them, the live preview of the entry picked, and OK / Cancel.
// Resolves to {index, colours} on OK (colours only for a picker that carries them) or null.
import { el, keepFocusIn } from "../dom.js";
import { colourToHex, hexToColour } from "../field_values.js";
import { catalogueList, entriesInCategory, pickers } from "./galleries.js";
import { createPreviewPane } from "./preview_pane.js";
import { galleryColours } from "./shape_colours.js";
import { ensureGalleryStylesheet } from "./stylesheet.js";
import { createThumbnailGrid } from "./thumbnail_grid.js";

export function openPicker({ api, host, catalogue, list: listName, selected, colours }) {
  ensureGalleryStylesheet();
  const config = pickers[listName];
  const list = catalogueList(catalogue, listName);
  // Nothing to pick from while the catalogue is being read.
  if (!list) return Promise.resolve(null);
  return new Promise((resolve) => {
    let index = list.entries.some((e) => e.index === Number(selected)) ? Number(selected) : null;
    const values = colours ? { ...colours } : null;
    const preview = createPreviewPane({ api, list: listName });
    const pickedName = el("div", { class: "og-picked-name" });
    const ok = el("button", { type: "button", class: "oe-button oe-primary", disabled: index == null,
      onclick: () => close({ index, ...(values ? { colours: values } : {}) }) }, "OK");
    const grid = createThumbnailGrid({
      label: config.title,
      entries: list.entries,
      pictureUrl: (e) => api.thumbnailUrl(listName, e.index),
      onPick: (picked) => {
        index = picked;
        ok.disabled = false;
        showPicked();
      },
      onChoose: () => ok.click(),
    });
    const count = el("span", { class: "og-count" });
    const showCategory = (category) => {
      const shown = entriesInCategory(catalogue, list, category);
      grid.show(shown.map((e) => e.index));
      count.textContent = `${shown.length} of ${list.entries.length}`;
    };
    const toolbar = config.categories && catalogue.clipCategories?.length
      ? el("div", { class: "og-toolbar" }, categoryChoice(catalogue.clipCategories, showCategory), count)
      : null;
    const showPicked = () => {
      pickedName.textContent = list.entries.find((e) => e.index === index)?.caption.trim() ?? "";
      preview.show(index, values ?? undefined);
    };
    const aside = el("aside", { class: "og-side" }, pickedName, preview.element,
      values ? colourControls(values, () => index != null && showPicked()) : null);

    const dialog = el("div", { class: "oe-modal og-picker", role: "dialog", "aria-modal": "true",
      "aria-label": config.title },
      el("div", { class: "oe-window og-window" },
        el("header", { class: "oe-title" }, config.title),
        toolbar,
        el("div", { class: "og-body" }, grid.element, aside),
        el("footer", { class: "oe-buttons" }, ok,
          el("button", { type: "button", class: "oe-button", onclick: () => close(null) }, "Cancel"))));
    // The editor under the picker keeps its own keys.
    dialog.addEventListener("keydown", (e) => {
      if (e.key === "Escape") close(null);
      if (e.key === "Tab") keepFocusIn(dialog, e);
      if (e.key === "Escape" || e.key === "Tab") e.stopPropagation();
    });
    const opener = document.activeElement;
    const close = (result) => {
      dialog.remove();
      opener?.focus();
      resolve(result);
    };

    host.append(dialog);
    if (toolbar) showCategory(catalogue.clipCategories[0]);
    grid.select(index);
    grid.element.focus();
    if (index != null) showPicked();
  });
}

function categoryChoice(categories, onChange) {
  const select = el("select", { class: "og-category", "aria-label": "Category" },
    ...categories.map((c) => el("option", { value: c }, c.trim())));
  select.addEventListener("change", () => onChange(select.value));
  return el("label", { class: "og-category-label" }, "Category ", select);
}

// The colour fields of the shape gallery; each change refreshes the preview.
function colourControls(values, onChange) {
  return el("fieldset", { class: "og-colours" }, el("legend", {}, "Colours"),
    ...galleryColours.map(({ flag: name, colour, caption }) => {
      const flag = el("input", { type: "checkbox", checked: values[name] === "True" });
      const swatch = el("input", { type: "color", class: "oe-colour", value: colourToHex(values[colour]),
        "aria-label": caption.replace(/^Change /, "") });
      flag.addEventListener("change", () => {
        values[name] = flag.checked ? "True" : "False";
        onChange();
      });
      swatch.addEventListener("change", () => {
        values[colour] = hexToColour(swatch.value);
        onChange();
      });
      return el("div", { class: "og-colour-row" }, el("label", {}, flag, caption), swatch);
    }));
}
