// <orbiza-view>: one view of a structure, or with `controls` the whole
// window. Its picture is drawn by the host that all views of the page share:
// in one worker onto the views' OffscreenCanvases where the page is served,
// on the page's thread where it opens from disk or has the core inside.

let SharedHost = null, DrawOffThread = false;
function Host() {
  if (SharedHost) return SharedHost;
  DrawOffThread = !WasmInside && location.protocol !== 'file:' && typeof Worker !== 'undefined' &&
    'transferControlToOffscreen' in HTMLCanvasElement.prototype;
  const listeners = new Map(), route = (message) => listeners.get(message.id)?.(message);
  let send;
  if (DrawOffThread) {
    const worker = new Worker(new URL('orbiza.js', import.meta.url), {type: 'module', name: 'orbiza-view'});
    worker.onmessage = (event) => route(event.data);
    send = (message, transfer) => worker.postMessage(message, transfer ?? []);
  } else {
    send = StartHost(route);
  }
  let lastId = 0;
  SharedHost = {send, newId: () => ++lastId, listen: (id, on) => listeners.set(id, on), forget: (id) => listeners.delete(id)};
  return SharedHost;
}

// The window's table as the core holds it: its controls (name, kind,
// caption, place, tab index, accessible name and description), the list
// texts as the list shows them (`list`), the window's caption and texts.
export function windowTable() {
  const host = Host(), id = host.newId();
  return new Promise((resolve) => {
    host.listen(id, (message) => {
      host.forget(id);
      resolve(message.table);
    });
    host.send({op: 'table', id});
  });
}

const ViewParts = ['structure', 'angles', 'time', 'speeds', 'seed'];
// Keys of a view without controls: each turns as an angle button does.
// The arrows move the picture's front the way they point.
const TurnKeys = {ArrowUp: 'xp', ArrowDown: 'xm', ArrowLeft: 'yp', ArrowRight: 'ym', PageUp: 'zp', PageDown: 'zm'};

// The picture is drawn at `ratio` device pixels per picture pixel: the
// device pixel ratio times `zoom`, the CSS pixels per picture pixel (the
// box's width over the picture's; 1 where the window's layout places the
// box), within the scales the core draws at: below them the picture is
// larger than the box, which clips it. The canvas shows it one to one,
// rounded up to the 1/64 px that layout holds exactly, so no row or column
// is dropped or doubled; until the picture is drawn at a new ratio, it is
// stretched to the box. `box()` is null until the box is there; `scales`
// come with the window's table. Fit gives the ratio when it is a new one.
function Sizing(canvas, box, windowLayout) {
  let zoom = 1, shown = null, sent = 0, scales = [0, Infinity];
  const Ratio = () => Math.min(Math.max(zoom * devicePixelRatio, scales[0]), scales[1]);
  function Place(drawn = shown) {
    shown = drawn;
    if (!shown) return;
    const css = (pixels) => Math.ceil(pixels * Ratio() / devicePixelRatio / shown[2] * 64 - 1e-6) / 64 + 'px';
    canvas.style.width = css(shown[0]);
    canvas.style.height = css(shown[1]);
  }
  function Fit() {
    if (box()) {
      const style = getComputedStyle(box()), side = (name) => parseFloat(style[name]);
      const inside = box().getBoundingClientRect().width - side('borderLeftWidth') - side('borderRightWidth') -
        side('paddingLeft') - side('paddingRight');
      zoom = windowLayout && style.position === 'absolute' ? 1 : inside / PictureSize[0];
    }
    Place();
    const ratio = Ratio(), changed = ratio !== sent;
    sent = ratio;
    return changed ? ratio : null;
  }
  return {Fit, Place, Scales: (table) => { scales = [table.minScale, table.maxScale]; }};
}

// Calls `visible(seen)` when the element comes into sight or goes out of it,
// a hidden tab being out of sight; returns what stops watching.
function WatchSight(element, visible) {
  let intersecting = false;
  const tell = () => visible(intersecting && !document.hidden);
  const observer = new IntersectionObserver((entries) => {
    intersecting = entries[entries.length - 1].isIntersecting;
    tell();
  });
  observer.observe(element);
  document.addEventListener('visibilitychange', tell);
  return () => {
    observer.disconnect();
    document.removeEventListener('visibilitychange', tell);
  };
}

// The view's side of one element while it is in a document: its canvas, its
// window in the host, and what the host last said.
function OpenView(element, internals) {
  const host = Host(), id = host.newId(), root = element.shadowRoot, controls = element.hasAttribute('controls');
  const canvas = Make('canvas', controls ? {} : {width: PictureSize[0], height: PictureSize[1]});
  root.replaceChildren(...(controls ? [] : [canvas]));
  root.adoptedStyleSheets = [SheetOf(controls ? WindowStyle : PictureStyle)];
  internals.role = controls ? null : 'img';
  const reduced = matchMedia('(prefers-reduced-motion: reduce)').matches, asks = new Map();
  let state = null, text = '', asked = null, started = false, warned = false, face = null, closed = false, lastAsk = 0;
  const send = (message, transfer) => closed || host.send({id, ...message}, transfer);
  const attribute = (name) => element.getAttribute(name), given = (name) => element.hasAttribute(name);
  const size = Sizing(canvas, () => (controls ? root.getElementById(canvas.id + 'box') : element), controls);
  function Fit() {
    const ratio = size.Fit();
    if (ratio !== null) send({op: 'ratio', ratio});
  }

  // Where a view is given whole, the parts are not read.
  function ViewMessage(whole) {
    const parts = whole === null && Object.fromEntries([...ViewParts.map((name) => [name, attribute(name) ?? '']),
                                                        ['axes', given('axes')]]);
    if (whole !== null && !warned && [...ViewParts, 'axes'].some(given)) {
      warned = true;
      console.warn('orbiza-view: the view attribute is given, so structure, angles, time, speeds, axes and seed are not read');
    }
    asked = whole;
    return {op: 'view', text: whole, parts, animate: given('animate'), hold: reduced && !started};
  }
  function Event(name, value) {
    started ||= name === 'start';
    send({op: 'event', name, value});
  }
  function Name() {
    if (face) face(state, attribute('alt') ?? undefined);
    else internals.ariaLabel = attribute('alt') ?? state.name;
  }
  const resized = new ResizeObserver(Fit);
  const answers = {
    opened(message) {
      size.Scales(message.table);
      if (controls) face = WindowFace(root, message.table, canvas, Event);
      if (controls) resized.observe(root.getElementById(canvas.id + 'box'));
      Fit();
    },
    refused(message) {
      console.warn(`orbiza-view: ${asked === null ? 'its attributes make' : `"${asked}" is`} no view (${message.why}); it shows what it showed`);
      asked = null;
    },
    state(message) {
      const changed = message.view !== text;
      [state, text, asked] = [message, message.view, null];
      size.Place(state.shown);
      Name();
      state.bits = 0;  // a message, the About box or a download comes once
      if (changed) element.dispatchEvent(new CustomEvent('orbiza-viewchange', {detail: text, bubbles: true, composed: true}));
    },
    picture(message) {
      const {resolve, reject} = asks.get(message.ask);
      asks.delete(message.ask);
      message.blob ? resolve(message.blob) : reject(new Error(message.error));
    },
  };
  host.listen(id, (message) => answers[message.op](message));

  function Keys(event) {
    if (controls || event.altKey || event.ctrlKey || event.metaKey) return;
    if (event.key === ' ') Event(state?.timer ? 'stop' : 'start', 0);
    else if (TurnKeys[event.key]) Event(TurnKeys[event.key], 0);
    else return;
    event.preventDefault();
  }
  element.addEventListener('keydown', Keys);
  // A query for the ratio as it is tells when it is no longer.
  function WatchRatio() {
    matchMedia(`(resolution: ${devicePixelRatio}dppx)`)
      .addEventListener('change', () => closed || (Fit(), WatchRatio()), {once: true});
  }

  const offscreen = DrawOffThread ? canvas.transferControlToOffscreen() : canvas;
  send({...ViewMessage(attribute('view')), op: 'open', canvas: offscreen, controls, ratio: size.Fit()},
       DrawOffThread ? [offscreen] : []);
  WatchRatio();
  const unwatch = WatchSight(element, (visible) => send({op: 'visible', visible}));
  if (!controls) resized.observe(element);

  return {
    get view() { return asked ?? text; },
    setView: (whole) => send(ViewMessage(whole)),
    attributeChanged(name) {
      if (name === 'alt') state && Name();
      else if (name === 'animate') Event(given('animate') && !(reduced && !started) ? 'start' : 'stop', 0);
      else if (name === 'view' || !given('view')) send(ViewMessage(attribute('view')));
    },
    toBlob(type) {
      const ask = ++lastAsk;
      send({op: 'picture', type, ask});
      return new Promise((resolve, reject) => asks.set(ask, {resolve, reject}));
    },
    close() {
      send({op: 'close'});
      closed = true;
      host.forget(id);
      unwatch();
      resized.disconnect();
      element.removeEventListener('keydown', Keys);
      for (const {reject} of asks.values()) reject(new Error('orbiza-view: removed from the document'));
    },
  };
}

// The element itself only keeps its view open while it is in a document.
// Moved within a document, it keeps its view.
function DefineOrbizaView() {
  class OrbizaView extends HTMLElement {
    static observedAttributes = ['view', ...ViewParts, 'axes', 'animate', 'controls', 'alt'];
    #internals = this.attachInternals();
    #view = null;
    #closing = null;

    constructor() {
      super();
      this.attachShadow({mode: 'open'});
    }
    connectedCallback() {
      clearTimeout(this.#closing);
      this.#closing = null;
      if (!this.hasAttribute('tabindex') && !this.hasAttribute('controls')) this.tabIndex = 0;
      this.#view ??= OpenView(this, this.#internals);
    }
    disconnectedCallback() {
      this.#closing = setTimeout(() => {
        this.#view?.close();
        this.#view = null;
      });
    }
    attributeChangedCallback(name, before, after) {
      if (!this.#view || before === after) return;
      if (name !== 'controls') return this.#view.attributeChanged(name);
      this.#view.close();
      this.#view = OpenView(this, this.#internals);
    }
    get view() { return this.#view ? this.#view.view : this.getAttribute('view') ?? ''; }
    set view(text) {
      if (this.#view) this.#view.setView(String(text));
      else this.setAttribute('view', text);
    }
    toBlob(type = 'image/png') {
      return this.#view ? this.#view.toBlob(type) : Promise.reject(new Error('orbiza-view: not in a document'));
    }
  }
  if (!customElements.get('orbiza-view')) customElements.define('orbiza-view', OrbizaView);
}

if (typeof document !== 'undefined') DefineOrbizaView();
