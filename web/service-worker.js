// Gorvath's service worker: it keeps every file of the page's build, so that
// after one visit the game plays with no network at all. scripts/web-offline.sh
// writes the build into the line below, as each file's name and the SHA-256 of
// its content, and the build's version made from them all and from this
// worker's own code: a build's version changes with anything that changes.
// A new build on the server is a new worker. It fetches the whole build
// afresh and checks every file against its digest, so that a build half
// deployed is never kept, and only then takes the old one's place, whole, for
// the next visit: never an old gorvath.js beside a new gorvath.wasm.
"use strict";
const build = { version: "unbuilt", files: {} };
const kept = "gorvath-" + build.version;

async function digest(buffer) {
    const bytes = new Uint8Array(await crypto.subtle.digest("SHA-256", buffer));
    return Array.from(bytes, byte => byte.toString(16).padStart(2, "0")).join("");
}

// The build is fetched into a cache of its own and checked there; only when
// every file is whole is it copied to the kept build's name. A failed install
// (a network drop, a file on the server that is not this build's) throws that
// away and touches no kept build, least of all the one the game plays from.
async function keepBuild() {
    const incoming = "incoming-" + build.version;
    const existed = await caches.has(kept);
    await caches.delete(incoming);
    const fetched = await caches.open(incoming);
    try {
        for (const [name, sum] of Object.entries(build.files)) {
            const response = await fetch(name, { cache: "no-store" });
            if (!response.ok || await digest(await response.clone().arrayBuffer()) !== sum) {
                throw new Error(`${name} on the server is not this build's`);
            }
            await fetched.put(name, response);
        }
        const whole = await caches.open(kept);
        for (const name of Object.keys(build.files)) {
            await whole.put(name, await fetched.match(name));
        }
    } catch (error) {
        if (!existed) {
            await caches.delete(kept);
        }
        throw error;
    } finally {
        await caches.delete(incoming);
    }
    await self.skipWaiting();
}

// The builds kept before this one go once this one is whole.
async function forgetOlderBuilds() {
    for (const name of await caches.keys()) {
        if (name.startsWith("gorvath-") && name !== kept) {
            await caches.delete(name);
        }
    }
    await self.clients.claim();
}

// A file of the build, from the kept build; anything else from the network.
function answer(request) {
    const url = new URL(request.url);
    const scope = new URL(self.registration.scope);
    if (request.method !== "GET" || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) {
        return null;
    }
    const name = url.pathname.slice(scope.pathname.length) || "index.html";
    if (!(name in build.files)) {
        return null;
    }
    return caches.open(kept).then(cache => cache.match(name)).then(found => found || fetch(request));
}

self.addEventListener("install", event => event.waitUntil(keepBuild()));
self.addEventListener("activate", event => event.waitUntil(forgetOlderBuilds()));
self.addEventListener("fetch", event => {
    const response = answer(event.request);
    if (response) {
        event.respondWith(response);
    }
});
