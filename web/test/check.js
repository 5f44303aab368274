// Plays the game's page in headless Chromium as a player would, and checks
// what the player sees: the title as the desktop draws it, Space starting
// the first map, keys steering the ship, a click firing a hook whose chain
// shows, the level heard, P and a hidden page pausing, a gamepad's Start, a setting kept across a reload, a
// desktop replay reproduced to its hash and a replay recorded in the page
// handed back for the desktop to check, all without an error on the
// browser's console. Beside them the page's own paths (pagechecks.js): a
// failed file, the picture fitted before and during play, uploads refused,
// a phone sideways and upright, offline play; and the judges (audit.js):
// axe-core and Lighthouse. One browser, one served build (web/serve.py).
//
// usage: node check.js FOLDER TITLE.rgb REPLAY OUT_FOLDER
//   FOLDER:    the built page (scripts/web.sh)
//   TITLE.rgb: the desktop's title, 800x600 raw RGB
//   REPLAY:    a replay recorded by the desktop game
//   OUT_FOLDER: where the page's own replay and screenshots are written
'use strict';

const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');
const {failures, check, waitFor, probe, screenIs, freePort, Server} = require('./driver');
const pageChecks = require('./pagechecks');
const {checkAxe, checkLighthouse} = require('./audit');

const [folder, titleFile, replayFile, outFolder] = process.argv.slice(2);
let url = '';
const width = 800, height = 600;
// Our canvas against the desktop's: at least this share of pixels within
// this many levels in every channel.
const shareWithin = 0.98, levelTolerance = 8;

const consoleErrors = [];
const printed = [];

// A key held as long as a player's quick tap, so a frame sees it held.
async function tap(page, key) {
  await page.keyboard.down(key);
  await new Promise((r) => setTimeout(r, 120));
  await page.keyboard.up(key);
}

// The canvas's pixels (RGBA) and the probe, read in one go: of one frame.
async function snapshot(page) {
  const shot = await page.evaluate(() => {
    const c = document.getElementById('screen');
    const d = c.getContext('2d', {willReadFrequently: true}).getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < d.length; i += 4096)
      s += String.fromCharCode.apply(null, d.subarray(i, i + 4096));
    return {probe: JSON.parse(Module.UTF8ToString(Module._tether_probe())), pixels: btoa(s)};
  });
  return {probe: shot.probe, pixels: Buffer.from(shot.pixels, 'base64')};
}

async function shoot(page, name) {
  const canvas = await page.$('#screen');
  await canvas.screenshot({path: path.join(outFolder, name + '.png')});
}

function shareAlike(rgba, rgb) {
  let alike = 0;
  for (let i = 0, j = 0; i < width * height * 4; i += 4, j += 3) {
    const near = Math.abs(rgba[i] - rgb[j]) <= levelTolerance
      && Math.abs(rgba[i + 1] - rgb[j + 1]) <= levelTolerance
      && Math.abs(rgba[i + 2] - rgb[j + 2]) <= levelTolerance;
    alike += near ? 1 : 0;
  }
  return alike / (width * height);
}

function differing(a, b) {
  let n = 0;
  for (let i = 0; i < a.length; i += 4)
    if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2])
      ++n;
  return n;
}

async function openPage(browser, query = '', viewport = {width: 1000, height: 700}) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  page.on('console', (m) => {
    printed.push(m.text());
    if (m.type() === 'error')
      consoleErrors.push(m.text());
  });
  page.on('pageerror', (e) => consoleErrors.push(String(e)));
  await page.goto(url + query, {waitUntil: 'load'});
  await waitFor(page, () => window.Module && Module.tetherReady, 'the page to load', 60000);
  return page;
}

async function startGame(page) {
  await page.click('#play');
  await waitFor(page, () => Module.tetherRunning
    && JSON.parse(Module.UTF8ToString(Module._tether_probe())).screen !== 'none',
  'the game to start');
}

async function main() {
  fs.mkdirSync(outFolder, {recursive: true});
  const server = new Server(path.resolve(folder), await freePort());
  await server.start();
  url = server.url;
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-dev-shm-usage', '--autoplay-policy=no-user-gesture-required'],
  });
  try {
    await pageChecks.checkFailedLoad(browser, url, outFolder);

    // A wide window: the picture fitted before play and in play, the page
    // judged by axe before and during play.
    let page = await openPage(browser, '', {width: 1920, height: 1080});
    await pageChecks.checkFit(page, 'before play');
    await checkAxe(page, 'on the loaded page');
    await startGame(page);

    // The title, drawn by our canvas, against the desktop's.
    await screenIs(page, 'title', 'the title');
    await new Promise((r) => setTimeout(r, 300));
    const title = (await snapshot(page)).pixels;
    await shoot(page, 'title');
    const share = shareAlike(title, fs.readFileSync(titleFile));
    check(share >= shareWithin, `the title as on the desktop: ${(100 * share).toFixed(2)}% of pixels within ${levelTolerance} levels`);

    // Space starts the first map.
    await tap(page, 'Space');
    check(await screenIs(page, 'level', 'a level'), 'Space starts the first map');
    await new Promise((r) => setTimeout(r, 500));
    await pageChecks.checkFit(page, 'in play');
    await page.screenshot({path: path.join(outFolder, 'play-1920x1080.png')});
    await checkAxe(page, 'in play');
    console.log('info desktop frames (1920x1080): '
      + await page.evaluate(() => Module.UTF8ToString(Module._tether_frame_report())));
    await page.setViewport({width: 1366, height: 768});
    await waitFor(page, () => innerWidth === 1366
      && document.getElementById('screen').getBoundingClientRect().width <= 1366, 'the picture refitted');
    await pageChecks.checkFit(page, 'in play, the window made smaller');
    const before = await probe(page);
    // Thrust: the ship gains speed along its heading.
    await page.keyboard.down('ArrowUp');
    await new Promise((r) => setTimeout(r, 600));
    await page.keyboard.up('ArrowUp');
    const after = await probe(page);
    const speedBefore = Math.hypot(before.vx, before.vy);
    const speedAfter = Math.hypot(after.vx, after.vy);
    check(speedAfter > speedBefore + 0.05, `Up thrusts the ship (speed ${speedBefore.toFixed(3)} -> ${speedAfter.toFixed(3)})`);

    // A click away from the ship fires a hook; its chain is drawn.
    const s = await probe(page);
    const shipX = s.x - s.cameraX, shipY = s.y - s.cameraY;
    const canvasBox = await (await page.$('#screen')).boundingBox();
    const scale = canvasBox.width / width;
    const aimX = Math.min(760, Math.max(40, shipX + 180)), aimY = Math.min(560, Math.max(40, shipY - 120));
    // The pointer comes to the spot a moment before the click, as a hand
    // moves it (hooks aim where the pointer was when the frame began).
    await page.mouse.move(canvasBox.x + aimX * scale, canvasBox.y + aimY * scale);
    await new Promise((r) => setTimeout(r, 100));
    await page.mouse.click(canvasBox.x + aimX * scale, canvasBox.y + aimY * scale);
    await new Promise((r) => setTimeout(r, 150));
    const shot = await snapshot(page);
    const flying = shot.probe;
    const withChain = shot.pixels;
    const hookDistance = Math.hypot(flying.hookX - flying.x, flying.hookY - flying.y);
    check(hookDistance > 30, `a click fires the left hook (${hookDistance.toFixed(0)} units out)`);
    await shoot(page, 'hook');
    // Along the line from the ship to the hook (outside the HUD's panel),
    // the chain's links.
    let lit = 0, samples = 0;
    const hx = flying.hookX - flying.cameraX, hy = flying.hookY - flying.cameraY;
    const sx = flying.x - flying.cameraX, sy = flying.y - flying.cameraY;
    for (let t = 0.2; t <= 0.8; t += 0.03) {
      const x = Math.round(sx + (hx - sx) * t), y = Math.round(sy + (hy - sy) * t);
      if (x < 3 || y < 3 || x >= width - 3 || y >= height - 3 || (x >= 390 && y >= 390))
        continue;
      ++samples;
      let found = false;
      for (let dy = -3; dy <= 3 && !found; ++dy)
        for (let dx = -3; dx <= 3 && !found; ++dx) {
          const i = ((y + dy) * width + (x + dx)) * 4;
          // The links' grey-white steel against the dark sky.
          found = withChain[i] > 110 && withChain[i + 1] > 110 && withChain[i + 2] > 110;
        }
      lit += found ? 1 : 0;
    }
    check(samples > 0 && lit >= samples * 0.6, `the chain shows between ship and hook (${lit} of ${samples} points)`);

    // The level is heard: effects played through the page's audio, the
    // music streaming.
    const sound = await page.evaluate(() => Module.tetherAudioReport());
    check(sound.contextState === 'running' && sound.sourcesStarted > 0 && sound.musicStarted > 0,
      `the level is heard (audio ${sound.contextState}, ${sound.sourcesStarted} effects, ${sound.musicStarted} tracks)`);

    // P pauses, P again goes on; a hidden page pauses too.
    await tap(page, 'p');
    check(await screenIs(page, 'pause', 'the pause screen', 5000), 'P pauses');
    await shoot(page, 'pause');
    await tap(page, 'p');
    check(await screenIs(page, 'level', 'the level again', 5000), 'P again goes on');
    await page.evaluate(() => {
      Object.defineProperty(document, 'hidden', {value: true, configurable: true});
      document.dispatchEvent(new Event('visibilitychange'));
    });
    // Silent at once: the page's event, not the game's next frame.
    const hushed = await page.evaluate(() => new Promise((resolve) => setTimeout(() => {
      const r = Module.tetherAudioReport();
      resolve({context: r.contextState, music: r.music ? r.music.paused : true});
    }, 0)));
    check(hushed.music && await waitFor(page, () => Module.tetherAudioReport().contextState === 'suspended',
      'the sound suspended', 2000), `a hidden page is silent at once (music paused ${hushed.music})`);
    check(await screenIs(page, 'pause', 'the pause screen', 5000), 'a hidden page pauses the level');
    await page.evaluate(() => {
      Object.defineProperty(document, 'hidden', {value: false, configurable: true});
      document.dispatchEvent(new Event('visibilitychange'));
    });
    await waitFor(page, () => Module.tetherAudioReport().contextState === 'running', 'the sound back', 2000);
    await tap(page, 'p');
    await screenIs(page, 'level', 'the level again', 5000);

    // A volume key changes a setting; Escape ends the level, whose replay
    // the page keeps. Both are in the browser's storage after a reload.
    const volumeKey = process.env.TETHER_VOLUME_KEY || 'Minus';
    await tap(page, volumeKey);
    await tap(page, 'Escape');
    await screenIs(page, 'title', 'the title after Escape', 10000);
    const kept = await page.evaluate(() => Module.tetherKeptCount || 0);
    await waitFor(page, (k) => (Module.tetherKeptCount || 0) > k + 1, 'the files to be kept', 10000, kept);
    const settingBefore = await page.evaluate(() => {
      try {
        return new TextDecoder().decode(FS.readFile('/home/web_user/.config/tether/settings'));
      } catch (e) {
        return '';
      }
    });
    await page.close();
    page = await openPage(browser);
    await startGame(page);
    const keptFiles = await page.evaluate(() => {
      const read = (p) => { try { return FS.readFile(p); } catch (e) { return null; } };
      const settings = read('/home/web_user/.config/tether/settings');
      const folder = '/home/web_user/.local/share/tether/replays';
      let replay = null;
      try {
        const names = FS.readdir(folder).filter((n) => n.endsWith('.replay'));
        if (names.length)
          replay = Array.from(read(folder + '/' + names[0]));
      } catch (e) { /* none */ }
      return {settings: settings ? new TextDecoder().decode(settings) : '', replay};
    });
    check(settingBefore.length > 0 && keptFiles.settings === settingBefore
      && /music_volume|effects_volume/.test(keptFiles.settings),
    'a changed setting is still there after a reload'
      + (keptFiles.settings === settingBefore && settingBefore ? '' : `: before ${JSON.stringify(settingBefore)}, after ${JSON.stringify(keptFiles.settings)}`));
    check(keptFiles.replay !== null, 'the level played in the page left its replay after a reload');
    if (keptFiles.replay)
      fs.writeFileSync(path.join(outFolder, 'page.replay'), Buffer.from(keptFiles.replay));

    // A gamepad in the browser's standard layout: Start on the title starts
    // the level.
    await screenIs(page, 'title', 'the title');
    await page.evaluate(() => {
      const button = () => ({pressed: false, value: 0});
      window.testPad = {connected: true, mapping: 'standard', axes: [0, 0, 0, 0],
        buttons: Array.from({length: 17}, button)};
      navigator.getGamepads = () => [window.testPad];
    });
    await new Promise((r) => setTimeout(r, 100));
    await page.evaluate(() => { window.testPad.buttons[9] = {pressed: true, value: 1}; });
    await new Promise((r) => setTimeout(r, 150));
    await page.evaluate(() => { window.testPad.buttons[9] = {pressed: false, value: 0}; });
    check(await screenIs(page, 'level', 'a level', 5000), 'Start on a gamepad starts the level');
    await page.close();

    // Files that are no replay are refused; a replay recorded by the
    // desktop game plays back in the page to its hash, and its summary
    // shows on the page.
    page = await openPage(browser);
    await pageChecks.checkRefusedUploads(page, outFolder);
    const upload = await page.$('#upload');
    await upload.uploadFile(replayFile);
    await page.waitForNavigation({waitUntil: 'load', timeout: 20000}).catch(() => {});
    await waitFor(page, () => window.Module && Module.tetherReady, 'the page with the replay', 60000);
    printed.length = 0;
    await startGame(page);
    await waitFor(page, () => Module.tetherEndMessage !== undefined, 'the replay to end', 120000);
    const ended = await page.evaluate(() => Module.tetherEndMessage);
    const reproduced = printed.some((l) => l.startsWith('{') && l.includes('"hash"'))
      && !printed.some((l) => l.includes('not to'));
    check(reproduced && !/not to/.test(ended), 'a desktop replay plays back in the page to its hash'
      + (reproduced ? '' : ': ended "' + ended + '"; printed: '
        + printed.filter((l) => !l.startsWith('Canvas2D')).join(' | ').slice(0, 400)));
    const shown = await page.evaluate(() => ({text: document.getElementById('status').textContent,
      cover: !document.getElementById('cover').classList.contains('hidden'),
      kept: Array.from(document.getElementById('uploads').options).map((o) => o.value)}));
    const name = path.basename(replayFile);
    check(shown.cover && /world hash [0-9a-f]{16}/.test(shown.text) && shown.text.includes('Replay of')
      && shown.kept.includes(name), `the replay's summary shows on the page: "${shown.text}"`);
    await page.screenshot({path: path.join(outFolder, 'replay-summary.png')});
    await page.close();

    await pageChecks.checkTouch(browser, url, outFolder);
    await pageChecks.checkOffline(browser, server, outFolder);
  } finally {
    await browser.close();
  }
  await checkLighthouse(url, outFolder);
  await server.stop();
  check(consoleErrors.length === 0, 'no error on the browser\'s console'
    + (consoleErrors.length ? ': ' + consoleErrors.slice(0, 5).join(' | ') : ''));
  if (failures.length) {
    console.log(`${failures.length} check(s) failed`);
    process.exit(1);
  }
  console.log('all checks passed');
}

main().catch((e) => {
  console.log('FAIL ' + (e && e.stack || e));
  process.exit(1);
});
