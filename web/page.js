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
    reader.onerror = function() { QuorvanePage.notKept(name, 'the browser could not read it'); };
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
    document.getElementById('table-status').textContent = QuorvanePage.tableNote ? QuorvanePage.tableNote.text :
        own ? 'Calculate reads your own table, ' + QuorvanePage.fileName(own.name) + ', kept in this browser.'
            : 'Calculate reads lvl-xp.txt, beside this page.';
    document.getElementById('table-shipped').hidden = !own;
    return kept;
  },

  ended: function(status, failure) {
    var note = document.getElementById('page-note');
    note.textContent = failure ? 'Quorvane stopped: ' + failure : 'Quorvane has ended. ';
    var again = document.createElement('button');
    again.type = 'button';
    again.className = 'page-button';
    again.textContent = 'Start Quorvane again';
    again.addEventListener('click', function() { location.reload(); });
    note.appendChild(again);
    note.hidden = false;
    again.focus();
  },
};

var Module = {
  onRuntimeInitialized: function() { document.getElementById('page-note').hidden = true; },
  print: function(text) { console.log(text); },
  printErr: function(text) { console.warn(text); },
};

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
