// The modal content editor: a form generated from the editor's schema, its rules applied on
// every change. OK sends the changed values and rebuilds (resolves true); Cancel sends nothing
// (resolves false). A refused value keeps the editor open with the server's message.
import { displayCaption, el, keepFocusIn } from "./dom.js";
import { openEditSession } from "./edit_session.js";
import { chooseFile } from "./file_dialog.js";
import { storedFileName } from "./file_choice.js";
import { openPicker } from "./gallery/picker.js";
import { fieldWidget, optionGroupWidget } from "./widgets.js";

const STYLESHEET = new URL("./editors.css", import.meta.url).href;

function ensureStylesheet() {
  if (document.querySelector(`link[href="${STYLESHEET}"]`)) return;
  document.head.append(el("link", { rel: "stylesheet", href: STYLESHEET }));
}

export async function openContentEditor({ editor, tab, api, host }) {
  ensureStylesheet();
  const session = await openEditSession({ editor, api });
  const fonts = session.form.tabs.some((t) => t.rows.some((r) => r.field?.kind === "font"))
    ? await api.fonts().then((f) => f.families ?? f).catch(() => []) : [];
  const closed = new Promise((resolve) => {
    const view = new EditorView({ session, api, host, fonts, resolve });
    view.showTab(tab);
    view.focusFirstControl();
  });
  const result = await closed;
  await session.rules.afterClose?.({ api });
  return result;
}

class EditorView {
  constructor({ session, api, host, fonts, resolve }) {
    this.session = session;
    this.resolve = resolve;
    this.widgets = [];
    const ctx = {
      session,
      api,
      fonts,
      set: (name, value, { typing = false } = {}) => {
        session.set(name, value);
        this.update({ typing });
      },
      disabled: (name) => this.disabled.has(name),
      // With multiple, the stored names of every file picked.
      chooseFile: async (field, file, { multiple = false } = {}) => {
        const picked = await chooseFile({ api, host: this.root, filter: file.filter,
          filters: file.filters, multiple, title: `${displayCaption(field.caption)} (${file.types})`,
          path: file.startIn ?? "" });
        if (!picked) return null;
        return multiple ? picked.map((p) => storedFileName(p, file)) : storedFileName(picked, file);
      },
      photoUrl: (name, box) => api.photoThumbnailUrl(name, box),
      // A gallery picker over the editor: resolves to {index, colours?} or null.
      pick: (options) => openPicker({ api, host: this.root, catalogue: session.catalogue, ...options }),
    };
    this.ctx = ctx;
    this.tabButtons = [];
    this.pages = session.form.tabs.map((t) => this.page(t, ctx));
    this.tabList = el("nav", { class: "oe-tabs", role: "tablist" }, ...this.tabButtons);
    this.message = el("div", { class: "oe-message", role: "alert" });
    this.okButton = el("button", { type: "button", class: "oe-button oe-primary",
      onclick: () => this.ok() }, "OK");
    // A dialog element, open in place rather than in the top layer, so that the file dialog
    // can open above it.
    this.root = el("dialog", { class: "oe-modal content-editor", open: true, "aria-modal": "true",
      "aria-label": session.form.caption, "data-editor": session.editorEntry.class },
      el("div", { class: "oe-window" },
        el("header", { class: "oe-title" }, displayCaption(session.form.caption)),
        this.tabList,
        el("div", { class: "oe-pages" }, ...this.pages),
        this.message,
        el("footer", { class: "oe-buttons" },
          el("span", { class: "oe-editor-actions" },
            ...session.form.actions.map((action) => this.actionButton(action))),
          this.okButton,
          el("button", { type: "button", class: "oe-button", onclick: () => this.close(false) },
            "Cancel"))));
    this.root.addEventListener("keydown", (e) => {
      if (e.key === "Escape") this.close(false);
      if (e.key === "Tab") keepFocusIn(e.currentTarget, e);
    });
    this.tabList.addEventListener("keydown", (e) => this.moveTab(e));
    // The window behind the editor takes no clicks or keys while it is open.
    this.behind = [...host.children].filter((child) => !child.inert);
    for (const child of this.behind) child.inert = true;
    host.append(this.root);
    this.update({});
  }

  page(tab, ctx) {
    const index = this.tabButtons.length;
    const button = el("button", { type: "button", class: "oe-tab", role: "tab",
      onclick: () => this.showTab(tab.name) }, displayCaption(tab.name));
    button.dataset.tab = tab.name;
    this.tabButtons.push(button);
    const rows = tab.rows.map((row) => {
      const widget = row.type === "group" ? optionGroupWidget(row, ctx) : fieldWidget(row.field, ctx);
      widget.names = row.type === "group" ? row.fields.map((f) => f.name) : [row.field.name];
      this.widgets.push(widget);
      return widget.element;
    });
    const groups = Map.groupBy(tab.actions, (action) => action.group ?? "");
    const actions = [...groups].map(([group, list]) => el("div", { class: "oe-actions" },
      group ? el("span", { class: "oe-actions-caption" }, group) : null,
      ...list.map((action) => this.actionButton(action))));
    const page = el("section", { class: "oe-page", role: "tabpanel", hidden: index > 0 },
      ...rows, ...actions);
    page.dataset.tab = tab.name;
    return page;
  }

  // An action either edits the value of its field in a dialog, or may ask for a gallery
  // entry: its outcome then names the picker, and what the chosen entry makes of the values.
  actionButton(action) {
    return el("button", { type: "button", class: "oe-button", onclick: async () => {
      let outcome = action.dialog
        ? this.session.run({ set: { [action.field]: await action.dialog(
          this.session.values[action.field], { api: this.ctx.api, host: this.root }) } })
        : this.session.run(action);
      if (outcome.pick) {
        const chosen = await this.ctx.pick(outcome.pick);
        outcome = chosen ? outcome.pick.then(chosen.index) : {};
        this.session.run({ set: outcome.set ?? {} });
      }
      this.message.textContent = outcome.message ?? "";
      this.update({});
      if (outcome.tab) this.showTab(outcome.tab);
    } }, action.caption);
  }

  // Left and right arrows go through the tabs that show.
  moveTab(e) {
    const step = { ArrowRight: 1, ArrowLeft: -1 }[e.key];
    if (!step) return;
    const visible = this.tabButtons.filter((b) => !b.hidden);
    const at = visible.findIndex((b) => b.dataset.tab === this.current);
    const next = visible[(at + step + visible.length) % visible.length];
    this.showTab(next.dataset.tab);
    next.focus();
    e.preventDefault();
  }

  showTab(name) {
    const hidden = this.session.hiddenTabs();
    const visible = this.tabButtons.filter((b) => !hidden.has(b.dataset.tab));
    const target = visible.find((b) => b.dataset.tab === name) ?? visible[0];
    for (const [i, button] of this.tabButtons.entries()) {
      const selected = button === target;
      button.setAttribute("aria-selected", String(selected));
      this.pages[i].hidden = !selected;
    }
    this.current = target?.dataset.tab;
  }

  // The keyboard starts in the form, on the first control it can change.
  focusFirstControl() {
    const page = this.pages.find((p) => !p.hidden);
    page?.querySelector("input:enabled, select:enabled, textarea:enabled, button:enabled")?.focus();
  }

  update({ typing }) {
    this.disabled = this.session.disabledFields();
    const hidden = this.session.hiddenFields();
    for (const widget of this.widgets) {
      widget.element.hidden = widget.names.every((n) => hidden.has(n));
      if (!typing || !widget.element.contains(document.activeElement)) widget.update();
    }
    const hiddenTabs = this.session.hiddenTabs();
    for (const button of this.tabButtons) button.hidden = hiddenTabs.has(button.dataset.tab);
    if (hiddenTabs.has(this.current)) this.showTab(this.current);
  }

  async ok() {
    this.okButton.disabled = true;
    this.message.textContent = "";
    try {
      await this.session.ok();
      this.close(true);
    } catch (error) {
      this.message.textContent = error.message;
      this.okButton.disabled = false;
    }
  }

  close(result) {
    for (const child of this.behind) child.inert = false;
    this.root.remove();
    this.resolve(result);
  }
}
