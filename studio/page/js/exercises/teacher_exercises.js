// A teacher's exercises of the class chosen: the editor (preview of the references before
// publishing), the list to edit or withdraw, and the class's table of verdicts, polled while
// shown, whose cells open the student's submission.
import { call } from "../api.js";
import { $, el, formatTime, show } from "../dom.js";
import { verdictView, verdictWord } from "./verdict.js";

const POLL_MS = 3000;

export function startTeacherExercises() {
  const area = el("section", { class: "panel exercises-area", id: "exercises-area", hidden: "" });
  $("#teacher-view").append(area);
  let chosen = null;
  let poll = null;

  document.addEventListener("studio:class-chosen", (event) => {
    chosen = event.detail;
    clearTimeout(poll);
    showClass();
  });

  async function showClass() {
    const editor = editorForm();
    const list = el("ul", { class: "exercise-list" });
    const table = el("div", { class: "class-table", id: "class-table" });
    const viewer = el("div", { class: "submission-viewer", id: "submission-viewer" });
    const base = `/api/classes/${encodeURIComponent(chosen.id)}/results`;
    area.replaceChildren(
      el("h2", {}, `Exercises of ${chosen.name}`), list,
      el("button", { type: "button", id: "exercise-new", onclick: () => editor.open(null) }, "New exercise"),
      editor.form,
      el("h2", {}, "Results"),
      el("p", {}, "Export: ", el("a", { href: base + ".csv", download: "" }, "CSV"), " · ",
         el("a", { href: base + ".xml", download: "" }, "JUnit XML")),
      table, viewer);
    show(area, true);

    async function refreshList() {
      const { exercises } = await call("GET", `/api/exercises?class=${encodeURIComponent(chosen.id)}`);
      list.replaceChildren(...exercises.map((exercise) => el("li", {},
        el("span", {}, exercise.title + (exercise.withdrawn ? " (withdrawn)" : "")), " ",
        el("button", { type: "button", class: "link", onclick: () => editor.open(exercise.id) }, "Edit"),
        el("button", { type: "button", class: "link", onclick: async () => {
          await call("POST", `/api/exercises/${exercise.id}/${exercise.withdrawn ? "restore" : "withdraw"}`, {});
          await refreshList();
          await refreshTable();
        } }, exercise.withdrawn ? "Restore" : "Withdraw"))));
    }
    editor.onPublished = async () => { await refreshList(); await refreshTable(); };

    async function refreshTable() {
      const results = await call("GET", base);
      table.replaceChildren(renderTable(results, (submission) => openSubmission(viewer, submission)));
    }
    async function polling() {
      if (area.hidden || !area.isConnected) return;
      try {
        await refreshTable();
      } catch (problem) {
        table.prepend(el("p", { class: "error" }, problem.message));
      }
      poll = setTimeout(polling, POLL_MS);
    }
    await refreshList();
    await polling();
  }

  function editorForm() {
    const field = (label, name, attributes = {}, tag = "input") =>
      el("label", {}, label, el(tag, { name, ...attributes }));
    const preview = el("div", { class: "exercise-preview", id: "exercise-preview" });
    const error = el("p", { class: "error", role: "alert" });
    const form = el("form", { class: "exercise-editor", id: "exercise-editor", hidden: "" },
      el("h3", {}, "Exercise"),
      field("Title", "title", { required: "" }),
      field("Text (plain text; an empty line starts a paragraph)", "text", { rows: "5" }, "textarea"),
      field("Solution (C++ on the package)", "solution", { rows: "14", required: "", spellcheck: "false" }, "textarea"),
      field("Script: TAVRO_MOUSE(x, y); TAVRO_KBD(n); TAVRO_PERIODIC(n); one a line", "script",
            { rows: "4", required: "", spellcheck: "false" }, "textarea"),
      field("Answers for the dialog, one a line (optional)", "answers", { rows: "2" }, "textarea"),
      field("Start time (seconds since 1970)", "time", { type: "number", min: "0", value: "1700000000" }),
      error,
      el("div", { class: "buttons" },
        el("button", { type: "button", id: "exercise-preview-button", onclick: () => act(true) }, "Preview the references"),
        el("button", { type: "submit", id: "exercise-publish" }, "Publish")),
      preview);
    const editor = { form, editing: null, onPublished: null };
    const values = () => {
      const data = new FormData(form);
      return { title: data.get("title"), text: data.get("text"), solution: data.get("solution"),
               script: data.get("script"), answers: data.get("answers"), time: Number(data.get("time") || 0) };
    };
    async function act(previewOnly) {
      error.textContent = "";
      preview.replaceChildren(el("p", {}, previewOnly ? "Making the references…" : "Publishing…"));
      try {
        let answer;
        if (previewOnly) answer = await call("POST", "/api/exercises/preview", values());
        else if (editor.editing) answer = await call("PUT", `/api/exercises/${editor.editing}`, values());
        else answer = await call("POST", "/api/exercises", { class: chosen.id, ...values() });
        preview.replaceChildren(
          el("p", {}, previewOnly ? "The references the solution makes:" : "Published. Its references:"),
          el("img", { src: answer.picture, alt: "The reference picture", width: "301", height: "251" }),
          el("pre", { class: "transcript" }, (answer.transcript || []).join("\n")));
        if (!previewOnly) {
          editor.editing = answer.id;
          await editor.onPublished?.();
        }
      } catch (problem) {
        preview.replaceChildren();
        error.textContent = problem.message;
      }
    }
    form.addEventListener("submit", (event) => { event.preventDefault(); act(false); });
    editor.open = async (id) => {
      form.reset();
      preview.replaceChildren();
      error.textContent = "";
      editor.editing = id;
      if (id) {
        const exercise = await call("GET", `/api/exercises/${id}`);
        for (const name of ["title", "text", "solution", "script", "answers", "time"]) {
          form.elements[name].value = exercise[name];
        }
        preview.replaceChildren(el("img", { src: exercise.picture, alt: "The reference picture", width: "301", height: "251" }),
                                el("pre", { class: "transcript" }, exercise.transcript.join("\n")));
      }
      show(form, true);
      form.elements.title.focus();
    };
    return editor;
  }
}

// A row per student, a column per exercise; each cell its word and colour, when and tries.
function renderTable(results, open) {
  if (!results.students.length || !results.exercises.length) {
    return el("p", {}, results.exercises.length ? "No students yet." : "No exercises yet.");
  }
  return el("table", { class: "results" },
    el("thead", {}, el("tr", {}, el("th", {}, "Student"),
      ...results.exercises.map((exercise) => el("th", {}, exercise.title + (exercise.withdrawn ? " (withdrawn)" : ""))))),
    el("tbody", {}, ...results.students.map((student, row) => el("tr", {}, el("th", {}, student.name),
      ...results.results[row].map((cell) => {
        const text = [el("span", { class: "word" }, verdictWord(cell.verdict))];
        if (cell.tries) {
          text.push(el("span", { class: "when" }, formatTime(cell.when)),
                    el("span", { class: "tries" }, `${cell.tries} ${cell.tries === 1 ? "try" : "tries"}`));
        }
        if (cell.outdated) text.push(el("span", { class: "outdated" }, "older references"));
        const content = cell.submission
          ? el("button", { type: "button", class: "cell-button", "data-submission": String(cell.submission),
                           title: cell.reason || "", onclick: () => open(cell.submission) }, ...text)
          : el("span", {}, ...text);
        return el("td", { class: `cell verdict-${cell.verdict}` }, content);
      })))));
}

// One student's submission: the code, its run in a sandboxed frame, the differences and pictures.
async function openSubmission(viewer, id) {
  viewer.replaceChildren(el("p", {}, "Opening…"));
  const submission = await call("GET", `/api/submissions/${id}`);
  const frame = el("iframe", { sandbox: "allow-scripts", title: `${submission.student}'s program`, hidden: "" });
  const runReport = el("span", { role: "status" });
  const run = el("button", { type: "button", id: "submission-run", onclick: async () => {
    runReport.textContent = "Building…";
    try {
      const answer = await call("POST", `/api/submissions/${id}/run`, {});
      if (answer.status === "built") {
        runReport.textContent = "";
        frame.src = answer.page;
        show(frame, true);
      } else {
        runReport.textContent = "Not run: " + (answer.reason || "it does not build");
      }
    } catch (problem) {
      runReport.textContent = "Not run: " + problem.message;
    }
  } }, "Run it");
  viewer.replaceChildren(
    el("h3", {}, `${submission.student}: ${submission.title}, ${formatTime(submission.when)}`),
    verdictView(submission, submission.reference),
    el("div", { class: "buttons" }, run, runReport),
    el("pre", { class: "submitted-code" }, submission.source),
    frame);
  viewer.scrollIntoView({ block: "start" });
}
