// The layout of one editor, generated from its schema: tabs in the order their fields come,
// each holding rows of single fields and of option groups (one row per group, at its first
// option), and the buttons of the editor's actions.

export function editorSchema(schema, editor) {
  const editors = schema.editors?.editors ?? schema.editors ?? [];
  const found = editors.find((e) => e.class === editor || e.caption === editor);
  if (!found) throw new Error(`no editor is named "${editor}"`);
  return found;
}

// Fields and text blocks of the editor; a block is shown like a field of its kind.
export function editorFields(editor) {
  return [...(editor.blocks ?? []), ...editor.fields];
}

export function buildForm(editor, rules) {
  const tabs = new Map();
  const tabOf = (name) => {
    if (!tabs.has(name)) tabs.set(name, { name, rows: [], actions: [] });
    return tabs.get(name);
  };
  // Tabs come in the editor's own order, then in the order of the registry's fields; a block
  // opens the rows of its tab.
  for (const tab of [...(rules.tabOrder ?? []), ...editor.fields.map((f) => f.tab)]) tabOf(tab);
  const groups = new Map();
  for (const field of editorFields(editor)) {
    const tab = tabOf(field.tab || editor.caption);
    if (field.kind !== "option") {
      tab.rows.push({ type: "field", field });
      continue;
    }
    const key = `${tab.name}\u0000${field.group}`;
    if (!groups.has(key)) {
      const row = { type: "group", name: field.group, fields: [] };
      groups.set(key, row);
      tab.rows.push(row);
    }
    groups.get(key).fields.push(field);
  }
  // An action without a tab concerns the whole editor.
  for (const action of rules.actions ?? []) if (action.tab) tabOf(action.tab).actions.push(action);
  return { caption: rules.caption ? `${editor.caption} — ${rules.caption}` : editor.caption,
    tabs: [...tabs.values()], actions: (rules.actions ?? []).filter((a) => !a.tab) };
}
