// Captions are written as the window's captions are: "&&" shows one "&", a single "&" marks the
// letter that Alt reaches ("&Rebuld Webpage" shows "Rebuld Webpage", Alt+R).

export function parseCaption(caption) {
  let text = "";
  let accessKey = null;
  for (let i = 0; i < caption.length; i++) {
    if (caption[i] !== "&") {
      text += caption[i];
    } else if (caption[i + 1] === "&") {
      text += "&";
      i++;
    } else if (i + 1 < caption.length && accessKey === null) {
      accessKey = caption[i + 1].toLowerCase();
    }
  }
  return { text, accessKey };
}
