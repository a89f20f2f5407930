// Every structure as an <orbiza-view>, turning slowly, under its name as the
// list shows it.
import {windowTable} from './orbiza.js';

const gallery = document.getElementById('gallery');
for (const [row, name] of (await windowTable()).list.entries()) {
  const figure = gallery.appendChild(document.createElement('figure'));
  figure.appendChild(document.createElement('figcaption')).textContent = name;
  const view = document.createElement('orbiza-view');
  for (const [attribute, value] of [['structure', row + 1], ['angles', '0.4,0,0'], ['speeds', '0,2,0,1'], ['animate', '']])
    view.setAttribute(attribute, value);
  figure.appendChild(view);
}
