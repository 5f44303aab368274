// Replays the player loads into the page: checked before anything is
// offered (a replay's first line, a size bound), kept by file name in the
// browser's storage apart from the game's own files, the last ten only, and
// read one at a time when the player picks one to watch, never all at start.
'use strict';

const Uploads = (() => {
  const maxKept = 10;
  const maxBytes = 8 << 20; // a replay of hours of play is a few megabytes
  const store = 'uploads';
  let opening = null;

  function open() {
    if (!opening) {
      opening = new Promise((resolve, reject) => {
        const request = indexedDB.open('tether-page', 1);
        request.onupgradeneeded = () => request.result.createObjectStore(store, {keyPath: 'name'})
          .createIndex('time', 'time');
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
      });
    }
    return opening;
  }

  async function run(mode, work) {
    const db = await open();
    return new Promise((resolve, reject) => {
      const tx = db.transaction(store, mode);
      const result = work(tx.objectStore(store));
      tx.oncomplete = () => resolve(result && 'result' in result ? result.result : undefined);
      tx.onerror = () => reject(tx.error);
    });
  }

  // Why `file` is no replay the game can play, or '' when it may be one.
  async function refusal(file) {
    if (!/\.replay$/i.test(file.name))
      return `${file.name} is not a replay (its name does not end in .replay)`;
    if (file.size === 0)
      return `${file.name} is empty`;
    if (file.size > maxBytes)
      return `${file.name} is too large for a replay (${(file.size / 1e6).toFixed(1)} MB)`;
    const head = new TextDecoder('latin1').decode(await file.slice(0, 32).arrayBuffer());
    if (!/^tether-replay [0-9]+\r?\n/.test(head))
      return `${file.name} is not a replay (it does not start with "tether-replay")`;
    return '';
  }

  // The names kept, the newest first: read from the index of times, whose
  // cursor brings keys only, never a replay's bytes.
  async function names() {
    const kept = [];
    await run('readonly', (s) => {
      s.index('time').openKeyCursor(null, 'prev').onsuccess = (e) => {
        const cursor = e.target.result;
        if (!cursor)
          return;
        kept.push(cursor.primaryKey);
        cursor.continue();
      };
    });
    return kept;
  }

  async function keep(name, bytes) {
    await run('readwrite', (s) => s.put({name, bytes, time: Date.now()}));
    const all = await names();
    if (all.length > maxKept)
      await run('readwrite', (s) => all.slice(maxKept).forEach((n) => s.delete(n)));
  }

  const bytesOf = (name) => run('readonly', (s) => s.get(name))
    .then((entry) => (entry ? new Uint8Array(entry.bytes) : null));

  const clear = () => run('readwrite', (s) => s.clear());

  return {refusal, names, keep, bytesOf, clear, maxKept};
})();
