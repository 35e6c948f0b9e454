// One control per field kind. Each widget is {element, update()}: update() shows the session's
// current value and whether the field is enabled.
import { displayCaption, el, uniqueId } from "./dom.js";
import { colourToHex, hexToColour } from "./field_values.js";
import { galleryGroupWidget, galleryWidget } from "./gallery/gallery_widgets.js";
import { photoListWidget } from "./photo_list.js";

function labelled(field, control, extra) {
  control.id = uniqueId(field.name);
  return el("div", { class: "oe-row" },
    el("label", { class: "oe-caption", htmlFor: control.id }, displayCaption(field.caption)),
    el("div", { class: "oe-control" }, control, extra));
}

function simple(field, ctx, control, read, write, extra) {
  control.name = field.name;
  control.addEventListener("change", () => ctx.set(field.name, read()));
  return {
    element: labelled(field, control, extra),
    update() {
      write(ctx.session.values[field.name]);
      control.disabled = ctx.disabled(field.name);
    },
  };
}

function integerWidget(field, ctx) {
  const [min, max] = field.range;
  const input = el("input", { type: "number", min, max, step: 1, class: "oe-number" });
  return simple(field, ctx, input, () => input.value, (v) => { input.value = v; });
}

function textWidget(field, ctx) {
  const multiLine = field.multiLine;
  const input = multiLine ? el("textarea", { rows: 6, class: "oe-wide" })
    : el("input", { type: "text", class: field.kind === "wide text" ? "oe-wide" : "oe-text" });
  // A link may name one of the project's pages.
  const pages = ctx.session.rules.pageLinks?.includes(field.name)
    ? el("datalist", { id: uniqueId(`${field.name}-pages`) },
      ...ctx.session.pageNames.map((page) => el("option", { value: page })))
    : null;
  if (pages) input.setAttribute("list", pages.id);
  // The rules of some editors follow the text as it is typed.
  input.addEventListener("input", () => ctx.set(field.name, input.value, { typing: true }));
  return simple(field, ctx, input, () => input.value, (v) => {
    if (input.value !== v) input.value = v;
  }, pages);
}

function colourWidget(field, ctx) {
  const input = el("input", { type: "color", class: "oe-colour" });
  return simple(field, ctx, input, () => hexToColour(input.value),
    (v) => { input.value = colourToHex(v); });
}

function choiceWidget(field, ctx) {
  const entries = ctx.session.choices(field);
  const select = el("select", { class: "oe-choice" },
    ...entries.map((e) => el("option", { value: e.value }, e.caption)));
  const selected = ctx.session.rules.selected?.includes(field.name)
    ? el("span", { class: "oe-selected" }) : null;
  return simple(field, ctx, select, () => select.value, (v) => {
    // A value outside the list (-1: nothing chosen) shows as an empty choice.
    if (![...select.options].some((o) => o.value === v))
      select.prepend(el("option", { value: v }, "(none)"));
    select.value = v;
    if (selected) selected.textContent = `Selected:${select.selectedOptions[0]?.text ?? ""}`;
  }, selected);
}

// A link target: one of the list's entries, or any target typed in.
function choiceWithTextWidget(field, ctx) {
  const entries = ctx.session.choices(field);
  const listId = uniqueId(`${field.name}-list`);
  const input = el("input", { type: "text", class: "oe-text", autocomplete: "off" });
  input.setAttribute("list", listId);
  const list = el("datalist", { id: listId },
    ...entries.map((e) => el("option", { value: e.caption })));
  const read = () => entries.find((e) => e.caption === input.value)?.value ?? input.value;
  const write = (v) => { input.value = entries.find((e) => e.value === v)?.caption ?? v; };
  return simple(field, ctx, input, read, write, list);
}

function flagWidget(field, ctx) {
  const box = el("input", { type: "checkbox", name: field.name });
  box.id = uniqueId(field.name);
  box.addEventListener("change", () => ctx.set(field.name, box.checked ? "True" : "False"));
  const element = el("div", { class: "oe-row oe-flag" },
    box, el("label", { htmlFor: box.id }, displayCaption(field.caption)));
  return {
    element,
    update() {
      box.checked = ctx.session.values[field.name] === "True";
      box.disabled = ctx.disabled(field.name);
      element.classList.toggle("oe-disabled", box.disabled);
    },
  };
}

// A file name typed or picked through the server's file browser.
function fileWidget(field, ctx, file) {
  const input = el("input", { type: "text", class: "oe-wide" });
  const browse = el("button", { type: "button", class: "oe-button" }, "Browse");
  browse.addEventListener("click", async () => {
    const chosen = await ctx.chooseFile(field, file);
    if (chosen != null) ctx.set(field.name, chosen);
  });
  const hint = file.hint ? el("span", { class: "oe-hint" }, file.hint) : null;
  const widget = simple(field, ctx, input, () => input.value, (v) => { input.value = v; },
    el("span", { class: "oe-inline" }, browse, hint));
  const update = widget.update;
  widget.update = () => {
    update();
    browse.disabled = input.disabled;
  };
  return widget;
}

function fontWidget(field, ctx) {
  const face = el("select", { class: "oe-choice" },
    ...ctx.fonts.map((family) => el("option", { value: family }, family)));
  const size = el("input", { type: "number", min: 1, max: 500, step: 1, class: "oe-number" });
  const bold = el("input", { type: "checkbox", title: "Bold" });
  const italic = el("input", { type: "checkbox", title: "Italic" });
  const read = () => formatFont({ face: face.value, size: size.value, bold: bold.checked,
    italic: italic.checked });
  const parts = [face, size, bold, italic];
  for (const part of parts) part.addEventListener("change", () => ctx.set(field.name, read()));
  const extra = el("span", { class: "oe-inline" }, size, " pt ",
    el("label", {}, bold, "Bold"), el("label", {}, italic, "Italic"));
  return {
    element: labelled(field, face, extra),
    update() {
      const font = parseFont(ctx.session.values[field.name]);
      if (![...face.options].some((o) => o.value === font.face))
        face.prepend(el("option", { value: font.face }, font.face));
      face.value = font.face;
      size.value = font.size;
      bold.checked = font.bold;
      italic.checked = font.italic;
      for (const part of parts) part.disabled = ctx.disabled(field.name);
    },
  };
}

// A font as one text: face, size in points and the styles, "|" between them.
export function parseFont(text) {
  const [face = "Arial", size = "10", ...styles] = String(text).split("|");
  return { face, size, bold: styles.includes("Bold"), italic: styles.includes("Italic") };
}

export function formatFont({ face, size, bold, italic }) {
  return [face, size, ...(bold ? ["Bold"] : []), ...(italic ? ["Italic"] : [])].join("|");
}

const byKind = {
  integer: integerWidget,
  flag: flagWidget,
  choice: choiceWidget,
  "picture choice": choiceWidget,
  "choice with text": choiceWithTextWidget,
  colour: colourWidget,
  text: textWidget,
  "wide text": textWidget,
  font: fontWidget,
};

export function fieldWidget(field, ctx) {
  const gallery = galleryWidget(field, ctx);
  if (gallery) return gallery;
  const file = ctx.session.rules.files?.[field.name];
  if (file) return (field.kind === "file list" ? photoListWidget : fileWidget)(field, ctx, file);
  const make = byKind[field.kind];
  if (!make) throw new Error(`no control is made for a field of kind "${field.kind}"`);
  return make(field, ctx);
}

// An option group: one radio button per option, exactly one set.
export function optionGroupWidget(row, ctx) {
  const gallery = galleryGroupWidget(row, ctx);
  if (gallery) return gallery;
  const name = uniqueId(row.name);
  const boxes = row.fields.map((field) => {
    const radio = el("input", { type: "radio", name, value: field.name });
    radio.id = uniqueId(field.name);
    radio.addEventListener("change", () => radio.checked && ctx.set(field.name, "True"));
    return { field, radio, label: el("label", { htmlFor: radio.id }, displayCaption(field.caption)) };
  });
  const legend = row.name.charAt(0).toUpperCase() + row.name.slice(1);
  const element = el("fieldset", { class: "oe-group" }, el("legend", {}, legend),
    ...boxes.map((b) => el("span", { class: "oe-radio" }, b.radio, b.label)));
  return {
    element,
    update() {
      for (const b of boxes) {
        b.radio.checked = ctx.session.values[b.field.name] === "True";
        b.radio.disabled = ctx.disabled(b.field.name);
      }
    },
  };
}
