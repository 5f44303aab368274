// Fetches what the game needs before it can start (its script, its
// WebAssembly and its files), counting megabytes as they arrive with an
// estimate of the time left, then runs the script when the page says. A file that fails is named, with the reason,
// and can be fetched again (Retry) without fetching again what arrived.
'use strict';

const Loader = (() => {
  // Sizes of the build's files (build.js, written by scripts/web.sh).
  const sizes = (window.tetherBuild && tetherBuild.sizes) || {};
  // Asked for by the build's version: a host may keep them for good.
  const versioned = (name) =>
    (window.tetherBuild ? `${name}?v=${encodeURIComponent(tetherBuild.version)}` : name);
  const got = {};      // file name -> ArrayBuffer, once arrived
  const arrived = {};  // file name -> bytes so far
  let startedAt = 0;

  const megabytes = (bytes) => (bytes / 1e6).toFixed(1);

  function progressText() {
    const total = Object.values(sizes).reduce((a, b) => a + b, 0);
    const done = Object.values(arrived).reduce((a, b) => a + b, 0);
    const seconds = (performance.now() - startedAt) / 1000;
    let text = `Loading ${megabytes(done)} of ${megabytes(total)} MB`;
    if (seconds > 1 && done > 0 && total > done)
      text += `, about ${Math.ceil((total - done) / (done / seconds))} s left`;
    return {text, share: total ? Math.min(1, done / total) : 0};
  }

  async function fetchFile(name, onProgress) {
    let response;
    try {
      response = await fetch(versioned(name));
    } catch (e) {
      throw new Error(`${name} could not be fetched (no connection?)`);
    }
    if (!response.ok)
      throw new Error(`${name} could not be fetched (${response.status} ${response.statusText})`);
    if (!response.body)
      return response.arrayBuffer();
    const reader = response.body.getReader();
    const parts = [];
    let length = 0;
    for (;;) {
      let step;
      try {
        step = await reader.read();
      } catch (e) {
        throw new Error(`${name} stopped arriving (the connection was lost)`);
      }
      if (step.done)
        break;
      parts.push(step.value);
      length += step.value.length;
      arrived[name] = length;
      onProgress();
    }
    const bytes = new Uint8Array(length);
    let at = 0;
    for (const part of parts) {
      bytes.set(part, at);
      at += part.length;
    }
    return bytes.buffer;
  }

  function loadScript(name) {
    return new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = versioned(name);
      script.onload = resolve;
      script.onerror = () => { script.remove(); reject(new Error(`${name} could not be fetched`)); };
      document.body.appendChild(script);
    });
  }

  // Fetches `files` (those not arrived yet), hands their bytes to
  // `onArrived`, then runs `script` (one of the files, so it comes from the
  // browser's cache) once the promise `onArrived` returns is settled.
  // Rejects with an Error naming what failed.
  async function load(files, script, onProgress, onArrived) {
    if (!startedAt)
      startedAt = performance.now();
    const report = () => onProgress(progressText());
    const wanted = files.filter((name) => !got[name]);
    const results = await Promise.allSettled(wanted.map((name) =>
      fetchFile(name, report).then((bytes) => { got[name] = bytes; })));
    const failed = results.filter((r) => r.status === 'rejected');
    if (failed.length)
      throw new Error(failed.map((r) => r.reason.message).join('\n'));
    await onArrived(got);
    await loadScript(script);
  }

  return {load};
})();
