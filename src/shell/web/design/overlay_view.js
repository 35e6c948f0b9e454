// Draws the design overlay from the state's design part: a thin frame and title tab for every
// item, the red selection frame with its handles and the banner's resize handles. During a
// drag the preview (a move, resize or page offset) is drawn on top of the state; the server's
// answer to the drop replaces it.

const kSelectionBar = 3;
const kPageMarker = 100;

function box(kind, { left, top, width, height }, extra = {}) {
  const node = document.createElement("div");
  node.className = `od-${kind}`;
  Object.assign(node.style, {
    left: `${left}px`,
    top: `${top}px`,
    width: `${width}px`,
    height: `${height}px`,
  });
  for (const [name, value] of Object.entries(extra)) {
    if (name === "text") node.textContent = value;
    else if (name === "colour") node.style.background = `#${value.toString(16).padStart(6, "0")}`;
    else node.setAttribute(name, value);
  }
  return node;
}

// The four edges of a rectangle as bars of the given thickness, the bottom one long enough to
// close the corner.
function bars({ left, top, width, height }, t) {
  return {
    top: { left, top, width, height: t },
    left: { left, top, width: t, height },
    bottom: { left, top: top + height, width: width + t, height: t },
    right: { left: left + width, top, width: t, height },
  };
}

function slotNodes(slot) {
  const b = bars(slot, 1);
  const tab = box("tab", { ...slot.tab, left: slot.left, top: slot.top }, {
    "data-kind": "tab",
    "data-label": slot.label,
    title: "Click to select",
    text: slot.label,
    colour: slot.colour,
  });
  const edges = Object.values(b).map((r) => box("slot-bar", r, { colour: slot.colour }));
  return [...edges, tab];
}

// The selection as a drag shows it: shifted by a move, or grown by a resize.
function draggedSelection(selection, preview, minimumSide) {
  if (!preview) return { rect: selection, shift: { dx: 0, dy: 0 } };
  if (preview.kind === "move") return { rect: selection, shift: preview };
  if (preview.kind !== "resize") return { rect: selection, shift: { dx: 0, dy: 0 } };
  const rect = { ...selection };
  if (preview.edge !== "bottom") rect.width = Math.max(minimumSide, selection.width + preview.dx);
  if (preview.edge !== "right") rect.height = Math.max(minimumSide, selection.height + preview.dy);
  return { rect, shift: { dx: 0, dy: 0 } };
}

function shifted(r, { dx, dy }) {
  return { ...r, left: r.left + dx, top: r.top + dy };
}

function selectionNodes(selection, preview, minimumSide) {
  const { rect, shift } = draggedSelection(selection, preview, minimumSide);
  const b = bars(shifted(rect, shift), kSelectionBar);
  const border = { "data-kind": "move", title: "Drag&Drop red border to move" };
  const resizeBar = (edge) =>
    selection.resizable ? { "data-kind": "resize", "data-edge": edge, title: "Resize" } : border;
  const corner = shifted({ left: rect.left + rect.width, top: rect.top + rect.height }, shift);
  const nodes = [
    box("selection-bar", b.top, border),
    box("selection-bar", b.left, border),
    box("selection-bar", b.bottom, resizeBar("bottom")),
    box("selection-bar", b.right, resizeBar("right")),
    box("move-handle", shifted(selection.moveHandle, shift), {
      "data-kind": "move",
      text: selection.name,
    }),
    box("button", shifted(selection.move, shift), { "data-kind": "move", text: "Move" }),
    box("button", shifted(selection.edit, shift), { "data-kind": "edit", text: "Edit" }),
    box("button", shifted(selection.del, shift), { "data-kind": "del", text: "Del" }),
  ];
  if (selection.resizable)
    nodes.push(
      box("resize", { ...corner, width: 0, height: 0 }, {
        "data-kind": "resize",
        "data-edge": "corner",
        title: "Resize",
        text: "Resize",
      }),
    );
  return nodes;
}

// The page handles for the size a page drag shows, or the state's own.
function pageNodes(page, preview) {
  let { width, height } = page;
  if (preview?.kind === "page") {
    if (preview.edge !== "bottom") width += preview.dx;
    if (preview.edge !== "right") height += preview.dy;
  }
  const caption = preview?.kind === "page" ? `Resize Webpage\n${width}x${height}` : page.caption;
  return [
    box("page-right", { left: width, top: height - kPageMarker, width: 3, height: kPageMarker }, {
      "data-kind": "page",
      "data-edge": "right",
      title: "Right Of Webpage",
    }),
    box("page-bottom", { left: width - kPageMarker, top: height, width: kPageMarker, height: 3 }, {
      "data-kind": "page",
      "data-edge": "bottom",
      title: "Bottom Of Webpage",
    }),
    box("page-corner", { left: width, top: height, width: 0, height: 0 }, {
      "data-kind": "page",
      "data-edge": "corner",
      title: "Resize",
      text: caption,
    }),
  ];
}

export function renderOverlay(root, design, preview) {
  const nodes = [];
  if (design) {
    // Later nodes lie on top: the selection's handles win over the page's where they meet.
    for (const slot of design.slots) if (!slot.hidden) nodes.push(...slotNodes(slot));
    nodes.push(...pageNodes(design.page, preview));
    if (design.selection)
      nodes.push(...selectionNodes(design.selection, preview, design.minimumSide));
  }
  root.replaceChildren(...nodes);
}
