// What the browser runs of the editor share: their arguments, the list of checks, screenshots,
// a real `orvanta serve` with a home and a working folder of its own, the document API beside
// the page, and waiting for a condition.

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

// Starts the program in dir (dir/home is its home); resolves once it is ready.
export function startEditorServer(orvanta, dir) {
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
  const state = async () => (await fetch(`${origin}/api/state`, { headers })).json();
  const post = async (route, body) => {
    const { revision } = await state();
    const answer = await fetch(`${origin}/api/${route}`, {
      method: "POST",
      headers,
      body: JSON.stringify({ revision, ...body }),
    });
    return answer.json();
  };
  return { state, post, set: (values) => post("fields", { values }) };
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

// Opens the editor of a fresh `orvanta serve` in headless Chromium and runs the checks on it
// (given the page, the document API and the run's folder, whose home is the program's); then
// stops both, removes their folders, prints the failures and exits, with 1 when there were any.
// prepare(dir) runs before the program starts.
export async function runInEditor({ args, results, viewport, prepare }, checks) {
  const started = performance.now();
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-e2e-"));
  await prepare?.(dir);
  const { server, address } = await startEditorServer(args.orvanta, dir);
  const { browser, profileDir } = await launchChromium("http://127.0.0.1:");
  try {
    const page = browser.pages()[0] ?? (await browser.newPage());
    await page.setViewportSize(viewport);
    page.on("pageerror", (e) => results.failures.push(`page error: ${e.message}`));
    await page.goto(address);
    await checks({ page, api: documentApi(address), dir });
  } catch (error) {
    results.failures.push(error.message.split("\n")[0]);
    await screenshots(args.screenshots)(browser.pages()[0], "failure").catch(() => {});
  }
  await browser.close();
  server.kill("SIGINT");
  for (const folder of [profileDir, dir]) fs.rmSync(folder, { recursive: true, force: true });
  for (const failure of results.failures) console.log(`FAIL: ${failure}`);
  const seconds = Math.round((performance.now() - started) / 1000);
  console.log(`${results.passed} passed, ${results.failures.length} failed in ${seconds} s`);
  process.exit(results.failures.length ? 1 : 0);
}
