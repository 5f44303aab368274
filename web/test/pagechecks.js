// The page's own paths, played as a player meets them: a file that fails to
// load, the picture fitted to the window, files refused before anything is
// offered, a phone held sideways (taps on the title, the stick, a hook that
// catches an enemy, Let go) and upright, and a second visit with no server.
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const {check, waitFor, probe, screenIs} = require('./driver');

const gameWidth = 800, gameHeight = 600;

async function canvasBox(page) {
  return (await page.$('#screen')).boundingBox();
}

// The picture in the window: whole, 4:3, centred, filling at least three
// quarters of the room it is limited by; the page's tools beside it, or
// tucked away while the game is played.
async function checkFit(page, when) {
  const seen = await page.evaluate(() => {
    const c = document.getElementById('screen').getBoundingClientRect();
    const t = document.getElementById('tools');
    const r = t.getBoundingClientRect();
    return {w: innerWidth, h: innerHeight, c: {x: c.x, y: c.y, width: c.width, height: c.height},
      tools: {left: r.left, right: r.right, top: r.top, bottom: r.bottom},
      tucked: t.classList.contains('tucked') && getComputedStyle(t).opacity === '0'};
  });
  const c = seen.c;
  const inside = c.x >= -0.5 && c.y >= -0.5 && c.x + c.width <= seen.w + 0.5
    && c.y + c.height <= seen.h + 0.5;
  const fourByThree = Math.abs(c.width * 3 - c.height * 4) <= 4;
  const filled = Math.max(c.width / seen.w, c.height / seen.h);
  const centred = Math.abs(c.x * 2 + c.width - seen.w) <= 1 && Math.abs(c.y * 2 + c.height - seen.h) <= 1;
  const t = seen.tools;
  const toolsOver = t.left < c.x + c.width && c.x < t.right && t.top < c.y + c.height && c.y < t.bottom;
  check(inside && fourByThree && centred && filled >= 0.75 && (!toolsOver || seen.tucked),
    `${when} at ${seen.w}x${seen.h}: the picture ${c.width.toFixed(0)}x${c.height.toFixed(0)} fits`
    + ` (fills ${(100 * filled).toFixed(0)}%), the tools ${toolsOver ? 'tucked away' : 'beside it'}`
    + (inside && fourByThree && centred && filled >= 0.75 && (!toolsOver || seen.tucked) ? ''
      : ': ' + JSON.stringify(seen)));
  return c;
}

// A file that fails is named on the cover, and Retry fetches it again.
async function checkFailedLoad(browser, url, out) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({width: 1000, height: 700});
  await page.setRequestInterception(true);
  let failing = true;
  page.on('request', (r) => (failing && r.url().includes('tether.data')
    ? r.respond({status: 404, contentType: 'text/plain', body: 'gone'}) : r.continue()));
  await page.goto(url, {waitUntil: 'load'});
  await waitFor(page, () => window.Module && Module.tetherLoadFailed, 'the failure told', 30000);
  const told = await page.evaluate(() => ({text: document.getElementById('status').textContent,
    retry: !document.getElementById('retry').hidden,
    play: document.getElementById('play').disabled}));
  check(/tether\.data/.test(told.text) && /404/.test(told.text) && told.retry && told.play,
    `a file that fails is named on the cover with a Retry ("${told.text}")`);
  await page.screenshot({path: path.join(out, 'failed-load.png')});
  failing = false;
  await page.click('#retry');
  check(await waitFor(page, () => Module.tetherReady, 'the game after Retry', 60000),
    'Retry fetches the file again and the game is ready');
  await context.close();
}

// Files that are no replay are refused before anything is offered: named
// by their file name, nothing kept, no page change.
async function checkRefusedUploads(page, out) {
  const bad = [
    ['notes.txt', Buffer.from('hello\n'), /not a replay/],
    ['noise.replay', Buffer.from(Array.from({length: 4096}, (_, i) => (i * 7919) & 255)), /not a replay/],
    ['empty.replay', Buffer.alloc(0), /empty/],
  ];
  const folder = fs.mkdtempSync(path.join(out, 'uploads-'));
  const input = await page.$('#upload');
  for (const [name, bytes, why] of bad) {
    const file = path.join(folder, name);
    fs.writeFileSync(file, bytes);
    await page.evaluate(() => { Module.tetherRefused = undefined; });
    const address = page.url();
    await input.uploadFile(file);
    await waitFor(page, () => Module.tetherRefused !== undefined, 'the refusal of ' + name, 5000);
    const seen = await page.evaluate(() => ({refused: Module.tetherRefused,
      toast: document.getElementById('toast').hidden ? '' : document.getElementById('toast').textContent,
      kept: document.getElementById('uploads').options.length}));
    check(why.test(seen.refused) && seen.toast === seen.refused && seen.toast.startsWith(name)
      && !seen.toast.includes('/') && page.url() === address,
    `${name} is refused over the game, by its name: "${seen.toast}"`);
    if (name === 'noise.replay')
      await page.screenshot({path: path.join(out, 'refused-upload.png')});
  }
  fs.rmSync(folder, {recursive: true});
}

async function tapGame(page, x, y) {
  const box = await canvasBox(page);
  await page.touchscreen.tap(box.x + x * box.width / gameWidth, box.y + y * box.height / gameHeight);
}

// Holds the stick toward (dx, dy) until `done` holds (false if it does not
// within timeoutMs).
async function holdStick(page, dx, dy, done, timeoutMs, arg) {
  // The touch controls follow the screen shown on the page's own timer: the
  // stick appears a moment after the level does.
  await page.waitForSelector('#stick', {visible: true, timeout: 5000}).catch(() => {});
  const stick = await (await page.$('#stick')).boundingBox();
  if (!stick)
    return false; // no stick: the level is over
  const cx = stick.x + stick.width / 2, cy = stick.y + stick.height / 2;
  await page.touchscreen.touchStart(cx, cy);
  await page.touchscreen.touchMove(cx + dx * stick.width / 2, cy + dy * stick.height / 2);
  const ok = await page.waitForFunction(done, {timeout: timeoutMs, polling: 50}, arg)
    .then(() => true, () => false);
  await page.touchscreen.touchEnd();
  return ok;
}

// Taps a page control once it shows (the touch controls follow the screen
// shown a moment after it changes).
async function tapWhenShown(page, selector) {
  await page.waitForSelector(selector, {visible: true, timeout: 5000}).catch(() => {});
  await page.tap(selector);
}

// A phone held sideways: the title chosen by taps, the stick steering,
// Pause, a
// tap's hook catching an enemy, Let go; then held upright.
async function checkTouch(browser, url, out) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.setViewport({width: 844, height: 390, isMobile: true, hasTouch: true, deviceScaleFactor: 1});
  await page.goto(url, {waitUntil: 'load'});
  await waitFor(page, () => window.Module && Module.tetherReady, 'the page on a phone', 60000);
  await checkFit(page, 'a phone before play');
  await page.tap('#play');
  await screenIs(page, 'title', 'the title on a phone');
  // The title's rows by taps: the third ship, the map row's arrows (the
  // next map, and back), then the first ship; then Start.
  const title = (want, what) => waitFor(page, (w) => {
    const p = JSON.parse(Module.UTF8ToString(Module._tether_probe()));
    return p.menuShip === w[0] && p.menuMap === w[1];
  }, what, 3000, want);
  await tapGame(page, 125 + 2 * 200 + 75, 250);
  const third = await title([2, 0], 'the third ship chosen');
  await tapGame(page, 750, 500);
  const next = await title([2, 1], 'the next map chosen');
  await tapGame(page, 47, 500);
  const back = await title([2, 0], 'the first map again');
  await tapGame(page, 125 + 75, 250);
  const first = await title([0, 0], 'the first ship chosen');
  await tapWhenShown(page, '#start-touch');
  const started = await screenIs(page, 'level', 'a level started by taps', 10000);
  check(third && next && back && first && started && (await probe(page)).chosenShip === 0,
    'taps on the title choose ships and maps, and Start starts the level');
  await checkFit(page, 'a phone in play');

  // The stick to the right: the ship gains speed.
  const before = await probe(page);
  const moved = await holdStick(page, 1, 0, (v) => {
    const p = JSON.parse(Module.UTF8ToString(Module._tether_probe()));
    return Math.hypot(p.vx, p.vy) > v + 0.05;
  }, 5000, Math.hypot(before.vx, before.vy));
  check(moved, 'the thumb stick steers the ship');
  await tapWhenShown(page, '#pause-touch');
  const paused = await screenIs(page, 'pause', 'the pause screen on a tap', 5000);
  await tapWhenShown(page, '#pause-touch');
  check(paused && await screenIs(page, 'level', 'the level again on a tap', 5000),
    'the Pause button pauses, and goes on');

  // Taps on the nearest enemy in view until a hook holds it.
  let caught = false;
  const deadline = Date.now() + 30000;
  while (!caught && Date.now() < deadline) {
    const p = await probe(page);
    if (p.screen !== 'level')
      break;
    const ex = p.enemyX - p.cameraX, ey = p.enemyY - p.cameraY;
    if (ex > 20 && ex < gameWidth - 20 && ey > 20 && ey < gameHeight - 20) {
      await tapGame(page, ex, ey);
      caught = await page.waitForFunction(() =>
        JSON.parse(Module.UTF8ToString(Module._tether_probe())).caught > 0,
      {timeout: 1500, polling: 50}).then(() => true, () => false);
    } else {
      // Enemies close in on the ship: wait for one in view.
      await page.waitForFunction(() => {
        const q = JSON.parse(Module.UTF8ToString(Module._tether_probe()));
        const x = q.enemyX - q.cameraX, y = q.enemyY - q.cameraY;
        return q.screen !== 'level' || (x > 40 && x < 760 && y > 40 && y < 560);
      }, {timeout: 2000, polling: 50}).catch(() => {});
    }
  }
  check(caught, 'a tap fires a hook at the tapped point that catches an enemy'
    + (caught ? '' : ` (screen ${(await probe(page)).screen})`));
  await page.screenshot({path: path.join(out, 'touch-844x390.png')});
  if (caught) {
    const letGo = await (await page.$('#letgo')).boundingBox();
    if (letGo)
      await page.touchscreen.tap(letGo.x + letGo.width / 2, letGo.y + letGo.height / 2);
    check(letGo && await waitFor(page, () =>
      JSON.parse(Module.UTF8ToString(Module._tether_probe())).grappling === 0, 'the rope let go', 3000),
    'Let go lets the caught enemy go' + (letGo ? '' : ' (the level ended first)'));
  }
  const frameTimes = await page.evaluate(() => JSON.parse(Module.UTF8ToString(Module._tether_frame_report())));
  console.log('info phone frames (844x390): ' + JSON.stringify(frameTimes));

  await page.setViewport({width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1});
  check(await waitFor(page, () => !document.getElementById('turn').hidden, 'the ask to turn', 3000),
    'a phone held upright is asked to turn');
  await page.screenshot({path: path.join(out, 'portrait.png')});
  check(errors.length === 0, 'no error on the phone' + (errors.length ? ': ' + errors.join(' | ') : ''));
  await context.close();
}

// A first visit keeps the game; with the server gone a reload still loads
// it, and a level plays with its music; a new build then moves in cleanly.
async function checkOffline(browser, server, out) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({width: 1000, height: 700});
  await page.goto(server.url, {waitUntil: 'load'});
  await waitFor(page, () => window.Module && Module.tetherReady, 'the page', 60000);
  await page.click('#play');
  await screenIs(page, 'title', 'the title');
  await waitFor(page, () => navigator.serviceWorker.controller !== null, 'the service worker', 30000);
  const tracks = fs.readdirSync(path.join(server.folder, 'music')).length;
  await waitFor(page, async (n) => {
    const names = await caches.keys();
    let kept = 0;
    for (const name of names)
      kept += (await (await caches.open(name)).keys()).filter((r) => r.url.includes('/music/')).length;
    return kept >= n;
  }, 'the music kept', 60000, tracks);
  await server.stop();
  await page.reload({waitUntil: 'load'});
  await waitFor(page, () => window.Module && Module.tetherReady, 'the page with no server', 60000);
  await page.click('#play');
  await screenIs(page, 'title', 'the title with no server');
  await page.keyboard.press('Space', {delay: 120});
  const inLevel = await screenIs(page, 'level', 'a level with no server', 10000);
  const heard = await waitFor(page, () => {
    const m = Module.tetherAudioReport().music;
    return m && !m.failed && m.time > 0.5;
  }, 'the music playing with no server', 15000);
  check(inLevel && heard, 'with the server gone a reload loads the game and a level plays with its music');
  await page.screenshot({path: path.join(out, 'offline-play.png')});
  await server.start();

  // A new build on the server: its service worker takes over, the page
  // says a new version is ready, and only the new build's cache is left.
  const worker = path.join(server.folder, 'sw.js');
  const kept = fs.readFileSync(worker);
  const next = Buffer.from(String(kept).replace(/const version = '([^']*)'/, "const version = '$1-next'"));
  const writeWorker = (bytes) => {
    fs.writeFileSync(worker, bytes);
    fs.writeFileSync(worker + '.br', zlib.brotliCompressSync(bytes));
    fs.writeFileSync(worker + '.gz', zlib.gzipSync(bytes));
  };
  writeWorker(next);
  try {
    await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.update()));
    const moved = await waitFor(page, async () => {
      const names = await caches.keys();
      return names.length === 1 && names[0].endsWith('-next');
    }, 'the new build\'s cache alone', 30000);
    const told = await waitFor(page, () => /new version/.test(document.getElementById('toast').textContent),
      'the new version told', 5000);
    check(moved && told, 'a new build takes over: its cache alone is left, and the page says so');
  } finally {
    writeWorker(kept);
  }
  await context.close();
}

module.exports = {checkFit, checkFailedLoad, checkRefusedUploads, checkTouch, checkOffline};
