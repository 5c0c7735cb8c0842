// Saving one file as it is typed: a PUT about a second after typing pauses (and at once on
// flush), the text kept in the browser until the server acknowledges it, and tries again with
// a growing pause while the server does not answer.
import { call, filePath } from "./api.js";
import * as unsent from "./unsent.js";
import { toDate } from "./dom.js";

const PAUSE_MS = 1000;
const RETRY_FIRST_MS = 1000;
const RETRY_LAST_MS = 30000;

export const SAVED = "Saved";
export const SAVING = "Saving…";
export const NO_SERVER = "Not saved yet: the server does not answer";

export class Saver {
  constructor(user, file, base, onStatus) {
    this.user = user;
    this.file = file;
    this.base = base;
    this.onStatus = onStatus;
    this.latest = null;  // the newest text not yet acknowledged
    this.sending = null;
    this.timer = null;
    this.retry = RETRY_FIRST_MS;
    this.waiters = [];
    this.retryNow = () => this.schedule(0);
    window.addEventListener("online", this.retryNow);
  }

  changed(source) {
    this.latest = source;
    unsent.keep(this.user, this.file, { source, edited: Date.now(), base: this.base });
    if (!this.sending) this.onStatus(SAVING);
    this.schedule(PAUSE_MS);
  }

  // Resolves once every text typed so far is acknowledged; rejects when the server refuses it
  // or does not answer (the text stays kept and is tried again).
  flush() {
    if (this.latest === null && !this.sending) return Promise.resolve();
    const done = new Promise((resolve, reject) => this.waiters.push({ resolve, reject }));
    if (!this.sending) this.schedule(0);
    return done;
  }

  close() {
    clearTimeout(this.timer);
    window.removeEventListener("online", this.retryNow);
  }

  schedule(ms) {
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.send(), ms);
  }

  async send() {
    if (this.sending || this.latest === null) return;
    const source = this.latest;
    this.onStatus(SAVING);
    this.sending = call("PUT", filePath(this.file), { source });
    try {
      const answer = await this.sending;
      this.base = answer.version;
      this.retry = RETRY_FIRST_MS;
      unsent.drop(this.user, this.file, source);
      if (this.latest === source) {
        this.latest = null;
        this.onStatus(SAVED);
        this.settle((waiter) => waiter.resolve());
      } else {
        this.schedule(0);
      }
    } catch (problem) {
      if (problem.transient) {
        this.onStatus(NO_SERVER);
        this.schedule(this.retry);
        this.retry = Math.min(this.retry * 2, RETRY_LAST_MS);
      } else {
        this.onStatus("Not saved: " + problem.message);
      }
      this.settle((waiter) => waiter.reject(problem));
    } finally {
      this.sending = null;
    }
  }

  settle(how) {
    const waiters = this.waiters;
    this.waiters = [];
    waiters.forEach(how);
  }
}

// Sends what an earlier visit kept and the server never acknowledged. Kept text newer than the
// server's becomes the current version; older text (the file changed elsewhere since) goes into
// the history and the server's text stays current. Answers the file as it now is.
export async function reconcile(user, file, server) {
  const kept = unsent.read(user, file);
  if (!kept) return server;
  if (server && kept.source === server.source) {
    unsent.drop(user, file, kept.source);
    return server;
  }
  const newer = !server || kept.base === server.version || !(toDate(server.saved)?.getTime() > kept.edited);
  const first = await call("PUT", filePath(file), { source: kept.source });
  unsent.drop(user, file, kept.source);
  if (newer) return { ...server, ...first, source: kept.source };
  const again = await call("PUT", filePath(file), { source: server.source });
  return { ...server, ...again };
}

