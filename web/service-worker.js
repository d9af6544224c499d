// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's service worker on a school's site. The first visit keeps the
// site's few files in a cache; from then on the page is answered from there,
// with or without a network. Each build has its own cache, named by a hash
// of its files, so that a pupil never gets half of one build and half of
// another: the browser finds a newer build when this file changes, installs
// it beside the old one, and the newer one deletes the older caches. The
// name also says the version, for whoever looks into a browser's storage.

const PREFIX = `trezolin ${self.registration.scope} `;
const CACHE = `${PREFIX}@VERSION@ @BUILD@`;
const FILES = @FILES@;

self.addEventListener("install", (event) => {
  event.waitUntil(
    caches.open(CACHE)
      // Past the browser's HTTP cache, so that the new build is what is kept.
      .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: "reload" }))))
      // The page is one file that fetches nothing once open: the new build
      // can take over at once, its page shows at the next opening.
      .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys()
      // Only this copy's own older caches: the site may hold other programs.
      .then((names) => Promise.all(names.filter((name) => name.startsWith(PREFIX) && name !== CACHE)
        .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(
    caches.open(CACHE)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((kept) => kept || fetch(event.request)));
});
