// The browser side of lamino-drive-web: runs lamino.html from disk in one of
// the engines of engines/ (a fresh profile, the network closed) and carries
// out the requests on standard input, one a line (tab-separated fields),
// answering "ok" or "error" and the fields asked for. Actions are the user's
// input as the engine delivers it; questions read the page. Given the site's
// folder instead, it plays on the site started offline (site.mjs).
//   node browser.mjs [--engine NAME] PAGE.html|SITE   (or LAMINO_WEB_ENGINE=NAME)
import { statSync } from "node:fs";
import { createInterface } from "node:readline";
import { resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { openEngine } from "./engines/index.mjs";
import { goOffline, serveFolder, siteFiles } from "./site.mjs";

export { chromiumFlags } from "./engines/chromium.mjs";

// Waits for the module to have started on the page (a page that
// site.mjs's goOffline has not marked as the one it reloads).
export async function waitStarted(browser) {
    const deadline = Date.now() + 60000;
    for (;;) {
        let state;
        try {
            state = await browser.evaluate(() => {
                const refusal = document.querySelector("#lamino-cannot-start:not([hidden]) .reason");
                if (refusal) return refusal.textContent || "no reason given";
                return !!(window.laminoAutomation && window.laminoAutomation.started
                    && document.querySelector(".window.main:not([hidden])")) && !window.laminoBeforeReload;
            });
        } catch (error) {
            state = false;  // between two documents
        }
        if (state === true) return;
        if (typeof state === "string") throw new Error("the page cannot start here: " + state);
        if (browser.problems.length) throw new Error("the page failed: " + browser.problems.join("; "));
        if (Date.now() > deadline) throw new Error("the page did not start");
        await new Promise((done) => setTimeout(done, 20));
    }
}

// Opens the page in `engine` and waits for the module to have started. A
// folder is the site: served, visited once, and started again offline.
export async function openLamino(html, { engine = "chromium", viewport, scale } = {}) {
    const site = statSync(html).isDirectory() ? await serveFolder(resolve(html)) : null;
    let browser;
    try {
        browser = await openEngine(engine, site ? site.origin + "/" : pathToFileURL(resolve(html)).href,
            { viewport, scale, site: site && site.origin });
        await waitStarted(browser);
        if (site) {
            await goOffline(browser, site.stop, () => waitStarted(browser));
            browser.siteFiles = siteFiles(resolve(html)).map((path) => new URL(path, site.origin + "/").href);
        }
        await browser.evaluate(installHelpers);
    } catch (error) {
        if (browser) await browser.quit();
        throw error;
    } finally {
        if (site) await site.stop();
    }
    return browser;
}

// The key the driver names ("Control+Shift+Tab": DOM key values, modifiers first).
export function keysOf(name) {
    return name.split("+");
}

// Helpers that run in the page: the shown page, a control of it or of the
// main window, and where an element is.
const installHelpers = () => {
    window.laminoDrive = {
        main() { return document.querySelector(".window.main > .client"); },
        shownPage() {
            return [...document.querySelectorAll(".window.main .page")].find((p) => !p.hidden && p.getClientRects().length) || null;
        },
        controlsOf(root) {
            return root ? [...root.querySelectorAll(".control")].filter((c) => c.closest(".client") === root) : [];
        },
        control(id) {
            for (const root of [this.shownPage(), this.main()]) {
                const found = this.controlsOf(root).find((c) => c.dataset.controlId === String(id));
                if (found) return found;
            }
            throw new Error("control " + id + " is not on the shown page");
        },
        field(control) { return control.matches("input") ? control : control.querySelector("input"); },
        text(control) {
            const field = ["edit", "combo"].includes(control.dataset.kind) ? this.field(control) : null;
            if (field) return field.value;
            if (control.dataset.kind === "group") return control.querySelector(".title").textContent;
            return control.textContent;
        },
        focusId() {
            const control = document.activeElement && document.activeElement.closest(".control");
            return control ? control.dataset.controlId : (document.activeElement !== document.body && document.activeElement ? "0" : "");
        },
        hasFocus() { return !!document.activeElement && document.activeElement !== document.body; },
        centre(element) {
            const box = element && element.getClientRects().length ? element.getBoundingClientRect() : null;
            if (!box || !box.width || !box.height) throw new Error("the control is not shown");
            return [box.left + box.width / 2, box.top + box.height / 2];
        },
        // The open modal box: a window of role dialog, or an open <dialog>.
        box() { return document.querySelector(".window.box:not([hidden]), dialog[open]"); },
    };
};

// What the page keeps, of every kind it could: cookies and the storage APIs.
// An API that this engine lacks on file:, or refuses there (a SecurityError),
// is one the page could not have stored anything in either. On the site,
// the worker's cache of the site's own files (`siteFiles`, their addresses)
// is not the user's: only what else it holds counts.
export const storedInPage = async (siteFiles = []) => {
    const counted = async (what, count) => {
        try {
            return [what, await count()];
        } catch (error) {
            if (error && error.name === "SecurityError") return [what, 0];
            throw error;
        }
    };
    return Promise.all([
        counted("cookies", () => document.cookie.length),
        counted("localStorage", () => (window.localStorage ? localStorage.length : 0)),
        counted("sessionStorage", () => (window.sessionStorage ? sessionStorage.length : 0)),
        counted("indexedDB", async () => (window.indexedDB && indexedDB.databases ? (await indexedDB.databases()).length : 0)),
        counted("caches", async () => {
            let count = 0;
            for (const name of window.caches ? await caches.keys() : []) {
                if (!siteFiles.length || !name.startsWith("lamino-")) {
                    count++;
                    continue;
                }
                const kept = await (await caches.open(name)).keys();
                count += kept.filter((request) => !siteFiles.includes(request.url)).length;
            }
            return count;
        }),
    ]);
};

async function main() {
    const args = process.argv.slice(2);
    let engine = process.env.LAMINO_WEB_ENGINE || "chromium";
    if (args[0] === "--engine") engine = args.splice(0, 2)[1];
    let browser, failure;
    try {
        browser = await openLamino(args[0], { engine });
    } catch (error) {
        failure = error;
    }
    const evaluate = (...args) => browser.evaluate(...args);
    const settle = () => evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0))));
    const clickAt = async ([x, y]) => browser.click(x, y);
    const needFocus = async () => {
        if (!(await evaluate(() => window.laminoDrive.hasFocus()))) throw new Error("no control has the keyboard focus");
    };
    let closed = false;

    const requests = {
        async ready() { return []; },
        async settle() {
            if (closed) return [];
            await settle();
            return evaluate(() => window.laminoAutomation.writes.splice(0));
        },
        async trace(on) {
            await evaluate((on) => { window.laminoAutomation.tracing = on; }, on === "on");
            return [];
        },
        async tab(index) {
            await clickAt(await evaluate((index) => {
                const tabs = document.querySelectorAll(".window.main [data-kind=tabs] [role=tab]");
                if (!tabs[index]) throw new Error("no tab " + index);
                return window.laminoDrive.centre(tabs[index]);
            }, Number(index)));
            return [];
        },
        async focus(id) {
            await evaluate((id) => {
                const control = window.laminoDrive.control(id);
                const target = ["edit", "combo", "radio", "check"].includes(control.dataset.kind)
                    ? window.laminoDrive.field(control) : control.matches("button") ? control
                    : control.querySelector("[role=tab][tabindex='0'], button");
                if (!target) throw new Error("control " + id + " takes no focus");
                target.focus();
                if (target.select) target.select();  // also when it had the focus already
            }, Number(id));
            return [];
        },
        async click(id) {
            await clickAt(await evaluate((id) => {
                const control = window.laminoDrive.control(id);
                return window.laminoDrive.centre(["radio", "check"].includes(control.dataset.kind) ? control.querySelector("input") : control);
            }, Number(id)));
            return [];
        },
        async choose(id, index) {
            await clickAt(await evaluate((id) => {
                const control = window.laminoDrive.control(id);
                if (control.dataset.kind !== "combo") throw new Error("control " + id + " is not a combo box");
                return window.laminoDrive.centre(control.querySelector(".arrow"));
            }, Number(id)));
            await settle();
            await clickAt(await evaluate((id, index) => {
                const list = window.laminoDrive.control(id).querySelector("[role=listbox]");
                if (list.hidden) throw new Error("the list of " + id + " did not open");
                const option = list.querySelectorAll("[role=option]")[index];
                if (!option) throw new Error("no list item " + index);
                return window.laminoDrive.centre(option);
            }, Number(id), Number(index)));
            await settle();
            if (!(await evaluate((id) => window.laminoDrive.control(id).querySelector("[role=listbox]").hidden, Number(id))))
                throw new Error("the list of " + id + " did not close");
            return [];
        },
        async type(character) {
            await needFocus();
            await browser.type(character);
            return [];
        },
        async key(name) {
            await needFocus();
            await browser.press(keysOf(name));
            return [];
        },
        async text(id) {
            return [await evaluate((id) => window.laminoDrive.text(window.laminoDrive.control(id)), Number(id))];
        },
        async fields() {
            return evaluate(() => {
                const d = window.laminoDrive;
                return d.controlsOf(d.shownPage())
                    .filter((c) => ["edit", "combo"].includes(c.dataset.kind) && c.dataset.controlId !== "-1")
                    .sort((a, b) => Number(a.dataset.controlId) - Number(b.dataset.controlId))
                    .flatMap((c) => [c.dataset.controlId, d.text(c)]);
            });
        },
        async "focus-id"() { return [await evaluate(() => window.laminoDrive.focusId())]; },
        async checked(id) {
            return [await evaluate((id) => {
                const control = window.laminoDrive.control(id);
                const input = ["radio", "check"].includes(control.dataset.kind) && control.querySelector("input");
                if (!input) throw new Error("control " + id + " is not a button");
                return input.checked ? "1" : "0";
            }, Number(id))];
        },
        async selection(id) {
            return evaluate((id) => {
                const field = window.laminoDrive.field(window.laminoDrive.control(id));
                if (!field) throw new Error("control " + id + " has no text selection");
                return [String(field.selectionStart), String(field.selectionEnd)];
            }, Number(id));
        },
        async list(id) {
            return evaluate((id) => {
                const control = window.laminoDrive.control(id);
                if (control.dataset.kind !== "combo") throw new Error("control " + id + " is not a combo box");
                return [control.dataset.current === undefined ? "-1" : control.dataset.current,
                    ...[...control.querySelectorAll("[role=option]")].map((o) => o.textContent)];
            }, Number(id));
        },
        async tabs() {
            return evaluate(() => {
                const tabs = [...document.querySelectorAll(".window.main [data-kind=tabs] [role=tab]")];
                return [String(tabs.findIndex((t) => t.getAttribute("aria-selected") === "true")), ...tabs.map((t) => t.textContent)];
            });
        },
        async title() { return [await evaluate(() => document.title)]; },
        async names() {
            const controls = await evaluate(() => {
                const d = window.laminoDrive;
                const page = d.shownPage();
                if (!page) throw new Error("no page is shown");
                return d.controlsOf(page).filter((c) => c.dataset.kind !== "label")
                    .sort((a, b) => Number(a.dataset.order) - Number(b.dataset.order))
                    .map((c, i) => {
                        const kind = c.dataset.kind;
                        (["edit", "combo", "radio", "check"].includes(kind) ? d.field(c) : c).dataset.driveProbe = String(i);
                        return kind === "picture" || kind === "group" ? kind : c.dataset.controlId;
                    });
            });
            try {
                const names = await browser.accessibleNames(controls.map((_, i) => `[data-drive-probe="${i}"]`));
                return controls.flatMap((control, i) => [control, names[i]]);
            } finally {
                await evaluate(() => document.querySelectorAll("[data-drive-probe]").forEach((e) => delete e.dataset.driveProbe));
            }
        },
        async help() {
            await clickAt(await evaluate(() => {
                const item = [...document.querySelectorAll(".window.main .menuitem")].find((m) => m.textContent === "帮助");
                if (!item) throw new Error("there is no help menu item");
                return window.laminoDrive.centre(item);
            }));
            await settle();
            const box = await evaluate(() => {
                const dialog = window.laminoDrive.box();
                if (!dialog) return null;
                const labels = [...dialog.querySelectorAll(".control[data-kind=label]")]
                    .sort((a, b) => Number(a.dataset.order) - Number(b.dataset.order));
                return [dialog.querySelector(".caption").textContent, ...labels.map((l) => l.textContent)];
            });
            if (!box) throw new Error("the help item opened no box");
            await clickAt(await evaluate(() => window.laminoDrive.centre(
                [...window.laminoDrive.box().querySelectorAll(".control[data-kind=push]")].find((b) => b.textContent === "确定"))));
            await settle();
            if (await evaluate(() => !!window.laminoDrive.box())) throw new Error("the box did not close");
            return box;
        },
        // The program keeps nothing: no cookie, no storage of any kind.
        async close() {
            const stored = (await evaluate(storedInPage, browser.siteFiles || [])).filter(([, n]) => n > 0);
            const cookies = await browser.cookies();
            if (cookies > 0) stored.push(["the browser's cookies", cookies]);
            if (stored.length) throw new Error("the page stored something: " + stored.map((s) => s.join(" ")).join(", "));
            if (!(await browser.closePage())) throw new Error("the main window did not close");
            closed = true;
            return [];
        },
        async shot(path) {
            await browser.screenshot(path);
            return [];
        },
    };

    const escape = (field) => String(field).replace(/\\/g, "\\\\").replace(/\t/g, "\\t").replace(/\n/g, "\\n").replace(/\r/g, "\\r");
    const unescape = (field) => field.replace(/\\(.)/g, (_, c) => (c === "t" ? "\t" : c === "n" ? "\n" : c === "r" ? "\r" : c));
    const lines = createInterface({ input: process.stdin, terminal: false });
    for await (const line of lines) {
        const [op, ...args] = line.split("\t").map(unescape);
        let answer;
        try {
            if (failure) throw failure;
            if (!requests[op]) throw new Error("unknown request " + op);
            answer = ["ok", ...(await requests[op](...args))];
            if (browser.poll) await browser.poll();
            if (browser.problems.length) throw new Error("the page failed: " + browser.problems.join("; "));
            if (browser.requests.length) throw new Error("the page asked the network for " + browser.requests.join(", "));
        } catch (error) {
            answer = ["error", String(error.message || error).split("\n")[0].replace(/^Evaluation failed: (\w*Error: )?/, "")];
        }
        process.stdout.write(answer.map(escape).join("\t") + "\n");
    }
    if (browser) await browser.quit();
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) main();
