// A student's workspace: their files, the editor, Run and the program's frame, the history.
import { ApiError, call, filePath } from "./api.js";
import { $, el, formatTime, onSubmit, show } from "./dom.js";
import { makeEditor } from "./editor.js";
import { history } from "./history.js";
import { reconcile, Saver, NO_SERVER, SAVED } from "./saver.js";
import * as unsent from "./unsent.js";

const STARTER = `#include <tavro/display.h>

int application_main()
{
    Display display;
    int x = 0;
    int y = 0;
    char key = 0;
    do {
        display.clear(COLOUR_ICE_BLUE);
        display.draw_text(-100, 0, "Hello from the studio", COLOUR_BLACK, 14);
    } while (display.wait_for_event(x, y, key) != event_quit);
    return 0;
}
`;

const lastFileKey = (user) => "tavro-studio/last/" + encodeURIComponent(user);

export async function startWorkspace(user) {
  const view = $("#student-view");
  const status = $("#save-status");
  const report = $("#run-report");
  const frame = $("#program-frame");
  const run = () => workspace.run();
  const { editor, marks } = makeEditor($("#editor"), run);
  const workspace = {
    file: null,
    saver: null,
    doc: null,

    async open(name) {
      this.saver?.close();
      this.saver = null;
      hist.close();
      marks.clear();
      report.replaceChildren();
      $("#file-name").textContent = name;
      let server = null;
      try {
        server = await call("GET", filePath(name));
      } catch (problem) {
        if (!(problem instanceof ApiError && problem.status === 404)) {
          // Unreachable: what the browser kept is the newest text; it is sent when the server answers.
          const kept = unsent.read(user, name);
          if (!kept) throw problem;
          server = { source: kept.source, version: kept.base, history: [] };
        }
      }
      try {
        server = await reconcile(user, name, server);
      } catch (problem) {
        if (!problem.transient) throw problem;
      }
      this.file = name;
      this.doc = window.CodeMirror.Doc(server ? server.source : "", "text/x-c++src");
      editor.swapDoc(this.doc);
      editor.setOption("readOnly", false);
      const saver = new Saver(user, name, server?.version, (text) => { status.textContent = text; });
      this.saver = saver;
      status.textContent = unsent.read(user, name) ? NO_SERVER : SAVED;
      if (unsent.read(user, name)) saver.changed(this.doc.getValue());
      this.doc.on("change", (doc) => saver.changed(doc.getValue()));
      localStorage.setItem(lastFileKey(user), name);
      hist.set(server?.history || []);
      markCurrent();
      editor.focus();
    },

    async create(name, source) {
      await call("PUT", filePath(name), { source });
      await listFiles();
      await this.open(name);
    },

    async run() {
      if (!this.file || hist.viewing()) return;
      const source = this.doc.getValue();
      report.textContent = "Building…";
      try {
        await this.saver.flush().catch(() => {});  // the run goes on; the text stays kept
        const answer = await call("POST", "/api/run", { source, name: this.file });
        if (answer.status === "built") {
          marks.clear();
          report.textContent = "Running.";
          showFrame(answer.page);
        } else if (answer.status === "failed") {
          marks.clear();
          report.textContent = "Not run: " + answer.reason;
        } else {
          const diagnostics = answer.diagnostics || [];
          marks.show(diagnostics);
          report.replaceChildren(`It did not build: ${diagnostics.length} message${diagnostics.length === 1 ? "" : "s"}. `,
            ...diagnostics.filter((d) => d.line).map((d) =>
              el("button", { type: "button", class: "link", onclick: () => marks.goTo(d.line) }, `Go to line ${d.line}`)));
        }
      } catch (problem) {
        report.textContent = "Not run: " + problem.message;
      }
    },
  };

  const hist = history(editor, {
    file: () => workspace.file,
    showCurrent: () => {
      editor.swapDoc(workspace.doc);
      editor.setOption("readOnly", false);
      editor.focus();
    },
    restore: (source) => workspace.doc.setValue(source),
  });

  function showFrame(page) {
    show($("#frame-placeholder"), false);
    show(frame, true);
    frame.src = page;
  }
  // The running program takes the keyboard: its keys and shortcuts go to it, not the editor.
  frame.addEventListener("load", () => {
    frame.focus();
    frame.contentWindow?.focus();
  });

  function markCurrent() {
    for (const button of $("#file-list").querySelectorAll("button")) {
      button.setAttribute("aria-current", button.dataset.name === workspace.file ? "true" : "false");
    }
  }

  async function listFiles() {
    const { files } = await call("GET", "/api/files");
    $("#file-list").replaceChildren(...files.map(({ name, saved }) =>
      el("li", {}, el("button", { type: "button", "data-name": name, title: "Saved " + formatTime(saved),
                                  onclick: () => openReporting(name) }, name))));
    markCurrent();
    return files;
  }

  async function openReporting(name) {
    $("#files-error").textContent = "";
    try {
      await workspace.open(name);
    } catch (problem) {
      $("#files-error").textContent = `${name}: ${problem.message}`;
    }
  }

  async function listExamples() {
    const { examples } = await call("GET", "/api/examples");
    const select = $("#example-form select");
    select.replaceChildren(...examples.map(({ name }) => el("option", { value: name }, name)));
    return examples;
  }

  onSubmit($("#new-file-form"), async (form) => {
    const name = withExtension(form.get("name").trim());
    if (names().includes(name)) throw new Error(`You have a file ${name} already.`);
    await workspace.create(name, STARTER);
    $("#new-file-form").reset();
  });

  let examples = [];
  onSubmit($("#example-form"), async (form) => {
    const example = examples.find((e) => e.name === form.get("example"));
    if (!example) throw new Error("Choose an example first.");
    const { source } = await call("GET", `/api/examples/${encodeURIComponent(example.name)}`);
    await workspace.create(freeName(withExtension(example.name)), source);
  });

  $("#run").addEventListener("click", run);
  $("#history-open").addEventListener("click", () => hist.toggle());
  document.addEventListener("keydown", (event) => {
    if (event.key === "Enter" && (event.ctrlKey || event.metaKey) && !document.querySelector("dialog[open]")) {
      event.preventDefault();
      run();
    }
  });

  const names = () => [...$("#file-list").querySelectorAll("button")].map((b) => b.dataset.name);
  function freeName(name) {
    const taken = names();
    const dot = name.lastIndexOf(".");
    let candidate = name;
    for (let n = 2; taken.includes(candidate); n++) candidate = `${name.slice(0, dot)}_${n}${name.slice(dot)}`;
    return candidate;
  }

  show(view, true);
  const [files, offered] = await Promise.all([listFiles(), listExamples().catch(() => [])]);
  examples = offered;
  // Text kept by an earlier visit goes to the server now, whichever file it belongs to.
  const kept = unsent.files(user);
  for (const name of kept) {
    const server = await call("GET", filePath(name)).catch(() => null);
    await reconcile(user, name, server).catch(() => {});
  }
  if (kept.length) await listFiles();
  const last = localStorage.getItem(lastFileKey(user));
  const first = names().includes(last) ? last : names()[0];
  if (first) await openReporting(first);
  else if (!files.length) await workspace.create(freeName("first_program.cpp"), STARTER);
  return workspace;
}

function withExtension(name) {
  return /\.[A-Za-z0-9]+$/.test(name) ? name : name + ".cpp";
}
