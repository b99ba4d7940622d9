// The site (lamino-VERSION-web.zip) in Debian's headless Chromium, served on
// loopback as a static server would: installable, started offline from its
// worker's cache after the first visit, a new version taking over whole on
// the second start with one cache left, a home-screen window on a phone; and
// the one-file page from disk, which is no site. Pictures go to
// $LAMINO_SHOTS_DIR/web/site.
//   node --test tests/web/site-checks.mjs
// LAMINO_WEB_DIR names the web build (its site/ and lamino.html), LAMINO_RASTERIZE
// the lamino-rasterize that draws a second version's icons.
import { strict as assert } from "node:assert";
import { execFileSync } from "node:child_process";
import { cpSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { test } from "node:test";
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";
import { chromiumFlags } from "../../tools/drive/web/engines/chromium.mjs";
import { watchPage } from "../../tools/drive/web/engines/puppeteer.mjs";
import { serveFolder, siteFiles, workerControls } from "../../tools/drive/web/site.mjs";

// The scenario driver's own puppeteer-core (tools/drive/web/package-lock.json).
const puppeteer = createRequire(new URL("../../tools/drive/web/package.json", import.meta.url))("puppeteer-core");

const source = resolve(new URL("../..", import.meta.url).pathname);
const web = resolve(process.env.LAMINO_WEB_DIR || join(source, "build/web"));
const site = join(web, "site");
const shots = join(process.env.LAMINO_SHOTS_DIR || join(source, "screenshots"), "web", "site");
mkdirSync(shots, { recursive: true });
const scratch = mkdtempSync(join(tmpdir(), "lamino-site-"));
test.after(() => rmSync(scratch, { recursive: true, force: true }));

// A Chromium of its own profile; pages opened through it refuse every request
// but those to `origin`, and remember their errors. With `app`, it starts
// with the site in a window of its own (--app), as a home-screen icon does.
async function launch(t, origin, { app = false } = {}) {
    const browser = await puppeteer.launch({
        executablePath: process.env.LAMINO_CHROMIUM || "/usr/bin/chromium", headless: true,
        args: [...chromiumFlags, ...(app ? [`--app=${origin}/`] : [])],
        userDataDir: mkdtempSync(join(scratch, "profile-")), defaultViewport: app ? null : { width: 600, height: 460 },
    });
    t.after(() => browser.close());
    const started = (page) => page.waitForFunction(() => window.laminoAutomation && window.laminoAutomation.started
        && document.querySelector(".window.main:not([hidden])"), { timeout: 30000 });
    const open = async (url, { before } = {}) => {
        const page = await browser.newPage();
        const problems = [], requests = [];
        await watchPage(page, problems, requests, origin);
        if (before) await before(page);
        await page.goto(url);
        await started(page);
        return { page, problems, requests };
    };
    // The app's window, `before` done to it and then loaded again.
    const openApp = async ({ before } = {}) => {
        let page;
        for (let i = 0; !(page = (await browser.pages()).find((p) => p.url().startsWith(origin))); i++) {
            if (i > 500) throw new Error("no app window");
            await new Promise((done) => setTimeout(done, 20));
        }
        const problems = [], requests = [];
        await watchPage(page, problems, requests, origin);
        if (before) await before(page);
        await page.reload();
        await started(page);
        return { page, problems, requests };
    };
    return { browser, open, openApp };
}

// The site's folder as a server has it: a copy, so that a test can publish another version there.
async function serveCopy(t, folder) {
    const live = mkdtempSync(join(scratch, "served-"));
    cpSync(folder, live, { recursive: true });
    const server = await serveFolder(live);
    t.after(() => server.stop());
    return { ...server, live };
}

const cachesOfPage = (page) => page.evaluate(async () => {
    const out = {};
    for (const name of await caches.keys()) out[name] = (await (await caches.open(name)).keys()).map((r) => r.url).sort();
    return out;
});
const versionOfPage = (page) => page.evaluate(() => document.querySelector("meta[name=generator]").content);
const pngSize = (file) => {
    const data = readFileSync(file);
    return `${data.readUInt32BE(16)}x${data.readUInt32BE(20)}`;
};

test("the site: installable, kept by its worker, started offline", async (t) => {
    const server = await serveCopy(t, site);
    const { open } = await launch(t, server.origin);
    const { page, problems, requests } = await open(server.origin + "/");
    const cdp = await page.createCDPSession();

    await t.test("its manifest parses and nothing stands in the way of installing it", async () => {
        const { url, errors, data } = await cdp.send("Page.getAppManifest");
        assert.equal(url, server.origin + "/manifest.webmanifest");
        assert.deepEqual(errors, []);
        const manifest = JSON.parse(data);
        assert.equal(manifest.name, "Lamino");
        assert.equal(manifest.lang, "zh-CN");
        assert.equal(manifest.display, "standalone");
        assert.equal(new URL(manifest.start_url, url).href, server.origin + "/");
        assert.equal(new URL(manifest.scope, url).href, server.origin + "/");
        const colour = await page.evaluate(() => document.querySelector("meta[name=theme-color]").content);
        assert.equal(manifest.theme_color, colour);
        // Each icon is a PNG of the size it claims, and one of them is maskable.
        for (const icon of manifest.icons) {
            assert.equal(icon.type, "image/png");
            assert.equal(pngSize(join(site, icon.src)), icon.sizes, icon.src);
        }
        assert.deepEqual(manifest.icons.map((i) => i.sizes + " " + i.purpose).sort(),
            ["192x192 any", "512x512 any", "512x512 maskable"]);
        const touchIcon = await page.evaluate(() => document.querySelector("link[rel=apple-touch-icon]").href);
        assert.equal(pngSize(join(site, new URL(touchIcon).pathname)), "180x180");
        const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
        assert.deepEqual(installabilityErrors, []);
    });

    await t.test("after the first load the worker controls the page and has kept the site's files, only those", async () => {
        assert.equal(await page.evaluate(workerControls), server.origin + "/service-worker.js");
        const kept = Object.values(await cachesOfPage(page));
        assert.equal(kept.length, 1);
        const files = siteFiles(site);
        assert.deepEqual(kept[0], files.map((f) => new URL(f, server.origin + "/").href).sort());
        // The worker's list is the folder, less the worker itself ("./" is index.html).
        assert.deepEqual(files.map((f) => (f === "./" ? "index.html" : f)).sort(),
            readdirSync(site).filter((f) => f !== "service-worker.js").sort());
        assert.deepEqual(await page.evaluate(() => [document.cookie, localStorage.length, sessionStorage.length]), ["", 0, 0]);
    });

    await t.test("with the server stopped, a reload starts from the cache and shows the four pages", async () => {
        await server.stop();
        await page.reload();
        await page.waitForFunction(() => window.laminoAutomation && window.laminoAutomation.started
            && document.querySelector(".window.main:not([hidden])"), { timeout: 30000 });
        const tabs = await page.$$(".window.main [data-kind=tabs] [role=tab]");
        assert.equal(tabs.length, 4);
        for (const [i, tab] of tabs.entries()) {
            await tab.click();
            const fields = await page.evaluate(() => [...document.querySelectorAll(".window.main .page")]
                .filter((p) => !p.hidden && p.getClientRects().length)
                .map((p) => p.querySelectorAll("input").length));
            assert.equal(fields.length, 1, `one page shown after tab ${i}`);
            assert.ok(fields[0] > 0, `page ${i} has fields`);
            await page.screenshot({ path: join(shots, `offline-tab${i + 1}.png`) });
        }
        assert.deepEqual(problems, []);
        assert.deepEqual(requests, []);
    });
});

test("a new version takes over whole at the second start, leaving one cache", async (t) => {
    const server = await serveCopy(t, site);
    const { browser, open } = await launch(t, server.origin);
    const first = await open(server.origin + "/");
    const oldVersion = await versionOfPage(first.page);
    await first.page.evaluate(workerControls);
    await first.page.close();

    // Another version, as make-html.py makes it, published over the first.
    const next = join(scratch, "next");
    execFileSync("/usr/bin/python3", [join(source, "tools/web/make-html.py"), "--source", source, "--module", join(web, "lamino.wasm"),
        "--version", "9.9.9.9", "--output", join(scratch, "next.html"), "--site", next,
        "--rasterize", process.env.LAMINO_RASTERIZE || join(source, "build/dev/lamino-rasterize")]);
    rmSync(server.live, { recursive: true });
    cpSync(next, server.live, { recursive: true });

    // The first start after it: the old version, whole, while the new one installs aside.
    const second = await open(server.origin + "/");
    assert.equal(await versionOfPage(second.page), oldVersion);
    const waiting = await second.page.evaluate(async () => {
        const registration = await navigator.serviceWorker.getRegistration();
        for (let i = 0; !registration.waiting && i < 1500; i++) await new Promise((done) => setTimeout(done, 20));
        return !!registration.waiting;
    });
    assert.ok(waiting, "the new version's worker waits");
    const names = Object.keys(await cachesOfPage(second.page)).sort();
    assert.equal(names.length, 2, names.join(", "));
    assert.equal(await versionOfPage(second.page), oldVersion, "the open page stays the old version");
    await second.page.close();

    // The second start: the new version, and only its cache.
    const third = await open(server.origin + "/");
    assert.equal(await versionOfPage(third.page), "Lamino 9.9.9.9");
    await third.page.evaluate(workerControls);
    const left = await cachesOfPage(third.page);
    assert.deepEqual(Object.keys(left), [readFileSync(join(next, "service-worker.js"), "utf8").match(/const CACHE = "([^"]+)"/)[1]]);
    assert.ok(Object.keys(left)[0].startsWith("lamino-9.9.9.9-"));
    // What the cache gives is the new version's file, byte for byte.
    const index = await third.page.evaluate(async () => (await (await caches.match("./")).text()));
    assert.equal(index, readFileSync(join(next, "index.html"), "utf8"));
    for (const { problems, requests } of [first, second, third]) {
        assert.deepEqual(problems, []);
        assert.deepEqual(requests, []);
    }
    assert.ok(browser.connected);
});

test("on a phone's home screen the window fits, clear of the notch and the home bar", async (t) => {
    const server = await serveCopy(t, site);
    const orientations = [
        { name: "portrait", width: 360, height: 740, insets: { top: 24, bottom: 34, left: 0, right: 0 } },
        { name: "landscape", width: 740, height: 360, insets: { top: 0, bottom: 21, left: 44, right: 44 } },
    ];
    for (const { name, width, height, insets } of orientations) {
        await t.test(name, async (t) => {
            const { openApp } = await launch(t, server.origin, { app: true });
            let insetsEmulated = true;
            const { page, problems } = await openApp({
                async before(page) {
                    await page.setViewport({ width, height, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
                    const cdp = await page.createCDPSession();
                    try {
                        await cdp.send("Emulation.setSafeAreaInsetsOverride", { insets });
                    } catch {
                        insetsEmulated = false;
                    }
                },
            });
            const seen = await page.evaluate(() => {
                const frame = document.querySelector(".window.main").getBoundingClientRect();
                const style = getComputedStyle(document.body);
                return {
                    standalone: matchMedia("(display-mode: standalone)").matches,
                    sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
                    frame: { left: frame.left, right: innerWidth - frame.right, top: frame.top },
                    padding: ["Top", "Right", "Bottom", "Left"].map((side) => parseFloat(style["padding" + side])),
                };
            });
            await page.screenshot({ path: join(shots, `phone-${name}.png`) });
            assert.ok(seen.standalone, "display-mode standalone");
            assert.equal(seen.sideways, 0, "nothing scrolls sideways");
            if (insetsEmulated) {
                assert.deepEqual(seen.padding, [insets.top, insets.right, insets.bottom, insets.left]);
                assert.ok(seen.frame.left >= insets.left && seen.frame.right >= insets.right && seen.frame.top >= insets.top,
                    JSON.stringify(seen.frame));
            } else {
                t.diagnostic("this Chromium emulates no safe-area insets");
            }
            assert.deepEqual(problems, []);
        });
    }
});

test("in a browser's tab the site looks as the one-file page does, pixel for pixel", async (t) => {
    const server = await serveCopy(t, site);
    const { open } = await launch(t, server.origin);
    const pictures = [];
    for (const url of [pathToFileURL(join(web, "lamino.html")).href, server.origin + "/"]) {
        const { page } = await open(url);
        await page.evaluate(() => document.fonts.ready);
        pictures.push(await page.screenshot({ path: join(shots, url.startsWith("file:") ? "desktop-file.png" : "desktop-site.png") }));
    }
    assert.ok(pictures[0].equals(pictures[1]), "the two pictures differ (screenshots/web/site/desktop-*.png)");
});

test("the one-file page from disk is no site: no worker, no manifest, no error", async (t) => {
    const { open } = await launch(t, null);
    const { page, problems, requests } = await open(pathToFileURL(join(web, "lamino.html")).href);
    const seen = await page.evaluate(async () => {
        let workers;
        try {
            workers = navigator.serviceWorker ? (await navigator.serviceWorker.getRegistrations()).length : 0;
        } catch (error) {
            workers = 0;  // refused on file:
        }
        return { workers, manifest: !!document.querySelector("link[rel=manifest]"), controlled: !!(navigator.serviceWorker && navigator.serviceWorker.controller) };
    });
    assert.deepEqual(seen, { workers: 0, manifest: false, controlled: false });
    const cdp = await page.createCDPSession();
    const { url, errors } = await cdp.send("Page.getAppManifest");
    assert.equal(url, "");
    assert.deepEqual(errors, []);
    await new Promise((done) => setTimeout(done, 200));
    assert.deepEqual(problems, []);
    assert.deepEqual(requests, []);
});
