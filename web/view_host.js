// The views' host: the core, compiled once, and a window in it for every
// view, each drawing onto its own canvas. It runs in the one worker all views
// share, or on the page's thread where there is no worker; views talk to it
// only through messages, so the two are the same to them. `post(message)`
// answers; the function returned takes each message, in the order they come.
const WasmUrl = new URL('orbiza.wasm', import.meta.url);

function StartHost(post) {
  const host = OrbizaCore({locateFile: () => WasmUrl.href}).then((M) => HostOn(M, post));
  return (message) => host.then((receive) => receive(message));
}

function HostOn(M, post) {
  const call = (name, ...args) =>
    M.ccall(name, 'number', args.map((a) => (typeof a === 'string' ? 'string' : 'number')), args);
  const text = (name, ...args) => M.UTF8ToString(call(name, ...args));
  const bytes = (at, size) => M.HEAPU8.slice(at, at + size);
  const table = (() => {
    const w = M._OrbizaOpen(), json = M.UTF8ToString(M._OrbizaWindowJson(w));
    M._OrbizaClose(w);
    return JSON.parse(json);
  })();
  const area = table.controls.find((row) => row.kind === 'area').name;
  const windows = new Map();

  // What a view shows of its window after every change; `restored`: the
  // controls stand where the window says.
  function Answer(win, bits, restored) {
    const name = win.pending ? text('OrbizaViewName', win.w, win.pending) : text('OrbizaAccessibleName', win.w, area);
    const rows = win.controls && table.controls.map((row) => [text('OrbizaCaption', win.w, row.name),
      text('OrbizaAccessibleName', win.w, row.name), call('OrbizaValue', win.w, row.name)]);
    post({op: 'state', id: win.id, bits, restored, rows,
          view: win.pending ?? M.UTF8ToString(M._OrbizaAddress(win.w)),
          name, timer: M._OrbizaTimerRunning(win.w) === 1,
          shown: [0, 1, 2].map((k) => M._OrbizaShown(win.w, k)),
          error: bits & 2 ? M.UTF8ToString(M._OrbizaError(win.w)) : '',
          bmp: bits & 8 ? bytes(M._OrbizaBmp(win.w), M._OrbizaBmpSize(win.w)) : null});
  }

  // The picture onto the canvas, while the view is in sight.
  function Show(win) {
    win.stale = !win.visible;
    if (win.stale) return;
    const at = M._OrbizaPixels(win.w, 1), size = [M._OrbizaShown(win.w, 0), M._OrbizaShown(win.w, 1)];
    if (!win.image || win.image.width !== size[0] || win.image.height !== size[1]) {
      [win.canvas.width, win.canvas.height] = size;
      win.image = win.context.createImageData(...size);
    }
    win.image.data.set(M.HEAPU8.subarray(at, at + win.image.data.length));
    win.context.putImageData(win.image, 0, 0);
  }

  // One pending tick at most, and none out of sight: the next is set before
  // the redraw, so a slow redraw delays it instead of queueing more.
  function FollowTimer(win) {
    if (!win.visible || !M._OrbizaTimerRunning(win.w)) {
      clearTimeout(win.timer);
      win.timer = null;
    } else if (win.timer === null) {
      const tick = () => {
        win.timer = setTimeout(tick, table.interval);
        Event(win, table.timer, 0);
      };
      win.timer = setTimeout(tick, table.interval);
    }
  }

  function Shown(win, bits, restored) {
    if (bits & 1) Show(win);
    FollowTimer(win);
    Answer(win, bits, restored);
  }

  const Event = (win, name, value) => Shown(win, call('OrbizaEvent', win.w, name, value), false);

  // A view set out of sight is drawn when it comes into sight or when its
  // picture is asked for. A picture-only view is drawn again at a new ratio
  // at once; the window's face waits for its next clearing redraw, as the
  // desktop's does. False when there was nothing to do.
  function Settle(win) {
    let bits;
    if (win.pending !== null) {
      bits = call('OrbizaRestore', win.w, win.pending);
      win.pending = null;
      const running = M._OrbizaTimerRunning(win.w) === 1, wanted = (running || win.animate) && !win.hold;
      if (wanted !== running) bits |= call('OrbizaEvent', win.w, wanted ? 'start' : 'stop', 0);
    } else {
      bits = win.controls ? 0 : M._OrbizaFollowRatio(win.w);
      if (!bits) return false;
    }
    Shown(win, bits, true);
    return true;
  }

  // In sight, what waits is drawn and shown.
  function Refresh(win) {
    if (!win.visible || Settle(win) || !win.stale) return FollowTimer(win);
    Show(win);
    Shown(win, 0, false);
  }

  // A view's text or its parts; refused, the view stays as it was.
  function SetView(win, message) {
    const p = message.parts;
    const view = p ? text('OrbizaPartsText', win.w, p.structure, p.angles, p.time, p.speeds, p.seed, p.axes ? 1 : 0)
      : text('OrbizaViewText', win.w, message.text);
    Object.assign(win, {animate: message.animate, hold: message.hold});
    if (view) win.pending = view;
    else post({op: 'refused', id: win.id, why: M.UTF8ToString(M._OrbizaRefusal(win.w))});
    if (!(win.visible && Settle(win))) Answer(win, 0, false);
  }

  // The 1x picture as a file.
  async function Picture(win, type) {
    Settle(win);
    if (type === 'image/bmp') return new Blob([bytes(M._OrbizaBmp(win.w), M._OrbizaBmpSize(win.w))], {type});
    if (type !== 'image/png') throw new TypeError(`orbiza-view: no picture of type ${type}`);
    const image = new ImageData(table.pictureWidth, table.pictureHeight), at = M._OrbizaPixels(win.w, 0);
    image.data.set(M.HEAPU8.subarray(at, at + image.data.length));
    const canvas = new OffscreenCanvas(image.width, image.height);
    canvas.getContext('2d').putImageData(image, 0, 0);
    return canvas.convertToBlob({type});
  }

  function Open(message) {
    const win = {id: message.id, w: M._OrbizaOpen(), canvas: message.canvas, controls: message.controls,
                 ratio: message.ratio, visible: false, pending: null, stale: true, timer: null, image: null};
    win.context = win.canvas.getContext('2d', {alpha: false});
    windows.set(win.id, win);
    M._OrbizaSetRatio(win.w, win.ratio);
    post({op: 'opened', id: win.id, table});
    SetView(win, message);
  }

  return (message) => {
    const win = windows.get(message.id);
    if (!win && message.op !== 'open' && message.op !== 'table') return;  // a view closed meanwhile
    switch (message.op) {
    case 'table': return post({op: 'table', id: message.id, table});
    case 'open': return Open(message);
    case 'view': return SetView(win, message);
    case 'event': Settle(win); return Event(win, message.name, message.value);
    case 'ratio':
      win.ratio = message.ratio;
      M._OrbizaSetRatio(win.w, win.ratio);
      win.stale ||= win.image?.width !== M._OrbizaShown(win.w, 0);  // a blank picture takes it at once
      return Refresh(win);
    case 'visible':
      win.visible = message.visible;
      return Refresh(win);
    case 'picture':
      return Picture(win, message.type).then((blob) => post({op: 'picture', id: win.id, ask: message.ask, blob}),
        (error) => post({op: 'picture', id: win.id, ask: message.ask, error: error.message}));
    case 'close':
      clearTimeout(win.timer);
      windows.delete(win.id);
      return M._OrbizaClose(win.w);
    }
  };
}

// In the views' worker, the page's messages go to the host.
if (typeof WorkerGlobalScope !== 'undefined' && self instanceof WorkerGlobalScope) {
  const receive = StartHost((message) => postMessage(message));
  self.onmessage = (event) => receive(event.data);
}
