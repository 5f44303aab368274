// Opens the mixer check page (check.cpp) in headless Chromium, clicks it
// once as a player would to let sound out, and waits for its verdict.
// Usage: node run.js URL   (puppeteer-core 23 on NODE_PATH)
const puppeteer = require('puppeteer-core');

(async () => {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox'], // no autoplay switch: the click must do it
  });
  let verdict = 'no verdict';
  try {
    const page = await browser.newPage();
    page.on('console', (m) => console.log('page:', m.text()));
    page.on('pageerror', (e) => console.log('page error:', e.message));
    await page.goto(process.argv[2]);
    await page.waitForFunction(() => window.Module && Module.tetherAudioReport);
    const before = await page.evaluate(() => Module.tetherAudioReport());
    console.log('before the click:', before.contextState, 'not heard', before.notHeard);
    await page.mouse.click(10, 10);
    await page.waitForFunction(() => Module.mixerCheck, {timeout: 30000});
    verdict = await page.evaluate(() => Module.mixerCheck);
    const report = await page.evaluate(() => Module.tetherAudioReport());
    delete report.channels;
    console.log('report:', JSON.stringify(report));
  } finally {
    await browser.close();
  }
  console.log('mixer check:', verdict);
  process.exit(verdict === 'PASS' ? 0 : 1);
})();
