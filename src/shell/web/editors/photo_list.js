// The slideshow's photo list: entries added several at a time through the file browser, each
// once, removed, reordered, each shown with a thumbnail, and the selected one as the slideshow
// prepares it for its photo box. The list travels as one text, "|" between the entries.
import { displayCaption, el, uniqueId } from "./dom.js";

export const THUMBNAIL = { width: 64, height: 48 };

export function photoEntries(text) {
  return String(text ?? "").split("|").filter((e) => e !== "");
}

// The list with the chosen entries appended, each unless the list already holds that very entry
// ("1.jpg" after "11.jpg" is another photo).
export function addPhotos(entries, chosen) {
  const out = [...entries];
  for (const entry of chosen) if (entry !== "" && !out.includes(entry)) out.push(entry);
  return out;
}

export function removePhotos(entries, selected) {
  return entries.filter((e) => !selected.has(e));
}

// The selected entries one place up (step -1) or down (+1), keeping their order among
// themselves; one already at the edge stays there, and the others close up behind it.
export function movePhotos(entries, selected, step) {
  const out = [...entries];
  const order = step < 0 ? out.keys() : [...out.keys()].reverse();
  for (const i of order) {
    const j = i + step;
    if (selected.has(out[i]) && j >= 0 && j < out.length && !selected.has(out[j]))
      [out[i], out[j]] = [out[j], out[i]];
  }
  return out;
}

// The entry taken from its place and put before the one at index (at the end for the length).
export function dropPhoto(entries, entry, index) {
  const out = entries.filter((e) => e !== entry);
  const before = entries[index];
  const at = before === undefined ? out.length : out.indexOf(before);
  out.splice(at < 0 ? out.length : at, 0, entry);
  return out;
}

// The preview of the selected entry: the photo box's size and fit.
function previewOf(values) {
  return { width: Number(values.photowidth) || THUMBNAIL.width,
    height: Number(values.photoheight) || THUMBNAIL.height,
    fit: values.thumbcorp === "True" ? "crop" : "fit" };
}

export function photoListWidget(field, ctx, file) {
  const entries = () => photoEntries(ctx.session.values[field.name]);
  const store = (names) => ctx.set(field.name, names.join("|"));
  let selected = new Set();
  let anchor = null;
  // Pictures are answered without caching, so each row keeps its own across redraws.
  const rows = new Map();

  const list = el("ul", { class: "oe-photo-list", role: "listbox", tabIndex: 0,
    "aria-multiselectable": "true" });
  const caption = el("span", { class: "oe-caption", id: uniqueId(`${field.name}-caption`) },
    displayCaption(field.caption));
  list.setAttribute("aria-labelledby", caption.id);
  const preview = el("img", { class: "oe-photo-preview", alt: "" });
  const previewCaption = el("div", { class: "oe-hint" });
  const button = (text, onclick) => el("button", { type: "button", class: "oe-button", onclick }, text);
  const add = button("Add New", async () => {
    const chosen = await ctx.chooseFile(field, file, { multiple: true });
    if (chosen?.length) store(addPhotos(entries(), chosen));
  });
  // The photo that takes the first removed one's place is selected next, so that Delete can be
  // pressed again.
  const remove = button("Remove", () => {
    const all = entries();
    const next = removePhotos(all, selected);
    const following = next[Math.min(all.findIndex((e) => selected.has(e)), next.length - 1)];
    const inList = list.contains(document.activeElement);
    selected = new Set(following ? [following] : []);
    anchor = following ?? null;
    store(next);
    if (inList) (rows.get(following) ?? list).focus();
  });
  const removeAll = button("Remove All", () => {
    selected = new Set();
    store([]);
  });
  const up = button("Up", () => store(movePhotos(entries(), selected, -1)));
  const down = button("Down", () => store(movePhotos(entries(), selected, +1)));

  const select = (names, focus) => {
    selected = new Set(names);
    widget.update();
    if (focus) rows.get(focus)?.focus();
  };
  // Click picks one; Ctrl adds or drops one, Shift takes the run from the last one clicked.
  const clickRow = (entry, e) => {
    const all = entries();
    if (e.ctrlKey || e.metaKey) {
      const next = new Set(selected);
      next.has(entry) ? next.delete(entry) : next.add(entry);
      select(next);
    } else if (e.shiftKey && all.includes(anchor)) {
      const [from, to] = [all.indexOf(anchor), all.indexOf(entry)].sort((a, b) => a - b);
      select(all.slice(from, to + 1));
    } else select([entry]);
    if (!e.shiftKey) anchor = entry;
  };
  // Arrows go through the list, Alt+arrows carry the selection along, Delete removes it.
  list.addEventListener("keydown", (e) => {
    const all = entries();
    const at = all.indexOf(document.activeElement?.dataset?.entry ?? [...selected].at(-1));
    if (e.key === "Delete" && selected.size) remove.click();
    else if ((e.key === "ArrowUp" || e.key === "ArrowDown") && all.length) {
      const step = e.key === "ArrowUp" ? -1 : 1;
      if (e.altKey) {
        store(movePhotos(all, selected, step));
        rows.get([...selected][0])?.focus();
      } else {
        const next = all[Math.min(all.length - 1, Math.max(0, at < 0 ? 0 : at + step))];
        anchor = next;
        select([next], next);
      }
    } else if (e.key === "a" && (e.ctrlKey || e.metaKey)) select(all);
    else return;
    e.preventDefault();
    e.stopPropagation();
  });

  const rowOf = (entry) => {
    if (rows.has(entry)) return rows.get(entry);
    const thumbnail = el("img", { class: "oe-photo-thumb", alt: "", width: THUMBNAIL.width,
      height: THUMBNAIL.height, loading: "lazy", draggable: false,
      src: ctx.photoUrl(entry, { ...THUMBNAIL, fit: "fit" }) });
    thumbnail.addEventListener("error", () => {
      row.classList.add("oe-photo-missing");
      row.title = `${entry}: file not found or not a picture`;
    });
    const row = el("li", { class: "oe-photo", role: "option", tabIndex: -1, draggable: true,
      title: entry }, thumbnail, el("span", { class: "oe-photo-name" }, entry));
    row.dataset.entry = entry;
    row.addEventListener("click", (e) => clickRow(entry, e));
    row.addEventListener("dragstart", (e) => e.dataTransfer.setData("text/x-photo", entry));
    row.addEventListener("dragover", (e) => e.preventDefault());
    row.addEventListener("drop", (e) => {
      e.preventDefault();
      const dragged = e.dataTransfer.getData("text/x-photo");
      const all = entries();
      if (all.includes(dragged)) store(dropPhoto(all, dragged, all.indexOf(entry)));
    });
    rows.set(entry, row);
    return row;
  };

  const showPreview = (entry) => {
    preview.hidden = !entry;
    previewCaption.textContent = "";
    if (!entry) return;
    const box = previewOf(ctx.session.values);
    const src = ctx.photoUrl(entry, box);
    if (preview.getAttribute("src") !== src) preview.src = src;
    previewCaption.textContent = `${entry}, ${box.fit === "crop" ? "cropped to" : "fitted in"} ` +
      `${box.width} × ${box.height}`;
  };
  preview.addEventListener("error", () => {
    previewCaption.textContent = `${previewCaption.textContent.split(",")[0]}: file not found or not a picture`;
  });

  const widget = {
    element: el("div", { class: "oe-row oe-wide-row oe-photo-row" },
      caption,
      el("div", { class: "oe-control oe-photo-control" },
        list,
        el("div", { class: "oe-photo-side" },
          el("span", { class: "oe-inline" }, add, remove, removeAll, up, down),
          preview, previewCaption))),
    update() {
      const all = entries();
      for (const name of [...selected]) if (!all.includes(name)) selected.delete(name);
      for (const name of [...rows.keys()]) if (!all.includes(name)) rows.delete(name);
      const shown = all.map(rowOf);
      // Taking the rows out would drop the keyboard's place in the list.
      if (shown.some((row, i) => list.children[i] !== row) || list.children.length !== shown.length) {
        const focused = list.contains(document.activeElement) ? document.activeElement : null;
        list.replaceChildren(...shown);
        if (focused?.isConnected) focused.focus();
      }
      for (const row of shown) row.setAttribute("aria-selected", String(selected.has(row.dataset.entry)));
      remove.disabled = up.disabled = down.disabled = selected.size === 0;
      removeAll.disabled = all.length === 0;
      showPreview(all.find((e) => selected.has(e)));
    },
  };
  return widget;
}
