// Debian's Chromium, headless, through today's puppeteer-core and the
// DevTools protocol.
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer from "puppeteer-core";
import { chromiumAccessibleNames, puppeteerEngine, watchPage } from "./puppeteer.mjs";

export const chromiumFlags = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync", "--lang=zh-CN"];

// Launches `executablePath` with a fresh profile through `launcher` (a
// puppeteer module), opens `url` and answers the engine interface.
export async function launchChromium({ name, launcher, executablePath, flags, url, viewport, scale = 1, site }) {
    const profile = mkdtempSync(join(tmpdir(), `lamino-${name}-`));
    const cleanUp = () => rmSync(profile, { recursive: true, force: true });
    let browser;
    try {
        browser = await launcher.launch({
            executablePath, headless: true, args: flags,
            userDataDir: profile, defaultViewport: { ...viewport, deviceScaleFactor: scale },
        });
        const page = (await browser.pages())[0] || await browser.newPage();
        const problems = [], requests = [];
        await watchPage(page, problems, requests, site);
        const cdp = await page.target().createCDPSession();
        await page.goto(url);
        const engine = puppeteerEngine({
            name, browser, page, problems, requests, cleanUp,
            accessibleNames: (selectors) => chromiumAccessibleNames(cdp, selectors),
        });
        return { ...engine, cdp };
    } catch (error) {
        if (browser) await browser.close().catch(() => {});
        cleanUp();
        throw error;
    }
}

export function open(url, { viewport, scale, site }) {
    return launchChromium({
        name: "chromium", launcher: puppeteer, executablePath: process.env.LAMINO_CHROMIUM || "/usr/bin/chromium",
        flags: chromiumFlags, url, viewport, scale, site,
    });
}
