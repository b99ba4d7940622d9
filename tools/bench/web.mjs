// The browser build's performance in Debian's headless Chromium, in one run:
// the file's size; start-up from opening the file to the first painted frame
// (first-contentful-paint), next to a page of plain HTML with as many fields
// (the floor), each the median of RUNS loads; and keystroke latency on each
// page, from the key event to the module's work done (every changed field
// written) and to the end of the next frame, which shows them.
//   node tools/bench/web.mjs LAMINO.html [RUNS] [KEYSTROKES]
import { statSync, writeFileSync, mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { openLamino } from "../drive/web/browser.mjs";

const [html, runs = "11", keystrokes = "2000"] = process.argv.slice(2);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percentile = (values, p) => [...values].sort((a, b) => a - b)[Math.min(values.length - 1, Math.floor(values.length * p))];

// As many fields, labels and tabs as Lamino's window, with no script at all.
const floor = join(mkdtempSync(join(tmpdir(), "lamino-floor-")), "floor.html");
writeFileSync(floor, `<!DOCTYPE html><html lang="zh-CN"><meta charset="utf-8"><title>floor</title><body>
${["单位换算", "V-CUT削铜", "金手指倒角", "沉头孔"].map((t) => `<button>${t}</button>`).join("")}
${Array.from({ length: 40 }, (_, i) => `<label>字段 ${i}<input value="${i}"></label>`).join("\n")}</body></html>`);

const session = await openLamino(html);
const { page } = session;
async function firstPaint(url) {
    const times = [];
    for (let i = 0; i < Number(runs) + 1; i++) {
        await page.goto(url);
        const fcp = await page.evaluate(() => new Promise((done) => {
            const seen = () => performance.getEntriesByName("first-contentful-paint")[0];
            const wait = () => (seen() ? done(seen().startTime) : setTimeout(wait, 5));
            wait();
        }));
        if (i > 0) times.push(fcp);  // the first load warms the disk cache
    }
    return median(times);
}
const lamino = await firstPaint(pathToFileURL(html).href);
const plain = await firstPaint(pathToFileURL(floor).href);
console.log(`file size: ${statSync(html).size} bytes`);
console.log(`first painted frame: Lamino ${lamino.toFixed(1)} ms, floor ${plain.toFixed(1)} ms, ratio ${(lamino / plain).toFixed(2)}`);

// Each key's time from its event to the end of its handling (the module's
// work and the fields written), and to the first frame painted after it.
await page.goto(pathToFileURL(html).href);
await page.waitForFunction(() => window.laminoAutomation.started && document.querySelector(".window.main:not([hidden])"));
await page.evaluate(() => {
    window.benchTimes = [];
    let start = 0;
    document.addEventListener("keydown", () => { start = performance.now(); }, true);
    // After the field's own listener (the module's handling of EN_CHANGE).
    document.addEventListener("input", () => {
        const handled = performance.now() - start;
        requestAnimationFrame(() => {
            const channel = new MessageChannel();
            channel.port1.onmessage = () => window.benchTimes.push([handled, performance.now() - start]);
            channel.port2.postMessage(0);
        });
    });
});
const pages = [["converter, length (inch)", 0, 1007], ["V-cut (B)", 1, 1021], ["gold finger (L)", 2, 1027], ["countersink (B)", 3, 1036]];
console.log("keystroke latency        handled: median  p99    painted: median  p99");
for (const [name, tab, id] of pages) {
    await page.evaluate((tab) => document.querySelectorAll(".window.main [role=tab]")[tab].click(), tab);
    await page.evaluate((id) => document.querySelector(`.page:not([hidden]) [data-control-id="${id}"]`).focus(), id);
    await page.evaluate(() => { window.benchTimes = []; });
    for (let i = 0; i < Number(keystrokes); i++) {
        await page.keyboard.press(i % 12 < 6 ? String((i % 9) + 1) : "Backspace");
        await page.waitForFunction((n) => window.benchTimes.length >= n, i + 1, { polling: "raf" });
    }
    const times = await page.evaluate(() => window.benchTimes);
    const handled = times.map((t) => t[0]), painted = times.map((t) => t[1]);
    console.log(`${name.padEnd(26)} ${median(handled).toFixed(3).padStart(8)} ${percentile(handled, 0.99).toFixed(3).padStart(6)} ms` +
        `      ${median(painted).toFixed(2).padStart(6)} ${percentile(painted, 0.99).toFixed(2).padStart(6)} ms`);
}
await session.close();
