// Lamino's site offline: every file of one version, kept in one cache, is
// answered from there first. A new version's worker fetches all of its files
// anew and checks each against its digest before it keeps any, so a cache
// holds one version whole or not at all; it waits until no page of the old
// version is open (the next start), then drops the caches of older versions.
"use strict";

const CACHE = "@CACHE@";
// Each file of the site by its address relative to this worker, with its SHA-256.
const FILES = { /* @FILES@ */ };
const INDEX = new URL("./", self.location).href;

const hex = (buffer) => Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, "0")).join("");

async function fetchChecked(path) {
    const response = await fetch(new Request(path, { cache: "reload" }));
    if (!response.ok) throw new Error(`${path}: HTTP ${response.status}`);
    const digest = hex(await crypto.subtle.digest("SHA-256", await response.clone().arrayBuffer()));
    if (digest !== FILES[path]) throw new Error(`${path} is not the file of ${CACHE}`);
    return response;
}

self.addEventListener("install", (event) => {
    event.waitUntil((async () => {
        const paths = Object.keys(FILES);
        const responses = await Promise.all(paths.map(fetchChecked));
        const cache = await caches.open(CACHE);
        try {
            await Promise.all(paths.map((path, i) => cache.put(path, responses[i])));
        } catch (error) {
            await caches.delete(CACHE);
            throw error;
        }
    })());
});

self.addEventListener("activate", (event) => {
    event.waitUntil((async () => {
        for (const name of await caches.keys()) {
            if (name.startsWith("lamino-") && name !== CACHE) await caches.delete(name);
        }
        await self.clients.claim();
    })());
});

// The folder's own address and index.html are the same page.
function cachedPath(request) {
    const url = new URL(request.url);
    url.search = url.hash = "";
    if (url.href === INDEX + "index.html") return "./";
    if (!url.href.startsWith(INDEX)) return null;
    const path = url.href === INDEX ? "./" : url.href.slice(INDEX.length);
    return Object.prototype.hasOwnProperty.call(FILES, path) ? path : null;
}

self.addEventListener("fetch", (event) => {
    const path = event.request.method === "GET" ? cachedPath(event.request) : null;
    if (!path) return;
    event.respondWith((async () => {
        const cache = await caches.open(CACHE);
        return (await cache.match(path)) || fetch(event.request);
    })());
});
