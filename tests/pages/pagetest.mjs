// SPDX-License-Identifier: GPL-3.0-or-later
// pagetest.mjs STROKEORDER CASE: one case of the stroke-order pages in headless Chromium (the
// system's, driven by the pinned playwright-core of this folder, which tools/setup.sh installs),
// with a fresh profile and the network off. Every request the page makes is recorded; one to
// anything but a file of STROKEORDER fails the case.
//   animation  峰's page draws its 10 strokes one after another, each step picture names its
//              stroke; a click on step 4 shows 4 strokes, then one on step 7 shows 7; 50 replays
//              leave no more page nodes or listeners alive
//   practice   峰's strokes drawn along their medians are taken, a wrong one is refused first
//   query      a typed character goes to its page; one without pages is reported
// Exit status 0 pass, 1 fail, 77 skip (no Chromium).
import { existsSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [root, caseName] = process.argv.slice(2);
const browser = process.env.ZIBRIN_CHROMIUM || '/usr/bin/chromium';
if (!existsSync(browser)) {
  console.log(`SKIP: ${browser} is not installed`);
  process.exit(77);
}
let chromium;
try {
  ({ chromium } = await import('playwright-core'));
} catch (error) {
  console.log(`FAIL: playwright-core is not installed beside this script (run tools/setup.sh): ${error.message}`);
  process.exit(1);
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

// One tab: evaluation and mouse input, with the requests and script errors of its pages.
class Page {
  static async open(context) {
    const page = new Page(await context.newPage());
    page.tab.on('request', (request) => page.requests.push(request.url()));
    page.tab.on('pageerror', (error) => page.errors.push(error.stack || error.message));
    page.devtools = await context.newCDPSession(page.tab);
    await page.devtools.send('Performance.enable');
    return page;
  }

  constructor(tab) {
    this.tab = tab;
    this.requests = [];
    this.errors = [];
  }

  goto(url) {
    return this.tab.goto(url);
  }

  // The value of an expression in the page (promises awaited).
  async eval(expression) {
    try {
      return await this.tab.evaluate(expression);
    } catch (error) {
      fail(`${expression}: ${error.message}`);
    }
  }

  click(selector) {
    return this.tab.click(selector);
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
    const mouse = this.tab.mouse;
    await mouse.move(...path[0]);
    await mouse.down();
    for (const point of path.slice(1)) await mouse.move(...point);
    await mouse.up();
  }

  // The page's nodes and event listeners alive after a garbage collection.
  async liveCounts() {
    await this.devtools.send('HeapProfiler.collectGarbage');
    const { metrics } = await this.devtools.send('Performance.getMetrics');
    const value = (name) => metrics.find((m) => m.name === name).value;
    return { nodes: value('Nodes'), listeners: value('JSEventListeners') };
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
  // two steps in a row: the second replaces the first
  for (const step of [4, 7]) {
    await page.click(`#steps .step:nth-child(${step})`);
    const shown = await page.eval(`Array.from(document.querySelectorAll('#stage #still path')).map((p) => getComputedStyle(p).fill)`);
    const written = shown.filter((f) => f !== 'rgb(228, 228, 228)');
    if (written.length !== step || shown[step - 1] !== 'rgb(238, 0, 0)') fail(`after a click on step ${step} the box shows ${shown}`);
    if (!(await page.text('#step-text')).includes(`第 ${step} 笔`)) fail(`step text ${await page.text('#step-text')}`);
  }
  const practice = await page.eval(`document.getElementById('practice').href`);
  if (practice !== pageUrl(`bscx/post/${feng}.html`)) fail(`practice link ${practice}`);

  // Replays, each cancelling the one before: what an animation builds goes with it. The nodes
  // and listeners still alive after garbage collection are counted after one replay and after 50
  // more; each replay that kept its writer would add about 100 nodes and 6 listeners.
  const replayed = async (times) => {
    for (let i = 0; i < times; i++) await page.click('#replay');
    await waitFor('the replay to end', async () => (await page.eval('document.body.dataset.state')) === 'done');
    if ((await page.eval(drawnStrokes)) !== 10) fail(`a replay after the steps ends with ${await page.eval(drawnStrokes)} strokes`);
    return page.liveCounts();
  };
  const first = await replayed(1);
  const after = await replayed(50);
  console.log(`animation: alive after 1 replay ${first.nodes} nodes, ${first.listeners} listeners; after 50 more ${after.nodes}, ${after.listeners}`);
  if (after.nodes > first.nodes + 100 || after.listeners > first.listeners + 10)
    fail(`50 replays left ${after.nodes - first.nodes} nodes and ${after.listeners - first.listeners} listeners alive`);
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
  const loaded = page.tab.waitForEvent('load');
  await submit(feng);
  await loaded;
  const url = await page.eval('location.href');
  if (url !== pageUrl(`bscx/post/${feng}.html`)) fail(`went to ${url}`);
  await waitFor('the practice page to start', () => page.eval(`document.body.dataset.state === 'writing'`));
}

const cases = { animation, practice, query };
if (!cases[caseName]) {
  console.log(`usage: pagetest.mjs STROKEORDER ${Object.keys(cases).join('|')}`);
  process.exit(2);
}

// Playwright's own profile in a fresh temporary folder, removed on close; any request to a host
// goes to a closed port, and the context is offline.
const chrome = await chromium.launch({
  executablePath: browser,
  args: ['--disable-gpu', '--disable-component-update', '--disable-sync', '--mute-audio',
    '--proxy-server=127.0.0.1:9', '--proxy-bypass-list=<-loopback>'],
});
let status = 0;
try {
  const context = await chrome.newContext({ offline: true, viewport: { width: 800, height: 1000 } });
  const page = await Page.open(context);
  await cases[caseName](page);
  const outside = page.requests.filter((url) => !url.startsWith(rootUrl));
  if (outside.length) fail(`requests outside the pages: ${outside.join(' ')}`);
  if (page.errors.length) fail(`script errors: ${page.errors.join(' | ')}`);
  console.log(`PASS: ${caseName} (${page.requests.length} requests, all files of the pages)`);
} catch (error) {
  console.log(`FAIL: ${caseName}: ${error.message}`);
  status = 1;
} finally {
  await chrome.close();
}
process.exit(status);
