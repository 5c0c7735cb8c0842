// A teacher's classes: make one, add its students, and the sheet of their one-time passwords,
// shown once and printed.
import { call } from "./api.js";
import { $, el, onSubmit, show } from "./dom.js";

export async function startClasses() {
  const list = $("#class-list");
  let classes = [];
  let chosen = null;

  function render() {
    list.replaceChildren(...classes.map((one) =>
      el("li", {}, el("button", { type: "button", "aria-current": String(one === chosen), onclick: () => choose(one) },
                      one.name))));
  }

  function choose(one) {
    chosen = one;
    render();
    $("#class-title").textContent = `Class ${one.name}`;
    const students = one.students || [];
    $("#class-students").textContent = students.length ? `Its students: ${students.join(", ")}.` : "No students yet.";
    show($("#class-panel"), true);
    document.dispatchEvent(new CustomEvent("studio:class-chosen", { detail: one }));
    $("#students-form textarea").focus();
  }

  onSubmit($("#new-class-form"), async (data) => {
    const name = data.get("name").trim();
    const { id } = await call("POST", "/api/classes", { name });
    const made = { id, name, students: [] };
    classes.push(made);
    $("#new-class-form").reset();
    choose(made);
  });

  onSubmit($("#students-form"), async (data) => {
    const names = data.get("names").split("\n").map((n) => n.trim()).filter((n) => n);
    if (!names.length) throw new Error("Write the students' names, one a line.");
    const { students } = await call("POST", `/api/classes/${encodeURIComponent(chosen.id)}/students`, { names });
    $("#students-form").reset();
    chosen.students = [...(chosen.students || []), ...students.map((s) => s.name)];
    choose(chosen);
    showSheet(chosen.name, students);
  });

  $("#sheet-print").addEventListener("click", () => window.print());

  try {
    classes = (await call("GET", "/api/classes")).classes;
  } catch (problem) {
    $("#classes-error").textContent = problem.message;
  }
  show($("#teacher-view"), true);
  render();
  $("#new-class-form input").focus();
}

function showSheet(className, students) {
  $("#sheet-title").textContent = `Class ${className}: passwords`;
  $("#sheet-address").textContent = location.origin + "/";
  // A name already taken in the studio gets a number: the sheet says which name each student got.
  $("#sheet-rows").replaceChildren(...students.map(({ name, asked, password }) =>
    el("tr", {}, el("td", {}, name, asked && asked !== name ? el("span", { class: "asked" }, ` (for ${asked})`) : ""),
       el("td", { class: "password" }, password))));
  show($("#sheet"), true);
  $("#sheet-print").focus();
}
