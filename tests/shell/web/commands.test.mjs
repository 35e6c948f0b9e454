// The window's commands through the registry, as the buttons, menus and shortcuts reach them,
// with a fake API and a fake window that note what each command asked for.
import assert from "node:assert/strict";
import { test } from "node:test";

import { command, commandForKey, commands, isChecked, isEnabled, menus } from "../../../src/shell/web/commands/registry.js";
import { parseCaption } from "../../../src/shell/web/ui/captions.js";

const unbuilt = {
  built: false, canUndo: false, autoRebuild: true, previewMode: "design", selection: "",
  currentPage: 1, pages: ["index.html [t]"], content: [],
  fields: { TSWFOptionForm: { webpage_filename: "index.html", SWFWidth: "468", SWFHeight: "60" } },
};
const built = { ...unbuilt, built: true, canUndo: true, currentPage: 2, pages: ["index.html [t]", "Copy2-index.html [t]"], selection: "Animated Text" };

function harness(state, { chosenFile = { root: "home", path: "work/banner" }, answer = {} } = {}) {
  const calls = [];
  const api = {
    rebuild: async () => (calls.push(["rebuild"]), {}),
    undo: async () => (calls.push(["undo"]), {}),
    command: async (path, body = {}) => (calls.push([path, body]), answer),
  };
  const ui = {
    building: async (job) => (calls.push(["building"]), job()),
    chooseFile: async (options) => (calls.push(["chooseFile", options.filter, options.mode]), chosenFile),
    publishDialog: async () => ({ root: "home", path: "site", allMedia: false }),
    openEditor: async (editor, tab) => calls.push(["openEditor", editor, tab]),
    setSampleSize: (size) => calls.push(["setSampleSize", size]),
    message: (text) => calls.push(["message", text]),
    status: () => {},
    closeWindow: () => calls.push(["closeWindow"]),
  };
  return { calls, context: { api, state, view: { sampleSize: "medium" }, ui } };
}

test("buttons and menus show the window's captions word for word", () => {
  const captions = {
    publishBanner: ["Publish Banner", "Publish Banner&Webpages (Output HTML/SWF/JPEG Files)"],
    newEmpty: ["New&Empty", "Create New Empty Banner&Website"],
    exitClose: ["Exit & Close", "Exit"],
    rebuild: ["Rebuld Webpage", "Rebuild Banner"],
    shapePanel: ["Shape Panel", "Shape Panel (Create  Panel and Background Panel)"],
    bannerOptions: ["Banner Options", "Banner Options (Width&Height,FPS,BG Color&Music, Welcome Loading)"],
    designMode: ["Design/Edit Mode", "Design/Edit Mode (Webpage  Readonly)"],
    hideSamples: ["Hide", "Hide Samples"],
  };
  for (const [name, [button, menu]] of Object.entries(captions)) {
    assert.equal(parseCaption(command(name).label).text, button, name);
    assert.equal(parseCaption(command(name).menuLabel).text, menu, name);
  }
  assert.deepEqual(parseCaption("&Rebuld Webpage"), { text: "Rebuld Webpage", accessKey: "r" });
  assert.equal(command("bannerOptions").hint, "Width,Height,PerLoader,MouseOver");
});

test("every menu entry is a command with a menu caption, and each command is listed once", () => {
  const names = [];
  const walk = (items) => items.forEach((item) => (typeof item === "string" ? names.push(item) : walk(item.items)));
  walk(menus);
  for (const name of names) assert.ok(command(name).menuLabel ?? command(name).label, name);
  assert.equal(new Set(names).size, names.length);
  assert.ok(names.length >= 22);
});

test("what is offered before and after the first build", () => {
  const cases = [
    ["publishBanner", false, true],
    ["saveProject", false, true],
    ["loadProject", true, true],
    ["undo", false, true],
    ["editContent", false, true],
    ["deleteContent", false, true],
    ["mediumSamples", false, false], // the panel is medium already
    ["maximizeSamples", true, true],
  ];
  for (const [name, before, after] of cases) {
    assert.equal(isEnabled(command(name), harness(unbuilt).context), before, `${name} before`);
    assert.equal(isEnabled(command(name), harness(built).context), after, `${name} after`);
  }
  assert.ok(isChecked(command("autoRebuild"), harness(built).context));
  assert.ok(isChecked(command("designMode"), harness(built).context));
  assert.ok(!isChecked(command("previewMode"), harness(built).context));
});

test("each command asks the server for its operation", async () => {
  const cases = [
    ["rebuild", undefined, [["building"], ["rebuild"]]],
    ["undo", undefined, [["building"], ["undo"]]],
    ["newPage", undefined, [["building"], ["pages/new", {}]]],
    ["deletePage", undefined, [["building"], ["pages/delete", { line: 2 }]]],
    ["selectPage", 1, [["building"], ["pages/select", { line: 1 }]]],
    ["selectPage", 2, []],
    ["selectContent", "Shape1", [["content/select", { label: "Shape1" }]]],
    ["deleteContent", undefined, [["building"], ["content/delete", { label: "Animated Text" }]]],
    ["autoRebuild", undefined, [["auto-rebuild", { on: false }]]],
    ["previewMode", undefined, [["preview-mode", { mode: "preview" }]]],
    ["designMode", undefined, []],
    ["openSample", { list: "Flash Banner", entry: 3 }, [["building"], ["samples/open", { list: "Flash Banner", entry: 3 }]]],
    ["loadProject", undefined, [["chooseFile", "project", "open"], ["building"], ["project/load", { root: "home", path: "work/banner" }]]],
    ["saveProject", undefined, [["chooseFile", "project", "save"], ["project/save", { root: "home", path: "work/banner.fls" }]]],
    ["staticImage", undefined, [["openEditor", "Tstaticimage_form", ""]]],
    ["bannerOptions", undefined, [["openEditor", "TSWFOptionForm", "Main"]]],
    ["maximizeSamples", undefined, [["setSampleSize", "maximize"]]],
    ["exitClose", undefined, [["exit", {}], ["closeWindow"]]],
  ];
  for (const [name, args, expected] of cases) {
    const { calls, context } = harness(built);
    await command(name).perform(context, args);
    assert.deepEqual(calls, expected, name);
  }
});

test("a file already named with an extension is saved under that name, and a cancelled dialog does nothing", async () => {
  for (const [picked, saved] of [["a/b.fls", "a/b.fls"], ["x.old.fls", "x.old.fls"], ["v1.2/banner", "v1.2/banner.fls"]]) {
    const { calls, context } = harness(built, { chosenFile: { root: "home", path: picked } });
    await command("saveProject").perform(context);
    assert.deepEqual(calls.at(-1), ["project/save", { root: "home", path: saved }]);
  }
  const { calls, context } = harness(built, { chosenFile: null });
  await command("loadProject").perform(context);
  assert.deepEqual(calls, [["chooseFile", "project", "open"]]);
});

test("New&Empty opens the editor the server names, and Edit the item's editor", async () => {
  const empty = harness(built, { answer: { openEditor: { editor: "TSWFOptionForm", tab: "" } } });
  await command("newEmpty").perform(empty.context);
  assert.deepEqual(empty.calls.at(-1), ["openEditor", "TSWFOptionForm", ""]);
  const edit = harness(built, { answer: { editor: "Tslideshowform", tab: "Small Thumbs" } });
  await command("editContent").perform(edit.context, "Album Thumb");
  assert.deepEqual(edit.calls, [["content/edit", { label: "Album Thumb" }], ["openEditor", "Tslideshowform", "Small Thumbs"]]);
  const none = harness(built, { answer: { editor: null } });
  await command("editContent").perform(none.context, "Back Ground");
  assert.deepEqual(none.calls, [["content/edit", { label: "Back Ground" }]]);
});

test("shortcuts reach only commands that are enabled", () => {
  const key = (key, mods = {}) => ({ key, ctrlKey: false, shiftKey: false, ...mods });
  const cases = [
    [key("z", { ctrlKey: true }), built, "undo"],
    [key("z", { ctrlKey: true }), unbuilt, null],
    [key("Z", { ctrlKey: true, shiftKey: true }), built, null],
    [key("s", { ctrlKey: true }), built, "saveProject"],
    [key("s", { ctrlKey: true }), unbuilt, null],
    [key("F9"), built, "rebuild"],
    [key("Delete"), built, "deleteContent"],
    [key("Delete"), unbuilt, null],
  ];
  for (const [event, state, expected] of cases)
    assert.equal(commandForKey(event, harness(state).context)?.name ?? null, expected, `${event.key} ${state.built}`);
  assert.ok(commands.size > 20);
});
