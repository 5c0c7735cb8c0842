// The studio's page: who is signed in decides what it shows.
import { showAccount, showSignIn, whoIsSignedIn } from "./account.js";
import { startClasses } from "./classes.js";
import { $ } from "./dom.js";
import { startWorkspace } from "./workspace.js";

async function start() {
  const me = (await whoIsSignedIn()) || (await showSignIn());
  showAccount(me);
  if (me.role === "teacher") await startClasses();
  else await startWorkspace(me.name);
}

start().catch((problem) => {
  const line = document.createElement("p");
  line.className = "error page-error";
  line.setAttribute("role", "alert");
  line.textContent = "The studio could not start: " + problem.message;
  $("body").append(line);
});
