// The edited body as a layer keeps it. The browser gives its tags in lower case; the layers
// have always been stored with a line break after every BR and around every paragraph, in the
// spelling below, so the stored text reads line by line and older pages compare equal.
export function layerText(bodyHtml) {
  return bodyHtml
    .replace(/<\/?body>/gi, "")
    .replace(/<br>/gi, "<BR >\r\n")
    .replace(/<p>/gi, "\r\n<P >")
    .replace(/<\/p>/gi, "</P >\r\n");
}

// The colour of the colour control as the ForeColor command takes it.
export function foreColorValue(inputValue) {
  return `#${inputValue.replace(/^#/, "").toUpperCase()}`;
}
