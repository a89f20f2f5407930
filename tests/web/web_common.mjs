// What the web tests share: Chromium, a static server with the strict policy, orbiza-render's pictures, what a
// canvas holds and what the accessibility tree says.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';

export const Skip = (why) => { console.log('skipped: needs ' + why); process.exit(77); };
export const failures = [];
export const dir = mkdtempSync(join(tmpdir(), 'orbiza-web-'));
export const Policy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'";

export async function Launch(...needed) {
  const chromiumPath = '/usr/bin/chromium';
  for (const path of [...needed, chromiumPath]) if (!existsSync(path)) Skip(path);
  const { chromium } = await import('playwright-core').catch(() => Skip('playwright-core (npm ci)'));
  return chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox', '--disable-gpu', '--disable-quic',
    '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync'] });
}

export function Finish(what) {
  for (const failure of failures) console.error('FAIL', failure);
  console.log(failures.length ? `${failures.length} failures` : what);
  process.exit(failures.length ? 1 : 0);
}

// A new tab of `context` at `url`; its page errors are failures, its console lines and policy violations go to
// `lines` (not Chromium's advice on reading canvases), each after `name`.
export async function OpenTab(context, url, lines, name = '') {
  const tab = await context.newPage({ acceptDownloads: true });
  await tab.addInitScript(() => document.addEventListener('securitypolicyviolation', (e) => console.error(`policy: ${e.violatedDirective} ${e.blockedURI}`)));
  tab.on('pageerror', (error) => failures.push(`${name}page error: ${error.message}`));
  tab.on('console', (message) => message.text().startsWith('Canvas2D:') || lines.push(`${name}${message.type()}: ${message.text()}`));
  await tab.goto(url);
  return tab;
}

// Serves the files under `root`, and a blank page at /, with the strict policy; a favicon is nobody's business.
export async function Serve(root) {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
  const server = createServer((request, answer) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname), path = join(root, normalize(name));
    const found = name === '/' ? '<!DOCTYPE html>' : path.startsWith(root) && existsSync(path) && readFileSync(path);
    if (!found) return answer.writeHead(name === '/favicon.ico' ? 204 : 404).end();
    answer.writeHead(200, { 'Content-Type': types[extname(path)] ?? 'text/html', 'Content-Security-Policy': Policy });
    answer.end(found);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

// orbiza-render's picture (the last of `frames`) for these arguments.
export function Renderer(renderPath) {
  function Render(args, frames = 1) {
    execFileSync(renderPath, ['--output', join(dir, 'r%d.bmp'), '--frames', String(frames), ...args.map(String)]);
    return readFileSync(join(dir, `r${frames - 1}.bmp`));
  }
  return { Render, View: (text, frames = 1, scale = 1) => Render(['--view', text, '--scale', scale], frames) };
}

// RGBA rows from the top, as a canvas gives them, out of a 24-bit BMP.
export function BmpPixels(bmp) {
  const width = bmp.readInt32LE(18), height = bmp.readInt32LE(22), offset = bmp.readUInt32LE(10);
  const rowBytes = Math.ceil(width * 3 / 4) * 4, out = new Uint8Array(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    const at = offset + (height - 1 - Math.floor(i / width)) * rowBytes + (i % width) * 3;
    out.set([bmp[at + 2], bmp[at + 1], bmp[at], 255], i * 4);
  }
  return out;
}

// The bytes of the Blob that `make(argument)` gives in the page.
export async function Bytes(tab, make, argument) {
  const blob = await tab.evaluateHandle(make, argument), url = await blob.evaluate((blob) => new Promise((read) => {
    const reader = new FileReader();
    reader.onload = () => read(reader.result);
    reader.readAsDataURL(blob);
  }));
  return Buffer.from(url.split(',')[1], 'base64');
}

// The RGBA pixels a view's canvas holds, drawn onto another canvas, which takes a worker's canvas too.
export const Canvas = (tab, view = 'orbiza-view') => Bytes(tab, (view) => {
  const canvas = document.querySelector(view).shadowRoot.querySelector('canvas');
  const context = new OffscreenCanvas(canvas.width, canvas.height).getContext('2d');
  context.drawImage(canvas, 0, 0);
  return new Blob([context.getImageData(0, 0, canvas.width, canvas.height).data]);
}, view);

// Every answer a view's drawing owes has come once it hands over a picture asked for after them.
export const Settle = (tab, view = 'orbiza-view') => tab.evaluate(async (view) => {
  await document.querySelector(view).toBlob('image/bmp');
  await new Promise((frame) => requestAnimationFrame(() => requestAnimationFrame(frame)));
}, view);

// Fails unless the canvas of `view`, settled, holds the BMP's picture.
export async function SameCanvas(what, tab, bmp, view) {
  await Settle(tab, view);
  const pixels = await Canvas(tab, view), expected = BmpPixels(bmp), first = pixels.findIndex((v, i) => v !== expected[i]);
  if (pixels.length !== expected.length || first >= 0)
    failures.push(`${what}: canvas (${pixels.length / 4} pixels) differs from orbiza-render (${expected.length / 4}) at pixel ${Math.floor(first / 4)}`);
}

// Role, name and description of the element `expression` gives, in Chromium's accessibility tree.
export async function Spoken(tab, expression) {
  const cdp = await tab.context().newCDPSession(tab);
  const { result } = await cdp.send('Runtime.evaluate', { expression });
  const { nodes } = await cdp.send('Accessibility.getPartialAXTree', { objectId: result.objectId, fetchRelatives: false });
  await cdp.detach();
  return { role: nodes[0].role?.value, name: nodes[0].name?.value, description: nodes[0].description?.value ?? '' };
}
