// Runs inside the visual HTML editor's document, which the preview origin serves with the
// user's HTML as its body. The editor page lives on another origin, so it cannot touch this
// document: it sends the editing commands and where the copies of the text's pictures are, and
// this script answers with the toolbar state and, at the end, the body's HTML. The server puts the editor's origins before this script in
// orvantaEditorOrigins; messages from anywhere else, or from a window other than the parent,
// are ignored, and answers go to the editor's origin alone.
(() => {
  const commands = new Set(["fontName", "foreColor", "bold", "italic", "underline", "fontSize",
    "justifyLeft", "justifyCenter", "justifyRight", "outdent", "indent", "insertUnorderedList",
    "insertOrderedList", "insertImage", "createLink"]);
  const states = ["bold", "italic", "underline", "justifyLeft", "justifyCenter", "justifyRight",
    "insertUnorderedList", "insertOrderedList"];
  let editor = null;

  const tell = (message) => editor && parent.postMessage({ orvantaHtmlEditor: message }, editor);
  const report = () => {
    const state = {
      fontName: document.queryCommandValue("fontName"),
      fontSize: document.queryCommandValue("fontSize"),
      foreColor: document.queryCommandValue("foreColor"),
    };
    for (const name of states) state[name] = document.queryCommandState(name);
    tell({ type: "state", state });
  };

  // A picture the text names by its path on the disk shows from its copy beside this document;
  // the text keeps the path.
  const pictureStyle = document.createElement("style");
  document.head.append(pictureStyle);
  const showPictures = (pictures) => {
    for (const [src, copy] of Object.entries(pictures ?? {}))
      pictureStyle.sheet.insertRule(`img[src="${CSS.escape(src)}"] { content: url("${copy}"); }`);
  };

  const actions = {
    start({ pictures }) {
      showPictures(pictures);
      document.designMode = "on";
      // Tags rather than style attributes, and Enter makes a paragraph, as the layers have
      // always been written.
      document.execCommand("styleWithCSS", false, false);
      document.execCommand("defaultParagraphSeparator", false, "p");
      report();
    },
    command({ command, value }) {
      if (!commands.has(command)) return;
      window.focus();
      document.execCommand(command, false, value ?? null);
      report();
    },
    pictures({ pictures }) {
      showPictures(pictures);
    },
    result() {
      tell({ type: "result", html: document.body.innerHTML });
    },
    stop() {
      document.designMode = "off";
    },
  };

  addEventListener("message", (event) => {
    if (!orvantaEditorOrigins.includes(event.origin) || event.source !== parent) return;
    const request = event.data?.orvantaHtmlEditor;
    const action = actions[request?.type];
    if (!action) return;
    editor = event.origin;
    action(request);
  });
  addEventListener("keyup", report);
  addEventListener("mouseup", (event) => event.button === 0 && report());
})();
