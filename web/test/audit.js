// Independent judges of the page: axe-core in the page as a player sees it,
// and Lighthouse (its own Chromium, mobile and desktop) on the served build.
// Prints the figures; the page must score at least 95 for performance on a
// phone and 100 for accessibility, best practices and SEO, with no axe
// violation (the performance the median of three runs).
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const {execFile} = require('child_process');
const {check} = require('./driver');

const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

async function checkAxe(page, when) {
  await page.addScriptTag({content: axeSource});
  const result = await page.evaluate(() => axe.run(document, {resultTypes: ['violations']}));
  const found = result.violations.map((v) => `${v.id} (${v.nodes.length})`);
  check(found.length === 0, `axe finds no violation ${when}` + (found.length ? ': ' + found.join(', ') : ''));
}

function lighthouse(url, preset, out) {
  const report = path.join(out, `lighthouse-${preset}.json`);
  const args = [url, '--output=json', `--output-path=${report}`, '--quiet',
    '--only-categories=performance,accessibility,best-practices,seo',
    '--chrome-flags=--headless=new --no-sandbox --disable-dev-shm-usage'];
  if (preset === 'desktop')
    args.push('--preset=desktop');
  const bin = path.join(__dirname, 'node_modules', '.bin', 'lighthouse');
  return new Promise((resolve) => {
    execFile(bin, args, {env: {...process.env, CHROME_PATH: '/usr/bin/chromium', TMPDIR: os.tmpdir()},
      timeout: 180000}, (error, stdout, stderr) => {
      if (error) {
        check(false, `Lighthouse ${preset} ran: ${String(stderr || error).slice(0, 300)}`);
        return resolve(null);
      }
      resolve(JSON.parse(fs.readFileSync(report, 'utf8')));
    });
  });
}

const mobileScores = [];
const score = (lhr, id) => Math.round(100 * (lhr.categories[id].score || 0));

// A phone's performance score swings with the machine's load from run to
// run: the median of three runs is judged (the other categories do not
// swing, and are judged on every run).
async function checkLighthouse(url, out) {
  for (const preset of ['mobile', 'mobile', 'mobile', 'desktop']) {
    const lhr = await lighthouse(url, preset, out);
    if (!lhr)
      continue;
    const scores = ['performance', 'accessibility', 'best-practices', 'seo'].map((id) => score(lhr, id));
    if (preset === 'mobile')
      mobileScores.push(scores[0]);
    const a = lhr.audits;
    const metric = (id) => (a[id] && a[id].numericValue !== undefined ? a[id].numericValue : NaN);
    console.log(`info Lighthouse ${preset}: performance ${scores[0]}, accessibility ${scores[1]},`
      + ` best practices ${scores[2]}, SEO ${scores[3]}; first contentful paint`
      + ` ${(metric('first-contentful-paint') / 1000).toFixed(2)} s, largest`
      + ` ${(metric('largest-contentful-paint') / 1000).toFixed(2)} s, blocking`
      + ` ${metric('total-blocking-time').toFixed(0)} ms, layout shift`
      + ` ${metric('cumulative-layout-shift').toFixed(3)}, speed index`
      + ` ${(metric('speed-index') / 1000).toFixed(2)} s, bytes ${metric('total-byte-weight').toFixed(0)}`);
    const failing = Object.values(lhr.categories).filter((c) => c.id !== 'performance')
      .flatMap((c) => c.auditRefs.filter((r) => r.weight > 0 && a[r.id].score !== null && a[r.id].score < 1)
        .map((r) => r.id));
    check(scores.slice(1).every((s) => s === 100),
      `Lighthouse ${preset}: ${scores.join('/')}` + (failing.length ? ' (short of full marks: ' + failing.join(', ') + ')' : ''));
  }
  const median = mobileScores.sort((a, b) => a - b)[Math.floor(mobileScores.length / 2)];
  check(mobileScores.length === 3 && median >= 95,
    `Lighthouse mobile performance at least 95: median ${median} of ${mobileScores.join(', ')}`);
}

module.exports = {checkAxe, checkLighthouse};
