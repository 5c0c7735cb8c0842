// The saved versions of the open file: one opens read-only in the editor, and can be restored
// (it becomes the newest version, the others stay).
import { call, filePath } from "./api.js";
import { $, el, formatTime, show } from "./dom.js";

export function history(editor, workspace) {
  const panel = $("#history");
  const list = $("#history-list");
  const toggleButton = $("#history-open");
  const banner = $("#version-banner");
  let viewing = null;

  function render(entries) {
    // The server gives them newest first.
    list.replaceChildren(...entries.map((entry, index) =>
      el("li", {}, el("button", { type: "button", onclick: () => open(entry) },
                      formatTime(entry.saved) + (index === 0 ? " (current)" : "")))));
  }

  async function refresh() {
    const file = await call("GET", filePath(workspace.file()));
    render(file.history || []);
  }

  async function open(entry) {
    const { source } = await call("GET", `${filePath(workspace.file())}/versions/${encodeURIComponent(entry.version)}`);
    viewing = source;
    editor.swapDoc(window.CodeMirror.Doc(source, "text/x-c++src"));
    editor.setOption("readOnly", true);
    $("#version-label").textContent = `The version saved ${formatTime(entry.saved)}, read-only.`;
    show(banner, true);
    $("#version-restore").focus();
  }

  function back() {
    viewing = null;
    show(banner, false);
    workspace.showCurrent();
  }

  $("#version-close").addEventListener("click", back);
  $("#version-restore").addEventListener("click", () => {
    const source = viewing;
    back();
    workspace.restore(source);
  });

  return {
    viewing: () => viewing !== null,
    set: (entries) => render(entries),
    close() {
      if (viewing !== null) back();
      show(panel, false);
      toggleButton.setAttribute("aria-expanded", "false");
    },
    async toggle() {
      const opening = panel.hidden;
      show(panel, opening);
      toggleButton.setAttribute("aria-expanded", String(opening));
      if (opening) {
        await refresh().catch((problem) => list.replaceChildren(el("li", {}, problem.message)));
        list.querySelector("button")?.focus();
      }
    },
  };
}
