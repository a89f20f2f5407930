// Drives the one-file page, opened from disk, in a headless Chromium and compares its canvas and saved BMP with
// orbiza-render's picture. Usage: node page_test.mjs PAGE ORBIZA_RENDER; exits 77 when it cannot run.
import { readFileSync } from 'node:fs';
import { dirname } from 'node:path';
import { pathToFileURL } from 'node:url';
import { Canvas, Finish, Launch, OpenTab, Renderer, SameCanvas, Serve, Settle, Spoken, failures } from './web_common.mjs';

const [pagePath, renderPath] = process.argv.slice(2), browser = await Launch(pagePath, renderPath);
const { Render, View: ViewBmp } = Renderer(renderPath), pageUrl = pathToFileURL(pagePath).href, consoleLines = [];
const Control = (id) => `document.querySelector('orbiza-view').shadowRoot.getElementById('${id}')`;
// A new tab at `url` once its window is built and drawn.
async function Open(url, context = browser) {
  const tab = await OpenTab(context, url, consoleLines);
  await tab.waitForFunction(() => document.querySelector('orbiza-view')?.shadowRoot.getElementById('List'));
  await Settle(tab);
  return tab;
}
const page = await Open(pageUrl), entries = await page.evaluate(() => history.length);

// The window's table as the core holds it, from the element's module served beside the page.
const served = await Serve(dirname(pagePath)), reader = await browser.newPage();
await reader.goto(served.url);
const table = await reader.evaluate(async (module) => (await import(module)).windowTable(), served.url + 'orbiza.js');
await reader.close(), served.close();

// Every table row is an element with its id, caption, place, role, name and description (read-outs say their number).
const Roles = { area: 'image', button: 'button', list: 'listbox', check: 'checkbox', label: 'note', scroll: 'slider' };
for (const row of table.controls) {
  const seen = await page.evaluate(([row, control]) => {
    if (!control) return null;
    const placed = row.kind === 'area' || row.kind === 'check' ? control.parentElement : control;
    const form = control.getRootNode().getElementById('Form1').getBoundingClientRect(), box = placed.getBoundingClientRect();
    const caption = ['area', 'list', 'scroll'].includes(row.kind) ? '' : placed.textContent;
    return { caption, place: [box.left - form.left, box.top - form.top, box.width, box.height].join() };
  }, [row, await page.evaluateHandle(Control(row.name))]);
  if (!seen) { failures.push(`${row.name}: no element with this id`); continue; }
  const place = [row.left, row.top, row.width, row.height].map((twips) => twips / table.twipsPerPixel).join();
  const spoken = await Spoken(page, Control(row.name)), name = row.kind === 'area' ? 'Picture, empty' : row.accessibleName + (row.caption === '0' ? ' 0' : '');
  if (seen.caption !== row.caption || seen.place !== place || spoken.role !== Roles[row.kind] || spoken.name !== name ||
      spoken.description !== row.accessibleDescription)
    failures.push(`${row.name}: "${seen.caption}" at ${seen.place} (table ${place}), read as ${JSON.stringify(spoken)}`);
}
if (await page.title() !== table.caption) failures.push('page title: ' + await page.title());

// Tab visits the controls by the table's tab indexes, the labels passed over.
const byTab = table.controls.filter((row) => row.kind !== 'label').sort((a, b) => a.tabIndex - b.tabIndex);
const focused = () => page.evaluate(() => document.activeElement.shadowRoot.activeElement.id);
const visited = [await page.focus('#' + byTab[0].name).then(focused)];
while (visited.length < byTab.length) visited.push(await page.keyboard.press('Tab').then(focused));
if (visited.join() !== byTab.map((row) => row.name).join()) failures.push('tab order: ' + visited.join());

// About is a modal dialog named by its title, closed by Escape and by its button.
for (const close of [() => page.keyboard.press('Escape'), () => page.click('#about button')]) {
  await page.click('#Command1');
  await Settle(page);
  const about = await page.$eval('#about', (d) => ({ modal: d.matches(':modal'), text: d.querySelector('p').textContent })),
    spoken = await Spoken(page, Control('about'));
  if (!about.modal || about.text !== table.texts.about || spoken.role !== 'dialog' || spoken.name !== table.texts.aboutTitle)
    failures.push(`About: ${JSON.stringify(about)}, read as ${spoken.role} "${spoken.name}"`);
  await close();
  if (await page.$eval('#about', (d) => d.open)) failures.push('About stays open');
}

// The view as its text holds it: the angles and the time, as exact decimals.
const View = (tab = page) => tab.evaluate(() => document.querySelector('orbiza-view').view)
  .then((text) => [...text.match(/angles=([^;]*)/)[1].split(','), text.match(/time=([^;]*)/)[1]]);
const draws = [];  // each redraw, as the list row it drew
const Click = async (id) => { await page.click('#' + id); draws.push(await page.$eval('#List', (l) => l.selectedIndex + 1)); };
const Pick = async (row) => { await page.click(`#List option >> nth=${row - 1}`); draws.push(row); };

// Each step acts on the page, then the canvas must be the renderer's picture (`axes`: the axes are in it).
const steps = [
  ['a view before any selection: angle buttons', async () => { for (const id of ['xp', 'xp', 'ym', 'zp']) await Click(id); draws.length = 0; }],
  ['"Cube" clicked in the list', () => Pick(1)],
  ...Array.from({ length: 22 }, (_, i) => [`row ${i + 2} by the down arrow`, () => page.keyboard.press('ArrowDown').then(() => { draws.push(i + 2); })]),
  ['"Sphere" again, the axis box ticked and unticked', async () => { await Pick(4); await Click('showaxis'); await Click('showaxis'); }, true],
  ['an angle button after the axis box', () => Click('zm')],
  ['timer ticks at speeds 5, -3, 0 and time 20', async () => {
    await Pick(22);
    for (const [id, key, presses] of [['HScroll1', 'ArrowRight', 5], ['HScroll2', 'ArrowLeft', 3], ['HScroll4', 'ArrowRight', 20]])
      for (let i = 0; i < presses; ++i) await page.press('#' + id, key);
    await Settle(page);
    const from = await View();
    await page.click('#start');
    await page.waitForFunction(() => +document.querySelector('orbiza-view').view.match(/time=([^;]*)/)[1] > 0.5, null, { timeout: 10000 });
    await page.click('#stop');
    await Settle(page);
    return { from, args: ['--ticks', Math.round((await View())[3] / 0.2), '--speeds', '5,-3,0,20'] };
  }]];
for (const [what, act, axes] of steps) {
  const { from = await Settle(page).then(() => View()), args = ['--ticks', 0] } = (await act()) ?? {};
  const angles = ['--angles', from.slice(0, 3).join(), '--time', from[3], ...args, ...(axes ? ['--axes'] : [])];
  await SameCanvas(what, page, Render([...angles, '--', ...draws]));
}
// Read-outs show and say their speeds; the picture says what it shows.
for (const [id, text, name] of [['Label11', ' 0.05', 'X speed 0.05'], ['Label12', '-0.03', 'Y speed -0.03'],
  ['Label13', '0', 'Z speed 0'], ['Label14', ' 0.2', 'Time speed 0.2']]) {
  const seen = [await page.$eval('#' + id, (e) => e.textContent), (await Spoken(page, Control(id))).name];
  if (seen.join('|') !== text + '|' + name) failures.push(`${id}: ${seen.join('|')}`);
}
if (!(await Spoken(page, Control('pctr1'))).name.startsWith(`Picture of ${table.list[21]}, turned `)) failures.push('picture: misnamed');

// The address: two tabs' controls, address, canvas and saved BMP compared.
const Download = (tab) => Promise.all([tab.waitForEvent('download'), tab.click('#Sav_bmp')]).then(([d]) => d.path()).then(readFileSync);
const Shown = (tab) => tab.evaluate(() => {
  const view = document.querySelector('orbiza-view');
  return [...view.shadowRoot.querySelectorAll('#Form1 select, #Form1 input, #Form1 span')]
    .map((e) => e.id + '=' + (e.type === 'checkbox' ? e.checked : e.value ?? e.textContent)).join() + ' ' + view.view;
});
async function Alike(what, a, b) {
  for (const look of [Shown, Canvas, Download])
    if (!Buffer.from(await look(a)).equals(Buffer.from(await look(b)))) failures.push(`${what}: ${look.name} differs in ${b.url()}`);
}
const Settled = (tab) => tab.waitForFunction(() => location.hash === '#' + document.querySelector('orbiza-view').view, null, { timeout: 5000 })
  .catch(() => failures.push('the address stays behind the state: ' + tab.url())).then(() => tab.url());

// An address in a new tab: --view's BMP, then the same tab after `both` ("Rossler Chaos" needs the random state too).
let sessionUrl;
for (const [what, act, both] of [['the session', () => Click('showaxis'), () => {}],
  ['"Rossler Chaos", axes, a turn', async () => { await Pick(23); await Click('showaxis'); }, (tab) => tab.click('#xp')]]) {
  await act();
  const url = await Settled(page), tab = await Open(url);
  sessionUrl ??= url;
  if (!(await Download(tab)).equals(ViewBmp(url))) failures.push(`${what}: the BMP differs from --view`);
  await both(page), await both(tab);
  await Settle(page), await Settle(tab);
  await Alike(what, page, tab);
}
if (await page.evaluate(() => history.length) !== entries) failures.push('the address adds history entries');

// The session's fragment pasted with the timer running ticks on as --view animates it.
const running = sessionUrl.split('#')[1].replace('timer=0', 'timer=1'), start = +running.match(/time=([^;]*)/)[1];
await page.evaluate((fragment) => { location.hash = fragment; }, running);
await page.waitForFunction((start) => +document.querySelector('orbiza-view').view.match(/time=([^;]*)/)[1] > start + 0.5, start, { timeout: 10000 })
  .catch(() => failures.push('the pasted fragment: no ticks'));
await page.click('#stop');
const ticks = await Settle(page).then(() => View()).then((view) => Math.round((view[3] - start) / 0.2));
await SameCanvas(`the pasted fragment after ${ticks} ticks`, page, ViewBmp(running, ticks + 1));

// No console line so far; a text that is no view (cut short, another version) opens a fresh tab, with one line.
if (consoleLines.length) failures.push('console: ' + consoleLines.join(' | '));
for (const broken of [sessionUrl.slice(0, -4), sessionUrl.replace('#v1', '#v2')]) {
  consoleLines.length = 0;
  await Alike(broken, await Open(pageUrl), await Open(broken));
  if (consoleLines.length !== 1) failures.push(`${broken}: ${consoleLines.length} console lines`);
}

// At ratios 1.5, 2 and a phone's: --scale's picture one to one, a 1x BMP; on the phone the picture first, controls fit.
const phone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
async function Sharp(tab, what, ratio) {
  const url = await Settled(tab), { dpr, wide, width, r } = await tab.evaluate((ids) => {
    const root = document.querySelector('orbiza-view').shadowRoot;
    return { dpr: devicePixelRatio, wide: document.documentElement.scrollWidth, width: root.querySelector('canvas').width,
      r: ids.map((id) => root.getElementById(id).getBoundingClientRect().toJSON()) };
  }, table.controls.map((row) => row.name));
  const zoom = what === phone ? r[0].width / table.pictureWidth : 1;
  ratio = what === phone ? zoom * dpr : ratio;
  if (width !== Math.round(table.pictureWidth * ratio) || Math.abs(r[0].width - width * zoom / ratio) > 1 / 32 ||
      !(await Download(tab)).equals(ViewBmp(url)))
    failures.push(`${JSON.stringify(what)}: not ${ratio} one to one with a 1x BMP: ${width} pixels shown ${r[0].width} wide`);
  await SameCanvas(`${JSON.stringify(what)} at ${ratio}`, tab, ViewBmp(url, 1, ratio));
  const wrong = table.controls.filter((row, i) => r[i].left < 0 || r[i].right > 390 || r[i].top < r[0].top ||
    ['button', 'check', 'scroll'].includes(row.kind) && (r[i].width < 44 || r[i].height < 44));
  if (what === phone && (wrong.length || r[0].width !== 390 || wide > 390))
    failures.push(`the phone, ${wide} px wide, the picture ${r[0].width}: off screen, above it or small: ${wrong.map((row) => row.name)}`);
}
for (const what of [{ deviceScaleFactor: 1.5 }, { deviceScaleFactor: 2 }, phone]) {
  const context = await browser.newContext({ ...what, acceptDownloads: true });
  await context.addInitScript(() => { const query = matchMedia; window.matchMedia = (text) => window.query = query(text); });
  const tab = await Open(sessionUrl, context);
  for (const id of ['xp', 'showaxis', 'showaxis']) await tab.click('#' + id);  // the axes redrawn over, as on the 1x picture
  await Settle(tab);
  await Sharp(tab, what, what.deviceScaleFactor);
  if (what !== phone && what.deviceScaleFactor === 1.5) {  // emulation changes the ratio without telling the query
    await (await context.newCDPSession(tab)).send('Emulation.setDeviceMetricsOverride', { width: 1280, height: 720, deviceScaleFactor: 2, mobile: false });
    await tab.evaluate(() => window.query.dispatchEvent(new Event('change')));
    await Settle(tab);
    await Sharp(tab, what, 1.5);
    await tab.click('#zm');
    await Settle(tab);
    await Sharp(tab, what, 2);
  }
}

await browser.close();
Finish('all page states match');
