// The site as a phone meets it: its folder served over HTTP on loopback (a
// secure context, as HTTPS is), visited once, then started again with the
// server stopped, from what the site's worker kept.
import { spawn } from "node:child_process";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { createInterface } from "node:readline";

// The files the site's worker keeps, as it names them ("./" is index.html).
export function siteFiles(folder) {
    const worker = readFileSync(join(folder, "service-worker.js"), "utf8");
    return Object.keys(JSON.parse(/^const FILES = (\{[^}]*\});$/m.exec(worker)[1]));
}

// Serves `folder` on a free loopback port; resolves { origin, stop }.
export async function serveFolder(folder) {
    const server = spawn("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", folder],
        { stdio: ["ignore", "pipe", "ignore"] });
    const stopped = new Promise((resolve) => server.on("exit", resolve));
    const lines = createInterface({ input: server.stdout });
    for await (const line of lines) {
        const port = /port (\d+)/.exec(line);
        if (port) {
            const stop = async () => {
                server.kill();
                await stopped;
            };
            return { origin: `http://127.0.0.1:${port[1]}`, stop };
        }
    }
    throw new Error("python3 -m http.server did not start");
}

// Resolves once the site's worker is active and controls the page, its files kept.
export const workerControls = async () => {
    const registration = await navigator.serviceWorker.ready;
    for (let i = 0; !navigator.serviceWorker.controller; i++) {
        if (i > 500) throw new Error("the worker does not control the page");
        await new Promise((done) => setTimeout(done, 20));
    }
    return registration.active.scriptURL;
};

// With the site visited in `browser`, waits for its worker to control the
// page, stops the server (`stop`) and reloads the page; `reloaded` resolves
// once the new page has started (window.laminoBeforeReload marks the old).
export async function goOffline(browser, stop, reloaded) {
    await browser.evaluate(workerControls);
    await stop();
    await browser.evaluate(() => {
        window.laminoBeforeReload = true;
        setTimeout(() => location.reload(), 0);
    });
    await reloaded();
    if (!(await browser.evaluate(() => !!navigator.serviceWorker.controller))) throw new Error("the reloaded page has no worker");
}
