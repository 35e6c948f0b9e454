// The editors without a page: the forms generated from the real schema, each editor's rules
// and what OK and Cancel send. Run: node --test tests/shell/web/editors/
import assert from "node:assert/strict";
import fs from "node:fs";
import { test } from "node:test";

import { openEditSession } from "../../../../src/shell/web/editors/edit_session.js";
import { editorRules } from "../../../../src/shell/web/editors/rules/index.js";
import { editorFields } from "../../../../src/shell/web/editors/form_model.js";
import { createFakeApi } from "./fake_api.mjs";

const schema = JSON.parse(fs.readFileSync(new URL("./schema.json", import.meta.url)));
const editors = schema.editors.editors;
const open = (editor, page) => openEditSession({ editor, api: createFakeApi(schema, page) });

test("every editor's form holds each field once, options grouped, on tabs without repeats", async () => {
  for (const editorEntry of editors) {
    const session = await open(editorEntry.class);
    const names = session.form.tabs.flatMap((t) =>
      t.rows.flatMap((r) => (r.type === "group" ? r.fields : [r.field]).map((f) => f.name)));
    assert.deepEqual(names.toSorted(), editorFields(editorEntry).map((f) => f.name).toSorted(), editorEntry.class);
    const tabs = session.form.tabs.map((t) => t.name);
    assert.equal(new Set(tabs).size, tabs.length, editorEntry.class);
    for (const tab of session.form.tabs)
      for (const row of tab.rows.filter((r) => r.type === "group"))
        assert.ok(row.fields.length >= 2, `${editorEntry.class} ${row.name} is a group of one`);
  }
});

test("the tabs the shell opens on are there", async () => {
  const expected = {
    TSWFOptionForm: ["Main", "Welcome Loading", "Sound"],
    Tdynamictextform: ["Input Text", "Text", "Letter Look"],
    Tstaticimage_form: ["Static Image 1", "Back Image"],
    Tbuttonform: ["Button 1", "Button 20", "Whole Banner Link", "Button Bar"],
  };
  for (const [editor, tabs] of Object.entries(expected)) {
    const session = await open(editor);
    const names = session.form.tabs.map((t) => t.name);
    for (const tab of tabs) assert.ok(names.includes(tab), `${editor} lacks "${tab}"`);
  }
  const first = { Tdynamictextform: "Input Text", Tslideshowform: "Add Photo Files",
    TMovieClipform: "Clip 1", TSWFOptionForm: "Main", Tbuttonform: "Button 1" };
  for (const [editor, tab] of Object.entries(first))
    assert.equal((await open(editor)).form.tabs[0].name, tab, editor);
});

test("every name the rules use is a field or block of their editor", () => {
  for (const rules of Object.values(editorRules)) {
    const editorEntry = editors.find((e) => e.class === rules.editor);
    assert.ok(editorEntry, `no editor ${rules.editor}`);
    const own = new Set(editorFields(editorEntry).map((f) => f.name));
    const tabs = new Set(editorFields(editorEntry).map((f) => f.tab));
    const sample = Object.fromEntries([...own].map((n) => [n, "0"]));
    const used = [
      ...[...(rules.show ?? []), ...(rules.enable ?? [])].flatMap((r) => r.fields),
      ...[...(rules.onOpen ?? []), ...(rules.refresh ?? [])].flatMap((r) => Object.keys(r.set)),
      ...(rules.actions ?? []).flatMap((a) => a.dialog ? [a.field] : Object.keys(
        a.perform ? performed(a.perform(sample, () => "")).set ?? {}
          : typeof a.set === "function" ? a.set(sample) : a.set)),
      ...Object.keys(rules.files ?? {}),
      ...(rules.selected ?? []),
    ];
    for (const name of [...used, ...(rules.pageLinks ?? [])])
      assert.ok(own.has(name), `${rules.editor}: "${name}"`);
    for (const tab of (rules.showTabs ?? []).flatMap((r) => r.tabs).concat(
      (rules.actions ?? []).flatMap((a) => a.tab ?? [])))
      assert.ok(tabs.has(tab), `${rules.editor}: tab "${tab}"`);
  }
});

// What an action does: for one that asks the gallery first, what it does with entry 1 picked.
function performed(outcome, picked = 1) {
  return outcome.pick ? outcome.pick.then(picked) : outcome;
}

// Each case: an editor opened on a page, steps a user takes (an action that asks the gallery
// gets the case's "picked" entry), and what the editor then shows.
const O = "TSWFOptionForm", A = "Tdynamictextform", S = "Tstatictextform";
const cases = [
  { name: "no music: the control resets and the music group hides", editor: O,
    page: { fields: { [O]: { bgsound: "None", bgsoundcontrol: "3", bgsoundcontrolx: "40" } } },
    values: { bgsoundcontrol: "0", bgsoundcontrolx: "0", bgsoundcontroly: "0" },
    hidden: ["bgsoundoption", "bgsoundcontrol", "bgsoundcontrolx"] },
  { name: "music chosen: the control position waits for a control", editor: O,
    steps: [["set", "bgsound", "loop.mp3"]],
    shown: ["bgsoundoption", "bgsoundcontrol"], disabled: ["bgsoundcontrolx", "bgsoundcontroly"] },
  { name: "music and a control: the position is enabled", editor: O,
    steps: [["set", "bgsound", "loop.mp3"], ["set", "bgsoundcontrol", "2"]],
    enabled: ["bgsoundcontrolx", "bgsoundcontroly"] },
  { name: "\"No Sound\" forgets the music", editor: O,
    page: { fields: { [O]: { bgsound: "loop.mp3" } } }, steps: [["action", "No Sound"]],
    values: { bgsound: "None" }, hidden: ["bgsoundoption"] },
  { name: "the picture background takes the colour's place", editor: O,
    steps: [["set", "PageBackGroundImageEnabled", "True"]],
    values: { PageBackGroundSolidEnabled: "False" },
    hidden: ["PageBackGroundSolidColor"], shown: ["PageBackGroundImageEdit"] },
  { name: "a size preset sets both sizes", editor: O, steps: [["action", "980 × 1200"]],
    values: { SWFWidth: "980", SWFHeight: "1200" } },
  { name: "a typed width is kept inside its range", editor: O,
    steps: [["set", "SWFWidth", "2500"], ["set", "SpeedFPS", "1"], ["set", "SWFHeight", "abc"]],
    values: { SWFWidth: "2000", SpeedFPS: "4", SWFHeight: "800" } },
  { name: "animated text opened empty starts from the reset settings, disabled", editor: A,
    values: { TextEffectID: "3", TextPosX: "10", TextPosY: "10", letterlinerotation: "True" },
    disabled: ["TextEffectID", "TextPosX", "letternone"] },
  { name: "typing the first letter enables the text settings", editor: A,
    steps: [["set", "InputText", "H"]], enabled: ["TextEffectID", "TextPosX", "letternone"] },
  { name: "animated text with lines keeps its own settings", editor: A,
    page: { blocks: { InputText: "Sale" }, fields: { [A]: { TextEffectID: "5", TextPosX: "70" } } },
    values: { TextEffectID: "5", TextPosX: "70" } },
  { name: "the letter fill enables only its own settings", editor: A,
    steps: [["set", "FontFrontGradientColorEnabled", "True"]],
    enabled: ["FontFrontGradientColorStart"], disabled: ["FontFrontSolidColor", "FontFrontImageEditBox"] },
  { name: "an empty static text slot goes back to the corner, disabled", editor: S,
    page: { blocks: { StaticText1: "Hello" }, fields: { [S]: { Description2PosX: "90" } } },
    values: { Description1PosX: "10", Description2PosX: "0", Description2shadow: "False" },
    enabled: ["Description1color"], disabled: ["Description2color"] },
  { name: "\"Remove\" empties a static text", editor: S, page: { blocks: { StaticText3: "x" } },
    steps: [["action", "Remove", "Static Text 3"]], values: { StaticText3: "" },
    disabled: ["Description3PosX"] },
  { name: "the whole-banner link hides the buttons", editor: "Tbuttonform",
    page: { fields: { Tbuttonform: { buttonurlenabled0: "True" } } },
    hiddenTabs: ["Button 1", "Button 20", "Button Bar"], enabled: ["buttonurl0"] },
  { name: "buttons shown without the whole-banner link", editor: "Tbuttonform",
    page: { fields: { Tbuttonform: { buttonurlenabled0: "False" } } },
    shownTabs: ["Button 1", "Button Bar"], disabled: ["buttonurl0"] },
  { name: "no photos: the slideshow resets and waits", editor: "Tslideshowform",
    page: { fields: { Tslideshowform: { photodelay: "9", thumbenabled: "True" } } },
    values: { photodelay: "5", thumbenabled: "False", photowidth: "100" },
    disabled: ["photodelay", "galleryrow"] },
  { name: "a picture border switches the photo shape off", editor: "Tslideshowform",
    page: { blocks: { Photos: ["beach.jpg"] } }, steps: [["set", "photoborderindex", "4"]],
    values: { thumbroundrect: "False" }, disabled: ["thumbroundrect", "thumbshape", "photobordercolor"] },
  { name: "thumbnails on enable the grid", editor: "Tslideshowform",
    page: { blocks: { Photos: ["beach.jpg"] } }, steps: [["set", "thumbenabled", "True"]],
    enabled: ["galleryrow", "gallerythumbwidth"] },
  { name: "\"Add Button\" gives the first empty slot the picked style, a caption, the default link and _blank",
    editor: "Tbuttonform",
    page: { fields: { Tbuttonform: { buttonindex1: "3", buttonindex2: "0", buttonindex3: "5" } } },
    steps: [["action", "Add Button"]], picked: 25,
    values: { buttonindex2: "25", buttontext2: "link2", buttonurl2: "https://example.com/",
      buttontarget2: "0", buttonindex3: "5" } },
  { name: "\"Add Button\" with \"None\" picked adds nothing", editor: "Tbuttonform",
    steps: [["action", "Add Button"]], picked: 0, values: { buttonindex1: "-1", buttontext1: "Link1" } },
  { name: "\"Add MovieClip\" fills the first free layer with the picked clip", editor: "TMovieClipform",
    page: { fields: { TMovieClipform: { PageEffectID1: "4", PageEffectID2: "0", PageEffectID3: "6" } } },
    steps: [["action", "Add MovieClip"]], picked: 40,
    values: { PageEffectID1: "4", PageEffectID2: "40", PageEffectID3: "6" },
    enabled: ["PageBackGroundPosX2"] },
  { name: "a panel without a style hides its settings; \"Full Size\" fills the banner",
    editor: "Tshapeboxform",
    page: { fields: { TSWFOptionForm: { SWFWidth: "468", SWFHeight: "60" } } },
    steps: [["set", "shape5listbox", "7"], ["action", "Full Size"]],
    values: { shape5width: "468", shape5height: "60", shape5posx: "0" },
    hidden: ["shape1posx", "shape5color1"], shown: ["shape5posx"] },
  { name: "\"Send to Back\" takes the panel, shadow included, to slot 5; the others move up",
    editor: "Tshapeboxform",
    page: { fields: { Tshapeboxform: { shape2listbox: "7", shape2posx: "33", shape2shadow: "True",
      shape3listbox: "9", shape5listbox: "4", shape2color1: "255" } } },
    steps: [["action", "Send to Back", "Shape 2"]],
    values: { shape5listbox: "7", shape5posx: "33", shape5shadow: "True", shape2listbox: "9",
      shape4listbox: "4", shape2shadow: "False", shape2color1: "255" } },
  { name: "\"Bring to Front\" takes the panel to slot 1; the others move down",
    editor: "Tshapeboxform",
    page: { fields: { Tshapeboxform: { shape1listbox: "1", shape2listbox: "2", shape3listbox: "3" } } },
    steps: [["action", "Bring to Front", "Shape 3"]],
    values: { shape1listbox: "3", shape2listbox: "1", shape3listbox: "2" } },
  { name: "a movie clip layer changes place with its neighbour", editor: "TMovieClipform",
    page: { fields: { TMovieClipform: { PageEffectID2: "8", PageBackGroundPosX2: "40", PageEffectID3: "9" } } },
    steps: [["action", "Send to Back", "Clip 2"]],
    values: { PageEffectID3: "8", PageBackGroundPosX3: "40", PageEffectID2: "9", PageBackGroundPosX2: "0" } },
  { name: "a picture slot with a file and NoZoom: size follows the picture", editor: "Tstaticimage_form",
    steps: [["set", "StaticImageText2", "beach.jpg"], ["set", "staticimagewh2", "True"]],
    enabled: ["staticimagex2"], disabled: ["staticimagewidth2", "staticimagex"] },
  { name: "a movie clip layer without a clip has nothing to place", editor: "TMovieClipform",
    steps: [["set", "PageEffectID2", "5"], ["action", "Remove", "Clip 2"]],
    values: { PageEffectID2: "0" }, disabled: ["PageBackGroundPosX2", "PageBackGroundPosX0"] },
];

test("each editor's rules follow what the user does", async () => {
  for (const c of cases) {
    const session = await open(c.editor, c.page);
    for (const [kind, a, b] of c.steps ?? []) {
      if (kind === "set") session.set(a, b);
      else {
        const outcome = session.run([...session.form.actions,
          ...session.form.tabs.flatMap((t) => t.actions)].find((x) => x.caption === a && (!b || x.tab === b)));
        if (outcome.pick) session.run({ set: performed(outcome, c.picked).set ?? {} });
      }
    }
    for (const [name, value] of Object.entries(c.values ?? {}))
      assert.equal(session.values[name], value, `${c.name}: ${name}`);
    const check = (list, set, want) => {
      for (const name of list ?? []) assert.equal(set.has(name), want, `${c.name}: ${name}`);
    };
    check(c.hidden, session.hiddenFields(), true);
    check(c.shown, session.hiddenFields(), false);
    check(c.disabled, session.disabledFields(), true);
    check(c.enabled, session.disabledFields(), false);
    check(c.hiddenTabs, session.hiddenTabs(), true);
    check(c.shownTabs, session.hiddenTabs(), false);
  }
});

test("OK sends only what changed, the set option of a group, then rebuilds", async () => {
  const api = createFakeApi(schema, { blocks: { InputText: "Sale" } });
  const session = await openEditSession({ editor: A, api });
  session.set("TextPosX", "25");
  session.set("FontFrontImageEnabled", "True");
  session.set("InputText", "Sale\nToday");
  session.set("AnimatedTextFont", "DejaVu Sans|24|Bold");
  session.set("TextPosY", "50"); // its value already
  assert.equal(await session.ok(), true);
  assert.deepEqual(api.writes, [
    { setFields: { TextPosX: "25", FontFrontImageEnabled: "True", InputText: "Sale\nToday",
      AnimatedTextFont: "DejaVu Sans|24|Bold" } },
    { rebuild: true },
  ]);
});

test("with auto rebuild on, the server's own rebuild on taking the values is the only one", async () => {
  for (const [edit, writes] of [
    [true, [{ setFields: { TextPosX: "25" } }]],
    [false, [{ rebuild: true }]], // nothing changed: OK still rebuilds
  ]) {
    const api = createFakeApi(schema, { blocks: { InputText: "Sale" }, autoRebuild: true });
    const session = await openEditSession({ editor: A, api });
    if (edit) session.set("TextPosX", "25");
    await session.ok();
    assert.deepEqual(api.writes, writes);
  }
});

test("a refused value changes nothing and does not rebuild; editing alone writes nothing", async () => {
  const api = createFakeApi(schema);
  const session = await openEditSession({ editor: O, api });
  session.set("htmltitleedit", "Spring sale");
  session.run({ set: { SWFWidth: "300", SWFHeight: "250" } });
  assert.deepEqual(api.writes, []);
  api.refuseNext = "\"webpage_filename\" may not name a folder";
  await assert.rejects(session.ok(), { status: 400, message: /may not name a folder/ });
  assert.deepEqual(api.writes, []);
  assert.equal(await session.ok(), true);
  assert.deepEqual(api.writes[0].setFields.SWFWidth, "300");
});

test("captions, colours, fonts and picked files read as the user expects", async () => {
  const { displayCaption } = await import("../../../../src/shell/web/editors/dom.js");
  const { colourToHex, hexToColour } = await import("../../../../src/shell/web/editors/field_values.js");
  const { parseFont, formatFont } = await import("../../../../src/shell/web/editors/widgets.js");
  const { storedFileName } = await import("../../../../src/shell/web/editors/file_choice.js");
  for (const [raw, shown] of [["Enter&&Exit Time(ms):", "Enter&Exit Time(ms):"],
    ["Shape & Panel", "Shape & Panel"], ["&Rebuld Webpage", "Rebuld Webpage"],
    ["SlideShow&&Thumb", "SlideShow&Thumb"]])
    assert.equal(displayCaption(raw), shown);
  // Colours are kept as 0x00BBGGRR: 255 is red.
  for (const [value, hex] of [["255", "#ff0000"], ["16711680", "#0000ff"], ["8421504", "#808080"],
    ["0", "#000000"]]) {
    assert.equal(colourToHex(value), hex);
    assert.equal(hexToColour(hex), value);
  }
  for (const text of ["Arial|10", "DejaVu Sans|36|Bold|Italic", "Liberation Serif|12|Italic"])
    assert.equal(formatFont(parseFont(text)), text);
  const options = { keepAfter: ["photos/", { folder: "mc_thumb/html/_default/images/", keep: "images/" }] };
  for (const [picked, stored] of [
    [{ root: "data", path: "photos/people/anna.jpg", folderPath: "/d/photos/people" }, "people/anna.jpg"],
    [{ root: "data", path: "mc_thumb/html/_default/images/bg.jpg", folderPath: "/d/x" }, "images/bg.jpg"],
    [{ root: "data", path: "sound/loop.mp3", folderPath: "/d/sound" }, "/d/sound/loop.mp3"],
    [{ root: "data", path: "mc_thumb/html/_default/x.jpg", folderPath: "/d/mc_thumb/html/_default" },
      "/d/mc_thumb/html/_default/x.jpg"],
    [{ root: "home", path: "photos/me.jpg", folderPath: "/home/ann/photos" }, "/home/ann/photos/me.jpg"],
  ])
    assert.equal(storedFileName(picked, options), stored);
});

test("a state without the editors' blocks still opens every editor", async () => {
  for (const editorEntry of editors) {
    const api = createFakeApi(schema);
    const bare = await api.state();
    delete bare.blocks;
    api.state = async () => bare;
    const session = await openEditSession({ editor: editorEntry.class, api });
    session.disabledFields();
    for (const [name, value] of Object.entries(session.changes()))
      assert.equal(typeof value, "string", `${editorEntry.class} ${name}`);
  }
});

test("a button link offers the project's pages by file name", async () => {
  assert.deepEqual((await open("Tbuttonform")).pageNames, ["index.html", "offers.html"]);
});

test("\"Add Button\" with every slot used says so and changes nothing", async () => {
  const full = Object.fromEntries(Array.from({ length: 20 }, (_, i) =>
    [`buttonindex${i < 7 ? "" : "_"}${i + 1}`, "2"]));
  const session = await open("Tbuttonform", { fields: { Tbuttonform: full } });
  const add = session.form.actions.find((a) => a.caption === "Add Button");
  assert.deepEqual(session.run(add), { message: "Max 20 buttons!" });
  assert.deepEqual(session.changes(), {});
});
