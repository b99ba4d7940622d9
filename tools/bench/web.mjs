// The browser build's performance, in one run: the file's size, then in
// Debian's headless Chromium and in Chromium 83 (npm's headless build), each
// at full speed and with the CPU slowed six times (the DevTools protocol's
// CPU throttling), next to a page of plain HTML with as many fields and no
// script (the floor):
// - start-up from opening the file to the first painted frame
//   (first-contentful-paint), the median of RUNS loads;
// - keystroke latency, from the key event to the page's handling done (for
//   Lamino the module's work, every changed field written) and to the end of
//   the next frame, which shows it, over KEYSTROKES keys per page.
// Given the site's folder too, in today's Chromium: the site's first start
// (served on loopback, nothing kept yet) and its start from the worker's
// cache (the server stopped), beside the one-file page from disk.
//   node tools/bench/web.mjs LAMINO.html [RUNS] [KEYSTROKES] [SITE]
import { mkdtempSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { openEngine } from "../drive/web/engines/index.mjs";
import { serveFolder, workerControls } from "../drive/web/site.mjs";

const [html, runs = "11", keystrokes = "500", site] = process.argv.slice(2);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percentile = (values, p) => [...values].sort((a, b) => a - b)[Math.min(values.length - 1, Math.floor(values.length * p))];
const ms = (value, digits = 1) => `${value.toFixed(digits)} ms`;

// As many fields, labels and tabs as Lamino's window, with no script at all.
const scratch = mkdtempSync(join(tmpdir(), "lamino-floor-"));
const floor = pathToFileURL(join(scratch, "floor.html")).href;
writeFileSync(join(scratch, "floor.html"), `<!DOCTYPE html><html lang="zh-CN"><meta charset="utf-8"><title>floor</title><body>
${["单位换算", "V-CUT削铜", "金手指倒角", "沉头孔"].map((t) => `<button>${t}</button>`).join("")}
${Array.from({ length: 40 }, (_, i) => `<label>字段 ${i}<input id="f${i}" value="${i}"></label>`).join("\n")}</body></html>`);
const lamino = pathToFileURL(resolve(html)).href;

// The median first painted frame of RUNS loads of `url`, after one that
// warms the disk cache; `before` runs ahead of each load.
async function firstPaint(engine, url, throttle, before = async () => {}) {
    const times = [];
    for (let i = 0; i < Number(runs) + 1; i++) {
        await before();
        await engine.page.goto(url);
        const fcp = await engine.page.evaluate(() => new Promise((done) => {
            const seen = () => performance.getEntriesByName("first-contentful-paint")[0];
            const wait = () => (seen() ? done(seen().startTime) : setTimeout(wait, 5));
            wait();
        }));
        if (i > 0) times.push(fcp);
        await throttle();
    }
    return median(times);
}

// Each key's time from its event to the end of its handling (after the
// field's own listeners), and to the first frame painted after it.
function listenToKeys() {
    window.benchTimes = [];
    let start = 0;
    document.addEventListener("keydown", () => { start = performance.now(); }, true);
    document.addEventListener("input", () => {
        const handled = performance.now() - start;
        requestAnimationFrame(() => {
            const channel = new MessageChannel();
            channel.port1.onmessage = () => window.benchTimes.push([handled, performance.now() - start]);
            channel.port2.postMessage(0);
        });
    });
}

async function typeInto(page, focus, ...args) {
    await page.evaluate(focus, ...args);
    await page.evaluate(() => { window.benchTimes = []; });
    for (let i = 0; i < Number(keystrokes); i++) {
        await page.keyboard.press(i % 12 < 6 ? String((i % 9) + 1) : "Backspace");
        await page.waitForFunction((n) => window.benchTimes.length >= n, { polling: "raf" }, i + 1);
    }
    const times = await page.evaluate(() => window.benchTimes);
    return { handled: times.map((t) => t[0]), painted: times.map((t) => t[1]) };
}

const latencyRow = (name, { handled, painted }) => `  ${name.padEnd(26)} ${ms(median(handled), 2).padStart(9)} ${ms(percentile(handled, 0.99), 2).padStart(9)}` +
    `   ${ms(median(painted)).padStart(8)} ${ms(percentile(painted, 0.99)).padStart(8)}`;

const pages = [["converter, length (inch)", 0, 1007], ["V-cut (B)", 1, 1021], ["gold finger (L)", 2, 1027], ["countersink (B)", 3, 1036]];

console.log(`file size: ${statSync(html).size} bytes; ${runs} loads and ${keystrokes} keystrokes a page each`);
for (const name of ["chromium", "chromium83"]) {
    const engine = await openEngine(name, floor);
    const version = await engine.browser.version();
    for (const rate of [1, 6]) {
        const throttle = () => engine.cdp.send("Emulation.setCPUThrottlingRate", { rate });
        await throttle();
        const what = `${version}${rate > 1 ? `, CPU slowed ${rate}x` : ""}`;
        const laminoPaint = await firstPaint(engine, lamino, throttle);
        const floorPaint = await firstPaint(engine, floor, throttle);
        console.log(`\n${what}\n  first painted frame: Lamino ${ms(laminoPaint)}, floor ${ms(floorPaint)}, ratio ${(laminoPaint / floorPaint).toFixed(2)}`);
        console.log("  keystroke latency          handled: median    p99     painted: median    p99");

        await engine.page.goto(floor);
        await throttle();
        await engine.page.evaluate(listenToKeys);
        const plain = await typeInto(engine.page, () => document.getElementById("f7").focus());
        console.log(latencyRow("floor (a plain field)", plain));

        await engine.page.goto(lamino);
        await throttle();
        await engine.page.waitForFunction(() => window.laminoAutomation && window.laminoAutomation.started
            && document.querySelector(".window.main:not([hidden])"), { timeout: 60000 });
        await engine.page.evaluate(listenToKeys);
        const all = { handled: [], painted: [] };
        for (const [label, tab, id] of pages) {
            const times = await typeInto(engine.page, (tab, id) => {
                document.querySelectorAll(".window.main [role=tab]")[tab].click();
                document.querySelector(`.page:not([hidden]) [data-control-id="${id}"]`).focus();
            }, tab, id);
            console.log(latencyRow(label, times));
            all.handled.push(...times.handled);
            all.painted.push(...times.painted);
        }
        console.log(`  ratio to the floor, medians: handled ${(median(all.handled) / median(plain.handled)).toFixed(2)},` +
            ` painted ${(median(all.painted) / median(plain.painted)).toFixed(2)}`);
    }
    await engine.quit();
}

if (site) {
    const server = await serveFolder(resolve(site));
    const engine = await openEngine("chromium", floor, { site: server.origin });
    const origin = server.origin + "/";
    const throttle = async () => {};
    const file = await firstPaint(engine, lamino, throttle);
    // Each first start with nothing of the site kept: no worker, no cache, no HTTP cache.
    const forget = async () => {
        await engine.page.goto("about:blank");
        await engine.cdp.send("Storage.clearDataForOrigin", { origin: server.origin, storageTypes: "all" });
        await engine.cdp.send("Network.clearBrowserCache");
    };
    const first = await firstPaint(engine, origin, throttle, forget);
    await forget();
    await engine.page.goto(origin);
    if (await engine.page.evaluate(() => !!navigator.serviceWorker.controller)) throw new Error("the site's worker outlived clearing its data");
    await engine.page.evaluate(workerControls);
    await server.stop();
    const cached = await firstPaint(engine, origin, throttle);
    console.log(`
the site in ${await engine.browser.version()}, first painted frame (medians of ${runs}):`);
    console.log(`  the one-file page from disk      ${ms(file).padStart(9)}`);
    console.log(`  the site's first start           ${ms(first).padStart(9)}   ratio to the file ${(first / file).toFixed(2)}`);
    console.log(`  the site from the worker's cache ${ms(cached).padStart(9)}   ratio to the file ${(cached / file).toFixed(2)}`);
    await engine.quit();
}
rmSync(scratch, { recursive: true, force: true });
