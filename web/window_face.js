// The window's face: the controls built from the window's table that the
// core hands over, every event passed on, and what they show read back from
// the core's answers. The captions, places and texts live in the core only.

const Make = (tag, props) => Object.assign(document.createElement(tag), props);

// The element to place and the one that takes the focus.
function CreateControl(row, table, canvas) {
  switch (row.kind) {
  case 'area': {
    const box = Make('div', {id: row.name + 'box'});
    box.appendChild(canvas).setAttribute('role', 'img');
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
function BuildControls(form, table, canvas) {
  const px = (twips) => twips / table.twipsPerPixel + 'px';
  const place = (element, box) => {
    for (const key of ['left', 'top', 'width', 'height']) if (key in box) element.style.setProperty('--' + key, px(box[key]));
  };
  place(form, table);
  const controls = [];
  let line = null, lineTop = null;
  for (const row of table.controls) {
    const [placed, control] = CreateControl(row, table, canvas);
    control.id = row.name;
    if (row.kind !== 'label') control.tabIndex = row.tabIndex + 1;  // 0 would put it after all the others
    control.setAttribute('aria-description', row.accessibleDescription);
    place(placed, row);
    if (row.top !== lineTop) [line, lineTop] = [form.appendChild(Make('div', {className: 'row'})), row.top];
    line.appendChild(placed);
    controls.push(control);
  }
  return controls;
}

// A dialog with a title, a text and an OK button that closes it, as Escape does.
function Dialog(root, id, title, ok) {
  const dialog = root.appendChild(Make('dialog', {id: id}));
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

function Save(bytes, name) {
  const link = Make('a', {href: URL.createObjectURL(new Blob([bytes], {type: 'image/bmp'})), download: name});
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// The window in `root` around `canvas`; `send(name, value)` passes on an
// event of a control. Returns what applies the core's answers. The window's
// caption becomes the page's title where the page has none.
function WindowFace(root, table, canvas, send) {
  const texts = table.texts, form = root.appendChild(Make('div', {id: 'Form1'}));
  const controls = BuildControls(form, table, canvas);
  const showMessage = Dialog(root, 'message', texts.messageTitle, texts.ok);
  const showAbout = Dialog(root, 'about', texts.aboutTitle, texts.ok);
  if (!document.title) document.title = table.caption;

  const listen = {
    button: (control, name) => control.addEventListener('click', () => send(name, 0)),
    list: (control, name) => control.addEventListener('change', () => send(name, control.selectedIndex)),
    check: (control, name) => control.addEventListener('change', () => send(name, control.checked ? 1 : 0)),
    scroll: (control, name) => control.addEventListener('input', () => send(name, +control.value)),
  };
  const set = {
    list: (control, value) => { control.selectedIndex = value; },
    check: (control, value) => { control.checked = value !== 0; },
    scroll: (control, value) => { control.value = value; },
  };
  table.controls.forEach((row, i) => listen[row.kind]?.(controls[i], row.name));

  // The read-outs follow their bars and every control says what it is now;
  // after a restore, the controls stand where the window says. After a
  // run-time error the lines drawn so far stay and one message says what
  // went wrong; the timer goes on.
  return (state, alt) => {
    table.controls.forEach((row, i) => {
      const control = controls[i], [caption, spoken, value] = state.rows[i];
      const name = row.kind === 'area' ? alt ?? spoken : spoken;
      if (row.kind === 'label' && control.textContent !== caption) control.textContent = caption;
      if (control.getAttribute('aria-label') !== name) control.setAttribute('aria-label', name);
      if (state.restored) set[row.kind]?.(control, value);
    });
    if (state.bits & 2) showMessage(state.error, false);
    if (state.bits & 4) showAbout(texts.about, true);
    if (state.bits & 8) Save(state.bmp, texts.pictureFile);
  };
}
