// Text typed but not yet acknowledged by the server, kept in the browser per user and file, so
// that a closed tab or a server that stopped loses nothing. An entry is
// {source, edited: ms since 1970, base: the server's version the edit started from}.

const PREFIX = "tavro-studio/unsent/";

const keyOf = (user, file) => PREFIX + encodeURIComponent(user) + "/" + encodeURIComponent(file);

export function keep(user, file, entry) {
  try {
    localStorage.setItem(keyOf(user, file), JSON.stringify(entry));
    return true;
  } catch {
    return false;  // storage full or refused: the server is then the only copy
  }
}

export function read(user, file) {
  try {
    const entry = JSON.parse(localStorage.getItem(keyOf(user, file)));
    return entry && typeof entry.source === "string" ? entry : null;
  } catch {
    return null;
  }
}

export function drop(user, file, source) {
  const entry = read(user, file);
  if (entry && (source === undefined || entry.source === source)) localStorage.removeItem(keyOf(user, file));
}

export function files(user) {
  const start = PREFIX + encodeURIComponent(user) + "/";
  const names = [];
  for (let i = 0; i < localStorage.length; i++) {
    const key = localStorage.key(i);
    if (key.startsWith(start)) names.push(decodeURIComponent(key.slice(start.length)));
  }
  return names;
}
