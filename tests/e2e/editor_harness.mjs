// What the editor's browser runs share: `orvanta serve` started with a home and a working
// folder of its own, headless Chromium at 1366 × 768 on its address, and the document read
// beside the page as another client would.

import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

import { launchChromium } from "../conformance/ruffle.mjs";

// Resolves to the server's process and the address it prints, once its templates are read.
export function startEditor(orvanta, dir) {
  fs.mkdirSync(path.join(dir, "home"), { recursive: true });
  const server = spawn(path.resolve(orvanta), ["serve", "--no-browser", "--work", path.join(dir, "work")], {
    env: { ...process.env, HOME: path.join(dir, "home") },
    stdio: ["ignore", "pipe", "inherit"],
  });
  return new Promise((resolve, reject) => {
    let printed = "";
    server.on("exit", (code) => reject(new Error(`orvanta serve ended with ${code}: ${printed}`)));
    server.stdout.on("data", (chunk) => {
      printed += chunk;
      const address = printed.match(/Orvanta editor: (http:\S+)/)?.[1];
      if (address && printed.includes("ready in")) resolve({ server, address });
    });
  });
}

// Runs run(page, {server, address, started, home}) against a fresh editor and browser, and
// cleans both up. An exception or a page error becomes a failure; with screenshots, the page
// at the moment of an exception is kept as failure.png.
export async function withEditor({ orvanta, screenshots, failures }, run) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "orvanta-e2e-"));
  const started = performance.now();
  const { server, address } = await startEditor(orvanta, dir);
  const { browser, profileDir } = await launchChromium("http://127.0.0.1:");
  try {
    const page = browser.pages()[0] ?? (await browser.newPage());
    await page.setViewportSize({ width: 1366, height: 768 });
    page.on("pageerror", (e) => failures.push(`page error: ${e.message}`));
    await run(page, { server, address, started, home: path.join(dir, "home") });
  } catch (error) {
    failures.push(error.message.split("\n")[0]);
    if (screenshots) {
      fs.mkdirSync(screenshots, { recursive: true });
      await browser.pages()[0]?.screenshot({ path: path.join(screenshots, "failure.png") }).catch(() => {});
    }
  } finally {
    await browser.close();
    server.kill("SIGINT");
    fs.rmSync(profileDir, { recursive: true, force: true });
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

export function documentApi(address) {
  const { origin, searchParams } = new URL(address);
  const headers = { "X-Orvanta-Token": searchParams.get("token"), "Content-Type": "application/json" };
  return { state: async () => (await fetch(`${origin}/api/state`, { headers })).json() };
}

export const waitIdle = (page) =>
  page.waitForSelector(".building-panel", { state: "hidden", timeout: 60000 });
