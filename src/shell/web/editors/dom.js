// A few helpers for building the editor's elements.

export function el(tag, props = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(props)) {
    if (key === "class") node.className = value;
    else if (key.startsWith("on")) node.addEventListener(key.slice(2), value);
    else if (key in node) node[key] = value;
    else node.setAttribute(key, value);
  }
  node.append(...children.filter((c) => c != null));
  return node;
}

// A caption as the window shows it: "&&" is a single "&", an "&" before a letter marks a
// shortcut, any other "&" is itself ("Shape & Panel").
export function displayCaption(caption) {
  return caption.replaceAll("&&", "\u0000").replace(/&(?=\S)/g, "").replaceAll("\u0000", "&");
}

let ids = 0;
export function uniqueId(stem) {
  ids += 1;
  return `oe-${stem}-${ids}`;
}

// Tab from the last control goes round to the first one, and Shift+Tab the other way.
export function keepFocusIn(container, e) {
  const controls = [...container.querySelectorAll("button, input, select, textarea")]
    .filter((c) => !c.disabled && c.getClientRects().length > 0);
  const first = controls[0], last = controls.at(-1);
  if (!first) return;
  const leaving = e.shiftKey ? document.activeElement === first : document.activeElement === last;
  if (!leaving) return;
  (e.shiftKey ? last : first).focus();
  e.preventDefault();
}
