// pagetest.mjs STROKEORDER CASE: one case of the stroke-order pages in headless Chromium, driven
// over the DevTools protocol on a pipe (no npm package), with a fresh profile and the network
// off. Every request the page makes is recorded; one to anything but a file of STROKEORDER fails
// the case.
//   animation  峰's page draws its 10 strokes one after another, each step picture names its
//              stroke; a click on step 4 shows 4 strokes
//   practice   峰's strokes drawn along their medians are taken, a wrong one is refused first
//   query      a typed character goes to its page; one without pages is reported
// Exit status 0 pass, 1 fail, 77 skip (no Chromium).
import { spawn } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [root, caseName] = process.argv.slice(2);
const browser = process.env.ZIBRIN_CHROMIUM || '/usr/bin/chromium';
if (!existsSync(browser)) {
  console.log(`SKIP: ${browser} is not installed`);
  process.exit(77);
}
const rootUrl = pathToFileURL(resolve(root)).href + '/';
const pageUrl = (path) => rootUrl + path.split('/').map(encodeURIComponent).join('/');

function fail(message) {
  throw new Error(message);
}

// A guard against hanging, not a speed check.
async function waitFor(what, condition, seconds = 30) {
  for (let i = 0; i < seconds * 10; i++) {
    const value = await condition();
    if (value) return value;
    await new Promise((r) => setTimeout(r, 100));
  }
  fail(`timed out waiting for ${what}`);
}

class Browser {
  constructor() {
    this.profile = mkdtempSync(join(tmpdir(), 'zibrin-chromium-'));
    this.process = spawn(browser, [
      '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--no-default-browser-check',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-extensions', '--disable-default-apps', '--mute-audio', '--remote-debugging-pipe',
      // any request to a host goes to a closed port
      '--proxy-server=127.0.0.1:9', '--proxy-bypass-list=<-loopback>',
      '--window-size=800,1000', `--user-data-dir=${this.profile}`, 'about:blank',
    ], { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'], detached: true });
    this.stderr = '';
    this.process.stderr.on('data', (d) => { this.stderr += d; });
    this.nextId = 1;
    this.calls = new Map();
    this.listeners = [];
    let buffer = '';
    this.process.stdio[4].on('data', (chunk) => {
      buffer += chunk.toString('utf8');
      let end;
      while ((end = buffer.indexOf('\0')) >= 0) {
        const message = JSON.parse(buffer.slice(0, end));
        buffer = buffer.slice(end + 1);
        if (message.id && this.calls.has(message.id)) {
          const { resolve, reject } = this.calls.get(message.id);
          this.calls.delete(message.id);
          if (message.error) reject(new Error(JSON.stringify(message.error)));
          else resolve(message.result);
        } else if (message.method) {
          for (const listener of this.listeners) listener(message);
        }
      }
    });
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    this.process.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    return new Promise((resolve, reject) => this.calls.set(id, { resolve, reject }));
  }

  // Chromium's helper processes may still be writing the profile after the browser process has
  // gone, so the whole process group is ended before the profile is removed, with retries.
  async close() {
    const running = this.process.exitCode === null && this.process.signalCode === null;
    const ended = running ? new Promise((r) => this.process.once('exit', r)) : Promise.resolve();
    try {
      process.kill(-this.process.pid, 'SIGKILL');
    } catch {
      this.process.kill('SIGKILL');
    }
    await ended;
    rmSync(this.profile, { recursive: true, force: true, maxRetries: 20, retryDelay: 100 });
  }
}

// One tab: navigation, evaluation and mouse input.
class Page {
  static async open(browser) {
    const { targetInfos } = await browser.send('Target.getTargets');
    const target = targetInfos.find((t) => t.type === 'page');
    const { sessionId } = await browser.send('Target.attachToTarget', { targetId: target.targetId, flatten: true });
    const page = new Page(browser, sessionId);
    browser.listeners.push((m) => {
      if (m.sessionId !== sessionId) return;
      if (m.method === 'Network.requestWillBeSent') page.requests.push(m.params.request.url);
      if (m.method === 'Page.loadEventFired') page.loads += 1;
      if (m.method === 'Runtime.exceptionThrown') page.errors.push(m.params.exceptionDetails.exception?.description || m.params.exceptionDetails.text);
    });
    await page.send('Page.enable');
    await page.send('Runtime.enable');
    await page.send('Network.enable');
    await page.send('Network.emulateNetworkConditions', { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    return page;
  }

  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
    this.requests = [];
    this.errors = [];
    this.loads = 0;
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  async goto(url) {
    const loads = this.loads;
    await this.send('Page.navigate', { url });
    await waitFor(`the page ${url} to load`, () => this.loads > loads);
  }

  // The value of an expression in the page (promises awaited).
  async eval(expression) {
    const { result, exceptionDetails } = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (exceptionDetails) fail(`${expression}: ${exceptionDetails.exception?.description || exceptionDetails.text}`);
    return result.value;
  }

  mouse(type, [x, y]) {
    return this.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', buttons: type === 'mouseReleased' ? 0 : 1, clickCount: 1 });
  }

  async click(selector) {
    const point = await this.eval(`(() => { const r = document.querySelector(${JSON.stringify(selector)}).getBoundingClientRect();
      return [r.left + r.width / 2, r.top + r.height / 2]; })()`);
    await this.mouse('mousePressed', point);
    await this.mouse('mouseReleased', point);
  }

  // A stroke through points given in the character's 1024 box (y up), as the practice page's
  // writer places it: its positioned group maps them onto the page.
  async drawStroke(points) {
    const onPage = await this.eval(`(() => {
      const group = document.querySelector('#stage svg > g');
      const m = group.getScreenCTM();
      return ${JSON.stringify(points)}.map(([x, y]) => { const p = new DOMPoint(x, y).matrixTransform(m); return [p.x, p.y]; });
    })()`);
    // a few points between each pair, as a hand moves
    const path = [];
    for (let i = 0; i + 1 < onPage.length; i++)
      for (let t = 0; t < 1; t += 0.25)
        path.push([onPage[i][0] + (onPage[i + 1][0] - onPage[i][0]) * t, onPage[i][1] + (onPage[i + 1][1] - onPage[i][1]) * t]);
    path.push(onPage[onPage.length - 1]);
    await this.mouse('mousePressed', path[0]);
    for (const point of path.slice(1)) await this.mouse('mouseMoved', point);
    await this.mouse('mouseReleased', path[path.length - 1]);
  }

  text(selector) {
    return this.eval(`document.querySelector(${JSON.stringify(selector)}).textContent`);
  }
}

// How many of the character's strokes the animation shows fully drawn: the writer's main
// character is its second group, one clipped path per stroke.
const drawnStrokes = `(() => {
  const main = document.querySelectorAll('#stage svg > g > g')[1];
  if (!main || getComputedStyle(main).opacity === '0') return 0;
  return Array.from(main.querySelectorAll('path[clip-path]')).filter((p) =>
    p.style.opacity !== '0' && Math.abs(parseFloat(p.style.strokeDashoffset || '0')) < 1).length;
})()`;

const feng = '峰';

async function animation(page) {
  await page.goto(pageUrl(`bsdh/post/${feng}.html`));
  await waitFor('the stroke count', async () => (await page.text('#stroke-count')) === '10');
  if ((await page.text('#reading')) !== 'fēng') fail(`reading ${await page.text('#reading')}`);
  // fastest speed, then follow the strokes as they are drawn
  await page.eval(`document.getElementById('speed').value = '4'; document.getElementById('speed').dispatchEvent(new Event('change'))`);
  const seen = new Set();
  let last = 0;
  await waitFor('the animation to end', async () => {
    const drawn = await page.eval(drawnStrokes);
    if (drawn < last) fail(`the drawn strokes went back from ${last} to ${drawn}`);
    last = drawn;
    seen.add(drawn);
    return (await page.eval('document.body.dataset.state')) === 'done';
  });
  const final = await page.eval(drawnStrokes);
  if (final !== 10) fail(`${final} strokes drawn at the end, not 10`);
  if (seen.size < 4) fail(`strokes not drawn one by one: counts seen ${[...seen]}`);
  console.log(`animation: drawn counts seen ${[...seen].sort((a, b) => a - b).join(' ')}`);

  const steps = await page.eval(`document.querySelectorAll('#steps .step').length`);
  if (steps !== 10) fail(`${steps} step pictures, not 10`);
  // each step picture names its stroke
  const titles = await page.eval(`Array.from(document.querySelectorAll('#steps .step')).map((s) => s.title).join(' ')`);
  if (titles !== '第 1 笔：竖 第 2 笔：竖折 第 3 笔：竖 第 4 笔：撇 第 5 笔：横撇 第 6 笔：捺 第 7 笔：横 第 8 笔：横 第 9 笔：横 第 10 笔：竖') fail(`step titles ${titles}`);
  // in the fourth step picture: three written strokes, the fourth red
  const kinds = await page.eval(`Array.from(document.querySelectorAll('#steps .step')[3].querySelectorAll('path')).map((p) => getComputedStyle(p).fill)`);
  const red = kinds.filter((f) => f === 'rgb(238, 0, 0)').length;
  if (kinds.length !== 10 || red !== 1 || kinds[3] !== 'rgb(238, 0, 0)') fail(`step 4 picture fills ${kinds}`);
  await page.click('#steps .step:nth-child(4)');
  const shown = await page.eval(`Array.from(document.querySelectorAll('#stage #still path')).map((p) => getComputedStyle(p).fill)`);
  const written = shown.filter((f) => f !== 'rgb(228, 228, 228)');
  if (written.length !== 4 || shown[3] !== 'rgb(238, 0, 0)') fail(`after a click on step 4 the box shows ${shown}`);
  if (!(await page.text('#step-text')).includes('第 4 笔')) fail(`step text ${await page.text('#step-text')}`);
  const practice = await page.eval(`document.getElementById('practice').href`);
  if (practice !== pageUrl(`bscx/post/${feng}.html`)) fail(`practice link ${practice}`);
}

async function practice(page) {
  await page.goto(pageUrl(`bscx/post/${feng}.html`));
  await waitFor('the writing box', () => page.eval(`document.body.dataset.state === 'writing' && !!document.querySelector('#stage svg > g')`));
  const medians = await page.eval(`zibrin.loadCharacter('${feng}').then((d) => d.medians)`);
  // the ninth stroke (a long horizontal) where the first (a short vertical) is due
  await page.drawStroke(medians[8]);
  await waitFor('the refusal', async () => (await page.eval(`document.getElementById('status').className`)) === 'mistake');
  if (!(await page.text('#status')).includes('第 1 笔')) fail(`status after a wrong stroke: ${await page.text('#status')}`);
  for (const [i, median] of medians.entries()) {
    await page.drawStroke(median);
    const expected = i + 1 < medians.length ? `请写第 ${i + 2} 笔` : '写完了';
    await waitFor(`stroke ${i + 1} to be taken`, async () => (await page.text('#status')).includes(expected), 10);
  }
  const result = await page.text('#status');
  if (!result.includes('共 10 笔，9 笔一次写对')) fail(`result: ${result}`);
  console.log(`practice: ${result}`);
  await page.click('#restart');
  await waitFor('a new start', async () => (await page.text('#status')).includes('请写第 1 笔'));
}

async function query(page) {
  await page.goto(pageUrl('bscx/index.html'));
  // a character without pages (Latin), then several, then one that goes to its page
  const submit = async (text) => {
    await page.eval(`document.getElementById('text').value = ${JSON.stringify(text)}`);
    await page.click('button[type=submit]');
  };
  await submit('a');
  const missing = await page.text('#results');
  if (!missing.includes('没有“a”的笔顺页面')) fail(`for a: ${missing}`);
  await submit('峰 a 中');
  const links = await page.eval(`Array.from(document.querySelectorAll('#results a')).map((a) => a.href)`);
  const expected = [`bscx/post/${feng}.html`, `bsdh/post/${feng}.html`, 'bscx/post/中.html', 'bsdh/post/中.html'].map(pageUrl);
  if (JSON.stringify(links) !== JSON.stringify(expected)) fail(`links for 峰 a 中: ${links}`);
  const loads = page.loads;
  await submit(feng);
  await waitFor('the practice page', () => page.loads > loads);
  const url = await page.eval('location.href');
  if (url !== pageUrl(`bscx/post/${feng}.html`)) fail(`went to ${url}`);
  await waitFor('the practice page to start', () => page.eval(`document.body.dataset.state === 'writing'`));
}

const cases = { animation, practice, query };
if (!cases[caseName]) {
  console.log(`usage: pagetest.mjs STROKEORDER ${Object.keys(cases).join('|')}`);
  process.exit(2);
}

const chrome = new Browser();
let status = 0;
try {
  const page = await Page.open(chrome);
  await cases[caseName](page);
  const outside = page.requests.filter((url) => !url.startsWith(rootUrl));
  if (outside.length) fail(`requests outside the pages: ${outside.join(' ')}`);
  if (page.errors.length) fail(`script errors: ${page.errors.join(' | ')}`);
  console.log(`PASS: ${caseName} (${page.requests.length} requests, all files of the pages)`);
} catch (error) {
  console.log(`FAIL: ${caseName}: ${error.message}`);
  if (chrome.stderr) console.log(chrome.stderr.slice(-2000));
  status = 1;
} finally {
  await chrome.close();
}
process.exit(status);
