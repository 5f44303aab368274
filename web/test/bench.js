// Plays a replay in the page (headless Chromium) and prints how long its
// frames took, as the game measures them (scripts/web-bench.sh).
// usage: node bench.js URL REPLAY
'use strict';
const puppeteer = require('puppeteer-core');
const [url, replay] = process.argv.slice(2);

(async () => {
  const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-dev-shm-usage', '--autoplay-policy=no-user-gesture-required']});
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForFunction(() => window.Module && Module.tetherReady, {timeout: 60000});
  await (await page.$('#upload')).uploadFile(replay);
  await page.waitForNavigation({waitUntil: 'load'}).catch(() => {});
  await page.waitForFunction(() => window.Module && Module.tetherReady, {timeout: 60000});
  await page.click('#play');
  await page.waitForFunction(() => Module.tetherEndMessage !== undefined,
    {timeout: 30 * 60000, polling: 500});
  console.log(await page.evaluate(() => Module.UTF8ToString(Module._tether_frame_report())));
  await browser.close();
})().catch((e) => { console.error(e); process.exit(1); });
