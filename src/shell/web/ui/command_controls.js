// Buttons, check boxes and radio choices bound to commands: their captions come from the
// command, and each render sets what is enabled and checked from the same state.

import { command, isChecked, isEnabled } from "../commands/registry.js";
import { parseCaption } from "./captions.js";
import { el } from "./dom.js";

export function createControls(run) {
  const bound = [];

  function bind(node, cmd, { check = false } = {}) {
    bound.push({ node, cmd, check });
    return node;
  }

  return {
    button(name, { caption, className } = {}) {
      const cmd = command(name);
      const { text, accessKey } = parseCaption(caption ?? cmd.label);
      const node = el(
        "button",
        {
          class: className,
          title: cmd.hint,
          accesskey: accessKey,
          dataset: { command: name },
          onclick: () => run(name),
        },
        text,
      );
      return bind(node, cmd);
    },
    buttons(...names) {
      return names.map((name) => this.button(name));
    },
    // A check box, or with a group one of its radio choices.
    toggle(name, { group } = {}) {
      const cmd = command(name);
      const type = group ? "radio" : "checkbox";
      const input = el("input", { type, name: group, dataset: { command: name } });
      input.addEventListener("change", () => run(name));
      bind(input, cmd, { check: true });
      return el("label", { class: "choice" }, input, parseCaption(cmd.label).text);
    },
    update(context) {
      for (const { node, cmd, check } of bound) {
        node.disabled = !isEnabled(cmd, context);
        if (check) node.checked = isChecked(cmd, context);
      }
    },
  };
}
