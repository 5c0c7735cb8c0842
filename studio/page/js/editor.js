// The code editor (CodeMirror 5 from Debian): C++ highlighting, line numbers, matching
// brackets, undo, and the compiler's messages at their lines.
import { el } from "./dom.js";

const GUTTER = "studio-diagnostics";

export function makeEditor(parent, onRun) {
  const editor = window.CodeMirror(parent, {
    mode: "text/x-c++src",
    lineNumbers: true,
    matchBrackets: true,
    indentUnit: 4,
    gutters: [GUTTER, "CodeMirror-linenumbers"],
    extraKeys: {
      "Ctrl-Enter": () => onRun(),
      "Cmd-Enter": () => onRun(),
      // Tab indents; after Esc it moves on, so that the keyboard alone can leave the editor.
      Esc: (cm) => { cm.state.tabLeaves = true; },
      Tab: (cm) => (cm.state.tabLeaves ? window.CodeMirror.Pass : cm.execCommand("indentMore")),
      "Shift-Tab": (cm) => (cm.state.tabLeaves ? window.CodeMirror.Pass : cm.execCommand("indentLess")),
    },
  });
  editor.on("keydown", (cm, event) => {
    if (event.key !== "Escape" && event.key !== "Tab") cm.state.tabLeaves = false;
  });
  editor.on("blur", (cm) => { cm.state.tabLeaves = false; });
  return { editor, marks: new Diagnostics(editor) };
}

class Diagnostics {
  constructor(editor) {
    this.editor = editor;
    this.shown = [];
  }

  clear() {
    for (const { line, widget } of this.shown) {
      this.editor.removeLineClass(line, "background", "studio-error-line");
      this.editor.setGutterMarker(line, GUTTER, null);
      widget.clear();
    }
    this.shown = [];
  }

  // Each message goes under its line (lines are 1-based; one past the end goes on the last).
  show(diagnostics) {
    this.clear();
    const last = this.editor.lastLine();
    for (const { line, column, message } of diagnostics) {
      const index = Math.min(Math.max((Number(line) || 1) - 1, 0), last);
      const where = line ? `Line ${line}${column ? ", column " + column : ""}: ` : "";
      const handle = this.editor.getLineHandle(index);
      const marker = el("span", { class: "studio-error-marker", title: message }, "●");
      this.editor.setGutterMarker(handle, GUTTER, marker);
      this.editor.addLineClass(handle, "background", "studio-error-line");
      const box = el("div", { class: "studio-diagnostic", "data-line": String(line || "") }, where + message);
      this.shown.push({ line: handle, widget: this.editor.addLineWidget(handle, box, { noHScroll: true }) });
    }
    if (this.shown.length) {
      const first = this.editor.getLineNumber(this.shown[0].line);
      this.editor.scrollIntoView({ line: first, ch: 0 }, 60);
    }
  }

  // Jumps to the message's line so that the keyboard reaches every one.
  goTo(line) {
    this.editor.focus();
    this.editor.setCursor({ line: Math.max(line - 1, 0), ch: 0 });
  }
}
