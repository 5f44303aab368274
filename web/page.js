// The page around the game: loading bar, the click that starts the game
// (and lets the browser play sound), full screen, the player's files kept
// in IndexedDB, and replays downloaded from or loaded into the page.
'use strict';

const home = '/home/web_user';
const keptFolders = [home + '/.config', home + '/.local/share'];
const screenCanvas = document.getElementById('screen');
const cover = document.getElementById('cover');
const playButton = document.getElementById('play');
const statusLine = document.getElementById('status');
const barFill = document.getElementById('fill');
const query = new URLSearchParams(location.search);

// The canvas keeps the game's 800x600 and is scaled to fit the window.
function fitCanvas() {
  const scale = Math.min(window.innerWidth / 800, window.innerHeight / 600);
  const steps = scale >= 1 ? Math.floor(scale * 4) / 4 : scale;
  screenCanvas.style.width = Math.floor(800 * steps) + 'px';
  screenCanvas.style.height = Math.floor(600 * steps) + 'px';
}
window.addEventListener('resize', fitCanvas);
fitCanvas();

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

document.getElementById('download').addEventListener('click', () => {
  const replay = newestReplay();
  if (!replay) {
    statusLine.textContent = 'No replay yet: play a level first';
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

// A replay loaded from a file is kept with the player's files, and the page
// starts again to play it back.
document.getElementById('upload').addEventListener('change', (event) => {
  const file = event.target.files[0];
  if (!file)
    return;
  file.arrayBuffer().then((bytes) => {
    const folder = home + '/.local/share/tether/loaded';
    FS.mkdirTree(folder);
    const name = file.name.replace(/[^A-Za-z0-9_.-]/g, '_') || 'loaded.replay';
    FS.writeFile(folder + '/' + name, new Uint8Array(bytes));
    FS.syncfs(false, () => { location.search = '?replay=' + encodeURIComponent(name); });
  });
});

function gameArguments() {
  const replay = query.get('replay');
  if (!replay)
    return [];
  return ['--replay', home + '/.local/share/tether/loaded/' + replay.replace(/[\/]/g, '_')];
}

function start() {
  cover.classList.add('hidden');
  screenCanvas.focus();
  if (Module.tetherStartSound)
    Module.tetherStartSound();
  Module.callMain(gameArguments());
  setInterval(keepFiles, 1000);
}

var Module = {
  canvas: screenCanvas,
  noInitialRun: true,
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  tetherToggleFullscreen: toggleFullscreen,
  setStatus: (text) => {
    const m = text.match(/\((\d+(\.\d+)?)\/(\d+)\)/);
    if (m)
      barFill.style.width = (100 * Number(m[1]) / Number(m[3])).toFixed(1) + '%';
  },
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
      Module.removeRunDependency('player-files');
    });
  }],
  onRuntimeInitialized: () => {
    barFill.style.width = '100%';
    statusLine.textContent = query.get('replay') ? 'Replay ' + query.get('replay') : '';
    playButton.disabled = false;
    playButton.focus();
    Module.tetherReady = true;
  },
  // The game has ended (Escape on the title, or a replay played back).
  tetherEnded: (message) => {
    keepFiles();
    statusLine.textContent = message || 'Thanks for playing';
    playButton.textContent = 'Play again';
    playButton.onclick = () => { location.search = ''; };
    cover.classList.remove('hidden');
    Module.tetherEndMessage = message;
  },
};

playButton.addEventListener('click', () => {
  if (!Module.tetherStarted) {
    Module.tetherStarted = true;
    start();
  }
});
document.addEventListener('visibilitychange', () => {
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
