// Drives the page in a headless Chromium and compares its canvas, pixel for
// pixel, and its saved BMP, byte for byte, with orbiza-render's picture of the
// same state. Catches the page drifting from the desktop: a different redraw,
// clear, tick, axis or list path, a smoothed or offset canvas, a wrong BMP.
// Usage: node page_test.mjs PAGE ORBIZA_RENDER; exits 77 when it cannot run.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [pagePath, renderPath] = process.argv.slice(2);
const chromiumPath = '/usr/bin/chromium';
if (!existsSync(pagePath) || !existsSync(chromiumPath)) {
  console.log('skipped: needs the built page and', chromiumPath);
  process.exit(77);
}
const { chromium } = await import('playwright-core').catch(() => {
  console.log('skipped: playwright-core is not installed (npm ci)');
  process.exit(77);
});
const dir = mkdtempSync(join(tmpdir(), 'orbiza-page-'));
const failures = [];

// The renderer's picture after the same redraws (`draws`: the list rows
// drawn, in order, so the random source moves as in the page) at a view,
// after its own timer ticks when `ticks` gives their count and speeds.
function Rendered(view, axes, draws, ticks = ['--ticks', '0']) {
  const file = join(dir, 'rendered.bmp');
  const args = ['--angles', view.slice(0, 3).join(','), '--time', String(view[3]), '--output', file, ...ticks];
  execFileSync(renderPath, [...args, ...(axes ? ['--axes'] : []), '--', ...draws.map(String)]);
  return readFileSync(file);
}

// RGBA rows from the top, as the canvas gives them, out of a 24-bit BMP.
function BmpPixels(bmp) {
  const width = bmp.readInt32LE(18), height = bmp.readInt32LE(22), offset = bmp.readUInt32LE(10);
  const rowBytes = Math.ceil(width * 3 / 4) * 4, out = new Uint8Array(width * height * 4);
  for (let row = 0; row < height; ++row)
    for (let column = 0; column < width; ++column) {
      const at = offset + (height - 1 - row) * rowBytes + column * 3, to = (row * width + column) * 4;
      out.set([bmp[at + 2], bmp[at + 1], bmp[at], 255], to);
    }
  return out;
}

const browser = await chromium.launch({
  executablePath: chromiumPath,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const pageUrl = pathToFileURL(pagePath).href, consoleLines = [];
// A new tab at `url`, once its window is built; its console lines are kept,
// but for Chromium's advice on this test's canvas reads.
async function Open(url, context) {
  const tab = await (context ? context.newPage() : browser.newPage({ acceptDownloads: true }));
  tab.on('pageerror', (error) => failures.push('page error: ' + error.message));
  tab.on('console', (message) => message.text().startsWith('Canvas2D:') || consoleLines.push(message.text()));
  await tab.goto(url);
  await tab.waitForFunction(() => window.OrbizaPage && OrbizaPage.ready);
  tab.entries = await tab.evaluate(() => history.length);
  return tab;
}
const page = await Open(pageUrl);

// The window's table as the module holds it, read through a handle of its own.
const table = await page.evaluate(() => JSON.parse(Module.UTF8ToString(Module._OrbizaWindowJson(Module._OrbizaOpen()))));
const cdp = await page.context().newCDPSession(page);
// What Chromium's accessibility tree holds for the element with this id.
async function Spoken(id) {
  const { root } = await cdp.send('DOM.getDocument', { depth: 0 });
  const { nodeId } = await cdp.send('DOM.querySelector', { nodeId: root.nodeId, selector: '#' + id });
  const { nodes } = await cdp.send('Accessibility.getPartialAXTree', { nodeId, fetchRelatives: false });
  return { role: nodes[0].role?.value, name: nodes[0].name?.value, description: nodes[0].description?.value ?? '' };
}
const Roles = { area: 'image', button: 'button', list: 'listbox', check: 'checkbox', label: 'note', scroll: 'slider' };

// Every row of the table: the element with its id, caption and place, and
// the role, name and description a screen reader gets. Catches the page
// building a control of its own instead of the table's, or dropping the
// words the desktop gives it. Read-outs carry their number, the picture
// says what it shows.
for (const row of table.controls) {
  const seen = await page.evaluate((row) => {
    const control = document.getElementById(row.name);
    if (!control) return null;
    const placed = row.kind === 'area' || row.kind === 'check' ? control.parentElement : control;
    const form = document.getElementById('Form1').getBoundingClientRect(), box = placed.getBoundingClientRect();
    const caption = row.kind === 'area' || row.kind === 'list' || row.kind === 'scroll' ? '' : placed.textContent;
    return { caption, place: [box.left - form.left, box.top - form.top, box.width, box.height].join() };
  }, row);
  if (!seen) { failures.push(`${row.name}: no element with this id`); continue; }
  const place = [row.left, row.top, row.width, row.height].map((twips) => twips / table.twipsPerPixel).join();
  if (seen.caption !== row.caption || seen.place !== place)
    failures.push(`${row.name}: "${seen.caption}" at ${seen.place}, the table says "${row.caption}" at ${place}`);
  const spoken = await Spoken(row.name);
  const name = row.kind === 'area' ? 'Picture, empty' : row.accessibleName + (row.caption === '0' ? ' 0' : '');
  if (spoken.role !== Roles[row.kind] || spoken.name !== name || spoken.description !== row.accessibleDescription)
    failures.push(`${row.name}: read as ${spoken.role} "${spoken.name}" (${spoken.description})`);
}
if (await page.title() !== table.caption) failures.push('page title: ' + await page.title());

// Tab visits the controls by the table's tab indexes, the labels passed over.
const byTab = table.controls.filter((row) => row.kind !== 'label').sort((a, b) => a.tabIndex - b.tabIndex);
await page.focus('#' + byTab[0].name);
const visited = [byTab[0].name];
for (let i = 1; i < byTab.length; ++i) {
  await page.keyboard.press('Tab');
  visited.push(await page.evaluate(() => document.activeElement.id));
}
if (visited.join() !== byTab.map((row) => row.name).join()) failures.push('tab order: ' + visited.join());

// About is a modal dialog named by its title, closed by Escape and by its button.
for (const close of [() => page.keyboard.press('Escape'), () => page.click('#about button')]) {
  await page.click('#Command1');
  const about = await page.$eval('#about', (d) => ({ open: d.open, modal: d.matches(':modal'), text: d.querySelector('p').textContent }));
  const spoken = await Spoken('about');
  if (!about.modal || about.text !== table.texts.about || spoken.role !== 'dialog' || spoken.name !== table.texts.aboutTitle)
    failures.push(`About: ${JSON.stringify(about)}, read as ${spoken.role} "${spoken.name}"`);
  await close();
  if (await page.$eval('#about', (d) => d.open)) failures.push('About stays open');
}

const draws = [];  // every clear-and-redraw or axis redraw, as the list row it drew
const selected = () => page.$eval('#List', (list) => list.selectedIndex + 1);
const View = () => page.evaluate(() => OrbizaPage.view());
// The canvas's RGBA bytes, as base64.
const Canvas = (tab) => tab.$eval('#pctr1', (canvas) => {
  const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  let text = '';
  for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
  return btoa(text);
});
async function Compare(what, axes, ticks) {
  const expected = BmpPixels(Rendered(ticks ? ticks.from : await View(), axes, draws, ticks && ticks.args));
  const actual = Buffer.from(await Canvas(page), 'base64');
  const first = actual.findIndex((value, i) => value !== expected[i]);
  if (actual.length !== expected.length || first >= 0)
    failures.push(`${what}: canvas differs from orbiza-render at pixel ${Math.floor(first / 4)}`);
}
const Click = async (id) => { await page.click('#' + id); draws.push(await selected()); };
const Text = (id) => page.$eval('#' + id, (element) => element.textContent);

// One table of states: each step acts on the page, then the picture must
// match the renderer's for the page's view (`axes`: the axes are in the picture).
const steps = [
  ['a view before any selection: angle buttons', async () => { await Click('xp'); await Click('xp');
    await Click('ym'); await Click('zp'); draws.length = 0; }, false],
  ['"Cube" clicked in the list', async () => { await page.click('#List option >> nth=0'); draws.push(1); }, false],
];
for (let row = 2; row <= 23; ++row)
  steps.push([`row ${row} by the down arrow`, async () => { await page.keyboard.press('ArrowDown');
    draws.push(row); }, false]);
steps.push(
  ['"Sphere" again, the axis box ticked and unticked', async () => { await page.click('#List option >> nth=3');
    draws.push(4); await Click('showaxis'); await Click('showaxis'); }, true],
  ['an angle button after the axis box', () => Click('zm'), false],
  ['timer ticks at speeds 5, -3, 0 and time 20', async () => {
    await page.click('#List option >> nth=21');
    draws.push(22);
    for (const [id, key, presses] of [['HScroll1', 'ArrowRight', 5], ['HScroll2', 'ArrowLeft', 3],
                                      ['HScroll4', 'ArrowRight', 20]]) {
      await page.focus('#' + id);
      for (let i = 0; i < presses; ++i) await page.keyboard.press(key);
    }
    const from = await View();
    await page.click('#start');
    await page.waitForFunction(() => OrbizaPage.view()[3] > 0.5, null, { timeout: 10000 });
    await page.click('#stop');
    const count = Math.round((await View())[3] / 0.2);
    return { from, args: ['--ticks', String(count), '--speeds', '5,-3,0,20'] };
  }, false]);

for (const [what, act, axes] of steps) {
  const ticks = await act();
  await Compare(what, axes, ticks);
}
const readouts = await Promise.all(['Label11', 'Label12', 'Label13', 'Label14'].map(Text));
if (readouts.join('|') !== ' 0.05|-0.03|0| 0.2') failures.push('read-outs: ' + readouts.join('|'));
const names = [];
for (const id of ['Label11', 'Label12', 'Label13', 'Label14', 'pctr1']) names.push((await Spoken(id)).name);
if (names.slice(0, 4).join('|') !== 'X speed 0.05|Y speed -0.03|Z speed 0|Time speed 0.2' ||
    !names[4].startsWith('Picture of ' + table.list[21] + ', turned '))
  failures.push('names after the ticks: ' + names.join('|'));

// The saved picture is the renderer's BMP of the same state, byte for byte.
async function Download(tab) {
  const [download] = await Promise.all([tab.waitForEvent('download'), tab.click('#Sav_bmp')]);
  return readFileSync(await download.path());
}
if (!(await Download(page)).equals(Rendered(await View(), false, [22])))
  failures.push('the saved BMP differs from orbiza-render\'s');

// The address. A tab's window as its controls show it and its address holds
// it, its canvas and its download, compared between two tabs.
const Shown = (tab) => tab.evaluate(() => [...document.querySelectorAll('#Form1 select, #Form1 input, #Form1 span')]
  .map((e) => e.id + '=' + (e.type === 'checkbox' ? e.checked : e.value ?? e.textContent)).join() + ' ' + OrbizaPage.address());
async function Same(what, a, b) {
  for (const look of [Shown, Canvas, Download])
    if (JSON.stringify(await look(a)) !== JSON.stringify(await look(b))) failures.push(`${what}: ${look.name} differs in ${b.url()}`);
}
async function Settled(tab) {
  await tab.waitForFunction(() => location.hash === '#' + OrbizaPage.address(), null, { timeout: 5000 })
    .catch(() => failures.push('the address stays behind the state: ' + tab.url()));
  return tab.url();
}
function ViewBmp(text, frames = 1, scale = 1) {
  execFileSync(renderPath, ['--view', text, '--frames', String(frames), '--scale', String(scale), '--output', join(dir, 'view%d.bmp')]);
  return readFileSync(join(dir, `view${frames - 1}.bmp`));
}

// An address in a new tab: --view's picture, and after `both` in each, the
// same tab. Catches a field lost or not put back; "Rossler Chaos" redrawn by
// the axis box turns alike only from the random state its last redraw found.
const rosslerAxes = async () => { await page.click('#List option >> nth=22'); await Click('showaxis'); };
let sessionUrl;
for (const [what, act, both] of [['the session', () => Click('showaxis'), () => {}],
                                 ['"Rossler Chaos", axes, a turn', rosslerAxes, (tab) => tab.click('#xp')]]) {
  await act();
  const url = await Settled(page), tab = await Open(url);
  sessionUrl ??= url;
  if (!(await Download(tab)).equals(ViewBmp(url))) failures.push(`${what}: the BMP differs from --view`);
  await both(page), await both(tab);
  await Same(what, page, tab);
}

if (await page.evaluate(() => history.length) !== page.entries) failures.push('the address adds history entries');

// The session's fragment pasted into the first tab, the timer running: it
// ticks on from there as --view animates it.
const running = sessionUrl.split('#')[1].replace('timer=0', 'timer=1'), start = +running.match(/time=([^;]*)/)[1];
await page.evaluate((fragment) => { location.hash = fragment; }, running);
await page.waitForFunction((start) => OrbizaPage.view()[3] > start + 0.5, start, { timeout: 10000 })
  .catch(() => failures.push('the pasted fragment: no ticks'));
await page.click('#stop');
const ticks = Math.round(((await View())[3] - start) / 0.2);
if (!Buffer.from(await Canvas(page), 'base64').equals(BmpPixels(ViewBmp(running, ticks + 1))))
  failures.push(`the pasted fragment: the canvas after ${ticks} ticks differs from --view`);

// No console line so far; a text that is no view (cut short, another version)
// starts a tab as one without, with one line.
if (consoleLines.length) failures.push('console: ' + consoleLines.join(' | '));
const fresh = await Open(pageUrl);
for (const broken of [sessionUrl.slice(0, -4), sessionUrl.replace('#v1', '#v2')]) {
  consoleLines.length = 0;
  await Same(broken, fresh, await Open(broken));
  if (consoleLines.length !== 1) failures.push(`${broken}: ${consoleLines.length} console lines`);
}

// At ratios 1.5 and 2, and on a phone at the ratio its width gives, the canvas
// holds --scale's picture, shown one to one (a new ratio waits for a clearing
// redraw); the download stays 1x; on the phone the picture comes first and
// every control fits the screen, those to touch at 44 px or more.
const phone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
async function Sharp(tab, what, ratio) {
  const url = await Settled(tab), seen = await tab.evaluate((rows) => ({ ratio: OrbizaPage.ratio(), dpr: devicePixelRatio,
    pixels: document.getElementById('pctr1').width, wide: document.documentElement.scrollWidth,
    rects: rows.map((row) => document.getElementById(row.name).getBoundingClientRect().toJSON()) }), table.controls);
  const r = seen.rects, zoom = what === phone ? r[0].width / table.pictureWidth : 1;
  ratio = what === phone ? zoom * seen.dpr : ratio;
  if (seen.ratio !== ratio || Math.abs(r[0].width - seen.pixels * zoom / ratio) > 1 / 32 || !(await Download(tab)).equals(ViewBmp(url)) ||
      !Buffer.from(await Canvas(tab), 'base64').equals(BmpPixels(ViewBmp(url, 1, ratio))))
    failures.push(`${JSON.stringify(what)}: not --scale ${ratio} one to one with a 1x BMP: ${JSON.stringify(seen).slice(0, 80)}`);
  const wrong = table.controls.filter((row, i) => r[i].left < 0 || r[i].right > 390 || r[i].top < r[0].top ||
    ['button', 'check', 'scroll'].includes(row.kind) && (r[i].width < 44 || r[i].height < 44));
  if (what === phone && (wrong.length || r[0].width !== 390 || seen.wide > 390))
    failures.push(`the phone, ${seen.wide} px wide, the picture ${r[0].width}: off screen, above it or small: ${wrong.map((row) => row.name)}`);
}
for (const what of [{ deviceScaleFactor: 1.5 }, { deviceScaleFactor: 2 }, phone]) {
  const context = await browser.newContext({ ...what, acceptDownloads: true });
  await context.addInitScript(() => { const query = matchMedia; window.matchMedia = (text) => window.query = query(text); });
  const tab = await Open(sessionUrl, context);
  for (const id of ['xp', 'showaxis', 'showaxis']) await tab.click('#' + id);  // the axes redrawn over, as on the 1x picture
  await Sharp(tab, what, what.deviceScaleFactor);
  if (what.deviceScaleFactor !== 1.5) continue;
  // Chromium's emulation changes the ratio without telling the page's query.
  await (await context.newCDPSession(tab)).send('Emulation.setDeviceMetricsOverride', { width: 1280, height: 720, deviceScaleFactor: 2, mobile: false });
  await tab.evaluate(() => window.query.dispatchEvent(new Event('change')));
  await Sharp(tab, what, 1.5);
  await tab.click('#zm');
  await Sharp(tab, what, 2);
}

await browser.close();
for (const failure of failures) console.error('FAIL', failure);
console.log(failures.length ? `${failures.length} failures` : 'all page states match');
process.exit(failures.length ? 1 : 0);
