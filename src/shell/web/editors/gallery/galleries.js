// Which fields pick from which catalogue list, and how: through a modal picker opened from the
// field's slot ("Change"), or inline, as a picture list in the editor's own form.

// The modal pickers, by catalogue list: their window title and what they add to the gallery.
export const pickers = {
  "Button Styles": { title: "Button Index" },
  "Shape Styles": { title: "Shape Style", slotLabel: "Style:", colours: true },
  "Library Clips": { title: "MovieClip Select", categories: true },
};

const pickedThrough = [
  [/^buttonindex_?\d+$/, "Button Styles"],
  [/^shape\dlistbox$/, "Shape Styles"],
  [/^PageEffectID[1-5]$/, "Library Clips"],
];

const inline = {
  preloadindex: "Loading Screens",
  bgsoundcontrol: "Music Controls",
  photoborderindex: "Photo Borders",
  slideshoweffect: "Transitions",
  TextEffectID: "Text Effects",
};

// Option groups shown as tiles: picking a tile sets its entry's option field.
const groups = {
  "art style": "Art Families",
  "background effect": "Background Effects",
};

// {list, picker} for a field picked through a modal picker, {list} for an inline gallery, or
// null for a field no gallery serves.
export function galleryOfField(name) {
  const picked = pickedThrough.find(([pattern]) => pattern.test(name));
  if (picked) return { list: picked[1], picker: pickers[picked[1]] };
  return inline[name] ? { list: inline[name] } : null;
}

export function galleryOfGroup(group) {
  return groups[group] ? { list: groups[group] } : null;
}

// The catalogue's list of that name, or null while the catalogue is not read or lacks it.
export function catalogueList(catalogue, name) {
  return catalogue?.lists?.find((l) => l.name === name) ?? null;
}

// The entries of the clip list a category shows, in catalogue order. Without a category (or one
// the catalogue does not know) every entry shows.
export function entriesInCategory(catalogue, list, category) {
  const members = category ? catalogue?.clipsByCategory?.[category] : null;
  if (!members) return list.entries;
  const wanted = new Set(members);
  return list.entries.filter((e) => wanted.has(e.index));
}
