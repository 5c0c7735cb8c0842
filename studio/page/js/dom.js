// Building elements: every text goes in as a text node, never as HTML.

export function el(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (name.startsWith("on")) node.addEventListener(name.slice(2), value);
    else node.setAttribute(name, value);
  }
  node.append(...children);
  return node;
}

export const $ = (selector, root = document) => root.querySelector(selector);

export function show(node, visible) {
  node.hidden = !visible;
}

// A form's submit, with its error line cleared first and filled with what went wrong. A second
// submit while one is answered is ignored (the button is not disabled: that would lose the focus).
export function onSubmit(form, handler) {
  const error = form.querySelector(".error");
  form.addEventListener("submit", async (event) => {
    event.preventDefault();
    if (form.getAttribute("aria-busy") === "true") return;
    if (error) error.textContent = "";
    form.setAttribute("aria-busy", "true");
    try {
      await handler(new FormData(form));
    } catch (problem) {
      if (error) error.textContent = problem.message;
      else throw problem;
    } finally {
      form.removeAttribute("aria-busy");
    }
  });
}

export function formatTime(saved) {
  const time = toDate(saved);
  return time ? time.toLocaleString() : String(saved);
}

// The server's times as dates: seconds or milliseconds since 1970, or an ISO 8601 text.
export function toDate(saved) {
  if (saved === undefined || saved === null || saved === "") return null;
  const number = Number(saved);
  const time = Number.isFinite(number) ? new Date(number < 1e11 ? number * 1000 : number) : new Date(saved);
  return Number.isNaN(time.getTime()) ? null : time;
}
