// A student's exercises beside the editor: the list in the files' column; an exercise opens its
// own file (first the last submission, or an empty program) with the text above the code, Run
// as in the playground, and Submit with its verdict.
import { ApiError, call } from "../api.js";
import { $, el, show } from "../dom.js";
import { paragraphs, verdictView } from "./verdict.js";

const fileOf = (exercise) => `exercise-${exercise.id}.cpp`;

export async function startStudentExercises(workspace, classId) {
  const list = el("ul", { id: "exercise-list" });
  $(".files").prepend(el("h2", {}, "Exercises"), list);
  const panel = el("section", { class: "exercise-panel", id: "exercise-panel", "aria-label": "Exercise", hidden: "" });
  const verdict = el("div", { id: "exercise-verdict" });
  const tries = el("p", { class: "tries" });
  const submit = el("button", { type: "button", id: "submit", hidden: "" }, "Submit");
  $("#editor").before(panel);
  $("#run").after(submit);
  let current = null;

  const { exercises } = await call("GET", `/api/exercises?class=${encodeURIComponent(classId)}`);
  list.replaceChildren(...exercises.map((exercise) =>
    el("li", {}, el("button", { type: "button", "data-exercise": String(exercise.id), onclick: () => open(exercise.id) },
                    exercise.title))));
  if (!exercises.length) list.append(el("li", { class: "none" }, "None yet."));

  async function open(id) {
    const exercise = await call("GET", `/api/exercises/${id}`);
    const name = fileOf(exercise);
    try {
      await call("GET", `/api/files/${encodeURIComponent(name)}`);
      await workspace.open(name);
    } catch (problem) {
      if (!(problem instanceof ApiError && problem.status === 404)) throw problem;
      await workspace.create(name, exercise.source || "");
    }
    current = { ...exercise, file: name };
    panel.replaceChildren(el("h2", {}, exercise.title), ...paragraphs(exercise.text),
      tries, verdict);
    tries.textContent = exercise.tries ? `${exercise.tries} submitted so far.` : "Not submitted yet.";
    verdict.replaceChildren(exercise.last ? verdictView(exercise.last) : "");
    show(panel, true);
    show(submit, true);
  }

  submit.addEventListener("click", async () => {
    if (!current) return;
    submit.disabled = true;
    verdict.replaceChildren(el("p", { role: "status" }, "Checking…"));
    try {
      const result = await call("POST", `/api/exercises/${current.id}/submissions`,
                                { source: workspace.doc.getValue() });
      verdict.replaceChildren(verdictView(result));
      tries.textContent = "Your last submission, checked just now:";
    } catch (problem) {
      verdict.replaceChildren(el("p", { class: "error", role: "alert" }, problem.message));
    } finally {
      submit.disabled = false;
    }
  });

  // Another file opened: the exercise's text and Submit go away until an exercise is opened again.
  new MutationObserver(() => {
    const onExercise = current && $("#file-name").textContent === current.file;
    show(panel, Boolean(onExercise));
    show(submit, Boolean(onExercise));
  }).observe($("#file-name"), { childList: true, characterData: true, subtree: true });
}
