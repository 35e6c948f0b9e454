// Field values as the state carries them: by editor, each a text or { text, freeText }.

export function fieldText(state, name) {
  for (const editor of Object.values(state.fields ?? {})) {
    if (!(name in editor)) continue;
    const value = editor[name];
    return typeof value === "string" ? value : value.text;
  }
  return "";
}

export function bannerSize(state) {
  const number = (name, fallback) => Number.parseInt(fieldText(state, name), 10) || fallback;
  return { width: number("SWFWidth", 468), height: number("SWFHeight", 60) };
}
