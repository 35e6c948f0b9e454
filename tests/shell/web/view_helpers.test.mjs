// What the window derives from the state to show: field values, the banner's size, swatches,
// the publish dialog's file list, and the warnings message.
import assert from "node:assert/strict";
import { test } from "node:test";

import { warningsText } from "../../../src/shell/web/ui/dialogs.js";
import { bannerSize, fieldText } from "../../../src/shell/web/ui/fields.js";
import { cssColour } from "../../../src/shell/web/ui/list_box.js";
import { publishedFiles } from "../../../src/shell/web/ui/publish_dialog.js";

const state = {
  currentPage: 1,
  pages: ["banner.html [Sale]"],
  fields: {
    TSWFOptionForm: { webpage_filename: "banner.html", SWFWidth: "728", SWFHeight: "x" },
    Tbuttonform: { buttonurl_1: { text: "http://a", freeText: "typed" } },
  },
};

test("field values in either form, and a size that falls back when a value is not a number", () => {
  assert.equal(fieldText(state, "webpage_filename"), "banner.html");
  assert.equal(fieldText(state, "buttonurl_1"), "http://a");
  assert.equal(fieldText(state, "nothing"), "");
  assert.deepEqual(bannerSize(state), { width: 728, height: 60 });
  assert.deepEqual(bannerSize({}), { width: 468, height: 60 });
});

test("swatches turn the stored colour (red in the low byte) into CSS", () => {
  for (const [packed, css] of [[0x0000ff, "#ff0000"], [0xff0000, "#0000ff"], [0x00c49b00 & 0xffffff, "#009bc4"], [0, "#000000"]])
    assert.equal(cssColour(packed), css);
});

test("the publish dialog lists the files of each mode", () => {
  assert.deepEqual(publishedFiles(state, false), [
    "banner.html [Sale]", "images/banner.swf", "images/banner1.jpg", "images/banner2.jpg",
    "images/banner3.jpg", "images/banner4.jpg", "images/banner_fsbg.jpg",
  ]);
  assert.deepEqual(publishedFiles(state, true), ["banner.swf", "banner.html [Sale]"]);
});

test("the warnings of a build, each once", () => {
  const warnings = [
    { page: 1, field: "StaticImageText", message: "a.jpg file not found !" },
    { page: 1, field: "StaticImageText", message: "a.jpg file not found !" },
    { page: 1, field: "", message: "the strips are blank" },
  ];
  assert.equal(warningsText(warnings), "a.jpg file not found !\nthe strips are blank");
});
