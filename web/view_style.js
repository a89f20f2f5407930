// The views' looks, as style sheets adopted by their shadow roots: no <style>
// element and no style attribute, so a page's strict Content-Security-Policy
// lets them through.

// The picture's own size in pixels; a picture-only view's box is as many CSS
// pixels, or narrower with the same shape.
const PictureSize = [565, 517];

// Nothing in the box but the picture; the focus ring goes outside it.
const PictureStyle = `
  :host { display: inline-block; position: relative; overflow: hidden; vertical-align: top; background: #000;
          width: ${PictureSize[0]}px; max-width: 100%; aspect-ratio: ${PictureSize[0]} / ${PictureSize[1]}; }
  :host([hidden]) { display: none; }
  :host(:focus-visible) { outline: 2px solid Highlight; outline-offset: 2px; }
  canvas { display: block; image-rendering: pixelated; }`;

// The window: each control where the table places it; narrower than the
// window, the picture across the view and the rows of controls under it,
// each a target a finger can hit.
const WindowStyle = `
  :host { display: block; container-type: inline-size;
          font: 11px "Liberation Sans", Arimo, Arial, Helvetica, sans-serif; }
  :host([hidden]) { display: none; }
  #Form1 { position: relative; margin: 16px auto; background: #d4d0c8; width: var(--width); height: var(--height); }
  .row { display: contents; }
  .row > * { position: absolute; box-sizing: border-box; margin: 0; font: inherit;
             left: var(--left); top: var(--top); width: var(--width); height: var(--height); }
  #pctr1box { border: 2px inset #f0f0f0; background: #000; }
  #pctr1 { display: block; image-rendering: pixelated; }
  button, select, input[type=range] { padding: 0; }
  .row > span { white-space: nowrap; }
  .check { display: flex; align-items: center; gap: 4px; }
  .check input { margin: 0; }
  dialog { width: 380px; padding: 0; border: 1px solid #000; background: #fff; font: inherit; }
  dialog h1 { margin: 0; padding: 4px 8px; font-size: 12px; background: #0a246a; color: #fff; }
  dialog p { margin: 12px; white-space: pre-wrap; }
  dialog button { width: 75px; height: 23px; margin: 0 12px 12px auto; display: block; font: inherit; }
  @container (max-width: 808.98px) {
    #Form1 { width: auto; height: auto; margin: 0; padding-bottom: 12px; font-size: 16px; }
    .row { display: flex; flex-wrap: wrap; align-items: center; gap: 8px; margin: 8px 12px; }
    .row > * { position: static; width: auto; height: auto; }
    .row:has(> #pctr1box) { margin: 0; }
    #pctr1box { width: 100%; border: 0; }
    .row > span:first-child { min-width: 3em; }
    button { min-width: 64px; min-height: 44px; padding: 0 12px; }
    .row > select { width: 100%; }
    .row > span:last-child:not(:first-child) { min-width: 3em; }
    input[type=range] { flex: 1; min-width: 120px; height: 44px; }
    .check input { width: 44px; height: 44px; }
    dialog { max-width: calc(100% - 24px); font-size: 16px; }
    dialog button { height: 44px; }
  }`;

// One sheet of each for all views of a document.
const Sheets = new Map();
function SheetOf(text) {
  if (!Sheets.has(text)) {
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(text);
    Sheets.set(text, sheet);
  }
  return Sheets.get(text);
}
