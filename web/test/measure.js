// What a first visit costs: bytes that reached the page and seconds to the
// first picture (first contentful paint) and to playable (the Play button
// ready), then from the click on Play to the title's first frame, plain and
// on Chromium's Fast 3G profile, each in a fresh browser profile; then the
// frame times of a level at a desktop and a phone viewport. Not a test: it
// prints figures.
// usage: node measure.js URL [LABEL]
'use strict';

const puppeteer = require('puppeteer-core');
const {PredefinedNetworkConditions} = puppeteer;
const [url, label = url] = process.argv.slice(2);

async function visit(browser, slow) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({width: 1366, height: 768});
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  let bytes = 0;
  cdp.on('Network.loadingFinished', (e) => { bytes += e.encodedDataLength; });
  if (slow)
    await page.emulateNetworkConditions(PredefinedNetworkConditions['Fast 3G']);
  const started = Date.now();
  await page.goto(url, {waitUntil: 'domcontentloaded'});
  await page.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length,
    {timeout: 60000, polling: 50});
  const firstPicture = await page.evaluate(() =>
    performance.getEntriesByName('first-contentful-paint')[0].startTime);
  await page.waitForFunction(() => window.Module && Module.tetherReady, {timeout: 120000, polling: 50});
  const ready = Date.now() - started;
  const bytesToPlay = bytes;
  // Play clicked: the title's first frame.
  const clicked = Date.now();
  await page.click('#play');
  await page.waitForFunction(() => window.Module && (Module.tetherRunning || (Module.tetherStarted && Module.calledRun))
    && JSON.parse(Module.UTF8ToString(Module._tether_probe())).screen === 'title',
  {timeout: 60000, polling: 20});
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => r())));
  const toTitle = Date.now() - clicked;
  await context.close();
  return {firstPicture: (firstPicture / 1000).toFixed(2), playable: (ready / 1000).toFixed(2),
    megabytes: (bytesToPlay / 1e6).toFixed(2), clickToTitle: (toTitle / 1000).toFixed(2)};
}

async function frames(browser, viewport) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(viewport);
  await page.goto(url);
  await page.waitForFunction(() => window.Module && Module.tetherReady, {timeout: 60000});
  await page.click('#play');
  await page.waitForFunction(() => window.Module && (Module.tetherRunning || (Module.tetherStarted && Module.calledRun))
    && JSON.parse(Module.UTF8ToString(Module._tether_probe())).screen === 'title',
    {timeout: 20000, polling: 50});
  await page.keyboard.press('Space', {delay: 100});
  await page.waitForFunction(() => JSON.parse(Module.UTF8ToString(Module._tether_probe())).screen === 'level',
    {timeout: 20000, polling: 50});
  // Ten seconds of the level, the ship thrusting now and then.
  const until = Date.now() + 10000;
  while (Date.now() < until)
    await page.keyboard.press('ArrowUp', {delay: 400});
  const report = await page.evaluate(() => Module.UTF8ToString(Module._tether_frame_report()));
  await context.close();
  return report;
}

(async () => {
  const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-dev-shm-usage', '--autoplay-policy=no-user-gesture-required']});
  const plain = await visit(browser, false);
  const slow = await visit(browser, true);
  console.log(`${label}: plain ${JSON.stringify(plain)}; Fast 3G ${JSON.stringify(slow)}`);
  console.log(`${label}: frames at 1920x1080 ${await frames(browser, {width: 1920, height: 1080})}`);
  console.log(`${label}: frames at 844x390 ${await frames(browser,
    {width: 844, height: 390, isMobile: true, hasTouch: true})}`);
  await browser.close();
})().catch((e) => { console.error(e); process.exit(1); });
