// How the page starts, in Debian's headless Chromium: where it cannot (no
// script, no WebAssembly, a module that does not compile, a script the
// engine cannot read) it says so instead of staying blank; where it can, its
// content security policy takes evaluation away once the module is compiled
// and forbids every request. Pictures go to $LAMINO_SHOTS_DIR/web.
//   node --test tests/web/start-checks.mjs   (LAMINO_HTML names the page)
import { strict as assert } from "node:assert";
import { mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { test } from "node:test";
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";
import { chromiumFlags } from "../../tools/drive/web/browser.mjs";
import { openLamino } from "../../tools/drive/web/playwright-page.mjs";

// The scenario driver's own playwright-core (tools/drive/web/package-lock.json).
const { chromium } = createRequire(new URL("../../tools/drive/web/package.json", import.meta.url))("playwright-core");

const html = resolve(process.env.LAMINO_HTML || "build/web/lamino.html");
const shots = join(process.env.LAMINO_SHOTS_DIR || "screenshots", "web");
mkdirSync(shots, { recursive: true });
const scratch = mkdtempSync(join(tmpdir(), "lamino-start-"));
test.after(() => rmSync(scratch, { recursive: true, force: true }));

// The page as released, or changed as a test needs, opened from disk.
async function open(t, { page: file = html, javaScriptEnabled = true, before } = {}) {
    const context = await chromium.launchPersistentContext(mkdtempSync(join(scratch, "profile-")), {
        executablePath: process.env.LAMINO_CHROMIUM || "/usr/bin/chromium",
        args: chromiumFlags, viewport: { width: 600, height: 460 }, javaScriptEnabled, offline: true, locale: "zh-CN",
    });
    t.after(() => context.close());
    const requests = [];
    await context.route(/^(?!file:|data:)/, (route) => {
        requests.push(route.request().url());
        route.abort();
    });
    const page = context.pages()[0] || await context.newPage();
    if (before) await page.addInitScript(before);
    await page.goto(pathToFileURL(file).href);
    return { page, requests };
}

function changedPage(name, change) {
    const file = join(scratch, name);
    writeFileSync(file, change(readFileSync(html, "utf8")));
    return file;
}

// The message below the page's floor: what failed, the browsers that work, the downloads.
async function assertCannotStart(page, why, shot) {
    const message = page.locator(".cannot-start:visible");
    await message.waitFor({ timeout: 10000 });
    const text = await message.innerText();
    for (const words of ["Lamino", "Chromium 78", "Firefox 78", "Safari 14.1", "iOS 14.5", "-win32.zip", "_amd64.deb"])
        assert.ok(text.includes(words), `the message lacks ${words}: ${text}`);
    assert.match(text, why);
    assert.equal(await page.locator(".window.main:visible").count(), 0);
    await page.screenshot({ path: join(shots, `cannot-start-${shot}.png`) });
}

test("below the floor the page says why it cannot start", async (t) => {
    await t.test("with scripts off", async (t) => {
        const { page } = await open(t, { javaScriptEnabled: false });
        await assertCannotStart(page, /JavaScript 已关闭/, "no-script");
    });
    await t.test("without WebAssembly", async (t) => {
        const { page } = await open(t, { before: () => { delete window.WebAssembly; } });
        await assertCannotStart(page, /原因：.*WebAssembly is not defined/, "no-webassembly");
    });
    await t.test("with a module that does not compile", async (t) => {
        const file = changedPage("broken-module.html", (text) =>
            text.replace(/(<script id="lamino-module"[^>]*>)[^<]*/, "$1\nAGFzbQEAAAAB/////w==\n"));
        const { page } = await open(t, { page: file });
        await assertCannotStart(page, /原因：.*CompileError/, "no-compile");
    });
    await t.test("with a script the engine cannot read", async (t) => {
        // As an engine before ES2017 meets the page's async functions.
        const file = changedPage("unreadable-script.html", (text) => text.replace('"use strict";', '"use strict"; async async;'));
        const { page } = await open(t, { page: file });
        await assertCannotStart(page, /原因：/, "no-parse");
    });
});

test("once started, the page can neither evaluate text nor compile code, and asks for nothing", async (t) => {
    const { page, requests } = await open(t);
    await page.waitForFunction(() => document.querySelector(".window.main:not([hidden])"));
    assert.equal(await page.locator(".cannot-start:visible").count(), 0);
    const refused = await page.evaluate(async () => {
        // The DevTools protocol lets its own evaluation past the policy: the
        // attempts run later, from a timer of the page's.
        await new Promise((done) => setTimeout(done, 0));
        const attempts = {
            eval: () => eval("1"),
            "new Function": () => new Function("return 1")(),
            "WebAssembly.compile": () => WebAssembly.compile(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0])),
            "inline script": () => new Promise((done, fail) => {
                window.laminoInjected = false;
                const script = document.createElement("script");
                script.textContent = "window.laminoInjected = true;";
                document.body.append(script);
                setTimeout(() => (window.laminoInjected ? done() : fail(new Error("blocked"))), 100);
            }),
            fetch: () => fetch("data:text/plain,x"),
            image: () => new Promise((done, fail) => {
                const image = new Image();
                image.onload = done;
                image.onerror = () => fail(new Error("blocked"));
                image.src = "http://127.0.0.1:9/x.png";
            }),
        };
        const out = {};
        for (const [name, attempt] of Object.entries(attempts)) {
            try {
                await attempt();
                out[name] = "allowed";
            } catch (error) {
                out[name] = "refused";
            }
        }
        return out;
    });
    for (const [name, outcome] of Object.entries(refused)) assert.equal(outcome, "refused", `${name} was ${outcome}`);
    assert.deepEqual(requests, []);
});

test("a page that arrives slowly runs its last script before evaluation is taken away", async (t) => {
    // Served in two parts, the last script a second and a half behind the
    // rest, as over a slow line: the module is compiled while the parser
    // still waits for that script, which must run all the same.
    const text = readFileSync(html, "utf8");
    const cut = text.lastIndexOf("<script>");
    const server = createServer((request, response) => {
        response.writeHead(200, { "content-type": "text/html; charset=utf-8" });
        response.write(text.slice(0, cut));
        setTimeout(() => response.end(text.slice(cut)), 1500);
    });
    await new Promise((done) => server.listen(0, "127.0.0.1", done));
    t.after(() => server.close());
    const { page, problems, requests, close } = await openLamino(`http://127.0.0.1:${server.address().port}/`);
    t.after(close);
    await page.waitForFunction(() => document.readyState === "complete");
    assert.equal(await page.locator(".cannot-start:visible").count(), 0);
    assert.equal(await page.locator(".window.main:visible").count(), 1);
    assert.deepEqual(problems, []);
    assert.deepEqual(requests, []);
});
