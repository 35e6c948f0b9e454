// The galleries' stylesheet, linked once into the page that shows one.
import { el } from "../dom.js";

const STYLESHEET = new URL("./gallery.css", import.meta.url).href;

export function ensureGalleryStylesheet() {
  if (document.querySelector(`link[href="${STYLESHEET}"]`)) return;
  document.head.append(el("link", { rel: "stylesheet", href: STYLESHEET }));
}
