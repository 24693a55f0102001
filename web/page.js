// The page around the program's windows: the level table the player chose, the start of the
// program, and what the page says when the program ends.
'use strict';

var QuorvanePage = {
  ownTableKey: 'quorvane.own-level-table',

  // The player's own table, kept in the browser: {name, data (base64)}, or null.
  ownTable: function() {
    try {
      var kept = JSON.parse(localStorage.getItem(QuorvanePage.ownTableKey) || 'null');
      return kept && typeof kept.name === 'string' && typeof kept.data === 'string' ? kept : null;
    } catch (e) {
      return null;
    }
  },

  // The table a press reads: {name, bytes}, bytes null when there is none to read.
  levelTable: async function() {
    var own = QuorvanePage.ownTable();
    if (own) {
      var text = atob(own.data), bytes = new Uint8Array(text.length);
      for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
      return {name: QuorvanePage.fileName(own.name), bytes: bytes};
    }
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

  choose: function(file) {
    var reader = new FileReader();
    reader.onload = function() {
      var bytes = new Uint8Array(reader.result), text = '';
      for (var i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
      try {
        localStorage.setItem(QuorvanePage.ownTableKey, JSON.stringify({name: file.name, data: btoa(text)}));
      } catch (e) {
        QuorvanePage.showTable('The browser could not keep ' + file.name + ' (it is too large); Calculate still reads lvl-xp.txt.');
        return;
      }
      QuorvanePage.showTable();
    };
    reader.readAsArrayBuffer(file);
  },

  useShipped: function() {
    localStorage.removeItem(QuorvanePage.ownTableKey);
    QuorvanePage.showTable();
  },

  showTable: function(note) {
    var own = QuorvanePage.ownTable();
    document.getElementById('table-status').textContent = note ||
        (own ? 'Calculate reads your own table, ' + QuorvanePage.fileName(own.name) + ', kept in this browser.'
             : 'Calculate reads lvl-xp.txt, beside this page.');
    document.getElementById('table-shipped').hidden = !own;
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
  if ('serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(function() {});
});
