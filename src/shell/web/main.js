// Starts the editor in the page the program's address opened: the token comes from that address.

import { createApi } from "./api.js";
import { createEditorWindow } from "./app.js";
import { openContentEditor } from "./editors/content_editor.js";

const token = new URLSearchParams(location.search).get("token") ?? "";
const api = createApi({ token });

function closeWindow() {
  window.close();
  // A tab the user opened cannot be closed by its page: say that the editor has stopped.
  document.body.replaceChildren(
    Object.assign(document.createElement("p"), {
      className: "closed",
      textContent: "Orvanta was closed.",
    }),
  );
}

const { origin } = await api.preview().catch(() => ({ origin: "" }));
const editor = createEditorWindow({
  root: document.body,
  api,
  previewOrigin: origin,
  openContentEditor,
  closeWindow,
});
editor.start();
