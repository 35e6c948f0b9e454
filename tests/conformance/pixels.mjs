// Checks on what the player drew: colours at points, the share of "ink" inside boxes, and the
// mouse-driven steps that interleave them. The checks work on decoded screenshots, so they are
// plain functions; runSteps drives a live player through the small interface ruffle.mjs offers.
// The expectation keys are described in README.md beside this file.

import { decodePngRgba } from "./image_metrics.mjs";

export const DEFAULT_PIXEL_TOL = 16;
export const DEFAULT_INK_TOL = 32;
// After a mouse action the player needs a frame or two to react and draw.
export const DEFAULT_MOUSE_WAIT_MS = 150;

// ---------------------------------------------------------------------------------------------
// Screenshots as RGB: alpha is dropped, a screenshot of an opaque page has none to speak of.

/** Decodes a PNG into { width, height, data } with data holding RGB triplets, top row first. */
export function decodePng(bytes) {
  const { width, height, data: rgba } = decodePngRgba(bytes);
  const data = new Uint8Array(width * height * 3);
  for (let i = 0, o = 0; i < rgba.length; i += 4, o += 3) {
    data[o] = rgba[i];
    data[o + 1] = rgba[i + 1];
    data[o + 2] = rgba[i + 2];
  }
  return { width, height, data };
}

/** The RGB of one pixel as [r, g, b]. */
export function rgbAt(image, x, y) {
  const i = (y * image.width + x) * 3;
  return [image.data[i], image.data[i + 1], image.data[i + 2]];
}

const hex = (rgb) => rgb.map((v) => v.toString(16).padStart(2, "0")).join("");
const parseHex = (s) => [0, 2, 4].map((i) => parseInt(s.slice(i, i + 2), 16));
const within = (a, b, tol) => a.every((v, i) => Math.abs(v - b[i]) <= tol);

// ---------------------------------------------------------------------------------------------
// Validation: a misspelt key or a wrong type would otherwise make a check silently pass.

const isObject = (v) => v !== null && typeof v === "object" && !Array.isArray(v);
const isHexColor = (v) => typeof v === "string" && /^[0-9a-fA-F]{6}$/.test(v);
const isInt = (v) => Number.isInteger(v) && v >= 0;

function unknownKeys(obj, allowed, where, out) {
  for (const k of Object.keys(obj)) {
    if (!allowed.includes(k)) {
      out.push(`${where}: unknown key "${k}" (allowed: ${allowed.join(", ")})`);
    }
  }
}

function checkTol(v, where, out) {
  if (v !== undefined && !(typeof v === "number" && v >= 0 && v <= 255)) {
    out.push(`${where}.tol: expected a number from 0 to 255, got ${JSON.stringify(v)}`);
  }
}

function validatePixels(list, where, out) {
  if (!Array.isArray(list)) {
    out.push(`${where}: expected an array of pixel checks`);
    return;
  }
  list.forEach((p, i) => {
    const at = `${where}[${i}]`;
    if (!isObject(p)) {
      out.push(`${at}: expected an object`);
      return;
    }
    unknownKeys(p, ["x", "y", "rgb", "tol", "what"], at, out);
    for (const k of ["x", "y"]) {
      if (!isInt(p[k])) {
        out.push(`${at}.${k}: expected a pixel coordinate (integer ≥ 0), got ${JSON.stringify(p[k])}`);
      }
    }
    const colors = Array.isArray(p.rgb) ? p.rgb : [p.rgb];
    if (colors.length === 0 || !colors.every(isHexColor)) {
      out.push(`${at}.rgb: expected "rrggbb" or a non-empty array of them, got ${JSON.stringify(p.rgb)}`);
    }
    checkTol(p.tol, at, out);
  });
}

function validateInk(list, where, out) {
  if (!Array.isArray(list)) {
    out.push(`${where}: expected an array of ink checks`);
    return;
  }
  list.forEach((k, i) => {
    const at = `${where}[${i}]`;
    if (!isObject(k)) {
      out.push(`${at}: expected an object`);
      return;
    }
    unknownKeys(k, ["box", "background", "tol", "min", "max", "what"], at, out);
    const b = k.box;
    if (!Array.isArray(b) || b.length !== 4 || !b.every(isInt) || b[0] >= b[2] || b[1] >= b[3]) {
      out.push(`${at}.box: expected [x0, y0, x1, y1] with x0 < x1 and y0 < y1, got ${JSON.stringify(b)}`);
    }
    if (!isHexColor(k.background)) {
      out.push(`${at}.background: expected "rrggbb", got ${JSON.stringify(k.background)}`);
    }
    checkTol(k.tol, at, out);
    for (const m of ["min", "max"]) {
      if (k[m] !== undefined && !(typeof k[m] === "number" && k[m] >= 0 && k[m] <= 1)) {
        out.push(`${at}.${m}: expected a share from 0 to 1, got ${JSON.stringify(k[m])}`);
      }
    }
    if (typeof k.min === "number" && typeof k.max === "number" && k.min > k.max) {
      out.push(`${at}: min ${k.min} is above max ${k.max}`);
    }
  });
}

const MOUSE_ACTIONS = ["move", "down", "up", "click"];

function validateStep(step, at, out) {
  if (!isObject(step)) {
    out.push(`${at}: expected an object`);
    return;
  }
  const kinds = ["mouse", "pixels", "ink", "traces", "opened"].filter((k) => k in step);
  if (kinds.length > 1) {
    out.push(`${at}: one action per step, got ${kinds.join(" and ")}`);
    return;
  }
  const kind = kinds[0] ?? ("waitMs" in step ? "waitMs" : null);
  if (kind === null) {
    out.push(`${at}: expected one of mouse, waitMs, pixels, ink, traces, opened`);
    return;
  }
  if (step.waitMs !== undefined && !(typeof step.waitMs === "number" && step.waitMs >= 0 && step.waitMs <= 60000)) {
    out.push(`${at}.waitMs: expected milliseconds from 0 to 60000, got ${JSON.stringify(step.waitMs)}`);
  }
  if (kind === "mouse") {
    // waitMs beside a mouse action replaces the usual pause after it.
    unknownKeys(step, ["mouse", "x", "y", "waitMs"], at, out);
    if (!MOUSE_ACTIONS.includes(step.mouse)) {
      out.push(`${at}.mouse: expected one of ${MOUSE_ACTIONS.join(", ")}, got ${JSON.stringify(step.mouse)}`);
    } else if (step.mouse === "move" || step.mouse === "click") {
      for (const k of ["x", "y"]) {
        if (typeof step[k] !== "number" || !(step[k] >= 0)) {
          out.push(`${at}.${k}: "${step.mouse}" needs a coordinate ≥ 0, got ${JSON.stringify(step[k])}`);
        }
      }
    } else if ("x" in step || "y" in step) {
      out.push(`${at}: "${step.mouse}" acts where the mouse is and takes no x or y`);
    }
  } else if (kind === "waitMs") {
    unknownKeys(step, ["waitMs"], at, out);
  } else {
    unknownKeys(step, [kind], at, out);
    if (kind === "pixels") {
      validatePixels(step.pixels, `${at}.pixels`, out);
    } else if (kind === "ink") {
      validateInk(step.ink, `${at}.ink`, out);
    } else if (!Array.isArray(step[kind]) || !step[kind].every((t) => typeof t === "string")) {
      out.push(`${at}.${kind}: expected an array of strings`);
    }
  }
}

/** Problems with the pixels, ink and steps keys of one expectation entry, as messages. */
export function validateVisual(expected = {}) {
  const out = [];
  if (expected.pixels !== undefined) {
    validatePixels(expected.pixels, "pixels", out);
  }
  if (expected.ink !== undefined) {
    validateInk(expected.ink, "ink", out);
  }
  if (expected.steps !== undefined) {
    if (!Array.isArray(expected.steps)) {
      out.push("steps: expected an array");
    } else {
      expected.steps.forEach((s, i) => validateStep(s, `steps[${i}]`, out));
    }
  }
  return out;
}

/** Whether an entry asks for anything that needs the live player beyond its trace output. */
export function hasVisualChecks(expected = {}) {
  return expected.pixels !== undefined || expected.ink !== undefined || expected.steps !== undefined;
}

// ---------------------------------------------------------------------------------------------
// Checks on a decoded image. Each returns failure messages; `prefix` names where they came from.

const label = (what) => (what ? ` ${what}` : "");

export function checkPixels(image, list, prefix = "") {
  const out = [];
  for (const p of list) {
    const tol = p.tol ?? DEFAULT_PIXEL_TOL;
    const wanted = (Array.isArray(p.rgb) ? p.rgb : [p.rgb]).map((c) => c.toLowerCase());
    const where = `${prefix}pixel (${p.x},${p.y})${label(p.what)}`;
    if (p.x >= image.width || p.y >= image.height) {
      out.push(`${where}: outside the ${image.width}x${image.height} player`);
      continue;
    }
    const found = rgbAt(image, p.x, p.y);
    if (!wanted.some((c) => within(found, parseHex(c), tol))) {
      const expected = wanted.length === 1 ? wanted[0] : `one of ${wanted.join(", ")}`;
      out.push(`${where}: expected ${expected} ±${tol}, found ${hex(found)}`);
    }
  }
  return out;
}

/** How many pixels of box [x0, y0, x1, y1) differ from `background` by more than `tol`. */
export function inkCount(image, box, background, tol) {
  const bg = parseHex(background);
  const [x0, y0, x1, y1] = box;
  let count = 0;
  for (let y = y0; y < y1; y++) {
    for (let x = x0; x < x1; x++) {
      if (!within(rgbAt(image, x, y), bg, tol)) {
        count++;
      }
    }
  }
  return { count, total: (x1 - x0) * (y1 - y0) };
}

const percent = (v) => `${(v * 100).toFixed(v > 0 && v < 0.001 ? 3 : 1)}%`;

export function checkInk(image, list, prefix = "") {
  const out = [];
  for (const k of list) {
    const tol = k.tol ?? DEFAULT_INK_TOL;
    const [x0, y0, x1, y1] = k.box;
    const where = `${prefix}ink (${x0},${y0})-(${x1},${y1})${label(k.what)}`;
    if (x1 > image.width || y1 > image.height) {
      out.push(`${where}: box reaches outside the ${image.width}x${image.height} player`);
      continue;
    }
    const { count, total } = inkCount(image, k.box, k.background, tol);
    const share = count / total;
    const found = `${count} of ${total} pixels (${percent(share)}) differ from ${k.background.toLowerCase()} by more than ${tol}`;
    if (k.min !== undefined && share < k.min) {
      out.push(`${where}: ${found}, expected at least ${percent(k.min)}`);
    } else if (k.max !== undefined && share > k.max) {
      out.push(`${where}: ${found}, expected at most ${percent(k.max)}`);
    }
  }
  return out;
}

/** `what` so far must end with `expected` (the entries before them are free). */
function listEndsWith(what, expected, actual) {
  const tail = actual.slice(Math.max(0, actual.length - expected.length));
  if (expected.length <= actual.length && expected.every((t, i) => t === tail[i])) {
    return null;
  }
  return `expected ${what} so far to end with ${JSON.stringify(expected)}, ` +
    `got ${JSON.stringify(actual.slice(-Math.max(expected.length, 5)))} (${actual.length} in all)`;
}

/** Traces so far must end with `expected` (the lines printed before them are free). */
export function tracesEndWith(expected, actual) {
  return listEndsWith("the traces", expected, actual);
}

/** True when the steps check the links a movie opens: only then may it open any. */
export function opensLinks(expected = {}) {
  return Array.isArray(expected.steps) && expected.steps.some((s) => s && typeof s === "object" && "opened" in s);
}

// ---------------------------------------------------------------------------------------------

/**
 * Runs the top-level pixels and ink checks on `firstShot` (a PNG of the movie after it played),
 * then each step in order. `live` is { screenshot() → PNG bytes, mouse: { move(x, y), down(),
 * up() }, wait(ms), traces() → string[], opened() → the addresses the movie navigated to }; `save(png, stepIndex)` keeps a step's screenshot
 * when asked to. Every step runs even after one failed, so that one run shows all that differs.
 * Returns failure messages.
 */
export async function runVisualChecks(live, expected, firstShot, save = () => {}) {
  const failures = [];
  const shotChecks = (png, pixels, ink, prefix) => {
    let image;
    try {
      image = decodePng(png);
    } catch (e) {
      return [`${prefix}screenshot: ${e.message}`];
    }
    return [...checkPixels(image, pixels ?? [], prefix), ...checkInk(image, ink ?? [], prefix)];
  };
  if (expected.pixels || expected.ink) {
    failures.push(...shotChecks(firstShot, expected.pixels, expected.ink, ""));
  }
  const steps = expected.steps ?? [];
  for (const [i, step] of steps.entries()) {
    const prefix = `steps[${i}]: `;
    if (step.mouse) {
      if (step.mouse === "move" || step.mouse === "click") {
        await live.mouse.move(step.x, step.y);
      }
      if (step.mouse === "down" || step.mouse === "click") {
        await live.mouse.down();
      }
      if (step.mouse === "up" || step.mouse === "click") {
        await live.mouse.up();
      }
      await live.wait(step.waitMs ?? DEFAULT_MOUSE_WAIT_MS);
    } else if (step.pixels || step.ink) {
      const png = await live.screenshot();
      save(png, i);
      failures.push(...shotChecks(png, step.pixels, step.ink, prefix));
    } else if (step.traces || step.opened) {
      const problem = step.traces
        ? tracesEndWith(step.traces, await live.traces())
        : listEndsWith("the links opened", step.opened, await live.opened());
      if (problem) {
        failures.push(`${prefix}${problem}`);
      }
    } else {
      await live.wait(step.waitMs);
    }
  }
  return failures;
}
