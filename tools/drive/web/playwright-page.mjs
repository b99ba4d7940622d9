// Debian's headless Chromium through playwright-core, for the page checks
// (tests/web/browser-checks.mjs) that need its emulation (touch, forced
// colours, a colour scheme) and its ARIA snapshots: a fresh profile each
// run, and no request leaves the machine.
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { chromium } from "playwright-core";
import { chromiumFlags } from "./engines/chromium.mjs";

// `html` is a file, or the address of a page served on loopback, whose
// origin alone is then let through.
export async function openLamino(html, { viewport = { width: 600, height: 460 }, scale = 1, mobile = false, colorScheme, forcedColors } = {}) {
    const served = /^http:\/\/127\.0\.0\.1[:/]/.test(html) ? new URL(html) : null;
    const profile = mkdtempSync(join(tmpdir(), "lamino-chromium-"));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: process.env.LAMINO_CHROMIUM || "/usr/bin/chromium",
        args: chromiumFlags, viewport, deviceScaleFactor: scale, isMobile: mobile, hasTouch: mobile, offline: !served,
        colorScheme, forcedColors, locale: "zh-CN",
    });
    const requests = [];
    const refused = (url) => !/^(file|data):/.test(url.href) && !(served && url.origin === served.origin);
    await context.route(refused, (route) => {
        requests.push(route.request().url());
        route.abort();
    });
    const page = context.pages()[0] || await context.newPage();
    const problems = [];
    page.on("pageerror", (error) => problems.push(error.message));
    page.on("console", (message) => { if (message.type() === "error") problems.push(message.text()); });
    await page.goto(served ? served.href : pathToFileURL(resolve(html)).href);
    await page.waitForFunction(() => window.laminoAutomation && window.laminoAutomation.started
        && document.querySelector(".window.main:not([hidden])"));
    const close = async () => {
        await context.close();
        rmSync(profile, { recursive: true, force: true });
    };
    return { context, page, requests, problems, close };
}
