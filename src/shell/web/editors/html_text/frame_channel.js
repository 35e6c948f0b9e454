// The editor page's side of the talk with design_agent.js in the document's frame: messages go
// to the frame's origin only, and only messages of that frame from that origin are heard.
export function openFrameChannel(frame, origin, { onState }) {
  const waiting = new Map();
  const listen = (event) => {
    if (event.origin !== origin || event.source !== frame.contentWindow) return;
    const message = event.data?.orvantaHtmlEditor;
    if (message?.type === "state") onState(message.state);
    waiting.get(message?.type)?.(message);
    waiting.delete(message?.type);
  };
  window.addEventListener("message", listen);
  const send = (message) => frame.contentWindow?.postMessage({ orvantaHtmlEditor: message }, origin);
  return {
    send,
    // Sends a request; resolves to the frame's answer of the same type.
    ask(type) {
      const answer = new Promise((resolve) => waiting.set(type, resolve));
      send({ type });
      return answer;
    },
    close() {
      window.removeEventListener("message", listen);
    },
  };
}
