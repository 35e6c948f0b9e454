// `orvanta serve` for a browser test: a home and a working folder of its own under dir, the
// address it prints once the templates are read, and the document's API beside the page.
import { spawn } from "node:child_process";
import fs from "node:fs";
import path from "node:path";

export function serveEditor(orvanta, dir) {
  fs.mkdirSync(path.join(dir, "home"), { recursive: true });
  const server = spawn(path.resolve(orvanta), ["serve", "--no-browser", "--work", path.join(dir, "work")], {
    env: { ...process.env, HOME: path.join(dir, "home") },
    stdio: ["ignore", "pipe", "inherit"],
  });
  let printed = "";
  return new Promise((resolve, reject) => {
    server.on("exit", (code) => reject(new Error(`orvanta serve stopped (${code}): ${printed}`)));
    server.stdout.on("data", (chunk) => {
      printed += chunk;
      const address = /Orvanta editor: (http:\S+)/.exec(printed)?.[1];
      if (address && printed.includes("ready in")) {
        server.removeAllListeners("exit");
        resolve({ server, address, work: path.join(dir, "work") });
      }
    });
  });
}

export function documentOf(address) {
  const { origin, searchParams } = new URL(address);
  const headers = { "X-Orvanta-Token": searchParams.get("token"), "Content-Type": "application/json" };
  const get = async (route) => (await fetch(`${origin}/api/${route}`, { headers })).json();
  return {
    state: () => get("state"),
    catalogue: () => get("catalogue"),
    async set(values) {
      const { revision } = await get("state");
      const answer = await fetch(`${origin}/api/fields`,
        { method: "POST", headers, body: JSON.stringify({ revision, values }) });
      return answer.json();
    },
  };
}

export async function waitFor(probe, timeout = 30000) {
  const start = performance.now();
  while (performance.now() - start < timeout) {
    if (await probe()) return true;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return false;
}

// Checks that print as they go and are counted for the summary.
export function checklist() {
  const list = { passed: 0, failures: [] };
  list.expect = (ok, what) => {
    if (ok) list.passed++;
    else list.failures.push(what);
    console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
  };
  return list;
}
