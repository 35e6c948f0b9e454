import assert from "node:assert/strict";
import { test } from "node:test";

import { createPointerMachine } from "./pointer_machine.js";

// A selected HTML text layer at (50, 40), 120 × 60, on an 800 × 800 banner.
const kSelected = {
  selection: {
    name: "HTML Text1",
    label: "HTML Text1",
    ...{ left: 50, top: 40, width: 120, height: 60 },
    resizable: true,
  },
  page: { width: 800, height: 800 },
  minimumSide: 20,
};
const kNothingSelected = { ...kSelected, selection: null };

function harness(design) {
  const sent = [];
  const previews = [];
  const edits = [];
  let answer = Promise.resolve({});
  const machine = createPointerMachine({
    design: () => design,
    send: (path, body) => {
      sent.push([path, body]);
      return answer;
    },
    preview: (p) => previews.push(p),
    edit: (label) => edits.push(label),
  });
  const at = (x, y, kind, edge, label) => ({ x, y, target: kind ? { kind, edge, label } : {} });
  return {
    machine,
    sent,
    previews,
    edits,
    hold() {
      let release;
      answer = new Promise((resolve) => (release = resolve));
      return () => release({});
    },
    down: (...a) => machine.pointerDown(at(...a)),
    move: (...a) => machine.pointerMove(at(...a)),
    up: (...a) => machine.pointerUp(at(...a)),
  };
}

const gestures = [
  {
    what: "a click on the page hit-tests where it was released",
    design: kNothingSelected,
    steps: (h) => (h.down(300, 300), h.move(300, 300), h.up(300, 300)),
    sent: [["design/hit", { x: 300, y: 300 }]],
  },
  {
    what: "a click on a title tab selects its item",
    design: kNothingSelected,
    steps: (h) => (h.down(12, 12, "tab", undefined, "[MC1] Stars"), h.up(12, 12)),
    sent: [["content/select", { label: "[MC1] Stars" }]],
  },
  {
    what: "a drag from inside the frame moves the selection by the offset",
    design: kSelected,
    steps: (h) => (h.down(100, 70), h.move(120, 70), h.move(140, 75), h.up(140, 70)),
    sent: [["design/move", { name: "HTML Text1", dx: 40, dy: 0 }]],
    previews: [{ kind: "move", dx: 20, dy: 0 }, { kind: "move", dx: 40, dy: 5 }, null],
  },
  {
    what: "the move handle drags the selection too, by whole pixels",
    design: kSelected,
    steps: (h) => (h.down(60, 30, "move"), h.up(70.4, 20.6)),
    sent: [["design/move", { name: "HTML Text1", dx: 10, dy: -9 }]],
  },
  {
    what: "a drop where the drag began changes nothing",
    design: kSelected,
    steps: (h) => (h.down(100, 70), h.move(130, 90), h.up(100, 70)),
    sent: [],
  },
  {
    what: "a press on the frame edge itself is a click, not a move",
    design: kSelected,
    steps: (h) => (h.down(50, 70), h.up(50, 70)),
    sent: [["design/hit", { x: 50, y: 70 }]],
  },
  {
    what: "the corner handle resizes both sides",
    design: kSelected,
    steps: (h) => (h.down(170, 100, "resize", "corner"), h.move(200, 130), h.up(230, 90)),
    sent: [["design/resize", { name: "HTML Text1", edge: "corner", dx: 60, dy: -10 }]],
    previews: [{ kind: "resize", edge: "corner", dx: 30, dy: 30 }, null],
  },
  {
    what: "the right bar resizes, the server keeps the height",
    design: kSelected,
    steps: (h) => (h.down(170, 70, "resize", "right"), h.up(150, 170)),
    sent: [["design/resize", { name: "HTML Text1", edge: "right", dx: -20, dy: 100 }]],
  },
  {
    what: "the banner resizes by its corner without a selection",
    design: kNothingSelected,
    steps: (h) => (h.down(800, 800, "page", "corner"), h.move(500, 100), h.up(468, 60)),
    sent: [["design/page-size", { edge: "corner", dx: -332, dy: -740 }]],
    previews: [{ kind: "page", edge: "corner", dx: -300, dy: -700 }, null],
  },
  {
    what: '"Del" deletes the selected line',
    design: kSelected,
    steps: (h) => (h.down(122, 53, "del"), h.up(122, 53, "del")),
    sent: [["content/delete", { label: "HTML Text1" }]],
  },
  {
    what: 'a press on "Del" released elsewhere deletes nothing',
    design: kSelected,
    steps: (h) => (h.down(122, 53, "del"), h.up(160, 70)),
    sent: [],
  },
  {
    what: '"Edit" opens the editor of the selected line',
    design: kSelected,
    steps: (h) => (h.down(86, 53, "edit"), h.up(86, 53, "edit")),
    sent: [],
    edits: ["HTML Text1"],
  },
  {
    what: "the Delete key deletes the selection",
    design: kSelected,
    steps: (h) => h.machine.deleteSelected(),
    sent: [["content/delete", { label: "HTML Text1" }]],
  },
  {
    what: "the Delete key without a selection does nothing",
    design: kNothingSelected,
    steps: (h) => h.machine.deleteSelected(),
    sent: [],
  },
  {
    what: "a cancelled drag sends nothing and clears its outline",
    design: kSelected,
    steps: (h) => (h.down(100, 70), h.move(110, 70), h.machine.cancel(), h.up(300, 300)),
    sent: [],
    previews: [{ kind: "move", dx: 10, dy: 0 }, null],
  },
];

for (const g of gestures)
  test(g.what, () => {
    const h = harness(g.design);
    g.steps(h);
    assert.deepEqual(h.sent, g.sent);
    if (g.previews) assert.deepEqual(h.previews, g.previews);
    assert.deepEqual(h.edits, g.edits ?? []);
    assert.equal(h.machine.state, "idle");
  });

test("a press while a drop is on its way is ignored", async () => {
  const h = harness(kSelected);
  const release = h.hold();
  h.down(100, 70);
  h.up(140, 70);
  h.down(100, 70);
  assert.equal(h.machine.state, "idle");
  h.machine.deleteSelected();
  assert.equal(h.sent.length, 1);
  release();
  await h.machine.settled();
  h.down(100, 70);
  assert.equal(h.machine.state, "dragging");
});
