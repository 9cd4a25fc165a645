// Keeps the site for playing with no network. Each build has a cache of its own, named after it and
// filled whole before the build takes over; the music joins it as each track first plays. A new
// build waits until the page starts again, then replaces the old cache entirely, so the page and
// its files always come from one build.
'use strict';
var BUILD = '@BUILD@';
// The files every start needs: [name, bytes, SHA-256].
var FILES = @FILES@;
var CACHE = 'pakaponta-' + BUILD;

function hex(buffer) {
  return Array.prototype.map.call(new Uint8Array(buffer), function (b) { return (b + 256).toString(16).slice(1); }).join('');
}

// The file as this build made it. The page has just fetched it: asking the server whether it
// changed costs a few bytes, not the file again.
function fetchExactly(file) {
  return fetch(file[0], { cache: 'no-cache' }).then(function (response) {
    if (!response.ok) throw new Error(file[0] + ': HTTP ' + response.status);
    return response.arrayBuffer().then(function (body) {
      return crypto.subtle.digest('SHA-256', body).then(function (digest) {
        // A file of another build, met while the site is being replaced, spoils this one.
        if (body.byteLength !== file[1] || hex(digest) !== file[2]) throw new Error(file[0] + ' is not of build ' + BUILD);
        return new Response(body, { headers: { 'Content-Type': response.headers.get('Content-Type') || '' } });
      });
    });
  });
}

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return Promise.all(FILES.map(function (file) {
      return fetchExactly(file).then(function (response) { return cache.put(file[0], response); });
    }));
  }).catch(function (error) {
    return caches.delete(CACHE).then(function () { throw error; });
  }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('pakaponta-') === 0 && name !== CACHE;
    }).map(function (name) { return caches.delete(name); }));
  }));
});

self.addEventListener('message', function (event) {
  if (event.data === 'activate') self.skipWaiting();
});

// The site's file a request names: the page for its folder, whatever the query.
function siteFile(url) {
  var scope = new URL(self.registration.scope);
  if (url.origin !== scope.origin || url.pathname.indexOf(scope.pathname) !== 0) return null;
  var name = url.pathname.slice(scope.pathname.length);
  return name === '' || /\/$/.test(name) ? name + 'index.html' : name;
}

self.addEventListener('fetch', function (event) {
  if (event.request.method !== 'GET') return;
  var name = siteFile(new URL(event.request.url));
  if (name === null) return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return cache.match(name).then(function (kept) {
      if (kept) return kept;
      if (name.indexOf('music/') !== 0) return fetch(event.request);
      // A track is fetched whole, whatever part the player asked for, and kept.
      return fetch(name).then(function (response) {
        if (response.status === 200) cache.put(name, response.clone());
        return response;
      });
    });
  }));
});
