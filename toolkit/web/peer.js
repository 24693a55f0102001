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
        if (ours && e.type === 'click' && e.target.closest('.qv-close')) P.stops[P.yielding] = true;
        if (ours && e.type === 'keydown' && e.key === 'Escape') P.stops[P.yielding] = true;
        // A window system still moves windows by their title bar while a program is busy.
        if (onTitle && (e.type === 'pointerdown' || e.type === 'mousedown') && !e.target.closest('.qv-close')) return;
      }
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

    // The key as the window layer takes it, or null for keys it has no rule for.
    neutralKey: function(e) {
      var names = {Tab: 0, Enter: 1, Escape: 2, ArrowLeft: 3, ArrowRight: 4, ArrowUp: 5, ArrowDown: 6};
      var key = {key: 7, character: 0, shift: e.shiftKey, control: e.ctrlKey || e.metaKey, alt: e.altKey};
      if (e.key in names) {
        key.key = names[e.key];
      } else {
        var m = /^(?:Key([A-Z])|Digit([0-9])|Numpad([0-9]))$/.exec(e.code || '');
        if (!m) return null;
        key.character = (m[1] || m[2] || m[3]).toLowerCase().charCodeAt(0);
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
        if (!key || key.control) return;
        key.type = 'key';
        key.window = id;
        if (P.deliver(key)) {
          e.preventDefault();
          e.stopPropagation();
        }
      }, true);
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

    iconUrl: function(pixels) { return 'quorvane-' + pixels + '.png'; },

    toFront: function(root) { root.style.zIndex = String(++QuorvanePeer.frontmost); },

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
      // Resumed as the next frame begins: what the program sets until it yields again is on the
      // screen at the end of that frame. A page in the background gets no frames: then by time.
      requestAnimationFrame(go);
      setTimeout(go, 100);
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
