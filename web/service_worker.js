// Offline play: every file of the edition is kept at the first visit and served from the cache
// afterwards. The build writes in the list of files and a stamp of their contents, so that a new
// build names a new cache and the old one is dropped.
const CACHE = 'fathomer-@BUILD_STAMP@';
const FILES = ['./'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE).then(async (cache) => {
    const kept = await cache.match(event.request);
    if (kept) return kept;
    const response = await fetch(event.request);
    if (response.ok) cache.put(event.request, response.clone());
    return response;
  }));
});
