// What the page's checks share: the verdicts, waiting for what the page
// shows (never a blind sleep), the game's probe, and the page's own server
// (web/serve.py), which the offline check stops and starts again.
'use strict';

const {spawn} = require('child_process');
const net = require('net');
const path = require('path');

const failures = [];

function check(ok, what) {
  console.log((ok ? 'ok   ' : 'FAIL ') + what);
  if (!ok)
    failures.push(what);
  return ok;
}

async function waitFor(page, fn, what, timeoutMs = 20000, arg) {
  try {
    await page.waitForFunction(fn, {timeout: timeoutMs, polling: 50}, arg);
    return true;
  } catch (e) {
    check(false, 'waited for ' + what);
    return false;
  }
}

async function probe(page) {
  return page.evaluate(() => JSON.parse(Module.UTF8ToString(Module._tether_probe())));
}

async function screenIs(page, name, what, timeoutMs) {
  return waitFor(page, (want) => window.Module && Module.tetherRunning
    && JSON.parse(Module.UTF8ToString(Module._tether_probe())).screen === want, what, timeoutMs,
  name);
}

function freePort() {
  return new Promise((resolve) => {
    const s = net.createServer();
    s.listen(0, '127.0.0.1', () => {
      const port = s.address().port;
      s.close(() => resolve(port));
    });
  });
}

// The page's server on the loopback, started and stopped at will.
class Server {
  constructor(folder, port) {
    this.folder = folder;
    this.port = port;
    this.url = `http://127.0.0.1:${port}/`;
  }

  start() {
    return new Promise((resolve, reject) => {
      this.child = spawn('python3', [path.join(__dirname, '..', 'serve.py'), this.folder,
        String(this.port)], {stdio: ['ignore', 'pipe', 'inherit']});
      process.once('exit', () => this.child.kill());
      this.child.stdout.on('data', (d) => { if (String(d).includes('Serving')) resolve(); });
      this.child.on('exit', (code) => reject(new Error('the server stopped: ' + code)));
    });
  }

  stop() {
    return new Promise((resolve) => {
      if (!this.child || this.child.exitCode !== null)
        return resolve();
      this.child.removeAllListeners('exit');
      this.child.on('exit', () => resolve());
      this.child.kill();
    });
  }
}

module.exports = {failures, check, waitFor, probe, screenIs, freePort, Server};
