// Types of the <orbiza-view> element; see README.md.

/** One view of an Orbiza structure, or with `controls` the whole window. */
export interface OrbizaViewElement extends HTMLElement {
  /**
   * The view as text, `v1;row=...`, as `orbiza-render --view` reads it and the
   * page keeps it after '#'. Writing it shows that view; a text that is no view
   * changes nothing and is reported on the console. Reading gives the text
   * written until the view has taken it, then the view's own text.
   */
  view: string;
  /**
   * The picture at 565 x 517 whatever the screen: `image/bmp` is byte for byte
   * the desktop's BMP file, `image/png` (the default) a PNG of the same pixels.
   */
  toBlob(type?: 'image/bmp' | 'image/png'): Promise<Blob>;
  addEventListener<K extends keyof OrbizaViewEventMap>(
    type: K, listener: (this: OrbizaViewElement, event: OrbizaViewEventMap[K]) => unknown,
    options?: boolean | AddEventListenerOptions): void;
  addEventListener(type: string, listener: EventListenerOrEventListenerObject,
    options?: boolean | AddEventListenerOptions): void;
}

export interface OrbizaViewEventMap extends HTMLElementEventMap {
  /** The view changed (a key, a control, the timer, `view`); `detail` is its new text. */
  'orbiza-viewchange': CustomEvent<string>;
}

/** One control of the window, where the window places it (in twips). */
export interface OrbizaControl {
  name: string;
  kind: 'area' | 'button' | 'list' | 'check' | 'label' | 'scroll';
  caption: string;
  left: number;
  top: number;
  width: number;
  height: number;
  tabIndex: number;
  accessibleName: string;
  accessibleDescription: string;
}

/** The window as the core describes it. */
export interface OrbizaWindowTable {
  /** The structures' names as the list shows them, row 1 first. */
  list: string[];
  caption: string;
  controls: OrbizaControl[];
  texts: {messageTitle: string; ok: string; aboutTitle: string; about: string; pictureFile: string};
  width: number;
  height: number;
  twipsPerPixel: number;
  pictureWidth: number;
  pictureHeight: number;
}

/** The window's table, from the core: the gallery's captions, a face of one's own. */
export function windowTable(): Promise<OrbizaWindowTable>;

declare global {
  interface HTMLElementTagNameMap {
    'orbiza-view': OrbizaViewElement;
  }
}
