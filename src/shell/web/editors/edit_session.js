// One opening of a content editor, without its page: the values being edited, what the
// editor's rules show and enable, and OK / Cancel. The page (content_editor.js) draws it.
import { buildForm, editorFields, editorSchema } from "./form_model.js";
import { rulesFor } from "./rules/index.js";
import { clampInteger, typedValue } from "./field_values.js";

// Everything the page holds, by name: each editor's fields, then the text blocks.
function pageValues(state) {
  const values = {};
  for (const fields of Object.values(state.fields ?? {}))
    for (const [name, raw] of Object.entries(fields)) values[name] = typedValue(raw);
  // The photo list travels as one text, "|" between the files, as the server takes it.
  for (const [name, block] of Object.entries(state.blocks ?? {}))
    values[name] = Array.isArray(block) ? block.join("|") : block;
  return values;
}

function resolveSet(set, values) {
  return typeof set === "function" ? set(values) : set;
}

export async function openEditSession({ editor, api }) {
  const [schema, state, catalogue] = await Promise.all([api.schema(), api.state(),
    api.catalogue ? api.catalogue().catch(() => null) : null]);
  const editorEntry = editorSchema(schema, editor);
  const rules = rulesFor(editorEntry.class);
  const fields = new Map(editorFields(editorEntry).map((f) => [f.name, f]));
  const initial = pageValues(state);
  // A value the state lacks (a server without that block) starts from its default, so that no
  // rule reads a missing value.
  for (const [name, field] of fields) initial[name] ??= field.default ?? "";
  const values = { ...initial };

  const assign = (changes) => {
    for (const [name, value] of Object.entries(changes)) {
      if (!fields.has(name)) continue;
      const field = fields.get(name);
      values[name] = field.kind === "integer" ? clampInteger(value, field.range, values[name]) : value;
      // Exactly one option of a group is set.
      if (field.kind === "option" && value === "True")
        for (const other of fields.values())
          if (other.kind === "option" && other.group === field.group && other !== field)
            values[other.name] = "False";
    }
  };
  const applyRules = (list) => {
    for (const rule of list ?? []) if (rule.when(values)) assign(resolveSet(rule.set, values));
  };
  applyRules(rules.onOpen);
  applyRules(rules.refresh);

  const session = {
    editorEntry,
    rules,
    form: buildForm(editorEntry, rules),
    catalogue,
    values,
    field: (name) => fields.get(name),
    choices: (field) => choiceEntries(field, catalogue),
    // The file names of the project's pages, from their lines "index.html [title]".
    pageNames: (state.pages ?? []).map((line) => line.replace(/ \[.*$/, "")),

    set(name, value) {
      assign({ [name]: value });
      applyRules(rules.refresh);
    },
    // An action sets values, and may name the tab to show or a message to give instead.
    run(action) {
      const outcome = action.perform
        ? action.perform(values, (name) => fields.get(name).default)
        : { set: resolveSet(action.set, values) };
      assign(outcome.set ?? {});
      applyRules(rules.refresh);
      return outcome;
    },

    hiddenFields: () => namesWhereFalse(rules.show, values),
    disabledFields: () => namesWhereFalse(rules.enable, values),
    hiddenTabs: () => namesWhereFalse(rules.showTabs, values, "tabs"),

    // What OK sends: the values that differ from the page's; of an option group only the
    // option now set, which clears the others on the server too.
    changes() {
      const out = {};
      for (const [name, field] of fields) {
        if (values[name] === initial[name]) continue;
        if (field.kind === "option" && values[name] !== "True") continue;
        out[name] = values[name];
      }
      return out;
    },

    // Sends the changes and rebuilds. With auto rebuild on, the server has rebuilt on taking the
    // changes, so the banner is not built twice. A value the server refuses throws its ApiError
    // before anything is changed.
    async ok() {
      const changes = session.changes();
      const answer = Object.keys(changes).length > 0 ? await api.setFields(changes) : null;
      if (!answer?.autoRebuild) await api.rebuild();
      return true;
    },
  };
  return session;
}

function namesWhereFalse(rules, values, key = "fields") {
  const out = new Set();
  for (const rule of rules ?? []) if (!rule.when(values)) for (const n of rule[key]) out.add(n);
  return out;
}

// The entries of a choice as {value, caption}: its own list, or the catalogue list it is filled
// from (numbers while the catalogue is not read yet).
export function choiceEntries(field, catalogue) {
  if (field.choices) return field.choices.map((caption, i) => ({ value: String(i), caption }));
  const list = catalogue?.lists?.find((l) => l.name.toLowerCase() === field.source);
  if (list) return list.entries.map((e) => ({ value: String(e.index), caption: e.caption }));
  return Array.from({ length: field.maxIndex + 1 }, (_, i) => ({ value: String(i), caption: String(i) }));
}
