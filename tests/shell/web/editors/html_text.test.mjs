// The HTML text layers without a browser: how the visual editor's result is stored, and the
// layer list's rules. Run: node --test tests/shell/web/editors/
import assert from "node:assert/strict";
import fs from "node:fs";
import { test } from "node:test";

import { openEditSession } from "../../../../src/shell/web/editors/edit_session.js";
import { foreColorValue, layerText } from "../../../../src/shell/web/editors/html_text/layer_text.js";
import { createFakeApi } from "./fake_api.mjs";

const schema = JSON.parse(fs.readFileSync(new URL("./schema.json", import.meta.url)));

test("the edited body is stored with its line breaks after BR and around paragraphs", () => {
  const cases = [
    ["plain", "plain"],
    ["a<br>b<BR>c", "a<BR >\r\nb<BR >\r\nc"],
    ["<p>one</p><P>two</P>", "\r\n<P >one</P >\r\n\r\n<P >two</P >\r\n"],
    // Only the bare tags: a paragraph with attributes or a <br/> is kept as the browser wrote it.
    ['<p align="center">x</p><br/>', '<p align="center">x</P >\r\n<br/>'],
    ["<body>x</BODY>", "x"],
    ['<b><font color="#ff0000">w</font></b>', '<b><font color="#ff0000">w</font></b>'],
  ];
  for (const [body, stored] of cases) assert.equal(layerText(body), stored, body);
  assert.equal(foreColorValue("#ff00a0"), "#FF00A0");
});

test("opening resets only the empty layers, and a layer's options show while it has text", async () => {
  const api = createFakeApi(schema, {
    blocks: { HtmlText1: "<b>one</b>", HtmlText3: "three" },
    fields: { Tstaticmemoform: { staticmemoposx1: "40", staticmemowidth3: "250", staticmemoposx2: "70" } },
  });
  const session = await openEditSession({ editor: "Tstaticmemoform", api });
  const box = (k) => ["posx", "posy", "width", "height"].map((f) => session.values[`staticmemo${f}${k}`]);
  assert.equal(box(1)[0], "40");
  assert.equal(box(3)[2], "250");
  for (const k of [2, 4, 5, 6, 7]) assert.deepEqual(box(k), ["0", "0", "100", "100"], `layer ${k}`);

  const hidden = () => session.hiddenFields();
  assert.ok(!hidden().has("TextGlow1") && hidden().has("TextGlow2") && hidden().has("staticmemoposx2"));
  const remove = session.form.tabs.find((t) => t.name === "HTML Text 1").actions
    .find((a) => a.caption === "Remove");
  session.run(remove);
  assert.equal(session.values.HtmlText1, "");
  assert.ok(hidden().has("TextGlow1") && hidden().has("staticmemoheight1"));
  session.set("HtmlText2", "new");
  assert.ok(!hidden().has("staticmemoposx2"));
});
