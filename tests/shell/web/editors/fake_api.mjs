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
      return { ready: true, lists: [{ name: "Loading Screens",
        entries: [{ index: 0, caption: "None" }, { index: 1, caption: "Loading Screen1" }] }] };
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
