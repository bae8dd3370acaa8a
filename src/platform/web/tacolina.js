// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser's side of the program: loads tacolina.wasm with the few WASI
// calls it makes, builds the window from the data the wasm gives (caption,
// layout, menu bar), and hands the wasm the page's events. The wasm runs
// the form, as the Qt and Win32 bindings do on the desktop.

const ENDED_TEXT = 'El programa ha acabat.';
const RESTART_TEXT = 'Torna a començar';

let wasm = null;  // the instance's exports
let ended = false;
let wakeup = 0;  // setInterval's id, 0 when stopped
let frame = 0;  // requestAnimationFrame's id, 0 when none is pending
let queued = [];  // boxes to copy at the next frame, in CSS pixels
let canvas = null;
let context = null;
let whole = null;  // the whole area as a box, in CSS pixels

// An event's time stamp as the host takes it: whole milliseconds, wrapping.
const stamp = (event) => Math.round(event.timeStamp) >>> 0;

// --- WASI, as much as the wasm asks for -------------------------------------

const EBADF = 8;
const ESPIPE = 70;
let output = '';

function wasi() {
  const view = () => new DataView(wasm.memory.buffer);
  return {
    clock_time_get(id, precision, out) {
      // 0 is the realtime clock; the others run from the page's start.
      const ms = id === 0 ? Date.now() : performance.now();
      view().setBigUint64(out, BigInt(Math.round(ms * 1e6)), true);
      return 0;
    },
    fd_write(fd, iovs, count, written) {
      const memory = view();
      let total = 0;
      for (let i = 0; i < count; i++) {
        const start = memory.getUint32(iovs + 8 * i, true);
        const length = memory.getUint32(iovs + 8 * i + 4, true);
        output += new TextDecoder().decode(new Uint8Array(wasm.memory.buffer, start, length));
        total += length;
      }
      let newline;
      while ((newline = output.indexOf('\n')) >= 0) {
        (fd === 2 ? console.error : console.log)(output.slice(0, newline));
        output = output.slice(newline + 1);
      }
      memory.setUint32(written, total, true);
      return 0;
    },
    fd_close: () => EBADF,
    fd_seek: () => ESPIPE,
    proc_exit(code) {
      throw new Error(`tacolina.wasm exited with status ${code}`);
    },
  };
}

// --- What the host asks of the page (the binding) ---------------------------

const binding = {
  start_wakeups(ms) {
    clearInterval(wakeup);
    wakeup = setInterval(() => ended || wasm.tacolina_wake(), ms);
  },
  stop_wakeups() {
    clearInterval(wakeup);
    wakeup = 0;
  },
  present(boxes, count) {
    const numbers = new Int32Array(wasm.memory.buffer, boxes, 4 * count);
    for (let i = 0; i < count; i++) {
      queued.push(numbers.slice(4 * i, 4 * i + 4));
    }
    if (!frame && !ended) {
      frame = requestAnimationFrame(showFrame);
    }
  },
  close_window: endProgram,
};

// Copies the queued boxes of the picture to the canvas.
function showFrame() {
  frame = 0;
  if (ended) {
    return;
  }
  let boxes = queued;
  queued = [];
  const width = wasm.tacolina_picture_width();
  const height = wasm.tacolina_picture_height();
  if (canvas.width !== width || canvas.height !== height) {
    // A new pixel ratio: a new backing store, all of it drawn again.
    canvas.width = width;
    canvas.height = height;
    boxes = [whole];
  }
  for (const [x, y, w, h] of boxes) {
    const start = wasm.tacolina_copy_box(x, y, w, h);
    const [dx, dy, dw, dh] = new Uint32Array(wasm.memory.buffer, start, 4);
    if (dw > 0 && dh > 0) {
      const rgba = new Uint8ClampedArray(wasm.memory.buffer, start + 16, dw * dh * 4);
      context.putImageData(new ImageData(rgba, dw, dh), dx, dy);
    }
  }
}

// End: no tick, frame or handler after this; the window gives way to a note.
function endProgram() {
  ended = true;
  clearInterval(wakeup);
  wakeup = 0;
  cancelAnimationFrame(frame);
  frame = 0;
  queued = [];
  document.getElementById('form1')?.remove();
  const note = element('p', {id: 'ended', role: 'status'}, ENDED_TEXT + ' ');
  note.append(element('a', {href: './'}, RESTART_TEXT));
  document.body.append(note);
}

// --- The window --------------------------------------------------------------

function element(tag, attributes = {}, text = '') {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    node.setAttribute(name, value);
  }
  node.textContent = text;
  return node;
}

function buildWindow(data) {
  document.title = data.caption;
  const form = element('div', {id: 'form1', class: 'window'});
  const title = element('h1', {class: 'caption'}, data.caption);
  const bar = buildMenuBar(data);
  const client = element('div', {class: 'client'});
  client.style.width = `${data.client.width}px`;
  client.style.height = `${data.client.height}px`;

  const area = data.area;
  whole = [0, 0, area.width, area.height];
  const description = element('p', {id: 'picture1-description', hidden: ''}, area.description);
  canvas = element('canvas', {
    id: 'picture1',
    class: 'area',
    role: 'button',
    tabindex: '0',
    'aria-label': area.name,
    'aria-describedby': description.id,
  });
  canvas.style.left = `${area.left}px`;
  canvas.style.top = `${area.top}px`;
  canvas.style.width = `${area.width}px`;
  canvas.style.height = `${area.height}px`;
  canvas.style.backgroundColor = area.background;
  canvas.width = wasm.tacolina_picture_width();
  canvas.height = wasm.tacolina_picture_height();
  context = canvas.getContext('2d');
  client.append(canvas, description);
  form.append(title, bar, client);
  document.body.append(form);
  wireArea();
}

// A click is a primary press and release inside the area: a tap counts, and
// with the pointer captured a release outside is seen as outside.
function wireArea() {
  canvas.addEventListener('pointerdown', (event) => {
    if (ended) {
      return;
    }
    const primary = event.button === 0 && event.isPrimary;
    wasm.tacolina_press(primary ? 0 : 1, stamp(event));
    if (primary) {
      canvas.setPointerCapture(event.pointerId);
    }
  });
  canvas.addEventListener('pointerup', (event) => {
    if (ended) {
      return;
    }
    const box = canvas.getBoundingClientRect();
    const inside = event.clientX >= box.left && event.clientX < box.right &&
      event.clientY >= box.top && event.clientY < box.bottom;
    wasm.tacolina_release(event.button === 0 && event.isPrimary ? 0 : 1, inside ? 1 : 0);
  });
  canvas.addEventListener('pointercancel', () => ended || wasm.tacolina_cancel_press());
  canvas.addEventListener('keydown', (event) => {
    if (ended || event.repeat || event.altKey || event.ctrlKey || event.metaKey) {
      return;
    }
    if (event.key === 'Enter' || event.key === ' ') {
      event.preventDefault();
      wasm.tacolina_click();
    }
  });
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());
}

// --- The menu bar: the menubar pattern, as a desktop's menus behave ----------

let bar = null;
let tops = [];  // the menu bar's items, left to right
let open = -1;  // the open menu's index, -1 when none is open
let before = null;  // what had the focus before the menu bar took it

// Whether the pointer really moved: a menu that opens under a still pointer
// takes no focus from the keyboard, as a desktop's menus do not.
let pointerAt = '';
function moved(event) {
  const at = `${event.pointerId} ${event.screenX} ${event.screenY}`;
  const changed = at !== pointerAt;
  pointerAt = at;
  return changed;
}

const itemsOf = (index) => [...tops[index].nextElementSibling.querySelectorAll('[role="menuitem"]')];

function buildMenuBar(data) {
  bar = element('ul', {id: 'menubar', class: 'menubar', role: 'menubar', 'aria-label': data.caption});
  data.menus.forEach((menu, m) => {
    const entry = element('li', {role: 'none'});
    const top = element('span', {
      id: menu.control, class: 'menubar-item', role: 'menuitem', tabindex: m === 0 ? '0' : '-1',
      'aria-haspopup': 'menu', 'aria-expanded': 'false',
    }, menu.caption);
    const list = element('ul', {class: 'menu', role: 'menu', 'aria-label': menu.caption, hidden: ''});
    menu.items.forEach((item, i) => {
      const li = element('li', {role: 'none'});
      const node = element('span', {id: item.control, class: 'menu-item', role: 'menuitem', tabindex: '-1'},
        item.caption);
      node.addEventListener('click', (event) => choose(m, i, event));
      node.addEventListener('pointermove', (event) => moved(event) && !ended && node.focus());
      node.addEventListener('keydown', (event) => menuKey(event, m, i));
      li.append(node);
      list.append(li);
    });
    top.addEventListener('click', (event) => (open === m ? closeMenu(event, true) : openMenu(m, -1)));
    top.addEventListener('pointermove', (event) => moved(event) && open >= 0 && open !== m && openMenu(m, -1));
    top.addEventListener('keydown', (event) => barKey(event, m));
    entry.append(top, list);
    bar.append(entry);
    tops.push(top);
  });
  bar.addEventListener('focusin', (event) => {
    if (!bar.contains(event.relatedTarget) && event.relatedTarget) {
      before = event.relatedTarget;
    }
  });
  // Focus leaving the bar and its menus (Tab, a click elsewhere) closes them.
  bar.addEventListener('focusout', (event) => {
    if (open >= 0 && !bar.contains(event.relatedTarget)) {
      closeMenu(event, false);
    }
  });
  return bar;
}

// Moves the bar's one tab stop to item m and focuses it.
function focusTop(m) {
  tops.forEach((top, i) => top.setAttribute('tabindex', i === m ? '0' : '-1'));
  tops[m].focus();
}

// Opens menu m with item `item` focused (-1: the bar's item keeps the focus).
function openMenu(m, item) {
  if (ended) {
    return;
  }
  if (open >= 0 && open !== m) {
    hideMenu(open);
  }
  open = m;
  tops[m].setAttribute('aria-expanded', 'true');
  tops[m].nextElementSibling.hidden = false;
  const items = itemsOf(m);
  if (item >= 0) {
    focusTop(m);
    items[Math.min(item, items.length - 1)].focus();
  } else {
    focusTop(m);
  }
}

function hideMenu(m) {
  tops[m].setAttribute('aria-expanded', 'false');
  tops[m].nextElementSibling.hidden = true;
}

// Closes the open menu; `stay` keeps the focus on the bar's item.
function closeMenu(event, stay) {
  if (open < 0) {
    return;
  }
  const m = open;
  hideMenu(m);
  open = -1;
  if (!ended) {
    wasm.tacolina_menu_closed(stamp(event));
  }
  if (stay) {
    focusTop(m);
  }
}

// Leaves the bar for whatever had the focus before it, the area if nothing did.
function leaveBar() {
  const back = before && before.isConnected ? before : canvas;
  back.focus();
}

function choose(m, i, event) {
  closeMenu(event, false);
  leaveBar();
  if (!ended) {
    wasm.tacolina_choose(m, i);
  }
}

function barKey(event, m) {
  const count = tops.length;
  switch (event.key) {
    case 'ArrowRight':
    case 'ArrowLeft': {
      const next = (m + (event.key === 'ArrowRight' ? 1 : count - 1)) % count;
      if (open >= 0) {
        openMenu(next, 0);
      } else {
        focusTop(next);
      }
      break;
    }
    case 'ArrowDown':
    case 'Enter':
    case ' ':
      openMenu(m, 0);
      break;
    case 'ArrowUp':
      openMenu(m, Infinity);
      break;
    case 'Home':
      focusTop(0);
      break;
    case 'End':
      focusTop(count - 1);
      break;
    case 'Escape':
      if (open >= 0) {
        closeMenu(event, true);
      } else {
        leaveBar();
      }
      break;
    default:
      return;
  }
  event.preventDefault();
  event.stopPropagation();
}

function menuKey(event, m, i) {
  const items = itemsOf(m);
  const count = items.length;
  switch (event.key) {
    case 'ArrowDown':
      items[(i + 1) % count].focus();
      break;
    case 'ArrowUp':
      items[(i + count - 1) % count].focus();
      break;
    case 'Home':
      items[0].focus();
      break;
    case 'End':
      items[count - 1].focus();
      break;
    case 'ArrowRight':
    case 'ArrowLeft':
      openMenu((m + (event.key === 'ArrowRight' ? 1 : tops.length - 1)) % tops.length, 0);
      break;
    case 'Enter':
    case ' ':
      choose(m, i, event);
      break;
    case 'Escape':
      closeMenu(event, true);
      break;
    case 'Tab':
      closeMenu(event, false);
      return;  // the focus moves on as Tab moves it
    default:
      return;
  }
  event.preventDefault();
  event.stopPropagation();
}

// --- The page's own events ---------------------------------------------------

function wirePage() {
  // A press outside the open menu only closes it; the host hears of the
  // close before the press reaches the area, and drops that press.
  // Where the pointer is, after the menus have seen where it went.
  document.addEventListener('pointermove', moved);
  document.addEventListener('pointerdown', (event) => {
    moved(event);
    if (open >= 0 && !tops[open].parentElement.contains(event.target)) {
      closeMenu(event, false);
    }
  }, true);
  // F10 reaches the menu bar, and leaves it, as on the desktop.
  document.addEventListener('keydown', (event) => {
    if (ended || event.key !== 'F10' || event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) {
      return;
    }
    event.preventDefault();
    if (bar.contains(document.activeElement)) {
      closeMenu(event, false);
      leaveBar();
    } else {
      focusTop(0);
    }
  });
  document.addEventListener('visibilitychange', () => {
    if (!ended) {
      wasm.tacolina_seen(document.visibilityState === 'visible' ? 1 : 0);
    }
  });
  // Closing the tab closes the window; a page kept for the Back button is
  // started anew when it comes back.
  window.addEventListener('pagehide', () => {
    if (!ended) {
      wasm.tacolina_closing();
      ended = true;
      clearInterval(wakeup);
      cancelAnimationFrame(frame);
    }
  });
  window.addEventListener('resize', followPixelRatio);
  window.addEventListener('pageshow', (event) => event.persisted && location.reload());
  followPixelRatio();
}

// Another zoom or another screen: the picture follows the new ratio, so
// that its dots stay sharp. A zoom resizes the viewport too, which some
// browsers tell sooner than the media query's change.
let ratio = 0;
function followPixelRatio() {
  if (ended || devicePixelRatio === ratio) {
    return;
  }
  if (ratio) {
    wasm.tacolina_ratio(devicePixelRatio);
  }
  ratio = devicePixelRatio;
  matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', followPixelRatio, {once: true});
}

async function start() {
  const imports = {tacolina: binding, wasi_snapshot_preview1: wasi()};
  const {instance} = await WebAssembly.instantiateStreaming(fetch('tacolina.wasm'), imports);
  wasm = instance.exports;
  wasm._initialize();
  const data = wasm.tacolina_window();
  const bytes = new Uint8Array(wasm.memory.buffer, data);
  const form = JSON.parse(new TextDecoder().decode(bytes.subarray(0, bytes.indexOf(0))));
  wasm.tacolina_start(devicePixelRatio);
  buildWindow(form);
  wirePage();
  if (document.visibilityState !== 'visible') {
    wasm.tacolina_seen(0);
  }
  // The whole picture, the first time.
  queued.push(whole);
  frame ||= requestAnimationFrame(showFrame);
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch((error) => console.warn('No offline copy:', error.message));
  }
}

start();
