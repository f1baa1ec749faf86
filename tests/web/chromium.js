// Headless Chromium driven through its DevTools protocol over a pipe (no
// WebSocket client, no downloads): launch it, open a page, evaluate script
// in it and collect everything it writes to its console.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const kExecutable = process.env.VX_CHROMIUM || '/usr/bin/chromium';

// Software WebGL 2 through SwiftShader; nothing reaches the network.
const kFlags = [
  '--headless=new', '--no-sandbox', '--use-gl=angle', '--use-angle=swiftshader',
  '--enable-unsafe-swiftshader', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run', '--disable-quic', '--disable-extensions',
  '--mute-audio', '--remote-debugging-pipe',
];

class Page {
  constructor(browser, targetId, sessionId) {
    this.browser = browser;
    this.targetId = targetId;
    this.sessionId = sessionId;
    this.console = [];  // {level, text}
    this.dialogs = [];
    this.loaded = null;
  }

  send(method, params = {}) { return this.browser.send(method, params, this.sessionId); }

  onEvent(method, params) {
    if (method === 'Runtime.consoleAPICalled') {
      const text = params.args.map((a) => (a.value !== undefined ? String(a.value) : a.description || a.type)).join(' ');
      this.console.push({ level: params.type, text });
    } else if (method === 'Runtime.exceptionThrown') {
      const d = params.exceptionDetails;
      this.console.push({ level: 'exception', text: (d.exception && d.exception.description) || d.text });
    } else if (method === 'Log.entryAdded') {
      this.console.push({ level: params.entry.level, text: `${params.entry.source}: ${params.entry.text}` });
    } else if (method === 'Page.javascriptDialogOpening') {
      this.dialogs.push(params.message);
      this.console.push({ level: 'dialog', text: params.message });
      this.send('Page.handleJavaScriptDialog', { accept: true }).catch(() => {});
    } else if (method === 'Page.loadEventFired' && this.loaded) {
      this.loaded();
    }
  }

  async goto(url) {
    const loaded = new Promise((done) => { this.loaded = done; });
    const answer = await this.send('Page.navigate', { url });
    if (answer.errorText) throw new Error(`cannot load ${url}: ${answer.errorText}`);
    await loaded;
  }

  // The value of a script expression, awaited when it is a promise.
  async evaluate(expression) {
    const answer = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (answer.exceptionDetails) {
      const d = answer.exceptionDetails;
      throw new Error(`page script failed: ${(d.exception && d.exception.description) || d.text}`);
    }
    return answer.result.value;
  }

  // Polls a page expression until it is truthy; its value, or an error after
  // `seconds`.
  async waitFor(expression, seconds, what) {
    const end = Date.now() + seconds * 1000;
    for (;;) {
      const value = await this.evaluate(expression);
      if (value) return value;
      if (Date.now() > end) throw new Error(`timed out after ${seconds} s waiting for ${what || expression}`);
      await new Promise((done) => setTimeout(done, 100));
    }
  }

  // Another tab in front hides this one (document.visibilityState is
  // "hidden"); toFront shows it again and closes that tab.
  async toBack() {
    const { targetId } = await this.browser.send('Target.createTarget', { url: 'about:blank' });
    this.cover = targetId;
  }

  async toFront() {
    await this.browser.send('Target.activateTarget', { targetId: this.targetId });
    if (this.cover) await this.browser.send('Target.closeTarget', { targetId: this.cover });
    this.cover = null;
  }

  // Console lines of level error, exceptions and dialogs.
  problems() {
    return this.console.filter((m) => ['error', 'exception', 'dialog', 'assert'].includes(m.level));
  }
}

class Browser {
  static async launch(extraFlags = []) {
    const browser = new Browser();
    browser.profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vx-chromium-'));
    browser.process = spawn(kExecutable, [...kFlags, `--user-data-dir=${browser.profile}`, ...extraFlags, 'about:blank'],
      { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
    browser.stderr = '';
    browser.process.stderr.on('data', (d) => { browser.stderr = (browser.stderr + d).slice(-20000); });
    browser.process.on('exit', (code, signal) => browser.failAll(new Error(`chromium exited (${code === null ? signal : code})\n${browser.stderr.slice(-2000)}`)));
    browser.input = browser.process.stdio[3];
    browser.output = browser.process.stdio[4];
    browser.pending = new Map();
    browser.pages = new Map();
    browser.nextId = 1;
    browser.partial = [];  // the chunks of a message not yet ended
    browser.output.on('data', (chunk) => browser.receive(chunk));
    await browser.send('Browser.getVersion');
    return browser;
  }

  send(method, params = {}, sessionId) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((done, fail) => {
      if (this.closed) {
        fail(new Error(`chromium has exited; cannot send ${method}`));
        return;
      }
      this.pending.set(id, { done, fail, method });
      this.input.write(JSON.stringify(message) + '\0');
    });
  }

  // Messages end with a zero byte.  The chunks of one that has not ended
  // yet are only kept: joining them as each arrives would copy a message
  // of many megabytes (a page's pictures) over and over.
  receive(chunk) {
    let end = chunk.indexOf(0);
    if (end < 0) {
      this.partial.push(chunk);
      return;
    }
    let rest = chunk;
    do {
      this.dispatch(JSON.parse(Buffer.concat([...this.partial, rest.subarray(0, end)]).toString('utf8')));
      this.partial = [];
      rest = rest.subarray(end + 1);
    } while ((end = rest.indexOf(0)) >= 0);
    if (rest.length > 0) this.partial.push(rest);
  }

  dispatch(message) {
    if (message.id !== undefined) {
      const call = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (!call) return;
      if (message.error) call.fail(new Error(`${call.method}: ${message.error.message}`));
      else call.done(message.result);
    } else if (message.sessionId && this.pages.has(message.sessionId)) {
      this.pages.get(message.sessionId).onEvent(message.method, message.params);
    }
  }

  failAll(error) {
    this.closed = true;
    for (const call of this.pending.values()) call.fail(error);
    this.pending.clear();
  }

  // A new tab with a viewport of width x height CSS pixels, each `scale`
  // device pixels wide (the page's devicePixelRatio).
  async newPage(width, height, scale = 1) {
    const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(this, targetId, sessionId);
    this.pages.set(sessionId, page);
    await page.send('Page.enable');
    await page.send('Runtime.enable');
    await page.send('Log.enable');
    await page.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: scale, mobile: false });
    return page;
  }

  async close() {
    if (!this.closed) {
      this.send('Browser.close').catch(() => {});
      await new Promise((done) => {
        const timer = setTimeout(() => { this.process.kill('SIGKILL'); done(); }, 5000);
        this.process.once('exit', () => { clearTimeout(timer); done(); });
      });
    }
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

// Serves webDir on the loopback address, starts a browser with extraFlags
// and runs use(browser, url) with the page's URL; the browser and the server
// are closed however use ends.  Answers what use answers.
async function withServedBrowser(webDir, extraFlags, use) {
  const { serve } = require('../../web/serve');
  const server = await serve(webDir, 0, '127.0.0.1');
  try {
    const browser = await Browser.launch(extraFlags);
    try {
      return await use(browser, `http://127.0.0.1:${server.address().port}/`);
    } finally {
      await browser.close();
    }
  } finally {
    server.close();
  }
}

// Logs a step of the test with the seconds since it began: where its time goes.
const kBegan = Date.now();
function phase(what) {
  console.log(`[${((Date.now() - kBegan) / 1000).toFixed(1)} s] ${what}`);
}

// Prints each failure and sets the exit code.
function report(failures) {
  for (const failure of failures) console.error(`FAIL ${failure}`);
  process.exitCode = failures.length === 0 ? 0 : 1;
}

module.exports = { Browser, withServedBrowser, report, phase };
