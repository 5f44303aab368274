// The page's service worker: keeps the game, its files and its music in a
// cache named for the build (scripts/web.sh writes the version and the list
// below), so that after a first visit the game loads and plays with no
// connection. A new build installs beside the old, takes over, and drops
// the old build's cache. Music is kept whole, once the player starts to
// play (the page says so) or when a track is first asked for, and served in
// the pieces an audio element asks for.
'use strict';

const version = '@VERSION@';
const cacheName = 'tether-' + version;
const core = [@CORE@];
const music = [@MUSIC@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(core))
    .then(() => self.skipWaiting()));
});

// Once the player has started to play, every track is kept, whichever the
// levels choose next.
async function keepMusic() {
  const cache = await caches.open(cacheName);
  for (const track of music) {
    if (!(await cache.match(track))) {
      const response = await fetch(track).catch(() => null);
      if (response && response.status === 200)
        await cache.put(track, response);
    }
  }
}

self.addEventListener('message', (event) => {
  if (event.data === 'keep-music')
    event.waitUntil(keepMusic());
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith('tether-') && name !== cacheName)
    .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The piece of a whole response that a Range header asks for.
async function piece(whole, range) {
  const match = /^bytes=(\d*)-(\d*)$/.exec(range || '');
  if (!match)
    return whole;
  const body = await whole.arrayBuffer();
  const size = body.byteLength;
  let start = match[1] === '' ? size - Number(match[2]) : Number(match[1]);
  let end = match[1] === '' || match[2] === '' ? size - 1 : Math.min(Number(match[2]), size - 1);
  start = Math.max(0, start);
  if (start >= size || end < start)
    return new Response(null, {status: 416, headers: {'Content-Range': `bytes */${size}`}});
  return new Response(body.slice(start, end + 1), {status: 206, headers: {
    'Content-Type': whole.headers.get('Content-Type') || 'application/octet-stream',
    'Content-Range': `bytes ${start}-${end}/${size}`,
    'Content-Length': String(end - start + 1)}});
}

async function answer(request) {
  const cache = await caches.open(cacheName);
  const url = new URL(request.url);
  // Every page address (?replay=...) is the one page.
  const key = request.mode === 'navigate' ? new Request(new URL('./', url)) : new Request(url);
  let whole = await cache.match(key);
  if (!whole) {
    try {
      whole = await fetch(key);
    } catch (e) {
      return Response.error();
    }
    if (whole.status === 200)
      await cache.put(key, whole.clone());
  }
  return request.headers.get('range') ? piece(whole, request.headers.get('range')) : whole;
}

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== self.location.origin)
    return;
  event.respondWith(answer(event.request));
});
