// The API client against a fake server: what it sends, what it keeps, how refusals arrive.
import assert from "node:assert/strict";
import { test } from "node:test";

import { ApiError, createApi } from "../../../src/shell/web/api.js";

// A server of canned answers that notes every request.
function fakeServer(answers) {
  const requests = [];
  const fetchImpl = async (url, init) => {
    const path = new URL(url, "http://x").pathname;
    requests.push({ url, path, method: init.method, headers: init.headers, body: init.body && JSON.parse(init.body) });
    const [status, body] = answers[path] ?? [404, { error: `no command is at ${path}`, revision: 1 }];
    return { ok: status < 400, status, json: async () => (typeof body === "string" ? JSON.parse(body) : body) };
  };
  return { requests, fetchImpl };
}

const state = (revision, extra = {}) => ({ revision, pages: ["index.html [t]"], ...extra });

test("every request carries the token, and changes the revision of the last state", async () => {
  const server = fakeServer({
    "/api/state": [200, state(4)],
    "/api/fields": [200, state(5)],
    "/api/pages/new": [200, state(6)],
  });
  const api = createApi({ token: "abc", fetchImpl: server.fetchImpl });
  await api.state();
  await api.setFields({ SWFWidth: 468 });
  await api.command("pages/new");
  await api.command("/api/pages/new", { line: 2 });
  assert.deepEqual(
    server.requests.map((r) => [r.method, r.path, r.headers["X-Orvanta-Token"], r.body]),
    [
      ["GET", "/api/state", "abc", undefined],
      ["POST", "/api/fields", "abc", { values: { SWFWidth: 468 }, revision: 4 }],
      ["POST", "/api/pages/new", "abc", { revision: 5 }],
      ["POST", "/api/pages/new", "abc", { line: 2, revision: 6 }],
    ],
  );
  assert.equal(api.revision, 6);
});

test("refusals arrive as ApiError with the server's words and never move the revision on", async () => {
  const cases = [
    ["/api/rebuild", 409, "Please waiting ..."],
    ["/api/pages/new", 422, "Max 10 webpages!"],
    ["/api/fields", 412, "the document is at revision 9, not 3; reload it and try again"],
  ];
  for (const [path, status, message] of cases) {
    const server = fakeServer({ "/api/state": [200, state(3)], [path]: [status, { error: message, revision: 9 }] });
    const api = createApi({ token: "t", fetchImpl: server.fetchImpl });
    await api.state();
    await assert.rejects(api.command(path), (e) => e instanceof ApiError && e.status === status && e.message === message);
    assert.equal(api.revision, 3, `${path} leaves the revision of the state shown`);
  }
});

test("a server that is gone or answers nonsense gives a clear error", async () => {
  const gone = createApi({ token: "t", fetchImpl: async () => { throw new TypeError("Failed to fetch"); } });
  await assert.rejects(gone.state(), (e) => e.status === 0 && /does not answer/.test(e.message));
  const garbled = createApi({
    token: "t",
    fetchImpl: async () => ({ ok: true, status: 200, json: async () => { throw new SyntaxError("x"); } }),
  });
  await assert.rejects(garbled.progress(), (e) => /not JSON/.test(e.message));
});

test("listeners hear every state with the method, and files and thumbnails build their queries", async () => {
  const server = fakeServer({
    "/api/state": [200, state(1)],
    "/api/undo": [200, state(2)],
    "/api/files": [200, { folders: [], files: [], revision: 2 }],
  });
  const api = createApi({ token: "tk", base: "", fetchImpl: server.fetchImpl });
  const heard = [];
  const stop = api.subscribe((s, how) => heard.push([s.revision, how.method]));
  await api.state();
  await api.undo();
  await api.files({ root: "home", path: "a b", filter: "project" });
  stop();
  await api.state();
  assert.deepEqual(heard, [[1, "GET"], [2, "POST"]]);
  assert.match(server.requests[2].url, /\/api\/files\?root=home&path=a\+b&filter=project$/);
  assert.equal(api.thumbnailUrl("Flash Banner", 3), "/api/thumbnail?list=Flash+Banner&entry=3&token=tk");
});
