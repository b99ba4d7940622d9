// An engine on a puppeteer Page: Chromium over the DevTools protocol (today's
// puppeteer-core, or 5.2.1 for the Chromium builds of 2020) and Firefox over
// WebDriver BiDi. The user's input goes through puppeteer's mouse and
// keyboard, which each protocol turns into trusted input events.

// Requests that leave the page (anything but the file itself, data: URLs
// and the site's own origin) are refused and remembered.
export async function watchPage(page, problems, requests, site) {
    page.on("pageerror", (error) => problems.push(error.message || String(error)));
    page.on("console", (message) => { if (message.type() === "error") problems.push(message.text()); });
    await page.setRequestInterception(true);
    page.on("request", (request) => {
        const url = request.url();
        if (/^(file|data):/.test(url) || (site && url.startsWith(site + "/"))) {
            request.continue();
        } else {
            requests.push(url);
            request.abort();
        }
    });
}

// The engine interface that browser.mjs speaks to (engines/index.mjs says
// what each member does). `accessibleNames` is the engine's own.
export function puppeteerEngine({ name, browser, page, problems, requests, accessibleNames, cleanUp = () => {} }) {
    return {
        name, browser, page, problems, requests,
        evaluate: (fn, ...args) => page.evaluate(fn, ...args),
        async click(x, y) { await page.mouse.click(x, y); },
        async type(text) { await page.keyboard.type(text); },
        async press(keys) {
            const held = keys.slice(0, -1);
            for (const key of held) await page.keyboard.down(key);
            await page.keyboard.press(keys[keys.length - 1]);
            for (const key of held.reverse()) await page.keyboard.up(key);
        },
        async screenshot(path) { await page.screenshot({ path }); },
        accessibleNames,
        async cookies() { return (await page.cookies()).length; },
        async closePage() {
            await page.close();
            return page.isClosed();
        },
        async quit() {
            try {
                await browser.close();
            } finally {
                cleanUp();
            }
        },
    };
}

// What Chromium's accessibility tree calls the elements that the selectors find.
export async function chromiumAccessibleNames(cdp, selectors) {
    const { root } = await cdp.send("DOM.getDocument", { depth: 0 });
    const names = [];
    for (const selector of selectors) {
        const { nodeId } = await cdp.send("DOM.querySelector", { nodeId: root.nodeId, selector });
        if (!nodeId) throw new Error("nothing matches " + selector);
        const { nodes } = await cdp.send("Accessibility.getPartialAXTree", { nodeId, fetchRelatives: false });
        const node = nodes.find((n) => !n.ignored) || nodes[0];
        names.push(node && node.name ? String(node.name.value) : "");
    }
    return names;
}
