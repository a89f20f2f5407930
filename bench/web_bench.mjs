// The web faces in a headless Chromium, measured in one run:
// - the "Rossler Chaos" redraw in the one-file page (an angle button: clear, redraw, copy to the canvas, the
//   answer), the median of 10 after one to warm up, against orbiza-bench's median for "redraw/Rossler Chaos";
// - how long the page's thread is kept busy: the longest gap of a 4 ms timer over 5 s with three views turning,
//   "Rossler Chaos" among them, drawn by the element's worker where served, and with "Rossler Chaos" turning in the
//   one-file page, drawn on the page's thread.
// Usage: node bench/web_bench.mjs build/web/orbiza.html build/bench/orbiza-bench
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [pagePath, benchPath] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b), half = sorted.length / 2;
  return (sorted[Math.floor(half - 0.5)] + sorted[Math.ceil(half - 0.5)]) / 2;
};

const page = await browser.newPage();
await page.goto(pathToFileURL(pagePath).href + '#v1;row=23;angles=0,0,0;time=0;speeds=0,0,0,0;axes=0;timer=0;random=0123456789abcdef');
await page.waitForFunction(() => document.querySelector('orbiza-view').view.includes('row=23'));
const times = await page.evaluate(async () => {
  const view = document.querySelector('orbiza-view'), button = view.shadowRoot.getElementById('xp'), times = [];
  await view.toBlob();
  for (let i = 0; i <= 10; ++i) {
    const start = performance.now(), changed = new Promise((resolve) => view.addEventListener('orbiza-viewchange', resolve, {once: true}));
    button.click();
    await changed;
    times.push(performance.now() - start);
  }
  return times.slice(1);
});
const web = median(times);

// The longest gap between the runs of a 4 ms timer on the page's thread, over 5 s.
const Gaps = (tab) => tab.evaluate(() => new Promise((resolve) => {
  let last = performance.now(), longest = 0;
  const until = last + 5000, timer = setInterval(() => {
    const now = performance.now();
    longest = Math.max(longest, now - last);
    last = now;
    if (now > until) resolve(longest, clearInterval(timer));
  }, 4);
}));
const views = '<script type="module" src="orbiza.js"></script>' + ['structure="Rossler Chaos" speeds="0,4,0,0"',
  'structure="22" speeds="2,0,0,5"', 'structure="Nodes" speeds="0,0,3,0"'].map((a) => `<orbiza-view ${a} animate></orbiza-view>`).join('');
const server = createServer((request, answer) => {
  const type = { js: 'text/javascript', wasm: 'application/wasm' }[request.url.split('.').pop()];
  if (request.url !== '/' && !type) return answer.writeHead(404).end();
  answer.writeHead(200, { 'Content-Type': type ?? 'text/html' });
  answer.end(request.url === '/' ? views : readFileSync(join(dirname(pagePath), request.url)));
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const served = await browser.newPage();
await served.goto(`http://127.0.0.1:${server.address().port}/`);
await served.waitForFunction(() => [...document.querySelectorAll('orbiza-view')].every((view) => view.view.includes('timer=1')));
const worker = await Gaps(served);
await served.close();
server.close();
await page.evaluate(() => document.querySelector('orbiza-view').view =
  'v1;row=23;angles=0,0,0;time=0;speeds=0,4,0,0;axes=0;timer=1;random=0123456789abcdef');
const mainThread = await Gaps(page);
await browser.close();

const out = join(mkdtempSync(join(tmpdir(), 'orbiza-bench-')), 'rossler.json');
execFileSync(benchPath, ['--benchmark_filter=^redraw/Rossler Chaos/', '--benchmark_out_format=json',
                         '--benchmark_out=' + out], { stdio: 'ignore' });
const report = JSON.parse(readFileSync(out, 'utf8'));
const native = report.benchmarks.find((b) => b.aggregate_name === 'median').real_time;

console.log(`web Rossler Chaos redraw, median of 10: ${web.toFixed(1)} ms (each: ${times.map((t) => t.toFixed(1)).join(' ')})`);
console.log(`native Rossler Chaos redraw, median: ${native.toFixed(1)} ms`);
console.log(`ratio web-rossler/native-rossler: ${(web / native).toFixed(2)}`);
console.log(`longest gap of the page's thread, three views turning, drawn in the worker: ${worker.toFixed(1)} ms`);
console.log(`longest gap of the page's thread, "Rossler Chaos" turning in the one-file page: ${mainThread.toFixed(1)} ms`);
