// A stand-in for the editor's API object, holding one page made from a schema snapshot. It
// records every write, and a refusal can be armed for the next setFields.

export class ApiError extends Error {
  constructor(status, message) {
    super(message);
    this.status = status;
  }
}

const FILES = {
  "data:": { folders: ["photos", "sound"], files: [] },
  "data:photos": { folders: ["people"], files: ["beach.jpg", "sunset.jpg"] },
  "data:photos/people": { folders: [], files: ["anna.jpg"] },
  "data:sound": { folders: [], files: ["loop.mp3"] },
  "home:": { folders: ["Pictures"], files: ["notes.jpg"] },
  "home:Pictures": { folders: [], files: ["cat.png"] },
};
const ROOT_PATHS = { data: "/opt/orvanta/data", home: "/home/ann" };

// The galleries' lists, a few entries each; the option groups' entries name their options.
const listOf = (name, count, caption, extra = () => ({})) => ({ name, entries: Array.from(
  { length: count }, (_, index) => ({ index, caption: index ? `${caption} ${index}` : "None",
    picture: index > 0, ...extra(index) })) });
const artFields = ["FontFrontArtTextIce", "FontFrontArtTextDot",
  ...Array.from({ length: 15 }, (_, i) => `FontFrontArtText${i + 3}`)];
const CATALOGUE = {
  ready: true,
  lists: [listOf("Loading Screens", 9, "Loading Screen"), listOf("Music Controls", 7, "Music Control"),
    listOf("Button Styles", 40, "Button"), listOf("Shape Styles", 30, "Panel"),
    listOf("Library Clips", 60, "Clip"), listOf("Photo Borders", 26, "Border"),
    listOf("Transitions", 12, "Transition"), listOf("Text Effects", 11, "Effect"),
    listOf("Art Families", 17, "Art", (i) => ({ field: artFields[i], picture: true })),
    listOf("Background Effects", 3, "Background", (i) => ({
      field: ["FontBackgroundEffectNone", "FontBackgroundEffectFire", "FontBackgroundEffectComet"][i] }))],
  clipCategories: [" All", " Others (None)", "Ball"],
  clipsByCategory: { " All": Array.from({ length: 59 }, (_, i) => i + 1), " Others (None)": [3, 9],
    Ball: [4, 8, 12] },
};

export function pageFromSchema(schema) {
  const fields = {};
  const blocks = { Photos: [] };
  for (const editor of schema.editors.editors) {
    fields[editor.class] = Object.fromEntries(editor.fields.map((f) => [f.name, f.default]));
    for (const b of editor.blocks ?? [])
      if (b.kind === "font") blocks[b.name] = "Arial|10";
      else if (b.kind !== "file list") blocks[b.name] = "";
  }
  return { revision: 1, autoRebuild: false, fields, blocks, warnings: [],
    pages: ["index.html [Welcome]", "offers.html [Offers [June]]"] };
}

export function createFakeApi(schema, { fields = {}, blocks = {}, autoRebuild = false } = {}) {
  const state = pageFromSchema(schema);
  state.autoRebuild = autoRebuild;
  for (const [editor, values] of Object.entries(fields)) Object.assign(state.fields[editor], values);
  Object.assign(state.blocks, blocks);
  const api = {
    writes: [],
    refuseNext: null,
    async schema() {
      return schema;
    },
    async state() {
      return structuredClone(state);
    },
    async catalogue() {
      return CATALOGUE;
    },
    // A picture of the entry's number, so that a page shows it without a server.
    thumbnailUrl: (list, entry) => `data:image/svg+xml,${encodeURIComponent(
      `<svg xmlns="http://www.w3.org/2000/svg" width="100" height="60"><rect width="100" height="60" fill="#9bb7e0"/><text x="50" y="38" font-size="22" text-anchor="middle">${entry}</text></svg>`)}`,
    async preview() {
      return { origin: "" };
    },
    async galleryPreview({ list, entry }) {
      return { movie: "gallery_preview.swf", width: 300, height: 200, caption: `${list} ${entry}` };
    },
    async fonts() {
      return ["Arial", "DejaVu Sans", "Liberation Serif"];
    },
    async files({ root, path = "" } = {}) {
      if (!root) return { roots: ["home", "data"] };
      const listing = FILES[`${root}:${path}`];
      if (!listing) throw new ApiError(404, `no folder "${path}" in ${root}`);
      return { ...listing, path: path ? `${ROOT_PATHS[root]}/${path}` : ROOT_PATHS[root] };
    },
    // Every photo shows as the same grey box.
    photoThumbnailUrl: (name, { width, height }) => "data:image/svg+xml," + encodeURIComponent(
      `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}">` +
      `<rect width="100%" height="100%" fill="#9aa5b8"/></svg>`),
    async setFields(values) {
      if (api.refuseNext) {
        const message = api.refuseNext;
        api.refuseNext = null;
        throw new ApiError(400, message);
      }
      api.writes.push({ setFields: values });
      return state;
    },
    async rebuild() {
      api.writes.push({ rebuild: true });
      return state;
    },
  };
  return api;
}
