// Keeps the page's files so that it works offline after the first visit. Every request goes to the
// network first (the level table is read afresh at every press), and the copy kept is used only
// when the network does not answer.
const CACHE = 'quorvane-@PROJECT_VERSION@-@QUORVANE_SITE_STAMP@';
const FILES = ['./', 'index.html', 'style.css', 'page.js', 'quorvane.js', 'quorvane.wasm', 'lvl-xp.txt',
               'manifest.webmanifest', 'quorvane-16.png', 'quorvane-32.png', 'quorvane-48.png',
               'quorvane-192.png', 'quorvane-512.png', 'quorvane-maskable-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== CACHE).map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request, {cache: 'no-store'}).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      caches.open(CACHE).then((cache) => cache.put(request, copy));
    }
    return response;
  }).catch(() => caches.match(request, {ignoreSearch: true}).then((kept) => kept || Response.error())));
});
