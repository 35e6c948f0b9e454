// A grid of thumbnails with their captions. Pictures load lazily, so that a list of hundreds
// opens at once; one listener serves every tile. The arrows move the choice (up and down by a
// row as the grid wraps), Enter chooses, and the chosen tile is kept in view.
import { el } from "../dom.js";

// The pictures of about the first screenful are asked for at once, before any layout.
const kEagerPictures = 48;

export function createThumbnailGrid({ label, entries, pictureUrl, onPick, onChoose }) {
  const grid = el("div", { class: "og-grid", role: "listbox", tabIndex: 0, "aria-label": label });
  const tiles = new Map();
  const fragment = document.createDocumentFragment();
  for (const [i, entry] of entries.entries()) {
    const tile = el("div", { class: "og-tile", role: "option", "aria-selected": "false",
      title: entry.caption.trim() },
      entry.picture === false
        ? el("span", { class: "og-picture og-no-picture" })
        : el("img", { class: "og-picture", loading: i < kEagerPictures ? "eager" : "lazy",
          decoding: "async", alt: "", src: pictureUrl(entry) }),
      el("span", { class: "og-caption" }, entry.caption.trim()));
    tile.dataset.index = String(entry.index);
    tiles.set(String(entry.index), tile);
    fragment.append(tile);
  }
  grid.append(fragment);

  let chosen = null;
  const visible = () => [...tiles.values()].filter((t) => !t.hidden);

  // Scrolls the grid alone, not the form around it, to show the tile.
  function keepInView(tile) {
    if (!tile || tile.hidden) return;
    const top = tile.offsetTop, bottom = top + tile.offsetHeight;
    if (top < grid.scrollTop) grid.scrollTop = top;
    else if (bottom > grid.scrollTop + grid.clientHeight) grid.scrollTop = bottom - grid.clientHeight;
  }

  function select(index) {
    if (index != null && String(index) === chosen) return;
    tiles.get(chosen)?.setAttribute("aria-selected", "false");
    chosen = index == null ? null : String(index);
    const tile = tiles.get(chosen);
    tile?.setAttribute("aria-selected", "true");
    keepInView(tile);
  }

  // A grid first laid out when its tab shows brings its choice into view then.
  new ResizeObserver(() => keepInView(tiles.get(chosen))).observe(grid);

  const pick = (tile) => {
    if (!tile || tile.dataset.index === chosen) return;
    select(tile.dataset.index);
    onPick(Number(tile.dataset.index));
  };

  grid.addEventListener("click", (e) => pick(e.target.closest(".og-tile")));
  grid.addEventListener("dblclick", (e) => {
    const tile = e.target.closest(".og-tile");
    if (!tile) return;
    pick(tile);
    onChoose?.(Number(tile.dataset.index));
  });
  grid.addEventListener("keydown", (e) => {
    if (e.key === "Enter" && chosen != null && onChoose) {
      e.preventDefault();
      onChoose(Number(chosen));
      return;
    }
    const shown = visible();
    if (shown.length === 0) return;
    const at = shown.indexOf(tiles.get(chosen));
    const row = shown.filter((t) => t.offsetTop === shown[0].offsetTop).length;
    const step = { ArrowRight: 1, ArrowLeft: -1, ArrowDown: row, ArrowUp: -row }[e.key];
    const target = { Home: 0, End: shown.length - 1 }[e.key]
      ?? (step === undefined ? undefined : at < 0 ? 0 : Math.min(shown.length - 1, Math.max(0, at + step)));
    if (target === undefined) return;
    e.preventDefault();
    pick(shown[target]);
  });

  return {
    element: grid,
    select,
    // Shows only the entries named, by index; the others keep their tiles, hidden.
    show(indexes) {
      const wanted = new Set(indexes.map(String));
      for (const [index, tile] of tiles) tile.hidden = !wanted.has(index);
      grid.scrollTop = 0;
      keepInView(tiles.get(chosen));
    },
  };
}
