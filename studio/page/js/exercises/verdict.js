// A verdict as both the student and the teacher see it: the word with its colour, the reason,
// the first differing lines and the pictures. Every text goes in as text.
import { el } from "../dom.js";

export function verdictWord(verdict) {
  return { pass: "Passed", fail: "Failed", none: "Not submitted" }[verdict] || verdict;
}

export function verdictView(result, referencePicture) {
  const parts = [
    el("p", { class: `verdict verdict-${result.verdict}`, role: "status" },
       el("strong", {}, verdictWord(result.verdict)), ": " + result.reason),
  ];
  if (result.outdated) parts.push(el("p", { class: "outdated" }, "Checked against earlier references: the exercise has changed since."));
  const messages = (result.diagnostics || []).map((d) => el("li", {}, (d.line ? `Line ${d.line}: ` : "") + d.message));
  if (messages.length) parts.push(el("ul", { class: "diagnostics" }, ...messages));
  if ((result.lines || []).length) {
    parts.push(el("table", { class: "differences" },
      el("thead", {}, el("tr", {}, el("th", {}, "Line"), el("th", {}, "Expected"), el("th", {}, "Actual"))),
      el("tbody", {}, ...result.lines.map((line) =>
        el("tr", {}, el("td", {}, String(line.line)), el("td", {}, el("code", {}, line.expected)),
           el("td", {}, el("code", {}, line.actual)))))));
  }
  const pictures = [];
  if (referencePicture) pictures.push(figure(referencePicture, "The reference"));
  if (result.picture) pictures.push(figure(result.picture, "This run"));
  if (result.difference) pictures.push(figure(result.difference, "The difference: differing pixels red", "difference"));
  if (pictures.length) parts.push(el("div", { class: "pictures" }, ...pictures));
  return el("div", { class: "verdict-view" }, ...parts);
}

function figure(src, caption, kind = "") {
  return el("figure", { class: kind }, el("img", { src, alt: caption, width: "301", height: "251" }),
            el("figcaption", {}, caption));
}

// Paragraphs of a plain text: separated by empty lines, each shown as text.
export function paragraphs(text) {
  return text.split(/\n\s*\n/).filter((p) => p.trim()).map((p) => el("p", { class: "exercise-text" }, p.trim()));
}
