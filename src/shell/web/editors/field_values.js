// Field values as the editors hold them: the text a user would type, exactly what POST
// /api/fields accepts. Colours travel as the decimal of 0x00BBGGRR.

// A value from GET /api/state: a string, or {text, freeText} for a typed link target.
export function typedValue(raw) {
  if (raw && typeof raw === "object") return raw.text === "-1" && raw.freeText ? raw.freeText : raw.text;
  return raw == null ? "" : String(raw);
}

export function colourToHex(value) {
  const n = Number.parseInt(value, 10) & 0xffffff;
  const hex = (c) => c.toString(16).padStart(2, "0");
  return `#${hex(n & 0xff)}${hex((n >> 8) & 0xff)}${hex((n >> 16) & 0xff)}`;
}

export function hexToColour(hex) {
  const n = Number.parseInt(hex.slice(1), 16);
  const r = (n >> 16) & 0xff, g = (n >> 8) & 0xff, b = n & 0xff;
  return String(r | (g << 8) | (b << 16));
}

// A number typed into a spinner, kept inside the field's range as the spinner itself would.
export function clampInteger(typed, [min, max], fallback) {
  const n = Number.parseInt(String(typed).trim(), 10);
  if (Number.isNaN(n)) return fallback;
  return String(Math.min(max, Math.max(min, n)));
}

// A file field that names no file.
export function isNoFile(value) {
  return value.trim() === "" || value === "None";
}

export const isOn = (value) => value === "True";
