// The npm package installed into a fresh folder and served with the strict policy: <orbiza-view> in Chromium against
// orbiza-render. Usage: node element_test.mjs TARBALL ORBIZA_RENDER; exits 77 when it cannot run.
import { execFileSync } from 'node:child_process';
import { copyFileSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { basename, dirname, join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { BmpPixels, Bytes, Canvas, Finish, Launch, OpenTab, Renderer, SameCanvas, Serve, Settle, Spoken, dir, failures } from './web_common.mjs';

const [tarball, renderPath] = process.argv.slice(2), browser = await Launch(tarball, renderPath);
const { Render, View: ViewBmp } = Renderer(renderPath), Check = (ok, what) => ok || failures.push(what);

// Installed from the tarball, with nothing else; module and WebAssembly within the budget.
copyFileSync(tarball, join(dir, basename(tarball)));
writeFileSync(join(dir, 'package.json'), '{"private": true}');
execFileSync('npm', ['install', '--offline', '--no-audit', '--no-fund', '--loglevel=error', './' + basename(tarball)], { cwd: dir });
const installed = join(dir, 'node_modules', 'orbiza-view'), size = (name) => gzipSync(readFileSync(join(installed, name)), { level: 9 }).length;
Check(readdirSync(join(dir, 'node_modules')).filter((name) => name[0] !== '.').join() === 'orbiza-view', 'the package brings dependencies');
Check(readdirSync(installed).sort().join() === 'LICENSE,README.md,orbiza-view.d.ts,orbiza.js,orbiza.wasm,package.json', 'package files');
Check(size('orbiza.js') + size('orbiza.wasm') <= 200 * 1024, `module and WebAssembly: ${size('orbiza.js') + size('orbiza.wasm')} bytes gzipped`);
for (const file of ['gallery.html', 'gallery.js', 'gallery.css']) copyFileSync(join(dirname(tarball), file), join(installed, file));

// Test pages: elements only, styled by a sheet of their own.
writeFileSync(join(dir, 'test.css'), 'body { margin: 0; } .narrow { width: 300px; } .tiny { width: 100px; } .low { margin-top: 150vh; }');
const Page = (name, views) => writeFileSync(join(dir, name + '.html'), '<!DOCTYPE html><link rel="stylesheet" href="test.css">' +
  '<script type="module" src="node_modules/orbiza-view/orbiza.js"></script>' +
  views.map(([id, attributes]) => `<orbiza-view id="${id}" ${attributes}></orbiza-view>`).join(''));
const sphere = 'v1;row=4;angles=0.4,0.6,0.2;time=0;speeds=0,0,0,0;axes=0;timer=0;random=0123456789abcdef';
const views = [  // id, attributes, the renderer's options for the view they make, width
  ['a', `view="${sphere}" alt="A sphere to turn"`, ['--view', sphere], 565],
  ['b', 'structure="rossler chaos" angles="0.5,0.6,0.15" seed="7"', ['--angles', '0.5,0.6,0.15', '--seed', 7, 'Rossler Chaos'], 565],
  ['c', 'structure="22" angles="1,0.3,0" time="0.8" speeds="0,4,0,3" axes', ['--angles', '1,0.3,0', '--time', 0.8, '--axes', '22'], 565],
  ['d', 'class="narrow" structure="Web" angles="0.3,0.2,0.1"', ['--angles', '0.3,0.2,0.1', 'Web'], 300],
  ['e', 'class="tiny" structure="Cube" angles="0.3,0.2,0.1"', ['--angles', '0.3,0.2,0.1', 'Cube'], 100]];
Page('views', views);
Page('keys', [['k', `view="${sphere}"`], ['w', `controls view="${sphere}"`]]);
Page('fold', [['low', 'class="low" structure="Sphere"'], ['turning', 'class="low" structure="Torus" speeds="3,0,0,0" animate']]);
Page('motion', [['m', 'structure="Torus" speeds="3,0,0,0" animate']]);
Page('long', [['r', 'structure="Rossler Chaos" speeds="0,4,0,0" animate'], ['s', 'structure="22" speeds="2,0,0,5" animate'],
  ['t', 'structure="Nodes" speeds="0,0,3,0" animate']]);
Page('warned', [['v', `view="${sphere}" structure="Cube"`], ['x', 'view="v1;row=99"'], ['y', 'structure="Cubes"']]);

const served = await Serve(dir), consoleLines = [];
// A page in a new tab of `context`, once the element is defined; console lines and policy violations kept.
async function Open(name, context = browser) {
  const tab = await OpenTab(context, served.url + name + (name.endsWith('.html') ? '' : '.html'), consoleLines, name + ': ');
  await tab.waitForFunction(() => customElements.get('orbiza-view'));
  return tab;
}
const Text = (tab, id) => tab.$eval('#' + id, (view) => view.view);

// At ratios 1 and 2, each view's canvas is --scale's picture at its width's ratio (never under 0.25, clipped),
// its BMP the renderer's 1x picture, its PNG the same pixels.
for (const ratio of [1, 2]) {
  const tab = await Open('views', await browser.newContext({ deviceScaleFactor: ratio }));
  for (const [id, , args, width] of views) {
    await Settle(tab, '#' + id);
    const text = await Text(tab, id), scale = Math.max(0.25, width / 565 * ratio), picture = Render(args);
    Check(ViewBmp(text).equals(picture), `${id}: reads ${text}`);
    await SameCanvas(`${id} at ${ratio}, scale ${scale}`, tab, Render([...args, '--scale', scale]), '#' + id);
    const [box, shown, beyond] = await tab.$eval('#' + id, (view) => {
      const box = view.getBoundingClientRect(), canvas = view.shadowRoot.querySelector('canvas');
      return [box.width, canvas.getBoundingClientRect().width * devicePixelRatio / canvas.width, document.elementFromPoint(box.right + 2, box.top + 2) === view];
    });
    Check(box === width && Math.abs(shown - 1) < 0.001 && !beyond, `${id}: ${box} px wide, shown at ${shown}, ${beyond ? '' : 'not '}beyond it`);
    if (ratio === 2 && id !== 'e') {
      const bmp = await Bytes(tab, (id) => document.getElementById(id).toBlob('image/bmp'), id);
      const png = await Bytes(tab, async (id) => {
        const png = await createImageBitmap(await document.getElementById(id).toBlob());
        const context = new OffscreenCanvas(png.width, png.height).getContext('2d');
        context.drawImage(png, 0, 0);
        return new Blob([context.getImageData(0, 0, png.width, png.height).data]);
      }, id);
      Check(bmp.equals(picture), `${id}: toBlob('image/bmp') differs from the renderer's BMP`);
      Check(png.equals(Buffer.from(BmpPixels(picture))), `${id}: toBlob() differs from the renderer's picture`);
    }
  }
  // Writing `view` redraws and tells so.
  const torus = 'v1;row=5;angles=0.1,0.2,0.3;time=0;speeds=0,0,0,0;axes=1;timer=0;random=0123456789abcdef';
  const told = await tab.$eval('#a', (view, text) => new Promise((resolve) => {
    view.addEventListener('orbiza-viewchange', (event) => resolve(event.detail), { once: true });
    view.view = text;
    setTimeout(resolve, 20000, 'nothing');
  }), torus);
  Check(told === torus, `a: told ${told}`);
  await SameCanvas(`a, written, at ${ratio}`, tab, ViewBmp(torus, 1, ratio), '#a');
  await tab.context().close();
}

// The keys of a view turn as the window's buttons do; Space starts and stops the timer.
const keys = await Open('keys');
for (const [key, button] of [['ArrowUp', 'xp'], ['ArrowDown', 'xm'], ['ArrowLeft', 'yp'], ['ArrowRight', 'ym'], ['PageUp', 'zp'],
  ['PageDown', 'zm'], ['ArrowUp', 'xp'], ['ArrowLeft', 'yp'], ['PageDown', 'zm']]) {
  await keys.press('#k', key);
  await keys.click('#w #' + button);
  await Settle(keys, '#k'), await Settle(keys, '#w');
  Check(await Text(keys, 'k') === await Text(keys, 'w'), `${key}: ${await Text(keys, 'k')}, ${button}: ${await Text(keys, 'w')}`);
}
await SameCanvas('k after the keys', keys, ViewBmp(await Text(keys, 'k')), '#k');
for (const timer of ['timer=1', 'timer=0']) {
  await keys.press('#k', ' ');
  await Settle(keys, '#k');
  Check((await Text(keys, 'k')).includes(timer), `Space: ${await Text(keys, 'k')}`);
}
const ring = await keys.$eval('#k', (view) => [getComputedStyle(view).outlineStyle, document.activeElement === view]);
Check(ring.join() === 'solid,true', `k: focus ring ${ring}`);

// The picture's name: `alt`, or what it shows.
const named = await Open('views');
await Settle(named, '#b');
for (const [id, name] of [['a', 'A sphere to turn'], ['b', 'Picture of Rossler Chaos, turned 0.5, 0.6 and 0.15 radians about X, Y and Z, at time 0']]) {
  const spoken = await Spoken(named, `document.getElementById('${id}')`);
  Check(spoken.role === 'image' && spoken.name === name, `${id}: read as ${JSON.stringify(spoken)}`);
}

// Below the fold a view draws nothing and does not tick, until scrolled to; reduced motion keeps `animate` still
// until the reader starts it.
const Blank = async (tab, view) => (await Canvas(tab, view)).every((v) => v === 0);
const fold = await Open('fold'), before = await fold.waitForFunction(() => document.getElementById('turning').view).then(() => Text(fold, 'turning'));
await fold.waitForTimeout(600);
Check(await Blank(fold, '#low') && await Blank(fold, '#turning') && await Text(fold, 'turning') === before, 'below the fold: drawn or ticking');
const unseen = (await Spoken(fold, "document.getElementById('low')")).name;
Check(unseen === 'Picture of Sphere, turned 0, 0 and 0 radians about X, Y and Z, at time 0', `below the fold, read as ${unseen}`);
await fold.$eval('#low', (view) => view.scrollIntoView());
await fold.waitForFunction(() => document.getElementById('turning').view.includes('timer=1'));
await SameCanvas('low, scrolled to', fold, ViewBmp('v1;row=4;angles=0,0,0;time=0;speeds=0,0,0,0;axes=0;timer=0;random=0123456789abcdef'), '#low');
const still = await Open('motion', await browser.newContext({ reducedMotion: 'reduce' }));
await Settle(still, '#m');
await still.waitForTimeout(300);
Check((await Text(still, 'm')).includes('angles=0,0,0;time=0;speeds=3,0,0,0;axes=0;timer=0'), `reduced motion: ${await Text(still, 'm')}`);
await still.press('#m', ' ');
await still.waitForFunction(() => !document.getElementById('m').view.includes('angles=0,'), null, { timeout: 20000 })
  .catch(() => failures.push('reduced motion: Space does not start it'));

// Three animated views, "Rossler Chaos" among them: no task of the page's thread over 16 ms.
const long = await Open('long');
await Settle(long, '#r');
await browser.startTracing(long, { categories: ['toplevel'] });
await long.waitForTimeout(3000);
const trace = JSON.parse(await browser.stopTracing()), events = trace.traceEvents ?? trace;
const main = new Set(events.filter((e) => e.name === 'thread_name' && e.args.name === 'CrRendererMain').map((e) => `${e.pid}:${e.tid}`));
const tasks = events.filter((e) => /RunTask$/.test(e.name) && main.has(`${e.pid}:${e.tid}`) && e.dur !== undefined)
  .map((e) => (e.tdur ?? e.dur) / 1000);
Check(tasks.length > 100 && Math.max(...tasks) <= 16, `${tasks.length} tasks on the page's thread, the longest ${Math.max(...tasks)} ms`);
console.log(`the page's thread with three views turning: ${tasks.length} tasks, the longest ${Math.max(...tasks).toFixed(2)} ms`);

// The gallery: every structure under its list text, each drawn once in sight, all turning.
const listed = execFileSync(renderPath, ['--list']).toString().trim().split('\n').map((line) => line.replace(/^ *\d+ {2}/, ''));
const gallery = await Open('node_modules/orbiza-view/gallery.html');
await gallery.waitForFunction(() => document.querySelectorAll('orbiza-view').length === 23);
Check((await gallery.$$eval('figcaption', (all) => all.map((e) => e.textContent))).join('|') === listed.join('|'), 'gallery: captions');
for (const [row, view] of (await gallery.$$('orbiza-view')).entries()) {
  await view.scrollIntoViewIfNeeded();
  await gallery.waitForFunction((view) => view.view.includes('timer=1'), view);
  await view.evaluate((view) => view.toBlob());
  Check(!(await Blank(gallery, `figure:nth-child(${row + 1}) orbiza-view`)), `gallery: ${listed[row]} not drawn`);
}

// No console line but the two warnings of a view both whole and in parts and of views refused.
await Open('warned').then((tab) => Settle(tab, '#y'));
const expected = ['warned: warning: orbiza-view: the view attribute is given, so structure, angles, time, speeds, axes and seed are not read',
  'warned: warning: orbiza-view: "v1;row=99" is no view (row: "99" is outside 0..23); it shows what it showed',
  'warned: warning: orbiza-view: its attributes make no view (structure: "Cubes" is neither a list text nor a row 1..23); it shows what it showed'];
Check(consoleLines.join('\n') === expected.join('\n'), 'console:\n' + consoleLines.join('\n'));

await browser.close();
served.close();
Finish('the element draws as the renderer does');
