// The Rossler redraw in the page, in a headless Chromium, against the same
// redraw native, measured in the same run: the median of 10 page redraws
// (a selection in the list: clear, redraw, copy to the canvas) after one to
// warm up, and orbiza-bench's median for "redraw/Rossler Chaos".
// Usage: node bench/web_bench.mjs build/web/orbiza.html build/bench/orbiza-bench
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [pagePath, benchPath] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage();
await page.goto(pathToFileURL(pagePath).href);
await page.waitForFunction(() => window.OrbizaPage && OrbizaPage.ready);
const times = await page.evaluate(() => {
  const list = document.getElementById('List');
  const row = [...list.options].findIndex((option) => option.text === 'Rossler Chaos');
  const times = [];
  for (let i = 0; i <= 10; ++i) {
    list.selectedIndex = row;
    const start = performance.now();
    list.dispatchEvent(new Event('change'));
    times.push(performance.now() - start);
  }
  return times.slice(1);
});
await browser.close();
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b), half = sorted.length / 2;
  return (sorted[Math.floor(half - 0.5)] + sorted[Math.ceil(half - 0.5)]) / 2;
};
const web = median(times);

const out = join(mkdtempSync(join(tmpdir(), 'orbiza-bench-')), 'rossler.json');
execFileSync(benchPath, ['--benchmark_filter=^redraw/Rossler Chaos/', '--benchmark_out_format=json',
                         '--benchmark_out=' + out], { stdio: 'ignore' });
const report = JSON.parse(readFileSync(out, 'utf8'));
const native = report.benchmarks.find((b) => b.aggregate_name === 'median').real_time;

console.log(`web Rossler Chaos redraw, median of 10: ${web.toFixed(1)} ms (each: ${times.map((t) => t.toFixed(1)).join(' ')})`);
console.log(`native Rossler Chaos redraw, median: ${native.toFixed(1)} ms`);
console.log(`ratio web-rossler/native-rossler: ${(web / native).toFixed(2)}`);
