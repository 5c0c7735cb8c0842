// The studio's page: who is signed in decides what it shows.
import { showAccount, showSignIn, whoIsSignedIn } from "./account.js";
import { startClasses } from "./classes.js";
import { $ } from "./dom.js";
import { startWorkspace } from "./workspace.js";
import { startStudentExercises } from "./exercises/student_exercises.js";
import { startTeacherExercises } from "./exercises/teacher_exercises.js";

async function start() {
  const me = (await whoIsSignedIn()) || (await showSignIn());
  showAccount(me);
  if (me.role === "teacher") {
    startTeacherExercises();
    await startClasses();
  } else {
    const workspace = await startWorkspace(me.name);
    if (me.class) await startStudentExercises(workspace, me.class);
  }
}

start().catch((problem) => {
  const line = document.createElement("p");
  line.className = "error page-error";
  line.setAttribute("role", "alert");
  line.textContent = "The studio could not start: " + problem.message;
  $("body").append(line);
});
