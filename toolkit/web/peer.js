// The page's side of the web back-end: the waits the program suspends in, the delivery of the
// user's input to it, and what a window system does on its own (moving a window by its title bar,
// bringing it to the front). The program draws through the elements; every rule about the
// controls stays in the program.
//
// The program is never entered while it is suspended: an event reaches it only by resuming the
// one wait that takes events (qv_wait_event). While it waits in another one (a message box, a
// frame of a running search, a file it reads) the page drops the user's input, keeping only what
// that wait asks for.

var LibraryQuorvanePeer = {
  $QuorvanePeer__postset: 'QuorvanePeer.init();',
  $QuorvanePeer: {
    mode: 'busy',      // 'idle' (takes events), 'frame', 'modal', 'busy' (running or reading), 'ended'
    wake: null,        // resumes the current wait
    event: null,       // the event the program reads once resumed
    yielding: 0,       // the window whose search lets the page paint
    stops: {},         // windows whose close box or Esc asked to stop
    messageBox: null,  // the shown message box
    frontmost: 10,
    longPressMs: 500,
    menu: null,        // the shown context menu
    measurer: null,

    init: function() {
      globalThis.QuorvanePeer = QuorvanePeer;
      if (typeof document === 'undefined') return;
      // Input that reaches no wait is dropped before any element sees it.
      ['keydown', 'keypress', 'keyup', 'mousedown', 'mouseup', 'pointerdown', 'click', 'dblclick',
       'auxclick', 'contextmenu', 'beforeinput', 'paste', 'cut', 'drop', 'dragstart', 'wheel',
       'touchstart'].forEach(function(type) {
        document.addEventListener(type, QuorvanePeer.screen, {capture: true, passive: false});
      });
    },

    // The page's "screen": where the windows are.
    desk: function() { return document.getElementById('quorvane-desk') || document.body; },

    screen: function(e) {
      var P = QuorvanePeer;
      // A long press that opened a menu ends without a click.
      if (e.type === 'pointerdown') P.swallowClick = false;
      if (P.swallowClick && /^(mousedown|mouseup|click)$/.test(e.type)) return void P.drop(e);
      if (P.mode === 'idle' || P.mode === 'ended') return;
      var win = e.target && e.target.closest ? e.target.closest('.qv-window') : null;
      var onTitle = e.target && e.target.closest && e.target.closest('.qv-titlebar');
      if (P.mode === 'modal') {
        var key = e.type === 'keydown' ? e.key : '';
        if (key === 'Enter' || key === 'Escape') {
          if (!e.repeat) P.resume();
        } else if (P.messageBox && P.messageBox.contains(e.target) && key !== 'Tab' &&
                   (!key || key === ' ') && !onTitle) {
          // The box's own button, by the mouse or the space bar.
          if (e.type === 'click' && e.target.closest('.qv-ok')) P.resume();
          return;
        }
      } else if (P.mode === 'frame') {
        var ours = win && Number(win.dataset.window) === P.yielding;
        // A finger on the busy window's close box makes the click that asks to stop.
        if (ours && e.type === 'touchstart' && e.target.closest('.qv-close')) return;
        if (ours && e.type === 'click' && e.target.closest('.qv-close')) P.stops[P.yielding] = true;
        if (ours && e.type === 'keydown' && e.key === 'Escape') P.stops[P.yielding] = true;
        // A window system still moves windows by their title bar while a program is busy.
        if (onTitle && (e.type === 'pointerdown' || e.type === 'mousedown') && !e.target.closest('.qv-close')) return;
      }
      P.drop(e);
    },

    drop: function(e) {
      if (e.cancelable) e.preventDefault();
      e.stopPropagation();
      e.stopImmediatePropagation();
    },

    resume: function(value) {
      var P = QuorvanePeer, wake = P.wake;
      if (!wake) return;
      P.wake = null;
      P.mode = 'busy';
      wake(value || 0);
    },

    // Hands an event to the program, which runs it at once; true when it took the event (a key
    // the window layer took, or one whose handler is still running, suspended).
    deliver: function(event) {
      var P = QuorvanePeer;
      if (P.mode !== 'idle' || !P.wake) return false;
      event.taken = false;
      P.event = event;
      P.resume(1);
      return event.taken || P.mode !== 'idle';
    },

    // The key as the window layer takes it, by name, or null for keys it has no rule for: the
    // names the program gave (keyNames), else a letter or digit as itself, in lower case.
    keyNames: [],
    neutralKey: function(e) {
      var key = {name: e.key, shift: e.shiftKey, control: e.ctrlKey || e.metaKey, alt: e.altKey};
      if (QuorvanePeer.keyNames.indexOf(e.key) < 0) {
        var m = /^(?:Key([A-Z])|Digit([0-9])|Numpad([0-9]))$/.exec(e.code || '');
        if (!m) return null;
        key.name = (m[1] || m[2] || m[3]).toLowerCase();
      }
      return key;
    },

    // Wires a window's element: its controls report to the program, its title bar moves it.
    wire: function(root, id) {
      var P = QuorvanePeer;
      root.dataset.window = String(id);
      root.addEventListener('keydown', function(e) {
        if (e.isComposing) return;
        var key = P.neutralKey(e);
        if (!key) return;
        key.type = 'key';
        key.window = id;
        var taken = P.deliver(key);
        // The browser's own request for a menu that follows the key is the same request.
        if (key.name === 'F' + 10 || key.name === 'ContextMenu') P.menuAsked = taken;  // function key 10
        if (taken) {
          e.preventDefault();
          e.stopPropagation();
        }
      }, true);
      var client = root.querySelector('.qv-client');
      var askForMenu = function(x, y) {
        var area = client.getBoundingClientRect(), scale = P.scaleOf(root);
        return P.deliver({type: 'menu', window: id, left: Math.round((x - area.left) / scale),
                          top: Math.round((y - area.top) / scale)});
      };
      root.addEventListener('contextmenu', function(e) {
        clearTimeout(P.pressTimer);
        if (P.menuAsked && e.button !== 2) {
          P.menuAsked = false;
          return void e.preventDefault();
        }
        P.touchMenu = e.pointerType === 'touch' || e.pointerType === 'pen';
        if (!e.target.closest('.qv-titlebar') && askForMenu(e.clientX, e.clientY)) e.preventDefault();
        P.touchMenu = false;
      });
      // A long press of a finger or a pen asks for the menu too.
      root.addEventListener('pointerdown', function(e) {
        clearTimeout(P.pressTimer);
        P.menuAsked = false;
        if (e.pointerType === 'mouse' || !e.isPrimary || e.target.closest('.qv-titlebar, .qv-grip')) return;
        var x = e.clientX, y = e.clientY;
        var end = function(m) {
          if (m.type === 'pointermove' && Math.hypot(m.clientX - x, m.clientY - y) < 10) return;
          clearTimeout(P.pressTimer);
          ['pointerup', 'pointercancel', 'pointermove'].forEach(function(t) { document.removeEventListener(t, end, true); });
        };
        ['pointerup', 'pointercancel', 'pointermove'].forEach(function(t) { document.addEventListener(t, end, true); });
        P.pressTimer = setTimeout(function() {
          P.touchMenu = true;
          if (askForMenu(x, y)) P.menuAsked = P.swallowClick = true;
          P.touchMenu = false;
        }, P.longPressMs);
      });
      root.addEventListener('click', function(e) {
        var closeBox = e.target.closest('.qv-close');
        if (closeBox) return void P.deliver({type: 'close', window: id});
        var button = e.target.closest('button[data-control]');
        if (button) P.deliver({type: 'press', window: id, control: Number(button.dataset.control)});
      });
      root.addEventListener('change', function(e) {
        var input = e.target;
        if (!input.dataset || input.dataset.control === undefined) return;
        if (input.type === 'checkbox' || (input.type === 'radio' && input.checked))
          P.deliver({type: 'change', window: id, control: Number(input.dataset.control), value: input.checked ? 1 : 0});
      });
      root.addEventListener('pointerdown', function() { P.toFront(root); }, true);
      // The control that had the focus gets it again when the window is activated.
      root.addEventListener('focusin', function(e) { if (e.target !== root) root.lastFocus = e.target; });
      var bar = root.querySelector('.qv-titlebar');
      bar.addEventListener('pointerdown', function(e) {
        if (e.button !== 0 || e.target.closest('.qv-close')) return;
        e.preventDefault();
        var startX = e.clientX, startY = e.clientY, left = root.offsetLeft, top = root.offsetTop;
        bar.setPointerCapture(e.pointerId);
        var move = function(m) {
          root.style.left = Math.round(left + m.clientX - startX) + 'px';
          root.style.top = Math.max(0, Math.round(top + m.clientY - startY)) + 'px';
        };
        var end = function() {
          bar.removeEventListener('pointermove', move);
          bar.removeEventListener('pointerup', end);
          bar.removeEventListener('pointercancel', end);
        };
        bar.addEventListener('pointermove', move);
        bar.addEventListener('pointerup', end);
        bar.addEventListener('pointercancel', end);
      });
    },

    // How many times as large as its own pixels the screen shows a window (a narrow screen scales it).
    scaleOf: function(root) { return root.offsetWidth ? root.getBoundingClientRect().width / root.offsetWidth : 1; },

    iconUrl: function(pixels) { return 'quorvane-' + pixels + '.png'; },

    // Raises a window above every other one shown, unless it is already: WebKit draws the frame
    // after a change of the windows' order some 25 ms later, each time a window is clicked.
    toFront: function(root) {
      var z = Number(root.style.zIndex) || 0;
      var beneath = Array.prototype.some.call(document.querySelectorAll('.qv-window'), function(w) {
        return w !== root && w.style.visibility !== 'hidden' && (Number(w.style.zIndex) || 0) >= z;
      });
      if (beneath) root.style.zIndex = String(++QuorvanePeer.frontmost);
    },

    // Gives the keys to the frontmost window still shown, where its focus was.
    activateFrontmost: function() {
      var best = null;
      document.querySelectorAll('.qv-window').forEach(function(w) {
        if (w.style.visibility !== 'hidden' && !w.classList.contains('qv-message') &&
            (!best || Number(w.style.zIndex) > Number(best.style.zIndex))) best = w;
      });
      if (!best) return;
      var last = best.lastFocus;
      (last && last.isConnected && best.contains(last) && last.offsetParent ? last : best).focus();
    },

    // Whether a caption fits a control as the page draws it, in `font` (CSS).
    fits: function(kind, caption, font, width, height, indicator) {
      var P = QuorvanePeer;
      if (!P.measurer) {
        P.measurer = document.createElement('div');
        P.measurer.className = 'qv-measure';
        P.measurer.setAttribute('aria-hidden', 'true');
        document.body.appendChild(P.measurer);
      }
      var m = P.measurer;
      m.style.font = font;
      m.style.whiteSpace = 'nowrap';
      m.style.width = 'auto';
      m.textContent = kind === 'label' ? caption : caption.replace(/&(.)/g, '$1');
      var line = m.getBoundingClientRect();
      if (kind === 'button') return line.width + 6 <= width && line.height <= height;
      if (kind === 'frame') return line.width + 8 <= width;
      var room = Math.max(1, width - indicator);
      m.style.whiteSpace = 'normal';
      m.style.width = room + 'px';
      var oneLine = m.getBoundingClientRect().height < line.height * 2;
      return m.scrollWidth <= room && (oneLine || m.getBoundingClientRect().height <= height);
    },

    // A caption with its access key underlined ("&Name"; "&&" is a plain "&").
    setCaption: function(node, caption, withAccessKey) {
      node.textContent = '';
      if (!withAccessKey) return void (node.textContent = caption);
      var text = '';
      for (var i = 0; i < caption.length; ++i) {
        if (caption[i] === '&' && i + 1 < caption.length) {
          ++i;
          if (caption[i] !== '&') {
            node.append(text);
            var u = document.createElement('u');
            u.textContent = caption[i];
            node.append(u);
            text = '';
            continue;
          }
        }
        text += caption[i];
      }
      node.append(text);
    },

    // ---- Tables: a real table under its headings in a box that scrolls. The current cell holds
    // the focus while the table has it; the arrow keys, Home, End, Page Up and Page Down move it.
    makeTable: function(columns) {
      var box = document.createElement('div'), table = document.createElement('table');
      box.className = 'qv-table-box';
      table.className = 'qv-table';
      var sum = 0, group = document.createElement('colgroup'), heads = document.createElement('tr');
      columns.forEach(function(c, i) {
        var col = document.createElement('col');
        // The last column takes the rest of the box's width.
        if (i + 1 < columns.length) col.style.width = c.width + 'px';
        group.appendChild(col);
        var th = document.createElement('th');
        th.scope = 'col';
        th.textContent = c.caption;
        if (c.right) th.className = 'qv-right';
        heads.appendChild(th);
        sum += c.width;
      });
      table.style.width = 'max(100%, ' + sum + 'px)';
      table.append(group, document.createElement('thead'), document.createElement('tbody'));
      table.tHead.appendChild(heads);
      table.columns = columns;
      box.appendChild(table);
      table.addEventListener('focus', function(e) {
        var cell = QuorvanePeer.currentCell(table);
        if (e.target === table && cell) cell.focus();
      });
      table.addEventListener('focusin', function(e) {
        var cell = e.target.closest('td');
        if (cell) QuorvanePeer.setCurrentCell(table, cell.parentNode.sectionRowIndex, cell.cellIndex);
      });
      table.addEventListener('keydown', function(e) { QuorvanePeer.moveInTable(table, e); });
      return box;
    },

    setRows: function(table, rows) {
      var P = QuorvanePeer, hadFocus = table.contains(document.activeElement), body = table.tBodies[0];
      body.textContent = '';
      rows.forEach(function(row) {
        var tr = body.insertRow();
        row.forEach(function(text, i) {
          var td = tr.insertCell();
          td.textContent = text;
          td.tabIndex = -1;
          if (table.columns[i] && table.columns[i].right) td.className = 'qv-right';
        });
      });
      // The keyboard starts at the first row.
      table.current = rows.length ? {row: 0, column: 0} : null;
      P.setCurrentCell(table, 0, 0);
      table.parentNode.scrollTop = 0;
      if (hadFocus) (P.currentCell(table) || table).focus();
    },

    currentCell: function(table) {
      var c = table.current, row = c && table.tBodies[0].rows[c.row];
      return row ? row.cells[c.column] : null;
    },

    setCurrentCell: function(table, row, column) {
      var rows = table.tBodies[0].rows;
      if (!rows.length) return;
      row = Math.max(0, Math.min(rows.length - 1, row));
      column = Math.max(0, Math.min(rows[row].cells.length - 1, column));
      var old = table.querySelector('.qv-current');
      if (old) old.classList.remove('qv-current');
      rows[row].classList.add('qv-current');
      table.current = {row: row, column: column};
    },

    moveInTable: function(table, e) {
      var c = table.current, P = QuorvanePeer;
      if (!c || e.altKey) return;
      var rowHeight = table.tBodies[0].rows[0].offsetHeight || 1;
      var page = Math.max(1, Math.floor(table.parentNode.clientHeight / rowHeight) - 2);
      var ctrl = e.ctrlKey || e.metaKey, to = {
        ArrowUp: [c.row - 1, c.column], ArrowDown: [c.row + 1, c.column], ArrowLeft: [c.row, c.column - 1],
        ArrowRight: [c.row, c.column + 1], PageUp: [c.row - page, c.column], PageDown: [c.row + page, c.column],
        Home: [ctrl ? 0 : c.row, 0], End: [ctrl ? Infinity : c.row, Infinity],
      }[e.key];
      if (!to) return;
      e.preventDefault();
      P.setCurrentCell(table, to[0], to[1] === Infinity ? table.columns.length - 1 : to[1]);
      var cell = P.currentCell(table);
      if (cell) cell.focus();
    },

    // ---- The context menu: an in-page popup at a point of a window's client area (CSS pixels).
    // It takes the focus on its first item; the arrow keys, Home and End move in it, Enter or the
    // space bar chooses, Esc or Tab closes it, and so does a click outside it. The choice is
    // reported once the menu has gone.
    popUpMenu: function(id, client, items, x, y) {
      var P = QuorvanePeer, desk = P.desk(), before = document.activeElement;
      P.closeMenu(false);
      var menu = document.createElement('div');
      menu.className = 'qv-menu';
      menu.setAttribute('role', 'menu');
      menu.style.font = client.style.font;
      items.forEach(function(item, i) {
        var entry = document.createElement('div');
        entry.className = 'qv-menuitem';
        entry.setAttribute('role', 'menuitem');
        entry.tabIndex = -1;
        entry.dataset.item = String(i);
        var caption = document.createElement('span');
        caption.textContent = item.caption;
        entry.appendChild(caption);
        // A finger has no keys to show.
        if (item.shortcut && !P.touchMenu) {
          var key = document.createElement('span');
          key.className = 'qv-shortcut';
          key.textContent = item.shortcut;
          key.setAttribute('aria-hidden', 'true');
          entry.appendChild(key);
          entry.setAttribute('aria-keyshortcuts', item.shortcut.replace(/^Ctrl\+/, 'Control+'));
        }
        menu.appendChild(entry);
      });
      desk.appendChild(menu);
      // At its window's scale.
      var root = client.closest('.qv-window'), scale = P.scaleOf(root);
      menu.style.transformOrigin = '0 0';
      menu.style.transform = root.style.transform;
      // At the point, kept within the screen: turned to the point's left or top where it has no
      // room to the right or below, as a popup menu is.
      var area = client.getBoundingClientRect(), screen = desk.getBoundingClientRect();
      var width = menu.offsetWidth * scale, height = menu.offsetHeight * scale;
      var left = area.left - screen.left + desk.scrollLeft + x * scale, top = area.top - screen.top + desk.scrollTop + y * scale;
      if (left + width > desk.scrollLeft + desk.clientWidth) left = Math.max(desk.scrollLeft, left - width);
      if (top + height > desk.scrollTop + desk.clientHeight) top = Math.max(desk.scrollTop, top - height);
      menu.style.left = Math.round(left) + 'px';
      menu.style.top = Math.round(top) + 'px';
      var entries = Array.prototype.slice.call(menu.children);
      var outside = function(e) { if (!menu.contains(e.target)) P.closeMenu(false); };
      // Its window stays the active one meanwhile.
      root.classList.add('qv-menu-open');
      P.menu = {element: menu, before: before, outside: outside, root: root};
      document.addEventListener('pointerdown', outside, true);
      menu.addEventListener('focusout', function(e) { if (!menu.contains(e.relatedTarget)) P.closeMenu(false); });
      menu.addEventListener('mousemove', function(e) {
        var entry = e.target.closest('.qv-menuitem');
        if (entry && entry !== document.activeElement) entry.focus();
      });
      var choose = function(entry) {
        P.closeMenu(true);
        P.deliver({type: 'menu-item', window: id, item: Number(entry.dataset.item)});
      };
      menu.addEventListener('click', function(e) {
        var entry = e.target.closest('.qv-menuitem');
        if (entry) choose(entry);
      });
      // The focus stays on the items.
      menu.addEventListener('mousedown', function(e) { e.preventDefault(); });
      menu.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      menu.addEventListener('keydown', function(e) {
        var at = entries.indexOf(document.activeElement), n = entries.length;
        var to = {ArrowDown: at + 1, ArrowUp: at < 0 ? n - 1 : at - 1, Home: 0, End: n - 1}[e.key];
        e.preventDefault();
        e.stopPropagation();
        if (to !== undefined) entries[(to + n) % n].focus();
        else if ((e.key === 'Enter' || e.key === ' ') && at >= 0) choose(entries[at]);
        else if (e.key === 'Escape' || e.key === 'Tab') P.closeMenu(true);
      });
      if (entries.length) entries[0].focus();
    },

    // Closes the shown menu; `giveBack` gives the focus back to where it was before.
    closeMenu: function(giveBack) {
      var P = QuorvanePeer, shown = P.menu;
      if (!shown) return;
      P.menu = null;
      document.removeEventListener('pointerdown', shown.outside, true);
      shown.element.remove();
      shown.root.classList.remove('qv-menu-open');
      if (giveBack && shown.before && shown.before.isConnected) shown.before.focus();
    },

    // ---- The clipboard: through the asynchronous clipboard, else (no permission, an insecure
    // page) through the copy command of the user's own key or click that is still running.
    copyText: function(text) {
      var byCommand = function() {
        var put = function(e) {
          e.clipboardData.setData('text/plain', text);
          e.preventDefault();
        };
        document.addEventListener('copy', put, true);
        try {
          document.execCommand('copy');
        } finally {
          document.removeEventListener('copy', put, true);
        }
      };
      if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(text).catch(byCommand);
      else byCommand();
    },

    // A file for the player: a download of that name.
    download: function(name, text) {
      var url = URL.createObjectURL(new Blob([text]));
      var link = document.createElement('a');
      link.href = url;
      link.download = name;
      link.click();
      setTimeout(function() { URL.revokeObjectURL(url); }, 60000);
    },

    // A window that the player makes higher or lower by a grip on its lower edge, down to `least`
    // pixels of client area. The program places the controls for each new height; while it is
    // busy the window keeps its height.
    makeSizable: function(root, client, least) {
      var grip = document.createElement('div');
      grip.className = 'qv-grip';
      grip.setAttribute('aria-hidden', 'true');
      root.appendChild(grip);
      grip.addEventListener('pointerdown', function(e) {
        if (e.button !== 0) return;
        e.preventDefault();
        var startY = e.clientY, start = client.offsetHeight, scale = QuorvanePeer.scaleOf(root);
        grip.setPointerCapture(e.pointerId);
        var move = function(m) {
          var height = Math.max(least, Math.round(start + (m.clientY - startY) / scale));
          var resize = {type: 'resize', window: Number(root.dataset.window), height: height};
          if (height !== client.offsetHeight && QuorvanePeer.deliver(resize)) client.style.height = height + 'px';
        };
        var end = function() {
          grip.removeEventListener('pointermove', move);
          grip.removeEventListener('pointerup', end);
          grip.removeEventListener('pointercancel', end);
        };
        grip.addEventListener('pointermove', move);
        grip.addEventListener('pointerup', end);
        grip.addEventListener('pointercancel', end);
      });
    },

    // Runs `work` as a task of its own, after the rendering of the frame being made (a message
    // to itself: a timer of 0 ms may be held back).
    afterFrame: function(work) {
      var P = QuorvanePeer;
      if (!P.frameChannel) {
        P.frameChannel = new MessageChannel();
        P.frameWork = [];
        P.frameChannel.port1.onmessage = function() { P.frameWork.shift()(); };
      }
      P.frameWork.push(work);
      P.frameChannel.port2.postMessage(0);
    },

    takeStop: function(id) {
      var asked = !!QuorvanePeer.stops[id];
      delete QuorvanePeer.stops[id];
      return asked;
    },
  },

  qv_wait_event__deps: ['$QuorvanePeer'],
  qv_wait_event: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      QuorvanePeer.wake = wakeUp;
      QuorvanePeer.mode = 'idle';
      if (!QuorvanePeer.readyAt) QuorvanePeer.readyAt = performance.now();
    });
  },

  qv_wait_frame__deps: ['$QuorvanePeer'],
  qv_wait_frame: function(window) {
    return Asyncify.handleSleep(function(wakeUp) {
      var P = QuorvanePeer;
      P.wake = wakeUp;
      P.mode = 'frame';
      P.yielding = window;
      var resumed = false;
      var go = function() {
        if (resumed) return;
        resumed = true;
        P.yielding = 0;
        P.resume(0);
      };
      // Resumed once the next frame has been rendered, in a task of its own: what the program set
      // before it yielded is in that frame, and its next stretch of work runs while the browser
      // paints and composes the frame instead of holding the frame back (run inside the frame's
      // callback, the work and the drawing follow one another, which WebKit's threaded compositor
      // showed as frame gaps over 100 ms). A page in the background gets no frames: then by time.
      // A page shown whose frame is late waits for it rather than work again before it (up to a
      // second, for a browser that gives a shown page no frames).
      var asked = performance.now();
      requestAnimationFrame(function() { P.afterFrame(go); });
      var late = function() {
        if (resumed) return;
        if (document.hidden || performance.now() - asked >= 1000) go();
        else setTimeout(late, 100);
      };
      setTimeout(late, 100);
    });
  },

  qv_wait_message__deps: ['$QuorvanePeer'],
  qv_wait_message: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      QuorvanePeer.wake = wakeUp;
      QuorvanePeer.mode = 'modal';
    });
  },
};

autoAddDeps(LibraryQuorvanePeer, '$QuorvanePeer');
mergeInto(LibraryManager.library, LibraryQuorvanePeer);
