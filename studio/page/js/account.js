// Signing in and out, and changing one's password.
import { call } from "./api.js";
import { $, onSubmit, show } from "./dom.js";

export function whoIsSignedIn() {
  return call("GET", "/api/me").catch((problem) => {
    if (problem.status === 401) return null;
    throw problem;
  });
}

export function showSignIn() {
  return new Promise((resolve) => {
    const view = $("#signin-view");
    const form = $("#signin-form");
    show(view, true);
    form.elements.name.focus();
    onSubmit(form, async (data) => {
      const me = await call("POST", "/api/login", { name: data.get("name").trim(), password: data.get("password") });
      form.reset();
      show(view, false);
      resolve(me);
    });
  });
}

export function showAccount(me) {
  $("#account-name").textContent = me.name;
  show($("#account"), true);
  $("#sign-out").addEventListener("click", async () => {
    await call("POST", "/api/logout", {}).catch(() => {});
    location.reload();
  });
  const dialog = $("#password-dialog");
  const form = $("#password-form");
  const open = (why) => {
    form.reset();
    form.querySelector(".error").textContent = "";
    show($("#password-why"), why);
    dialog.showModal();
  };
  $("#password-open").addEventListener("click", () => open(false));
  $("#password-cancel").addEventListener("click", () => dialog.close());
  onSubmit(form, async (data) => {
    if (data.get("new") !== data.get("again")) throw new Error("The two new passwords differ.");
    await call("POST", "/api/password", { old: data.get("old"), new: data.get("new") });
    dialog.close();
  });
  if (me.must_change_password) open(true);
}
