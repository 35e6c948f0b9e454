// What the editor's browser runs share: their arguments, the list of checks, screenshots, a real
// `orvanta serve` with a home and a working folder of its own, headless Chromium at 1366 × 768
// on its address, the document API beside the page, and waiting for a condition.

import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { parseArgs } from "node:util";

import { launchChromium } from "../conformance/ruffle.mjs";

// --orvanta=PATH (needed) and --screenshots=DIR; the usage and exit code 2 without the program.
export function e2eArguments(script) {
  const { values } = parseArgs({
    options: { orvanta: { type: "string" }, screenshots: { type: "string" } },
  });
  if (!values.orvanta) {
    console.error(`usage: ${script} --orvanta=PATH [--screenshots=DIR]`);
    process.exit(2);
  }
  return values;
}

// The checks of a run, each printed as it is made; a run ends in runInEditor.
export function checkList() {
  const results = { passed: 0, failures: [] };
  const expect = (ok, what) => {
    if (ok) results.passed++;
    else results.failures.push(what);
    console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
  };
  return { results, expect };
}

// Saves a screenshot of the page as DIR/NAME.png when a folder is given.
export function screenshots(dir) {
  return async (page, name) => {
    if (!dir) return;
    fs.mkdirSync(dir, { recursive: true });
    await page.screenshot({ path: path.join(dir, `${name}.png`) });
  };
}

// Starts the program in dir (dir/home is its home); resolves to its process and the address it
// prints, once its templates are read.
export function startEditor(orvanta, dir) {
  fs.mkdirSync(path.join(dir, "home"), { recursive: true });
  const command = ["serve", "--no-browser", "--work", path.join(dir, "work")];
  const server = spawn(path.resolve(orvanta), command, {
    env: { ...process.env, HOME: path.join(dir, "home") },
    stdio: ["ignore", "pipe", "inherit"],
  });
  let printed = "";
  return new Promise((resolve, reject) => {
    server.on("exit", (code) => reject(new Error(`orvanta serve ended with ${code}: ${printed}`)));
    server.stdout.on("data", (chunk) => {
      printed += chunk;
      const found = printed.match(/Orvanta editor: (http:\S+)/);
      if (found && printed.includes("ready in")) resolve({ server, address: found[1] });
    });
  });
}

// The server's document, read and changed beside the page as another client would.
export function documentApi(address) {
  const { origin, searchParams } = new URL(address);
  const headers = {
    "X-Orvanta-Token": searchParams.get("token"),
    "Content-Type": "application/json",
  };
  const get = async (route) => (await fetch(`${origin}/api/${route}`, { headers })).json();
  const state = () => get("state");
  const post = async (route, body) => {
    const { revision } = await state();
    const answer = await fetch(`${origin}/api/${route}`, {
      method: "POST",
      headers,
      body: JSON.stringify({ revision, ...body }),
    });
    return answer.json();
  };
  return { state, post, set: (values) => post("fields", { values }), catalogue: () => get("catalogue") };
}

// Whether the probe comes true within the time.
export async function waitFor(what, probe, timeout = 30000) {
  const start = performance.now();
  while (performance.now() - start < timeout) {
    if (await probe()) return true;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  console.log(`gave up waiting: ${what}`);
  return false;
}

// Until the build the page shows has finished.
export const waitIdle = (page) =>
  page.waitForSelector(".building-panel", { state: "hidden", timeout: 60000 });

// Runs run(page, {server, address, started, dir, home}) against a fresh editor and browser, and
// cleans both up; prepare(dir) runs before the program starts. An exception or a page error
// becomes a failure; with screenshots, the page at the moment of an exception is kept as
// failure.png.
export async function withEditor({ orvanta, screenshots: shots, failures, viewport, prepare }, run) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-e2e-"));
  const started = performance.now();
  await prepare?.(dir);
  const { server, address } = await startEditor(orvanta, dir);
  const { browser, profileDir } = await launchChromium("http://127.0.0.1:");
  try {
    const page = browser.pages()[0] ?? (await browser.newPage());
    await page.setViewportSize(viewport ?? { width: 1366, height: 768 });
    page.on("pageerror", (e) => failures.push(`page error: ${e.message}`));
    await run(page, { server, address, started, dir, home: path.join(dir, "home") });
  } catch (error) {
    failures.push(error.message.split("\n")[0]);
    await screenshots(shots)(browser.pages()[0], "failure").catch(() => {});
  } finally {
    await browser.close();
    server.kill("SIGINT");
    for (const folder of [profileDir, dir]) fs.rmSync(folder, { recursive: true, force: true });
  }
}

// withEditor over a check list: opens the editor, runs checks({page, api, dir}), prints the
// failures and exits, with 1 when there were any.
export async function runInEditor({ args, results, viewport, prepare }, checks) {
  const started = performance.now();
  await withEditor({ orvanta: args.orvanta, screenshots: args.screenshots,
    failures: results.failures, viewport, prepare }, async (page, { address, dir }) => {
    await page.goto(address);
    await checks({ page, api: documentApi(address), dir });
  });
  for (const failure of results.failures) console.log(`FAIL: ${failure}`);
  const seconds = Math.round((performance.now() - started) / 1000);
  console.log(`${results.passed} passed, ${results.failures.length} failed in ${seconds} s`);
  process.exit(results.failures.length ? 1 : 0);
}
