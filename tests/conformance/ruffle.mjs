// Plays SWF files in Ruffle inside one headless Chromium, served from a loopback HTTP server.

import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

import { chromium } from "playwright-core";

const here = path.dirname(fileURLToPath(import.meta.url));
const RUFFLE_DIR = path.join(here, "node_modules", "@ruffle-rs", "ruffle");

const CHROMIUM = process.env.ORVANTA_CHROMIUM || "/usr/bin/chromium";
// Without the background-networking switches Chromium keeps trying to reach outside hosts,
// which this machine refuses; the autoplay switch lets Ruffle start its audio context at once
// instead of waiting for a click.
const CHROMIUM_ARGS = [
  "--headless",
  "--no-sandbox",
  "--disable-gpu",
  "--disable-quic",
  "--no-first-run",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--autoplay-policy=no-user-gesture-required",
  "--mute-audio",
];

// Console errors that come from the browser around the movie, not from playing it. Add a
// pattern only after seeing it here; a movie's own allowances go in its expectation entry.
const BENIGN_CONSOLE = [];

// The page keeps one player at a time; orvantaPlay loads a movie, lets it run and reports what
// Ruffle showed: its panic screen and message overlay live in the player's shadow DOM.
const PLAYER_PAGE = `<!doctype html>
<html><head><meta charset="utf-8"><link rel="icon" href="data:,">
<script>
window.RufflePlayer = window.RufflePlayer || {};
window.RufflePlayer.config = {
  autoplay: "on",
  unmuteOverlay: "hidden",
  splashScreen: false,
  letterbox: "off",
  contextMenu: "off",
  openUrlMode: "deny",
  allowNetworking: "none",
  warnOnUnsupportedContent: false,
  polyfills: false,
  logLevel: "warn",
  maxExecutionDuration: 5,
};
</script>
<script src="/ruffle/ruffle.js"></script>
<script>
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function overlay(player) {
  const root = player.shadowRoot;
  if (!root) return {};
  const out = {};
  const panic = root.querySelector("#panic");
  if (panic) {
    const details = root.querySelector("#panic-details-content textarea");
    const lines = (details ? details.value || details.textContent : "").split("\\n")
      .filter((l) => /^Error (name|message):|^Error:/.test(l));
    const body = (root.querySelector("#panic-body")?.textContent || "").trim().replace(/\\s+/g, " ");
    out.panic = [body, ...lines].filter(Boolean).join(" | ") || "panic screen shown";
  }
  const message = root.querySelector("#message-overlay");
  if (message) out.message = message.textContent.trim().replace(/\\s+/g, " ");
  return out;
}

// Chromium keeps a removed player's WebGL context until garbage collection and drops the
// oldest one past its limit; releasing each at once keeps a long run quiet and steady.
window.orvantaClear = () => {
  const stage = document.getElementById("stage");
  const canvases = [];
  for (const player of stage.children) {
    canvases.push(...(player.shadowRoot?.querySelectorAll("canvas") ?? []));
  }
  stage.textContent = "";
  for (const canvas of canvases) {
    const gl = canvas.getContext("webgl2") || canvas.getContext("webgl");
    gl?.getExtension("WEBGL_lose_context")?.loseContext();
  }
};

// The player last started and what it reported; steps after the play time read it through
// orvantaPoll while the player keeps running.
window.orvantaCurrent = null;
window.orvantaPoll = () => {
  const current = window.orvantaCurrent;
  if (!current) return null;
  current.note();
  const { traces, panic, message } = current.out;
  return { traces: traces.slice(), panic, message };
};

window.orvantaPlay = async (opts) => {
  window.orvantaClear();
  window.orvantaCurrent = null;
  const stage = document.getElementById("stage");
  const player = window.RufflePlayer.newest().createPlayer();
  player.style.width = opts.width + "px";
  player.style.height = opts.height + "px";
  player.style.display = "block";
  stage.appendChild(player);
  // On the first mouseover Ruffle covers the movie with advice to turn on hardware
  // acceleration when it renders on the CPU, as it does here; that note is about the machine.
  const quiet = document.createElement("style");
  quiet.textContent = "#hardware-acceleration-modal { display: none !important; }";
  player.shadowRoot?.appendChild(quiet);
  const traces = [];
  const out = { loaded: false, panic: null, message: null, traces, loadMs: null, heldMs: null };
  let loaded = false;
  player.addEventListener("loadedmetadata", () => { loaded = true; });
  const t0 = performance.now();
  const api = player.ruffle();
  try {
    // Per-movie player options (a locked frame rate, a quality) go with the load.
    await api.load({ ...(opts.config || {}), url: opts.url });
    // Frames run only after the download finishes, later than this line: no trace is missed.
    api.traceObserver = (msg) => {
      traces.push(String(msg));
      // The play time ends shortly after a marker line, so that the screenshot shows the frame
      // that printed it (the caller slows the player down so that no other frame comes first).
      if (opts.holdOnTrace && String(msg) === opts.holdOnTrace && out.heldMs === null) {
        out.heldMs = Math.round(performance.now() - t0);
      }
    };
  } catch (e) {
    out.panic = "load failed: " + e;
  }
  const note = () => {
    const o = overlay(player);
    if (o.panic && !out.panic) out.panic = o.panic;
    if (o.message) out.message = o.message;
  };
  window.orvantaCurrent = { out, note };
  while (!out.panic && !loaded && performance.now() - t0 < opts.loadTimeoutMs) {
    await sleep(20);
    note();
  }
  out.loaded = loaded;
  out.loadMs = Math.round(performance.now() - t0);
  if (loaded && !out.panic) {
    const end = performance.now() + opts.playMs;
    while (!out.panic && performance.now() < end) {
      await sleep(opts.holdOnTrace ? 10 : 50);
      note();
      // Shot a little after the marker, once the player has drawn that frame.
      if (out.heldMs !== null && performance.now() - t0 > out.heldMs + opts.holdSettleMs) break;
    }
  }
  note();
  return out;
};
</script>
</head><body style="margin:0;background:#fff"><div id="stage"></div></body></html>
`;

// Browser chatter about its own machinery, not worth a warning line.
const NOISE = [
  /GPU stall due to ReadPixels/,
  /is not useful when context is closed/,
  /Connecting nodes after the context has been closed/,
];

const MIME = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".map": "application/json",
  ".wasm": "application/wasm",
  ".swf": "application/x-shockwave-flash",
  ".jpg": "image/jpeg",
};

/**
 * Serves the player page at /, Ruffle's files under /ruffle/ and the given SWF files at
 * /<name>, beside the page as in a published folder, so that a movie's relative URLs (an
 * imported library) find their files. Only those names are served.
 */
export async function startServer(swfFiles) {
  const swfByName = new Map(swfFiles.map((f) => [path.basename(f), f]));
  const ruffleFiles = new Set(fs.readdirSync(RUFFLE_DIR));
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, "http://127.0.0.1");
    const name = decodeURIComponent(url.pathname);
    let file = null;
    if (name === "/" || name === "/index.html") {
      res.writeHead(200, { "content-type": MIME[".html"] });
      res.end(PLAYER_PAGE);
      return;
    }
    if (name.startsWith("/ruffle/") && ruffleFiles.has(name.slice(8))) {
      file = path.join(RUFFLE_DIR, name.slice(8));
    } else if (swfByName.has(name.slice(1))) {
      file = swfByName.get(name.slice(1));
    }
    if (!file) {
      res.writeHead(404, { "content-type": "text/plain" });
      res.end("not found");
      return;
    }
    const type = MIME[path.extname(file)] ?? "application/octet-stream";
    fs.readFile(file, (err, data) => {
      if (err) {
        res.writeHead(500, { "content-type": "text/plain" });
        res.end(String(err));
        return;
      }
      res.writeHead(200, { "content-type": type, "cache-control": "max-age=3600" });
      res.end(data);
    });
  });
  await new Promise((resolve, reject) => {
    server.once("error", reject);
    server.listen(0, "127.0.0.1", resolve);
  });
  const { port } = server.address();
  return {
    origin: `http://127.0.0.1:${port}`,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}

/**
 * Headless Chromium that reaches nothing but the given origin. Returns { browser, profileDir };
 * remove profileDir after closing the browser.
 */
export async function launchChromium(origin) {
  const profileDir = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-chromium-"));
  const browser = await chromium.launchPersistentContext(profileDir, {
    executablePath: CHROMIUM,
    headless: true,
    args: CHROMIUM_ARGS,
    viewport: { width: 1280, height: 960 },
    // One screenshot pixel per CSS pixel, so that expectations can name points of the movie.
    deviceScaleFactor: 1,
    serviceWorkers: "block",
  });
  await browser.route((url) => !url.href.startsWith(origin), (route) => route.abort());
  return { browser, profileDir };
}

/**
 * Serves every file below a folder as a static web server would (a published site), without
 * caching; paths that leave the folder are not found.
 */
export async function startFolderServer(folder) {
  const root = path.resolve(folder);
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, "http://127.0.0.1").pathname);
    const file = path.resolve(root, "." + name);
    const inside = file.startsWith(root + path.sep);
    fs.readFile(inside ? file : "", (err, data) => {
      if (err) {
        res.writeHead(404, { "content-type": "text/plain" });
        res.end("not found");
        return;
      }
      const ext = path.extname(file);
      const type = ext === ".htm" ? MIME[".html"] : MIME[ext] ?? "application/octet-stream";
      res.writeHead(200, { "content-type": type, "cache-control": "no-store" });
      res.end(data);
    });
  });
  await new Promise((resolve, reject) => {
    server.once("error", reject);
    server.listen(0, "127.0.0.1", resolve);
  });
  return {
    origin: `http://127.0.0.1:${server.address().port}`,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}

/**
 * Opens a published page (served over HTTP) as a visitor would and waits until Ruffle draws the
 * movie and settleMs more have passed. Returns { page, player, problems }: a timeout, Ruffle's
 * panic screen, pictures that did not load, failed requests and console errors. Close the page
 * when done.
 */
export async function openPublishedPage(browser, url, settleMs = 1500) {
  const page = await browser.newPage();
  const problems = [];
  page.on("console", (m) => { if (m.type() === "error") problems.push(`console: ${m.text()}`); });
  page.on("pageerror", (e) => problems.push(`console: ${e}`));
  page.on("response", (r) => {
    if (r.status() >= 400 && !r.url().endsWith("/favicon.ico")) problems.push(`console: HTTP ${r.status()} ${r.url()}`);
  });
  let player = null;
  try {
    await page.goto(url, { waitUntil: "load" });
    player = await page.waitForFunction(() => {
      const p = document.querySelector("ruffle-embed, ruffle-object, ruffle-player");
      return p && p.shadowRoot?.querySelector("canvas") ? p : null;
    }, null, { timeout: 40000 });
    await page.waitForTimeout(settleMs);
    if (await player.evaluate((p) => !!p.shadowRoot.querySelector("#panic"))) {
      problems.unshift("Ruffle showed its panic screen");
    }
    const images = await page.evaluate(() => [...document.images].map((i) => i.naturalWidth));
    if (images.some((w) => w === 0)) problems.unshift("a picture of the page did not load");
  } catch (e) {
    problems.unshift(e.message.split("\n")[0]);
  }
  return { page, player, problems };
}

export class RuffleSession {
  static async start(swfFiles) {
    const session = new RuffleSession();
    session.server = await startServer(swfFiles);
    Object.assign(session, await launchChromium(session.server.origin));
    // A movie's getURL still shows as the navigation it asked for (in its own page or a popup),
    // which is recorded and then refused.
    session.opened = [];
    session.browser.on("request", (req) => {
      if (req.isNavigationRequest() && !req.url().startsWith(session.server.origin)) {
        session.opened.push(req.url());
      }
    });
    session.browser.on("page", async (page) => {
      if (await page.opener().catch(() => null)) {
        await page.close().catch(() => {});
      }
    });
    await session.openPage();
    return session;
  }

  async openPage() {
    const old = this.page;
    this.page = !old && this.browser.pages().length > 0 ? this.browser.pages()[0] : await this.browser.newPage();
    if (old) {
      await Promise.race([old.close().catch(() => {}), new Promise((resolve) => setTimeout(resolve, 5000))]);
    }
    this.events = [];
    this.crashed = false;
    this.buttonDown = false;
    this.page.on("console", (msg) => this.events.push({ kind: msg.type(), text: msg.text() }));
    this.page.on("pageerror", (err) => this.events.push({ kind: "pageerror", text: String(err && err.stack || err) }));
    this.page.on("crash", () => {
      this.crashed = true;
    });
    this.page.on("response", (res) => {
      if (res.status() >= 400) {
        this.events.push({ kind: "http", text: `HTTP ${res.status()} for ${new URL(res.url()).pathname}` });
      }
    });
    this.page.on("requestfailed", (req) => {
      if (req.url().startsWith(this.server.origin)) {
        this.events.push({ kind: "requestfailed", text: `${req.url()}: ${req.failure()?.errorText}` });
      }
    });
    await this.page.goto(`${this.server.origin}/`, { waitUntil: "load" });
    await this.page.waitForFunction(() => typeof window.orvantaPlay === "function" && !!window.RufflePlayer?.newest());
    this.events = [];
  }

  /**
   * Plays one file. `options`: { width, height (pixels), playMs, loadTimeoutMs,
   * allowConsoleErrors: [regex strings], screenshot: path or null, inspect, inspectTimeoutMs,
   * config: Ruffle load options for this movie only, such as { frameRate: 1 }, holdOnTrace:
   * a trace line that ends the play time holdSettleMs after it is printed }.
   * Returns { failures, warnings, traces, renderer, loadMs, heldMs, totalMs }.
   * `inspect(live, png)`, when given, runs after the play time with the player still running:
   * `png` is a screenshot taken then, `live` is { screenshot(), mouse: { move(x, y), down(),
   * up() }, wait(ms), traces(), opened() } (see pixels.mjs); it returns failure messages.
   */
  async play(fileName, options = {}) {
    const started = Date.now();
    const failures = [];
    const warnings = [];
    this.events = [];
    this.opened = [];
    let result = null;
    let opts = null;
    try {
      opts = {
        url: `/${encodeURIComponent(fileName)}`,
        width: options.width ?? 550,
        height: options.height ?? 400,
        playMs: options.playMs ?? 1000,
        loadTimeoutMs: options.loadTimeoutMs ?? 15000,
        config: options.config ?? null,
        holdOnTrace: options.holdOnTrace ?? null,
        holdSettleMs: options.holdSettleMs ?? 150,
      };
      // A movie that wedges the page's main thread would never let evaluate() return.
      let timer;
      const hung = new Promise((_, reject) => {
        timer = setTimeout(() => reject(new Error("page stopped answering")), opts.loadTimeoutMs + opts.playMs + 15000);
      });
      try {
        result = await Promise.race([this.page.evaluate((o) => window.orvantaPlay(o), opts), hung]);
      } finally {
        clearTimeout(timer);
      }
      const live = result.loaded && !result.panic;
      if (live && (options.screenshot || options.inspect)) {
        let png = null;
        try {
          png = await this.shoot(opts);
          if (options.screenshot) {
            fs.writeFileSync(options.screenshot, png);
          }
        } catch (e) {
          (options.inspect ? failures : warnings).push(`screenshot failed: ${e.message.split("\n")[0]}`);
        }
        if (png && options.inspect) {
          failures.push(...await this.inspect(options.inspect, png, opts, options.inspectTimeoutMs ?? 60000));
          // Traces printed and panics met during the checks count like the others.
          const after = await Promise.race([
            this.page.evaluate(() => window.orvantaPoll()),
            new Promise((_, reject) => setTimeout(() => reject(new Error("page stopped answering after the checks")), 10000)),
          ]);
          if (after) {
            result.traces = after.traces;
            result.panic = result.panic ?? after.panic;
            result.message = result.message ?? after.message;
          }
        }
      }
      await this.page.evaluate(() => window.orvantaClear());
      // The next movie must not start with the button held down.
      if (this.buttonDown) {
        this.buttonDown = false;
        await this.page.mouse.up();
      }
    } catch (e) {
      failures.push(`ruffle: page failed while playing: ${e.message.split("\n")[0]}`);
    }
    if (this.crashed) {
      failures.push("ruffle: the browser page crashed");
    }

    if (result) {
      if (result.panic) {
        failures.push(`ruffle: panic: ${result.panic}`);
      } else if (!result.loaded) {
        failures.push(`ruffle: movie did not load within ${options.loadTimeoutMs ?? 15000} ms`);
      }
      if (result.message) {
        failures.push(`ruffle: message shown over the movie: ${result.message}`);
      }
    }
    const allowed = [...BENIGN_CONSOLE, ...(options.allowConsoleErrors ?? []).map((s) => new RegExp(s))];
    let renderer = null;
    for (const ev of this.events) {
      const m = /Used renderer: ([^)]*)\)/.exec(ev.text);
      if (m) {
        renderer = m[1].trim();
      }
      if (ev.kind === "pageerror" || ev.kind === "requestfailed" || ev.kind === "http") {
        failures.push(`ruffle: ${ev.kind}: ${ev.text}`);
      } else if (ev.kind === "error") {
        if (allowed.some((re) => re.test(ev.text))) {
          warnings.push(`console error (allowed): ${ev.text}`);
        } else {
          failures.push(`ruffle: console error: ${ev.text}`);
        }
      } else if (ev.kind === "warning" && !NOISE.some((re) => re.test(ev.text))) {
        warnings.push(`console warning: ${ev.text}`);
      }
    }
    // After a panic Ruffle may refuse to start further players on the same page.
    if (failures.length > 0) {
      await this.openPage().catch((e) => failures.push(`ruffle: could not reopen the page: ${e.message}`));
    }
    return {
      failures,
      warnings,
      traces: result ? result.traces : [],
      renderer,
      loadMs: result ? result.loadMs : null,
      heldMs: result ? result.heldMs : null,
      totalMs: Date.now() - started,
    };
  }

  // A clip of the page, not an element shot: that one waits for the animation to hold still.
  shoot(opts) {
    return this.page.screenshot({ clip: { x: 0, y: 0, width: opts.width, height: opts.height }, timeout: 10000 });
  }

  async inspect(callback, png, opts, timeoutMs) {
    const mouse = this.page.mouse;
    const live = {
      screenshot: () => this.shoot(opts),
      mouse: {
        move: (x, y) => mouse.move(x, y),
        down: async () => {
          await mouse.down();
          this.buttonDown = true;
        },
        up: async () => {
          await mouse.up();
          this.buttonDown = false;
        },
      },
      wait: (ms) => new Promise((resolve) => setTimeout(resolve, ms)),
      traces: async () => (await this.page.evaluate(() => window.orvantaPoll()))?.traces ?? [],
      opened: async () => this.opened.slice(),
    };
    let timer;
    const hung = new Promise((_, reject) => {
      timer = setTimeout(() => reject(new Error(`checks on the live player took over ${timeoutMs} ms`)), timeoutMs);
    });
    try {
      return await Promise.race([callback(live, png), hung]);
    } catch (e) {
      return [`ruffle: ${e.message.split("\n")[0]}`];
    } finally {
      clearTimeout(timer);
    }
  }

  async close() {
    await this.browser?.close().catch(() => {});
    await this.server?.close();
    if (this.profileDir) {
      fs.rmSync(this.profileDir, { recursive: true, force: true });
    }
  }
}
