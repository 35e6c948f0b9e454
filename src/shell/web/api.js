// The editor's only door to the document: every answer is parsed JSON, every refusal an ApiError
// carrying the server's own words, and the revision of the last state answered is kept so that
// each change is made against the state the user saw. Refusals and other answers carry the
// document's newest revision too, but taking it from them would let a change made on an old
// state through.

export class ApiError extends Error {
  constructor(status, message) {
    super(message);
    this.name = "ApiError";
    this.status = status;
  }
}

export function createApi({ token, base = "", fetchImpl = fetch }) {
  let revision = 0;
  const listeners = new Set();

  async function request(method, path, { query, body } = {}) {
    const params = new URLSearchParams(query ?? {});
    const url = `${base}/api/${path.replace(/^\/?(api\/)?/, '')}${params.size ? `?${params}` : ''}`;
    const init = { method, headers: { "X-Orvanta-Token": token } };
    if (body !== undefined) {
      init.headers["Content-Type"] = "application/json";
      init.body = JSON.stringify(body);
    }
    let response;
    try {
      response = await fetchImpl(url, init);
    } catch (error) {
      throw new ApiError(0, `the editor's server does not answer (${error.message})`);
    }
    let answer;
    try {
      answer = await response.json();
    } catch {
      throw new ApiError(response.status, `the server's answer to ${path} is not JSON`);
    }
    if (!response.ok)
      throw new ApiError(response.status, answer?.error ?? `error ${response.status}`);
    // An answer that carries the page list is a whole state: everyone showing it re-renders. The
    // method tells a change (whose warnings are news) from a look.
    if (answer && Array.isArray(answer.pages)) {
      revision = answer.revision;
      for (const listener of listeners) listener(answer, { method, path });
    }
    return answer;
  }

  const get = (path, query) => request("GET", path, { query });
  const post = (path, body = {}) => request("POST", path, { body: { ...body, revision } });

  return {
    get revision() {
      return revision;
    },
    // Calls the listener with every state an answer brings, and { method, path } of the request;
    // returns the unsubscriber.
    subscribe(listener) {
      listeners.add(listener);
      return () => listeners.delete(listener);
    },
    state: () => get("state"),
    schema: () => get("schema"),
    catalogue: () => get("catalogue"),
    progress: () => get("progress"),
    fonts: () => get("fonts"),
    preview: () => get("preview"),
    files: ({ root, path, filter } = {}) => {
      const query = {};
      if (root !== undefined) query.root = root;
      if (path !== undefined) query.path = path;
      if (filter !== undefined) query.filter = filter;
      return get("files", query);
    },
    thumbnailUrl: (list, entry) =>
      `${base}/api/thumbnail?${new URLSearchParams({ list, entry: String(entry), token })}`,
    // The server writes the entry's preview movie into the working folder: {movie, width,
    // height, caption}.
    galleryPreview: ({ list, entry, values }) => post("gallery/preview", { list, entry, values }),
    // A photo of the slideshow's list as the slideshow prepares it for a box of that size.
    photoThumbnailUrl: (name, { width, height, fit = "fit" }) =>
      `${base}/api/photo-thumbnail?${new URLSearchParams({ name, width: String(width),
        height: String(height), fit, token })}`,
    setFields: (values) => post("fields", { values }),
    // Writes the text the visual HTML editor opens; answers the page's name on the preview origin
    // and where the copies of its local pictures are.
    htmlEditor: (html) => post("html-editor", { html }),
    // Copies the local pictures the sources name beside that page; answers src → their copies.
    htmlEditorPictures: (sources) => post("html-editor/pictures", { sources }),
    rebuild: () => post("rebuild"),
    undo: () => post("undo"),
    command: (path, body = {}) => post(path, body),
  };
}
