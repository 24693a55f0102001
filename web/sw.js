// Keeps the page's files so that it works offline after the first visit. Every request goes to the
// network first (the level table is read afresh at every press); the copy kept is used when the
// network or the server fails: no answer, no answer within a few seconds, or a server error. A
// file the server says it does not have (404) is taken from the copy too, but for the level table:
// a table removed on the server is missing, and the press names it.
const CACHE = 'quorvane-@PROJECT_VERSION@-@QUORVANE_SITE_STAMP@';
const FILES = ['./', 'index.html', 'style.css', 'page.js', 'quorvane.js', 'quorvane.wasm', 'lvl-xp.txt',
               'manifest.webmanifest', 'quorvane-16.png', 'quorvane-32.png', 'quorvane-48.png',
               'quorvane-192.png', 'quorvane-512.png', 'quorvane-maskable-512.png'];
// How long the server has to begin its answer before the copy is used, and how long after such a
// failure the copies are used at once (the server still asked, to keep them fresh).
const PATIENCE_MS = 3000;
const TROUBLE_MS = 30000;
let troubleUntil = 0;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== CACHE).map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});

// Whether an answer of the server is one that the kept copy replaces.
function failed(response, url) {
  return response.status >= 500 || (response.status === 404 && !url.pathname.endsWith('/lvl-xp.txt'));
}

self.addEventListener('fetch', (event) => {
  const request = event.request, url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  const kept = () => caches.match(request, {ignoreSearch: true});
  const network = fetch(request, {cache: 'no-store'}).then((response) => {
    if (response.ok) {
      troubleUntil = 0;
      const copy = response.clone();
      caches.open(CACHE).then((cache) => cache.put(request, copy));
    } else if (failed(response, url)) {
      troubleUntil = Date.now() + TROUBLE_MS;
    }
    return response;
  }, (error) => {
    troubleUntil = Date.now() + TROUBLE_MS;
    throw error;
  });
  event.respondWith(new Promise((answer) => {
    // Without a copy, the server's answer is awaited however long it takes.
    const timer = setTimeout(() => kept().then((copy) => {
      if (copy) troubleUntil = Date.now() + TROUBLE_MS, answer(copy);
    }), Date.now() < troubleUntil ? 0 : PATIENCE_MS);
    network.then((response) => {
      clearTimeout(timer);
      if (!failed(response, url)) return answer(response);
      return kept().then((copy) => answer(copy || response));
    }, () => {
      clearTimeout(timer);
      return kept().then((copy) => answer(copy || Response.error()));
    });
  }));
});
