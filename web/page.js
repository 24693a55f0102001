// The page around the program's windows: the level table the player chose, the start of the
// program, and what the page says when the program ends.
'use strict';

var QuorvanePage = {
  ownTableKey: 'quorvane.own-level-table',
  // The largest file kept as the player's own table: far more than any level table needs, and
  // within what every browser keeps for a page.
  largestOwnTable: 1024 * 1024,
  tableNote: null,  // {text, kept}: a line shown while what the browser keeps is still `kept`

  // What the browser keeps of the player's own table (a JSON text), or null; null too where
  // the browser keeps nothing for this page (its storage blocked).
  kept: function() {
    try {
      return localStorage.getItem(QuorvanePage.ownTableKey);
    } catch (e) {
      return null;
    }
  },

  // The player's own table in what the browser keeps: {name, bytes}, or null.
  ownTable: function(kept) {
    try {
      var own = JSON.parse(kept || 'null');
      if (!own || typeof own.name !== 'string' || typeof own.data !== 'string') return null;
      var text = atob(own.data), bytes = new Uint8Array(text.length);
      for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
      return {name: own.name, bytes: bytes};
    } catch (e) {
      return null;
    }
  },

  // The table a press reads: {name, bytes}, bytes null when there is none to read.
  levelTable: async function() {
    var own = QuorvanePage.ownTable(QuorvanePage.showTable());
    if (own) return {name: QuorvanePage.fileName(own.name), bytes: own.bytes};
    try {
      var response = await fetch('lvl-xp.txt', {cache: 'no-store'});
      if (!response.ok) return {name: 'lvl-xp.txt', bytes: null};
      return {name: 'lvl-xp.txt', bytes: new Uint8Array(await response.arrayBuffer())};
    } catch (e) {
      return {name: 'lvl-xp.txt', bytes: null};
    }
  },

  // A chosen file's name as the program's messages name it (one name, no folder).
  fileName: function(name) {
    name = String(name).replace(/[\/\\]/g, '_');
    return name === '' || name === '.' || name === '..' ? 'table.txt' : name;
  },

  // Keeps the chosen file in place of any earlier one; a file the browser does not keep leaves
  // the shipped table in use, and the line says why.
  choose: function(file) {
    var name = QuorvanePage.fileName(file.name);
    QuorvanePage.forget();
    if (file.size > QuorvanePage.largestOwnTable) return QuorvanePage.notKept(name, 'it is too large: over 1 MB');
    var reader = new FileReader();
    reader.onerror = function() { QuorvanePage.notKept(name, 'it could not be read'); };
    reader.onload = function() {
      var bytes = new Uint8Array(reader.result), text = '';
      for (var i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
      try {
        localStorage.setItem(QuorvanePage.ownTableKey, JSON.stringify({name: file.name, data: btoa(text)}));
      } catch (e) {
        QuorvanePage.forget();
        return QuorvanePage.notKept(name, QuorvanePage.storageProblem(e));
      }
      QuorvanePage.showTable();
    };
    reader.readAsArrayBuffer(file);
  },

  storageProblem: function(e) {
    if (e.name === 'QuotaExceededError' || e.name === 'NS_ERROR_DOM_QUOTA_REACHED')
      return 'the storage the browser gives this page is full';
    if (e.name === 'SecurityError') return 'the browser\'s settings block this page from keeping files';
    return String(e.name || e);
  },

  notKept: function(name, why) {
    QuorvanePage.showTable('The browser could not keep ' + name + ' (' + why + '); Calculate reads lvl-xp.txt, beside this page.');
  },

  forget: function() {
    try {
      localStorage.removeItem(QuorvanePage.ownTableKey);
    } catch (e) {
      // Nothing is kept where the storage is blocked.
    }
  },

  useShipped: function() {
    QuorvanePage.forget();
    QuorvanePage.showTable();
  },

  // The line names the table the next press reads, also after another tab changed it: a note
  // stays while what the browser keeps is what it was when the note was shown. Gives what is kept.
  showTable: function(note) {
    var kept = QuorvanePage.kept(), own = QuorvanePage.ownTable(kept);
    if (note) QuorvanePage.tableNote = {text: note, kept: kept};
    else if (QuorvanePage.tableNote && QuorvanePage.tableNote.kept !== kept) QuorvanePage.tableNote = null;
    var line = QuorvanePage.tableNote ? QuorvanePage.tableNote.text :
        own ? 'Calculate reads your own table, ' + QuorvanePage.fileName(own.name) + ', kept in this browser.'
            : 'Calculate reads lvl-xp.txt, beside this page.';
    // Written only when it changes: a screen reader reads the line out at each change.
    var status = document.getElementById('table-status');
    if (status.textContent !== line) status.textContent = line;
    document.getElementById('table-shipped').hidden = !own;
    return kept;
  },

  // Shows a line about the run in place of the windows, with a button that loads the page again.
  say: function(text, button) {
    var note = document.getElementById('page-note');
    note.textContent = text + ' ';
    var again = document.createElement('button');
    again.type = 'button';
    again.className = 'page-button';
    again.textContent = button;
    again.addEventListener('click', function() { location.reload(); });
    note.appendChild(again);
    note.hidden = false;
    again.focus();
  },

  ended: function(status, failure) {
    QuorvanePage.say(failure ? 'Quorvane stopped: ' + failure : 'Quorvane has ended.', 'Start Quorvane again');
  },

  started: false,  // the program's runtime is up (then a failure ends the run)
  failed: false,   // the start failed: the first reason is the one shown

  startFailed: function(why) {
    if (QuorvanePage.started || QuorvanePage.failed) return;
    QuorvanePage.failed = true;
    QuorvanePage.say('Quorvane cannot start: ' + why, 'Try again');
  },

  // A file of the program that did not come, from the server's answer (null: there was none).
  notLoaded: function(name, response) {
    if (location.protocol === 'file:') {
      return QuorvanePage.startFailed('the browser does not let a page opened from the disk load ' + name +
          '. Open it from a web server instead: for example, run "python3 -m http.server" in its folder and open http://localhost:8000/.');
    }
    if (!response)
      return QuorvanePage.startFailed(name + ' did not come: the server did not answer. Check the connection, then try again.');
    if (response.status === 404 || response.status === 410) {
      return QuorvanePage.startFailed(name + ' is missing on the server (it answered ' + response.status + '). Try again; if it is ' +
          'still missing, the copy of Quorvane on this server is incomplete: whoever runs the site needs to copy all of its files again.');
    }
    QuorvanePage.startFailed('the server answered ' + (response.status + ' ' + response.statusText).trim() + ' for ' + name +
                             '. Wait a little, then try again.');
  },

  // Loads the program, unless the browser cannot run it.
  start: function() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
      return QuorvanePage.startFailed('this browser does not run WebAssembly, which Quorvane is made of. It may be turned off in ' +
          'its settings, or by whoever looks after this computer: turn it on, or open this page in another browser.');
    }
    var stopped = function(event) {
      var why = event.reason !== undefined ? event.reason : event.error !== undefined ? event.error : event.message;
      QuorvanePage.startFailed('it stopped at an error (' + why + '). Try again; if it happens again, open this page in another browser.');
    };
    window.addEventListener('error', stopped);
    window.addEventListener('unhandledrejection', stopped);
    var program = document.createElement('script');
    program.src = 'quorvane.js';
    program.onerror = function() {
      fetch('quorvane.js', {cache: 'no-store'}).then(function(response) {
        if (response.ok) QuorvanePage.startFailed('the browser did not run quorvane.js. Try again.');
        else QuorvanePage.notLoaded('quorvane.js', response);
      }, function() { QuorvanePage.notLoaded('quorvane.js', null); });
    };
    document.body.appendChild(program);
    setTimeout(function() {
      if (QuorvanePage.started || QuorvanePage.failed) return;
      QuorvanePage.say('Quorvane is taking long to load: the server may be slow or not answering. Wait, or try again.', 'Try again');
    }, 20000);
  },

  // Fetches and starts quorvane.wasm for the program (its instantiateWasm), saying why it cannot.
  instantiate: function(imports, receive) {
    var name = 'quorvane.wasm';
    fetch(name, {credentials: 'same-origin'}).then(function(response) {
      if (!response.ok) return QuorvanePage.notLoaded(name, response);
      var streamed = typeof WebAssembly.instantiateStreaming === 'function' &&
                     /^application\/wasm\b/.test(response.headers.get('Content-Type') || '');
      return (streamed ? WebAssembly.instantiateStreaming(response, imports) : response.arrayBuffer().then(function(bytes) {
        return WebAssembly.instantiate(bytes, imports);
      })).then(function(result) { receive(result.instance, result.module); }, function(e) {
        QuorvanePage.startFailed(name + ' does not start (' + e + '): it may be damaged, or not of the same version as quorvane.js. ' +
                                 'Try again; if it happens again, whoever runs the site needs to copy all of its files again.');
      });
    }, function() { QuorvanePage.notLoaded(name, null); });
  },
};

var Module = {
  onRuntimeInitialized: function() {
    QuorvanePage.started = true;
    document.getElementById('page-note').hidden = true;
  },
  onAbort: function(what) {
    if (QuorvanePage.started) QuorvanePage.ended(1, String(what));
    else QuorvanePage.startFailed('it stopped (' + what + '). Try again; if it happens again, open this page in another browser.');
  },
  instantiateWasm: function(imports, receive) {
    QuorvanePage.instantiate(imports, receive);
    return {};
  },
  print: function(text) { console.log(text); },
  printErr: function(text) { console.warn(text); },
};

QuorvanePage.start();

document.addEventListener('DOMContentLoaded', function() {
  var file = document.getElementById('table-file');
  file.addEventListener('change', function() {
    if (file.files.length) QuorvanePage.choose(file.files[0]);
    file.value = '';
  });
  document.getElementById('table-shipped').addEventListener('click', QuorvanePage.useShipped);
  QuorvanePage.showTable();
  // Another tab may have chosen or dropped a table.
  window.addEventListener('storage', function(event) {
    if (event.key === QuorvanePage.ownTableKey || event.key === null) QuorvanePage.showTable();
  });
  window.addEventListener('focus', function() { QuorvanePage.showTable(); });
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(function() {});
});
