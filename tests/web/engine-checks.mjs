// What lamino-drive-web's engines promise of any page, tried on pages that
// break the promise on purpose: a request the page makes is refused and
// reported, and reaches no server (the engine's interception, or WebKit's
// refusing proxy), and whatever the page manages to store, the close
// request's check sees.
//   node --test tests/web/engine-checks.mjs   (LAMINO_WEB_ENGINES="firefox webkit" chooses)
import { strict as assert } from "node:assert";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import { pathToFileURL } from "node:url";
import { storedInPage } from "../../tools/drive/web/browser.mjs";
import { engines, openEngine } from "../../tools/drive/web/engines/index.mjs";

const chosen = (process.env.LAMINO_WEB_ENGINES || Object.keys(engines).join(" ")).split(/\s+/).filter(Boolean);
const scratch = mkdtempSync(join(tmpdir(), "lamino-engine-checks-"));
test.after(() => rmSync(scratch, { recursive: true, force: true }));
// No content security policy: the engine alone must keep the requests in.
writeFileSync(join(scratch, "open.html"), "<!DOCTYPE html><meta charset=\"utf-8\"><title>open</title><p>open</p>");
const page = pathToFileURL(join(scratch, "open.html")).href;

// A server on loopback that the page aims at: it must hear nothing.
const heard = [];
const server = createServer((request, response) => {
    heard.push(request.url);
    response.end("leaked");
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
test.after(() => server.close());
const { port } = server.address();

for (const name of chosen) {
    test(`${name}: the page's requests are refused, reported and reach no server`, async (t) => {
        const engine = await openEngine(name, page);
        t.after(() => engine.quit());
        const aims = [`http://127.0.0.1:${port}/image.png`, `http://127.0.0.1:${port}/fetched`, "http://lamino.invalid/image.png"];
        await engine.evaluate((aims) => {
            new Image().src = aims[0];
            fetch(aims[1]).catch(() => {});
            new Image().src = aims[2];
        }, aims);
        for (let i = 0; i < 100 && engine.requests.length < aims.length; i++) {
            await new Promise((resolve) => setTimeout(resolve, 50));
            if (engine.poll) await engine.poll();
        }
        for (const aim of aims) assert.ok(engine.requests.some((r) => r.includes(new URL(aim).host + new URL(aim).pathname)),
            `${aim} not among the refused: ${engine.requests.join(", ")}`);
        assert.deepEqual(heard, []);
    });

    test(`${name}: what the page stores, the close check counts`, async (t) => {
        const engine = await openEngine(name, page);
        t.after(() => engine.quit());
        assert.deepEqual((await engine.evaluate(storedInPage)).filter(([, n]) => n > 0), [], "a fresh profile stores nothing");
        const written = await engine.evaluate(async () => {
            const tries = {
                cookies: () => { document.cookie = "probe=1"; return document.cookie.length > 0; },
                localStorage: () => { localStorage.setItem("probe", "1"); return true; },
                sessionStorage: () => { sessionStorage.setItem("probe", "1"); return true; },
                indexedDB: () => new Promise((resolve, reject) => {
                    const opening = indexedDB.open("probe");
                    opening.onsuccess = () => { opening.result.close(); resolve(true); };
                    opening.onerror = () => reject(opening.error);
                }),
                caches: async () => { await caches.open("probe"); return true; },
            };
            const done = [];
            for (const [what, write] of Object.entries(tries)) {
                try {
                    if (await write()) done.push(what);
                } catch {
                    // missing or refused on file: here
                }
            }
            return done;
        });
        const counted = Object.fromEntries(await engine.evaluate(storedInPage));
        for (const what of written) assert.ok(counted[what] > 0, `${what} was written but counts ${counted[what]}`);
        t.diagnostic(`${name} on file: stores in ${written.join(", ") || "nothing"}`);
    });
}
