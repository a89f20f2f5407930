// The page's window, built from the window's table that the module hands
// over, with every event passed to the module and everything it shows read
// back from it. The captions, places and texts live in the module only.
var OrbizaPage = (function () {
  'use strict';

  const Make = (tag, props) => Object.assign(document.createElement(tag), props);

  // The element to place and the one that takes the focus, the id and the name.
  function CreateControl(row, table) {
    switch (row.kind) {
    case 'area': {
      const box = Make('div', {id: row.name + 'box'});
      const canvas = box.appendChild(Make('canvas', {width: table.pictureWidth, height: table.pictureHeight}));
      canvas.setAttribute('role', 'img');
      return [box, canvas];
    }
    case 'button': { const b = Make('button', {type: 'button', textContent: row.caption}); return [b, b]; }
    case 'list': {
      const s = Make('select', {size: 6});
      for (const text of table.list) s.add(new Option(text));
      s.selectedIndex = -1;
      return [s, s];
    }
    case 'check': {
      const label = Make('label', {className: 'check'});
      const box = label.appendChild(Make('input', {type: 'checkbox'}));
      label.append(row.caption);
      return [label, box];
    }
    case 'label': {
      const s = Make('span', {textContent: row.caption});
      s.setAttribute('role', 'note');  // a role that may carry a name of its own
      return [s, s];
    }
    case 'scroll': {
      const r = Make('input', {type: 'range', min: table.speedMinimum, max: table.speedMaximum,
                               step: table.speedStep, value: 0});
      return [r, r];
    }
    }
  }

  // Labels take no focus; the others follow the table's tab indexes. Each
  // control's place goes to the style sheet as --left, --top, --width and
  // --height. Controls that follow each other in the table at the same top
  // make a row: the window's layout places each control on its own, a narrow
  // one stacks the rows under the picture.
  function BuildControls(form, table) {
    const px = (twips) => twips / table.twipsPerPixel + 'px';
    const place = (element, box) => {
      for (const key of ['left', 'top', 'width', 'height']) if (key in box) element.style.setProperty('--' + key, px(box[key]));
    };
    place(form, table);
    const controls = {};
    let line = null, lineTop = null;
    for (const row of table.controls) {
      const [placed, control] = CreateControl(row, table);
      control.id = row.name;
      if (row.kind !== 'label') control.tabIndex = row.tabIndex + 1;  // 0 would put it after all the others
      control.setAttribute('aria-description', row.accessibleDescription);
      place(placed, row);
      if (row.top !== lineTop) [line, lineTop] = [form.appendChild(Make('div', {className: 'row'})), row.top];
      line.appendChild(placed);
      controls[row.name] = control;
    }
    return controls;
  }

  // A dialog with a title, a text and an OK button that closes it, as Escape does.
  function Dialog(id, title, ok) {
    const dialog = document.body.appendChild(Make('dialog', {id: id}));
    dialog.appendChild(Make('h1', {id: id + 'Title', textContent: title}));
    dialog.setAttribute('aria-labelledby', id + 'Title');
    const text = dialog.appendChild(Make('p'));
    const form = dialog.appendChild(Make('form', {method: 'dialog'}));
    form.appendChild(Make('button', {textContent: ok}));
    return (message, modal) => {
      text.textContent = message;
      if (dialog.open) dialog.close();
      modal ? dialog.showModal() : dialog.show();
    };
  }

  // The picture is drawn for the screen it is shown on, at `ratio` device
  // pixels per picture pixel: devicePixelRatio times `zoom`, the CSS pixels
  // per picture pixel (1 in the window's layout, the box's width over the
  // picture's in a narrow one). The canvas holds it and shows it one to one.
  // A new ratio (zoom, another screen, a narrower window) reaches the drawing
  // at the next clearing redraw; until then the canvas is stretched to the box.
  function Picture(M, w, canvas, table) {
    const box = canvas.parentElement, context = canvas.getContext('2d', {alpha: false});
    let zoom = 1, drawnAt = 1, image = null;  // drawnAt: the ratio of the picture the canvas holds
    // Sizes round up to the 1/64 px that layout holds exactly, so the browser
    // neither drops nor doubles a row or column of the canvas.
    function Place() {
      const css = (pixels) => Math.ceil(pixels * zoom / drawnAt * 64 - 1e-6) / 64 + 'px';
      canvas.style.width = css(canvas.width);
      canvas.style.height = css(canvas.height);
    }
    // Where the table places the box (the window's layout) a picture pixel is
    // a CSS pixel, however the browser rounds the box's borders.
    function Fit() {
      const style = getComputedStyle(box), border = (side) => parseFloat(style[`border${side}Width`]);
      const inside = box.getBoundingClientRect().width - border('Left') - border('Right');
      zoom = style.position === 'absolute' ? 1 : inside / table.pictureWidth;
      M._OrbizaSetRatio(w, zoom * window.devicePixelRatio);
      Place();
    }
    // A query for the ratio as it is tells when it is no longer.
    function WatchRatio() {
      matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
        .addEventListener('change', () => { Fit(); WatchRatio(); }, {once: true});
    }
    function Show() {
      const at = M._OrbizaPixels(w), size = [M._OrbizaShown(w, 0), M._OrbizaShown(w, 1)];
      if (!image || image.width !== size[0] || image.height !== size[1]) {
        [canvas.width, canvas.height] = size;
        image = context.createImageData(...size);
      }
      image.data.set(M.HEAPU8.subarray(at, at + image.data.length));
      context.putImageData(image, 0, 0);
      drawnAt = M._OrbizaShown(w, 2);
      Place();
    }
    window.addEventListener('resize', Fit);
    WatchRatio();
    Fit();
    Show();  // at start-up, a blank picture at the ratio
    return Show;
  }

  function open(M) {
    const w = M._OrbizaOpen();
    const table = JSON.parse(M.UTF8ToString(M._OrbizaWindowJson(w)));
    const texts = table.texts;
    document.title = table.caption;
    const form = document.getElementById('Form1');
    const c = BuildControls(form, table);
    const showMessage = Dialog('message', texts.messageTitle, texts.ok);
    const showAbout = Dialog('about', texts.aboutTitle, texts.ok);
    const picture = table.controls.find((row) => row.kind === 'area').name;

    const ShowPicture = Picture(M, w, c[picture], table);

    const call = (name, text) => M.ccall(name, 'number', ['number', 'string'], [w, text]);
    const text = (name, control) => M.UTF8ToString(call(name, control));
    // The read-outs follow their bars; the picture's name says what it shows.
    function Refresh() {
      for (const row of table.controls) {
        const control = c[row.name];
        if (row.kind === 'label') {
          const caption = text('OrbizaCaption', row.name);
          if (control.textContent !== caption) control.textContent = caption;
        }
        const name = text('OrbizaAccessibleName', row.name);
        if (control.getAttribute('aria-label') !== name) control.setAttribute('aria-label', name);
      }
    }

    // One pending tick at most: the next is set before the redraw, so a slow
    // redraw delays it instead of queueing more.
    let timer = null;
    function Tick() {
      timer = setTimeout(Tick, table.interval);
      Event(table.timer, 0);
    }
    function FollowTimer() {
      if (!M._OrbizaTimerRunning(w)) {
        clearTimeout(timer);
        timer = null;
      } else if (timer === null) {
        timer = setTimeout(Tick, table.interval);
      }
    }

    function Save() {
      const at = M._OrbizaBmp(w), bytes = M.HEAPU8.slice(at, at + M._OrbizaBmpSize(w));
      const link = Make('a', {href: URL.createObjectURL(new Blob([bytes], {type: 'image/bmp'})),
                              download: texts.pictureFile});
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    }

    // The address after '#' follows the window's state. Browsers drop or
    // refuse history changes that come too often (Safari takes 100 in 30 s),
    // so while the state changes faster, the latest is written every
    // addressInterval milliseconds; replacing it adds no history entry.
    const addressInterval = 500, address = () => M.UTF8ToString(M._OrbizaAddress(w));
    let addressDue = null, addressWritten = -Infinity;
    function WriteAddress() {
      addressDue = null;
      addressWritten = performance.now();
      const fragment = '#' + address();
      if (location.hash !== fragment) history.replaceState(history.state, '', fragment);
    }
    function KeepAddress() {
      const wait = addressWritten + addressInterval - performance.now();
      if (addressDue === null) addressDue = setTimeout(WriteAddress, Math.max(0, wait));
    }

    // After a run-time error the lines drawn so far stay and one message says
    // what went wrong; the timer goes on.
    function Show(answer) {
      if (answer & 1) ShowPicture();
      Refresh();
      FollowTimer();
      KeepAddress();
      if (answer & 2) showMessage(M.UTF8ToString(M._OrbizaError(w)), false);
      if (answer & 4) showAbout(texts.about, true);
      if (answer & 8) Save();
    }
    const Event = (name, value) =>
      Show(M.ccall('OrbizaEvent', 'number', ['number', 'string', 'number'], [w, name, value]));

    // A state from an address: the controls stand where it says and the
    // picture is its redraw. A text that is no such state changes nothing
    // and is reported on the console, in one line.
    const set = {
      list: (control, value) => { control.selectedIndex = value; },
      check: (control, value) => { control.checked = value !== 0; },
      scroll: (control, value) => { control.value = value; },
    };
    function Restore(fragment, otherwise) {
      const answer = call('OrbizaRestore', fragment);
      const why = () => M.UTF8ToString(M._OrbizaRefusal(w));
      if (answer & 16) return console.warn(`Orbiza: the address after # is no view (${why()}); ${otherwise}`);
      for (const row of table.controls)
        if (set[row.kind]) set[row.kind](c[row.name], call('OrbizaValue', row.name));
      Show(answer);
    }

    const listen = {
      button: (control, name) => control.addEventListener('click', () => Event(name, 0)),
      list: (control, name) => control.addEventListener('change', () => Event(name, control.selectedIndex)),
      check: (control, name) => control.addEventListener('change', () => Event(name, control.checked ? 1 : 0)),
      scroll: (control, name) => control.addEventListener('input', () => Event(name, +control.value)),
    };
    for (const row of table.controls)
      if (listen[row.kind]) listen[row.kind](c[row.name], row.name);
    Refresh();
    // A fragment typed or pasted into the address bar is a state to show too.
    const fragment = () => location.hash.slice(1);
    if (fragment()) Restore(fragment(), 'the page starts as usual');
    window.addEventListener('hashchange', () => { if (fragment()) Restore(fragment(), 'the window stays as it was'); });

    // For scripts that drive the page: the view and its address as the core holds them.
    OrbizaPage.view = () => [0, 1, 2, 3].map((k) => M._OrbizaView(w, k));
    OrbizaPage.ratio = () => M._OrbizaShown(w, 2);  // the shown picture's
    OrbizaPage.address = address;
    OrbizaPage.ready = true;
  }

  return {open: open, ready: false};
})();
