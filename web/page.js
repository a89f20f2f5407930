// The page's window: the desktop window's controls at the same places, wired
// to the drawing core through the functions of orbiza_web.cpp.
var OrbizaPage = (function () {
  'use strict';
  const TwipsPerPixel = 15, Width = 565, Height = 517;

  // name, kind, caption, left, top, width, height (twips), tab index
  const ControlTable = [
    ['pctr1', 'area', '', 120, 600, 8535, 7815, 0],
    ['Command1', 'button', 'About Orbiza', 11400, 0, 735, 615, 30],
    ['Sav_bmp', 'button', 'Save as .bmp file...', 9360, 600, 1935, 375, 28],
    ['List', 'list', '', 9630, 1260, 1815, 1230, 21],
    ['showaxis', 'check', 'Show 3D axis', 9630, 2610, 1770, 285, 29],
    ['Label1', 'label', 'Rotation about axis:-', 8880, 3240, 1575, 255, 7],
    ['Label3', 'label', 'X:', 9960, 3720, 255, 255, 9],
    ['xp', 'button', '+', 10320, 3720, 375, 375, 3],
    ['xm', 'button', '---', 10800, 3720, 375, 375, 4],
    ['Label2', 'label', 'Y:', 9960, 4200, 255, 255, 8],
    ['yp', 'button', '+', 10320, 4200, 375, 375, 1],
    ['ym', 'button', '---', 10800, 4200, 375, 375, 2],
    ['Label4', 'label', 'Z:', 9960, 4680, 255, 255, 10],
    ['zp', 'button', '+', 10320, 4680, 375, 375, 5],
    ['zm', 'button', '---', 10800, 4680, 375, 375, 6],
    ['Label5', 'label', 'Auto motion:', 9120, 5280, 1095, 255, 11],
    ['start', 'button', 'Start', 9840, 5640, 735, 375, 12],
    ['stop', 'button', 'Stop', 10680, 5640, 735, 375, 13],
    ['Label6', 'label', 'Speed:', 9360, 6120, 735, 255, 17],
    ['Label7', 'label', 'X:', 9720, 6480, 255, 255, 18],
    ['HScroll1', 'scroll', '', 10080, 6480, 1095, 255, 14],
    ['Label11', 'label', '0', 11280, 6480, 495, 255, 24],
    ['Label8', 'label', 'Y:', 9720, 6960, 255, 255, 19],
    ['HScroll2', 'scroll', '', 10080, 6960, 1095, 255, 15],
    ['Label12', 'label', '0', 11280, 6960, 495, 255, 25],
    ['Label9', 'label', 'Z:', 9720, 7440, 255, 255, 20],
    ['HScroll3', 'scroll', '', 10080, 7440, 1095, 255, 16],
    ['Label13', 'label', '0', 11280, 7440, 495, 255, 26],
    ['Label10', 'label', 'Time :', 9360, 8040, 495, 255, 23],
    ['HScroll4', 'scroll', '', 10080, 8040, 1095, 255, 22],
    ['Label14', 'label', '0', 11280, 8040, 495, 255, 27],
  ];

  const AboutText = 'Orbiza - Developed by the Orbiza developers\r\n' +
      'Contact me at orbiza@example.org or developers@example.org; the source code is yours on request.';

  // Returns the element to place and the one that takes the focus and the id.
  function CreateControl(kind, caption) {
    const make = (tag, props) => Object.assign(document.createElement(tag), props);
    switch (kind) {
    case 'area': {
      const box = make('div', {id: 'pctr1box'});
      const canvas = box.appendChild(make('canvas', {width: Width, height: Height}));
      return [box, canvas];
    }
    case 'button': { const b = make('button', {type: 'button', textContent: caption}); return [b, b]; }
    case 'list': { const s = make('select', {size: 6}); return [s, s]; }
    case 'check': {
      const label = make('label', {className: 'check'});
      const box = label.appendChild(make('input', {type: 'checkbox'}));
      label.append(caption);
      return [label, box];
    }
    case 'label': { const s = make('span', {textContent: caption}); return [s, s]; }
    case 'scroll': {
      const r = make('input', {type: 'range', min: -50, max: 50, step: 1, value: 0});
      return [r, r];
    }
    }
  }

  function BuildControls(form) {
    const controls = {};
    // Labels take no focus; the others follow the table's tab indexes.
    for (const [name, kind, caption, left, top, width, height, tabIndex] of ControlTable) {
      const [placed, control] = CreateControl(kind, caption);
      control.id = name;
      if (kind !== 'label') control.tabIndex = tabIndex + 1;  // 0 would put it after all the others
      Object.assign(placed.style, {left: left / TwipsPerPixel + 'px', top: top / TwipsPerPixel + 'px',
                                   width: width / TwipsPerPixel + 'px', height: height / TwipsPerPixel + 'px'});
      form.appendChild(placed);
      controls[name] = control;
    }
    return controls;
  }

  function Box(form, id, title) {
    const box = Object.assign(document.createElement('div'), {id: id, hidden: true});
    if (title) box.appendChild(Object.assign(document.createElement('h1'), {textContent: title}));
    const text = box.appendChild(document.createElement('p'));
    const ok = box.appendChild(Object.assign(document.createElement('button'), {type: 'button', textContent: 'OK'}));
    ok.onclick = () => { box.hidden = true; };
    form.appendChild(box);
    return (message) => { text.textContent = message; box.hidden = false; ok.focus(); };
  }

  // The text form of a speed: a blank before zero or a positive number.
  function SpeedText(value) {
    const speed = value / 100;
    return (speed < 0 ? '' : ' ') + String(speed);
  }

  // Whole device pixels per surface pixel, so a HiDPI screen shows it crisply.
  function FitCanvas(canvas) {
    const ratio = window.devicePixelRatio || 1, scale = Math.max(1, Math.floor(ratio));
    canvas.style.width = Width * scale / ratio + 'px';
    canvas.style.height = Height * scale / ratio + 'px';
  }

  function open(M) {
    const form = document.getElementById('Form1');
    const c = BuildControls(form);
    const showMessage = Box(form, 'message', ''), showAbout = Box(form, 'about', 'About Orbiza');
    const w = M._OrbizaOpen();
    for (let row = 0; row < M._OrbizaListCount(); ++row)
      c.List.add(new Option(M.UTF8ToString(M._OrbizaListText(row))));
    c.List.selectedIndex = -1;

    const context = c.pctr1.getContext('2d', {alpha: false});
    context.imageSmoothingEnabled = false;
    const image = context.createImageData(Width, Height);
    FitCanvas(c.pctr1);
    window.addEventListener('resize', () => FitCanvas(c.pctr1));

    // Shows the surface; after a run-time error the lines drawn so far stay
    // and one message says what went wrong.
    function Show(ok) {
      const at = M._OrbizaPixels(w);
      image.data.set(M.HEAPU8.subarray(at, at + Width * Height * 4));
      context.putImageData(image, 0, 0);
      if (!ok) showMessage('Run-time error: ' + M.UTF8ToString(M._OrbizaError(w)));
    }

    const bars = [c.HScroll1, c.HScroll2, c.HScroll3, c.HScroll4];
    const readouts = [c.Label11, c.Label12, c.Label13, c.Label14];
    bars.forEach((bar, k) => bar.addEventListener('input', () => { readouts[k].textContent = SpeedText(+bar.value); }));

    c.List.addEventListener('change', () => Show(M._OrbizaSelect(w, c.List.selectedIndex)));
    [['xp', 0, 1], ['xm', 0, -1], ['yp', 1, 1], ['ym', 1, -1], ['zp', 2, 1], ['zm', 2, -1]].forEach(
        ([name, axis, direction]) => c[name].addEventListener('click', () => Show(M._OrbizaAngleButton(w, axis, direction))));
    c.showaxis.addEventListener('change', () => Show(M._OrbizaShowAxis(w, c.showaxis.checked ? 1 : 0)));

    // One pending tick at most: the next is set before the redraw, so a slow
    // redraw delays it instead of queueing more.
    let timer = null;
    function Tick() {
      timer = setTimeout(Tick, 100);
      Show(M._OrbizaTick(w, +bars[0].value, +bars[1].value, +bars[2].value, +bars[3].value));
    }
    c.start.addEventListener('click', () => { if (timer === null) timer = setTimeout(Tick, 100); });
    c.stop.addEventListener('click', () => { clearTimeout(timer); timer = null; });

    c.Sav_bmp.addEventListener('click', () => {
      const at = M._OrbizaBmp(w), bytes = M.HEAPU8.slice(at, at + M._OrbizaBmpSize(w));
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], {type: 'image/bmp'}));
      link.download = 'orbiza.bmp';
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    });
    c.Command1.addEventListener('click', () => showAbout(AboutText));

    // For scripts that drive the page: the view as the core holds it.
    OrbizaPage.view = () => [0, 1, 2, 3].map((k) => M._OrbizaView(w, k));
    OrbizaPage.ready = true;
  }

  return {open: open, ready: false};
})();
