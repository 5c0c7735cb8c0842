// The studio's HTTP API: JSON in and out, errors as {"error": "one line"}.

export class ApiError extends Error {
  constructor(status, message) {
    super(message);
    this.status = status;
  }

  // The server did not answer, or answered that it cannot now: worth trying again later.
  get transient() {
    return this.status === 0 || this.status >= 500;
  }
}

const NO_ANSWER = "The server does not answer.";

async function send(method, path, body) {
  const options = { method, credentials: "same-origin", headers: {} };
  if (body !== undefined) {
    options.headers["Content-Type"] = "application/json";
    options.body = JSON.stringify(body);
  }
  let response;
  try {
    response = await fetch(path, options);
  } catch {
    throw new ApiError(0, NO_ANSWER);
  }
  let data = {};
  try {
    data = await response.json();
  } catch {
    if (response.ok) throw new ApiError(502, "The server's answer was not JSON.");
  }
  if (!response.ok) {
    throw new ApiError(response.status, data.error || `The server answered ${response.status}.`);
  }
  return { status: response.status, data };
}

const delay = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// A long job answers 202 {"job"}; its answer is read at /api/jobs/ID until it is there.
async function awaitJob(job) {
  for (let wait = 100; ; wait = Math.min(wait * 2, 1000)) {
    await delay(wait);
    const answer = await send("GET", `/api/jobs/${encodeURIComponent(job)}`);
    if (answer.status !== 202) return answer.data;
  }
}

export async function call(method, path, body) {
  const answer = await send(method, path, body);
  if (answer.status === 202 && answer.data.job) return awaitJob(answer.data.job);
  return answer.data;
}

export const filePath = (name) => `/api/files/${encodeURIComponent(name)}`;
