const puppeteer = require('puppeteer-core');
const fs = require('fs');
const axe = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
(async () => {
  const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox']});
  for (const [name, url] of [['before', 'http://127.0.0.1:8411/'], ['after', 'http://127.0.0.1:8412/']]) {
    const page = await browser.newPage();
    await page.goto(url);
    await page.waitForFunction(() => window.Module && Module.tetherReady, {timeout: 60000});
    await page.addScriptTag({content: axe});
    const r = await page.evaluate(() => axe.run(document, {resultTypes: ['violations']}));
    console.log(name, 'axe violations:', r.violations.map((v) => v.id + '(' + v.nodes.length + ')').join(', ') || 'none');
    await page.close();
  }
  await browser.close();
})();
