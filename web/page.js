// The page around the game: loads it (loader.js) and tells how far and what
// failed, starts it on a click or tap (browsers play sound only after one),
// keeps the player's files in IndexedDB, hands replays out and plays loaded
// ones back (uploads.js), shows its own messages over the game for a few
// seconds and a replay's summary when it ends, and silences and pauses the
// game the moment the tab is hidden.
'use strict';

const home = '/home/web_user';
const keptFolders = [home + '/.config', home + '/.local/share'];
const screenCanvas = document.getElementById('screen');
const cover = document.getElementById('cover');
const playButton = document.getElementById('play');
const retryButton = document.getElementById('retry');
const statusLine = document.getElementById('status');
const bar = document.getElementById('bar');
const barFill = document.getElementById('fill');
const toastBox = document.getElementById('toast');
const uploadList = document.getElementById('uploads');
const clearUploads = document.getElementById('clear-uploads');
const query = new URLSearchParams(location.search);
const replayName = query.get('replay');
const printed = [];

// A message of the page's own, over the game for a few seconds.
let toastTimer = 0;
function toast(text) {
  toastBox.textContent = text;
  toastBox.hidden = false;
  clearTimeout(toastTimer);
  toastTimer = setTimeout(() => { toastBox.hidden = true; }, 4000);
}

// Images the game reads back from their canvases are read often: say so,
// so the browser keeps them where reading is cheap. The game's own screen
// is only written.
const plainGetContext = HTMLCanvasElement.prototype.getContext;
HTMLCanvasElement.prototype.getContext = function(kind, attributes) {
  if (kind === '2d' && this !== screenCanvas)
    attributes = Object.assign({willReadFrequently: true}, attributes);
  return plainGetContext.call(this, kind, attributes);
};

function toggleFullscreen() {
  if (document.fullscreenElement)
    document.exitFullscreen();
  else
    document.documentElement.requestFullscreen().catch(() => {});
  screenCanvas.focus();
}
document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);

// Writes of the player's files reach IndexedDB a moment later: every
// second when something may have changed, and when the page is hidden.
let syncing = false;
let syncAgain = false;
function keepFiles() {
  if (syncing) {
    syncAgain = true;
    return;
  }
  syncing = true;
  FS.syncfs(false, (error) => {
    syncing = false;
    if (error)
      console.warn('The player\'s files could not be kept: ' + error);
    else
      Module.tetherKeptCount = (Module.tetherKeptCount || 0) + 1;
    if (syncAgain) {
      syncAgain = false;
      keepFiles();
    }
  });
}

function newestReplay() {
  const folder = home + '/.local/share/tether/replays';
  let newest = null;
  try {
    for (const name of FS.readdir(folder)) {
      if (!name.endsWith('.replay'))
        continue;
      const stat = FS.stat(folder + '/' + name);
      if (!newest || stat.mtime > newest.mtime)
        newest = {name, path: folder + '/' + name, mtime: stat.mtime};
    }
  } catch (e) {
    return null;
  }
  return newest;
}

document.getElementById('download').addEventListener('click', async () => {
  if (!Module.tetherReady) {
    toast('No replay yet: the game is still loading');
    return;
  }
  await runtime;
  const replay = newestReplay();
  if (!replay) {
    toast('No replay yet: play a level first');
    return;
  }
  const blob = new Blob([FS.readFile(replay.path)], {type: 'application/octet-stream'});
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = replay.name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  screenCanvas.focus();
});

// Replays loaded before, by name, to watch again or to forget.
async function listUploads() {
  const names = await Uploads.names().catch(() => []);
  uploadList.replaceChildren(new Option(`Replays loaded (${names.length})`, ''),
    ...names.map((name) => new Option(name, name)));
  uploadList.hidden = clearUploads.hidden = names.length === 0;
  Fit.update();
}
uploadList.addEventListener('change', () => {
  if (uploadList.value)
    location.search = '?replay=' + encodeURIComponent(uploadList.value);
});
clearUploads.addEventListener('click', async () => {
  await Uploads.clear();
  await listUploads();
  toast('The loaded replays are forgotten');
});

// A file is checked before anything is offered; a replay is kept and the
// page starts again to play it back.
document.getElementById('upload').addEventListener('change', async (event) => {
  const file = event.target.files[0];
  event.target.value = '';
  if (!file)
    return;
  const refused = await Uploads.refusal(file);
  if (refused) {
    toast(refused);
    Module.tetherRefused = refused;
    return;
  }
  await Uploads.keep(file.name, await file.arrayBuffer());
  location.search = '?replay=' + encodeURIComponent(file.name);
});

function showFailure(message) {
  statusLine.textContent = message;
  statusLine.classList.add('failed');
  retryButton.hidden = false;
  retryButton.focus();
  Module.tetherLoadFailed = message;
}

function showProgress(progress) {
  barFill.style.width = (100 * progress.share).toFixed(1) + '%';
  bar.setAttribute('aria-valuenow', Math.round(100 * progress.share));
  statusLine.textContent = progress.text;
}

// The game's runtime starts at the player's first click, tap or key (the
// Play button's among them): until then the page only fetches, and stays
// free for the player. Play waits for the runtime when it is not there yet.
let firstGesture = null;
const gesture = new Promise((resolve) => { firstGesture = resolve; });
for (const type of ['pointerdown', 'keydown', 'touchstart'])
  window.addEventListener(type, () => firstGesture(), {capture: true, once: true, passive: true});
let runtimeReady = null;
const runtime = new Promise((resolve) => { runtimeReady = resolve; });

// The replay asked for (?replay=NAME), read from the page's list at once.
const replayRead = replayName ? Uploads.bytesOf(replayName).catch(() => null) : Promise.resolve(null);

async function filesArrived(files) {
  Module.wasmBinary = new Uint8Array(files['tether.wasm']);
  Module.tetherFiles = files;
  replayBytes = await replayRead;
  barFill.style.width = '100%';
  bar.setAttribute('aria-valuenow', 100);
  statusLine.textContent = '';
  if (replayName && !replayBytes) {
    statusLine.textContent = `The replay ${replayName} is no longer kept`;
    history.replaceState(null, '', location.pathname);
  } else if (replayName) {
    statusLine.textContent = `Replay ${replayName}`;
  }
  playButton.disabled = false;
  playButton.focus();
  Module.tetherReady = true;
  return gesture;
}

function load() {
  retryButton.hidden = true;
  statusLine.classList.remove('failed');
  Module.tetherLoadFailed = undefined;
  Loader.load(['tether.js', 'tether.wasm', 'tether.data'], 'tether.js', showProgress, filesArrived)
    .catch((e) => showFailure(e.message));
}
retryButton.addEventListener('click', load);

// The replay picked to watch, written where the game reads it.
const replayFolder = '/tmp/replays';
let replayBytes = null;
function gameArguments() {
  if (!replayName || !replayBytes)
    return [];
  FS.mkdirTree(replayFolder);
  const path = replayFolder + '/' + replayName.replace(/[^A-Za-z0-9_.-]/g, '_');
  FS.writeFile(path, replayBytes);
  Module.tetherReplayPath = path;
  return ['--replay', path];
}

function probe() {
  return JSON.parse(Module.UTF8ToString(Module._tether_probe()));
}

function start() {
  cover.classList.add('hidden');
  Fit.setPlaying(true);
  screenCanvas.focus();
  if (Module.tetherStartSound)
    Module.tetherStartSound();
  printed.length = 0;
  Module.callMain(gameArguments());
  Module.tetherRunning = true; // the game's probe answers from now on
  Touch.start(probe);
  setInterval(keepFiles, 1000);
  // Playing now: the music is worth keeping for offline play.
  if ('serviceWorker' in navigator && window.isSecureContext)
    navigator.serviceWorker.ready.then((r) => r.active.postMessage('keep-music'));
}

// What the game printed when a replay ended: its summary, in words.
function replaySummary() {
  for (const line of printed.slice().reverse()) {
    if (!line.startsWith('{'))
      continue;
    try {
      const s = JSON.parse(line);
      const destroyed = Object.values(s.enemies_destroyed || {}).reduce((a, b) => a + b, 0);
      return `Replay of ${s.map}, ship ${s.ship}: ${s.outcome}${s.how ? ' (' + s.how + ')' : ''}`
        + ` after ${(s.time_ms / 1000).toFixed(1)} s; enemies destroyed ${destroyed},`
        + ` catches ${s.catches}, slings ${s.slings}, health ${s.health}; world hash ${s.hash}`;
    } catch (e) { /* not the summary */ }
  }
  return '';
}

var Module = {
  canvas: screenCanvas,
  noInitialRun: true,
  print: (text) => {
    printed.push(text);
    console.log(text);
  },
  printErr: (text) => console.warn(text),
  tetherToggleFullscreen: toggleFullscreen,
  // The game's sounds are decoded by its own mixer (mixer.js), from their
  // bytes; its images are decoded away from the page's thread, so loading
  // never holds the page up.
  noAudioDecoding: true,
  preloadPlugins: [{
    canHandle: (name) => /\.png$/i.test(name) && typeof createImageBitmap === 'function',
    handle: (bytes, name, onload, onerror) => {
      // Kept as decoded: SDL's IMG_Load draws it as it would a canvas.
      createImageBitmap(new Blob([bytes])).then((bitmap) => {
        Module.preloadedImages[name] = bitmap;
        onload(bytes);
      }, () => {
        console.warn('The image ' + name + ' could not be decoded');
        onerror();
      });
    },
  }],
  getPreloadedPackage: (name) => Module.tetherFiles && Module.tetherFiles[name.replace(/.*\//, '')],
  preRun: [() => {
    // The player's folders, as the desktop game keeps them, in IndexedDB.
    for (const folder of keptFolders) {
      FS.mkdirTree(folder);
      FS.mount(IDBFS, {}, folder);
    }
    Module.addRunDependency('player-files');
    FS.syncfs(true, (error) => {
      if (error)
        console.warn('The player\'s kept files could not be read: ' + error);
      // Replays loaded by earlier builds of the page were kept here, and
      // read at every visit: they move to the page's own list.
      forgetOldUploads();
      Module.removeRunDependency('player-files');
    });
  }],
  onRuntimeInitialized: () => {
    runtimeReady();
    keepForOffline();
  },
  // The game has ended (Escape on the title, or a replay played back). Its
  // last picture stays in view above the message.
  tetherEnded: (message) => {
    keepFiles();
    Touch.stop();
    Fit.setPlaying(false);
    let text = message || 'Thanks for playing';
    if (Module.tetherReplayPath)
      text = text.split(Module.tetherReplayPath).join(replayName);
    const summary = Module.tetherReplayPath ? replaySummary() : '';
    statusLine.textContent = summary ? summary + (message ? '\n' + text : '') : text;
    playButton.textContent = 'Play again';
    playButton.onclick = () => { location.search = ''; };
    cover.classList.add('ended');
    cover.classList.remove('hidden');
    Module.tetherEndMessage = message;
    Module.tetherSummaryShown = statusLine.textContent;
  },
};

// The service worker keeps the game for play with no connection. It starts
// once the game's files are here, so that what it keeps comes from the
// browser's cache rather than a second download.
function keepForOffline() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext)
    return;
  let hadController = !!navigator.serviceWorker.controller;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (hadController)
      toast('A new version of the game is ready: reload the page to play it');
    hadController = true;
  });
  navigator.serviceWorker.register('sw.js').catch((e) =>
    console.warn('The game cannot be kept for offline play: ' + e));
}

function forgetOldUploads() {
  const folder = home + '/.local/share/tether/loaded';
  try {
    for (const name of FS.readdir(folder))
      if (name !== '.' && name !== '..')
        FS.unlink(folder + '/' + name);
    FS.rmdir(folder);
  } catch (e) { /* none kept */ }
}

playButton.addEventListener('click', () => {
  if (Module.tetherStarted || !Module.tetherReady)
    return;
  Module.tetherStarted = true;
  firstGesture();
  statusLine.textContent = 'Starting…';
  runtime.then(start).catch((e) => showFailure('The game could not start: ' + e));
});
// A hidden tab is silent at once, and its level paused (the game sees the
// page was left on its next frame, before any step).
document.addEventListener('visibilitychange', () => {
  if (Module.tetherHush)
    Module.tetherHush(document.hidden);
  if (document.hidden && Module.tetherStarted)
    keepFiles();
});
window.addEventListener('keydown', (event) => {
  // F11 is the game's full-screen key; the page's full screen keeps the
  // game's canvas in view.
  if (event.key === 'F11') {
    event.preventDefault();
    event.stopImmediatePropagation();
    toggleFullscreen();
  }
}, true);

load();
listUploads();
