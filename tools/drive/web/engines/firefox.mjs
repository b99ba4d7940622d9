// Debian's Firefox ESR, headless, through today's puppeteer-core over
// WebDriver BiDi.
import { existsSync, mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { Browser, createProfile, launch, WEBDRIVER_BIDI_WEBSOCKET_ENDPOINT_REGEX } from "@puppeteer/browsers";
import puppeteer from "puppeteer-core";
import { marionette } from "./marionette.mjs";
import { puppeteerEngine, watchPage } from "./puppeteer.mjs";

// BiDi tells no element's accessible name, but browsingContext.locateNodes
// finds the elements to which Firefox's accessibility service gives a name.
// So each text that could name an element (the texts of the shown page, of
// what the elements' labels and aria-labelledby point at, and their naming
// attributes) is looked for among the elements, and each element takes the
// one under which Firefox finds it; a name made of anything else comes out
// empty, never guessed.
async function accessibleNames(page, selectors) {
    const context = page.mainFrame().browsingContext;
    const candidates = await page.evaluate((selectors) => {
        const texts = new Set();
        const add = (text) => {
            if (text && text.trim() && text.length < 200) texts.add(text.trim()).add(text.replace(/\s+/g, " ").trim());
        };
        const elements = selectors.map((s) => document.querySelector(s));
        const sources = new Set(document.querySelectorAll(".window.main .page:not([hidden]) *"));
        for (const element of elements) {
            for (const name of ["aria-label", "alt", "title", "placeholder", "value"]) add(element.getAttribute(name));
            for (const label of element.labels || []) sources.add(label);
            const by = (element.getAttribute("aria-labelledby") || "").split(/\s+/).map((id) => document.getElementById(id)).filter(Boolean);
            by.forEach((e) => sources.add(e));
            add(by.map((e) => e.textContent).join(" "));
        }
        for (const element of sources) {
            add(element.textContent);
            for (const node of element.childNodes) if (node.nodeType === Node.TEXT_NODE) add(node.textContent);
            for (const name of ["aria-label", "alt", "title"]) add(element.getAttribute(name));
        }
        return [...texts];
    }, selectors);
    const nodes = [];
    for (const selector of selectors) {
        const [node] = await context.locateNodes({ type: "css", value: selector });
        if (!node) throw new Error("nothing matches " + selector);
        nodes.push(node.sharedId);
    }
    // Each search walks only the elements asked about and what they hold.
    const named = new Map();
    const start = nodes.map((sharedId) => ({ sharedId }));
    for (const name of candidates) {
        for (const node of await context.locateNodes({ type: "accessibility", value: { name } }, start))
            named.set(node.sharedId, name);
    }
    return nodes.map((id) => named.get(id) || "");
}

// A WebDriver BiDi session alone leaves Firefox's window without the
// focus, and the page then hears no focus events; the start of a Marionette
// (WebDriver classic) session gives the window the focus, as a user's click
// on it would. So Firefox starts with both servers, a classic session opens
// and ends, and only then does puppeteer start its BiDi session.
async function focusWindow(profile) {
    const portFile = join(profile, "MarionetteActivePort");
    for (let i = 0; !existsSync(portFile); i++) {
        if (i > 300) throw new Error("Firefox started no Marionette server");
        await new Promise((resolve) => setTimeout(resolve, 20));
    }
    const classic = await marionette(Number(readFileSync(portFile, "utf8")));
    try {
        await classic.send("WebDriver:NewSession", { capabilities: {} });
        await classic.send("WebDriver:DeleteSession");
    } finally {
        classic.close();
    }
}

export async function open(url, { viewport, scale = 1, site }) {
    const profile = mkdtempSync(join(tmpdir(), "lamino-firefox-"));
    let firefox, browser;
    const cleanUp = () => {
        if (firefox) firefox.kill();
        rmSync(profile, { recursive: true, force: true });
    };
    try {
        // puppeteer's preferences for an automated Firefox (no updates, no
        // telemetry, no first-run pages), and the page's language.
        await createProfile(Browser.FIREFOX, {
            path: profile,
            preferences: { "intl.accept_languages": "zh-CN", "intl.locale.requested": "zh-CN", "marionette.port": 0 },
        });
        firefox = launch({
            executablePath: process.env.LAMINO_FIREFOX || "/usr/bin/firefox-esr",
            args: ["--headless", "--no-remote", "--profile", profile, "--marionette", "--remote-debugging-port=0"],
        });
        const endpoint = await firefox.waitForLineOutput(WEBDRIVER_BIDI_WEBSOCKET_ENDPOINT_REGEX, 60000);
        await focusWindow(profile);
        browser = await puppeteer.connect({
            browserWSEndpoint: endpoint + "/session", protocol: "webDriverBiDi",
            defaultViewport: { ...viewport, deviceScaleFactor: scale },
        });
        // The tab that Firefox opened with takes no default viewport.
        const page = (await browser.pages())[0] || await browser.newPage();
        await page.setViewport({ ...viewport, deviceScaleFactor: scale });
        const problems = [], requests = [];
        await watchPage(page, problems, requests, site);
        await page.goto(url);
        const engine = puppeteerEngine({
            name: "firefox", browser, page, problems, requests, cleanUp,
            accessibleNames: (selectors) => accessibleNames(page, selectors),
        });
        // Firefox keeps its last tab open: another tab lets the page's close.
        const closePage = engine.closePage;
        engine.closePage = async () => {
            await browser.newPage();
            return closePage();
        };
        return engine;
    } catch (error) {
        if (browser) await browser.close().catch(() => {});
        cleanUp();
        throw error;
    }
}
