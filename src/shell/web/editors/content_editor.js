// Placeholder until the generated content editors land: names the editor and offers OK and
// Cancel, so that the main window's buttons already open something and OK already rebuilds.

export function openContentEditor({ editor, tab, api, host }) {
  return new Promise((resolve) => {
    const dialog = document.createElement('dialog');
    dialog.className = 'modal content-editor';
    dialog.dataset.editor = editor;
    const title = document.createElement('h2');
    title.textContent = tab ? `${editor} — ${tab}` : editor;
    const buttons = document.createElement('div');
    buttons.className = 'dialog-buttons';
    const ok = document.createElement('button');
    ok.textContent = 'OK';
    const cancel = document.createElement('button');
    cancel.textContent = 'Cancel';
    buttons.append(ok, cancel);
    dialog.append(title, buttons);
    host.append(dialog);
    const close = (rebuilt) => {
      dialog.close();
      dialog.remove();
      resolve(rebuilt);
    };
    ok.addEventListener('click', async () => {
      try {
        await api.rebuild();
        close(true);
      } catch {
        close(false);
      }
    });
    cancel.addEventListener('click', () => close(false));
    dialog.addEventListener('cancel', (event) => {
      event.preventDefault();
      close(false);
    });
    dialog.showModal();
  });
}
