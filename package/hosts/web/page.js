// Web host: the page's side. Builds the Run menu, shows the image and the text lines that
// C++ hands over, turns the user's clicks, keys and menu choices into calls of the program's
// exported functions, runs the modal dialog, and keeps "TAVRO.SCR" in the browser's storage.
// C++ awaits TavroPage.wait() whenever it would block: the page then sleeps until input
// comes or the time asked for is up, with no timer running otherwise.
var TavroPage = (function () {
  "use strict";

  const SCRIPT_FILE = "TAVRO.SCR";
  const STORAGE_KEY = "tavro:" + SCRIPT_FILE;
  const SHORTCUT_LETTERS = "AHFLRPOQ";
  const params = new URLSearchParams(location.search);
  const element = (id) => document.getElementById(id);

  let context = null;
  let imageData = null;
  let wake = null;
  let wakeTimer = null;
  let sleeping = false;  // the program waits for input with no tick to come
  let sleepingSince = 0;  // when the program began that wait (performance.now())
  let running = false;
  let ended = false;
  let scriptStamp = null;
  let firstFrameAt = null;
  let framesShown = 0;
  let startedAt = null;
  let swallowEscapeUp = false;  // the Escape that closed the menu: its key-up goes no further
  const menu = { popup: null, title: null, items: new Map() };

  function setStatus(text) { element("tavro-status").textContent = text; }

  // Input reaches C++ only while it waits, which this ends at once.
  function post(call) {
    if (!running || ended) {
      return;
    }
    call();
    if (wake) {
      const resolve = wake;
      wake = null;
      sleeping = false;
      clearTimeout(wakeTimer);
      resolve();
    }
  }

  // A label with its mnemonic ("&Run"): the letter after "&" underlined.
  function labelled(node, text) {
    const at = text.indexOf("&");
    if (at < 0 || at + 1 >= text.length) {
      node.append(text);
      return;
    }
    const underlined = document.createElement("u");
    underlined.textContent = text[at + 1];
    node.append(text.slice(0, at), underlined, text.slice(at + 2));
  }

  function menuOpen() { return menu.popup !== null && menu.popup.classList.contains("open"); }

  function openMenu(open) {
    menu.popup.classList.toggle("open", open);
    menu.title.classList.toggle("open", open);
  }

  // Keys: the desktop's virtual key codes, and the character each key-down types.
  function typedCharacter(event) {
    if (event.ctrlKey && event.keyCode >= 65 && event.keyCode <= 90) {
      return event.keyCode & 31;
    }
    switch (event.key) {
      case "Enter": return 13;
      case "Backspace": return 8;
      case "Tab": return 9;
      case "Escape": return 27;
    }
    if (event.key.length === 1 && !event.ctrlKey && !event.altKey && !event.metaKey) {
      const code = event.key.charCodeAt(0);
      return code <= 255 ? code : 0;
    }
    return 0;
  }

  function onKey(event, down) {
    if (element("tavro-dialog").open || event.target === element("tavro-script-file")) {
      return;
    }
    if (down && event.altKey && event.key.toLowerCase() === "r") {
      openMenu(!menuOpen());
      event.preventDefault();
      return;
    }
    // As on the desktop, the Escape that closes the menu goes no further.
    if (event.key === "Escape" && (menuOpen() || (!down && swallowEscapeUp))) {
      openMenu(false);
      swallowEscapeUp = down;
      event.preventDefault();
      return;
    }
    const key = event.keyCode;
    const shortcut = event.ctrlKey && SHORTCUT_LETTERS.includes(String.fromCharCode(key));
    // The page keeps what it can of the keys a program uses: its shortcuts, space, arrows, Tab, Backspace.
    // A typed character is the program's alone: were it let through, the key that opens the
    // dialog would also type itself into the dialog's field.
    const typed = down ? typedCharacter(event) : 0;
    if (shortcut || key === 32 || key === 8 || key === 9 || (key >= 37 && key <= 40) ||
        (typed !== 0 && !event.ctrlKey && !event.altKey && !event.metaKey)) {
      event.preventDefault();
    }
    const inText = document.activeElement === element("tavro-text") ? 1 : 0;
    post(() => Module._tavro_web_key(inText, down ? 1 : 0, key, typed));
  }

  function syncScript() {
    let stamp = null;
    try {
      stamp = FS.stat(SCRIPT_FILE).mtime.getTime();
    } catch (missing) {
      return;
    }
    if (stamp === scriptStamp) {
      return;
    }
    scriptStamp = stamp;
    const text = FS.readFile(SCRIPT_FILE, { encoding: "utf8" });
    try {
      localStorage.setItem(STORAGE_KEY, text);
    } catch (full) {
      setStatus("The browser's storage refused " + SCRIPT_FILE + "; download it to keep it.");
    }
    offerScript(text);
  }

  // A page in an opaque origin (served sandboxed) may not even look at the storage: the script then
  // lives in the program's files only, still offered for download and played back.
  function keptScript() {
    try {
      return localStorage.getItem(STORAGE_KEY);
    } catch (refused) {
      return null;
    }
  }

  function offerScript(text) {
    const link = element("tavro-script-link");
    if (link.href) {
      URL.revokeObjectURL(link.href);
    }
    link.href = URL.createObjectURL(new Blob([text], { type: "text/plain" }));
    link.hidden = false;
  }

  // A script the user picks or drops becomes the program's TAVRO.SCR, for "&Playback Script".
  function takeScript(file) {
    file.text().then((text) => {
      FS.writeFile(SCRIPT_FILE, text);
      syncScript();
      setStatus("TAVRO.SCR is now " + file.name + ": Run, Playback Script (Ctrl+P) plays it. If a playback " +
                "has reached the end of a script since the page was opened, reload the page first.");
    });
  }

  function wireInput() {
    const canvas = element("tavro-canvas");
    canvas.addEventListener("mousedown", (event) => {
      if (event.button !== 0) {
        return;
      }
      canvas.focus();
      event.preventDefault();
      // As on the desktop, the click that closes the menu goes no further.
      if (menuOpen()) {
        openMenu(false);
        return;
      }
      const box = canvas.getBoundingClientRect();
      const column = Math.floor((event.clientX - box.left) * canvas.width / box.width);
      const row = Math.floor((event.clientY - box.top) * canvas.height / box.height);
      post(() => Module._tavro_web_click(column, row));
    });
    document.addEventListener("keydown", (event) => onKey(event, true));
    document.addEventListener("keyup", (event) => onKey(event, false));
    document.addEventListener("mousedown", (event) => {
      if (!element("tavro-menubar").contains(event.target)) {
        openMenu(false);
      }
    });
    element("tavro-script-file").addEventListener("change", (event) => {
      if (event.target.files.length > 0) {
        takeScript(event.target.files[0]);
      }
    });
    document.addEventListener("dragover", (event) => {
      event.preventDefault();
      document.body.classList.add("dropping");
    });
    document.addEventListener("dragleave", () => document.body.classList.remove("dropping"));
    document.addEventListener("drop", (event) => {
      event.preventDefault();
      document.body.classList.remove("dropping");
      if (event.dataTransfer.files.length > 0) {
        takeScript(event.dataTransfer.files[0]);
      }
    });
    const dialog = element("tavro-dialog");
    dialog.addEventListener("cancel", (event) => event.preventDefault());  // Escape leaves it open
    // The dialog is modal: a press anywhere but in its field leaves the focus there ("Okay" still clicks).
    document.addEventListener("mousedown", (event) => {
      if (dialog.open && event.target !== element("tavro-dialog-input")) {
        event.preventDefault();
      }
    }, true);
  }

  // Before the program starts: the script the address names, or the one kept from before.
  Module.preRun = (Module.preRun || []).concat([() => {
    const named = params.get("script");
    const kept = keptScript();
    if (named !== null) {
      FS.writeFile(SCRIPT_FILE, named);
    } else if (kept !== null) {
      FS.writeFile(SCRIPT_FILE, kept);
      offerScript(kept);
    }
    try {
      scriptStamp = FS.stat(SCRIPT_FILE).mtime.getTime();
    } catch (missing) {
      scriptStamp = null;
    }
  }]);
  Module.onRuntimeInitialized = () => {
    running = true;
    startedAt = performance.now();
    setStatus("");
  };
  Module.onExit = (status) => TavroPage.showEnd(status);
  // The pages are built without exception catching: an exception the program does not catch
  // aborts it or leaves the page's promise rejected, and the page ends the program as the render
  // entry ends a failed run, with status 1.
  Module.onAbort = (what) => TavroPage.showFailure(what);
  const failure = (reason) => {
    if (running) {
      TavroPage.showFailure(reason instanceof Error ? reason.message : "an exception was not caught");
    }
  };
  window.addEventListener("unhandledrejection", (event) => failure(event.reason));
  window.addEventListener("error", (event) => failure(event.error));
  Module.print = (text) => console.log(text);
  Module.printErr = (text) => console.warn(text);

  document.addEventListener("DOMContentLoaded", wireInput);

  return {
    build(textPanelHeight, width, height) {
      const canvas = element("tavro-canvas");
      canvas.width = width;
      canvas.height = height;
      context = canvas.getContext("2d", { alpha: false });
      imageData = context.createImageData(width, height);
      element("tavro-text").style.width = width + "px";
      element("tavro-text").style.height = textPanelHeight + "px";
      document.title = "TAVRO Graphics";
    },
    beginMenu(title) {
      const bar = element("tavro-menubar");
      menu.popup = element("tavro-popup");
      menu.popup.replaceChildren();
      menu.items.clear();
      menu.title = document.createElement("button");
      menu.title.className = "tavro-title";
      labelled(menu.title, title);
      menu.title.addEventListener("click", () => openMenu(!menuOpen()));
      bar.insertBefore(menu.title, menu.popup);
    },
    addMenuItem(text, id, flags) {
      const SEPARATOR = 0x800, GRAYED = 0x1, CHECKED = 0x8;
      if (flags & SEPARATOR || text === null) {
        const line = document.createElement("div");
        line.className = "tavro-separator";
        menu.popup.append(line);
        return;
      }
      const item = document.createElement("div");
      item.className = "tavro-item";
      item.setAttribute("role", "menuitem");
      item.dataset.command = id;
      const [label, shortcut] = text.split("\t");
      const name = document.createElement("span");
      labelled(name, label);
      item.append(name);
      if (shortcut !== undefined) {
        const right = document.createElement("span");
        right.className = "shortcut";
        right.textContent = shortcut;
        item.append(right);
      }
      item.classList.toggle("grayed", (flags & GRAYED) !== 0);
      item.classList.toggle("checked", (flags & CHECKED) !== 0);
      if (!(flags & GRAYED)) {
        item.addEventListener("click", () => {
          openMenu(false);
          post(() => Module._tavro_web_command(id));
        });
        menu.items.set(id, item);
      }
      menu.popup.append(item);
    },
    checkMenuItem(id, checked) {
      const item = menu.items.get(id);
      if (item) {
        item.classList.toggle("checked", checked);
      }
    },
    showTextPanel(shown) { element("tavro-text").style.display = shown ? "flex" : "none"; },
    showImage(rgba, width, height) {
      if (imageData === null) {
        return;
      }
      imageData.data.set(rgba);
      context.putImageData(imageData, 0, 0);
      ++framesShown;
      if (firstFrameAt === null) {
        firstFrameAt = performance.now();
      }
    },
    clearTextLines() { element("tavro-text").replaceChildren(); },
    addTextLine(line) {
      const row = document.createElement("div");
      row.textContent = line;
      element("tavro-text").append(row);
    },
    wait(milliseconds) {
      syncScript();
      return new Promise((resolve) => {
        wake = resolve;
        sleeping = milliseconds < 0;
        sleepingSince = performance.now();
        if (milliseconds >= 0) {
          wakeTimer = setTimeout(() => post(() => {}), milliseconds);
        }
      });
    },
    runDialog(message) {
      const dialog = element("tavro-dialog");
      const input = element("tavro-dialog-input");
      element("tavro-dialog-message").textContent = message;
      input.value = "";
      return new Promise((resolve) => {
        dialog.addEventListener("close", () => resolve(input.value), { once: true });
        dialog.showModal();
        input.focus();
      });
    },
    addressValue(name) { return params.get(name); },
    refuseAddress(problem) {
      ended = true;
      setStatus("The page's address was refused: " + problem + ". The program did not start.");
    },
    showEnd(status) {
      if (ended) {
        return;
      }
      ended = true;
      syncScript();
      setStatus("The program has ended with status " + status + ".");
    },
    showFailure(what) {
      if (ended) {
        return;
      }
      ended = true;
      const reason = String(what || "").split("\n")[0];
      setStatus("The program has ended with status 1: it failed" + (reason ? " (" + reason + ")" : "") + ".");
    },
    // For tests and measurements.
    transcript() { return running ? UTF8ToString(Module._tavro_web_transcript()) : ""; },
    timerTicks() { return running ? Module._tavro_web_timer_ticks() : 0; },
    periodicEvents() { return running ? Module._tavro_web_periodic_events() : 0; },
    firstFrameAt() { return firstFrameAt; },
    framesShown() { return framesShown; },
    startedAt() { return startedAt; },
    started() { return running; },
    sleeping() { return sleeping; },
    // How long, in milliseconds, the program has been in its present wait with no tick to come.
    sleptFor() { return sleeping ? performance.now() - sleepingSince : 0; },
    ended() { return ended; },
  };
})();
