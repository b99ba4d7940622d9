// The browser side of lamino-drive-web: runs lamino.html from disk in
// Debian's headless Chromium with the network closed, and carries out the
// requests on standard input, one a line (tab-separated fields), answering
// "ok" or "error" and the fields asked for. Actions are the user's input
// (mouse and keyboard through the DevTools protocol); questions read the page.
import { createInterface } from "node:readline";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

export const chromiumFlags = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync"];

// A fresh profile each run, and no request leaves the machine.
export async function openLamino(html, { viewport = { width: 600, height: 460 }, scale = 1, mobile = false, colorScheme, forcedColors } = {}) {
    const profile = mkdtempSync(join(tmpdir(), "lamino-chromium-"));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: process.env.LAMINO_CHROMIUM || "/usr/bin/chromium",
        args: chromiumFlags, viewport, deviceScaleFactor: scale, isMobile: mobile, hasTouch: mobile, offline: true,
        colorScheme, forcedColors, locale: "zh-CN",
    });
    const requests = [];
    await context.route(/^(?!file:|data:)/, (route) => {
        requests.push(route.request().url());
        route.abort();
    });
    const page = context.pages()[0] || await context.newPage();
    const problems = [];
    page.on("pageerror", (error) => problems.push(error.message));
    page.on("console", (message) => { if (message.type() === "error") problems.push(message.text()); });
    await page.goto(pathToFileURL(resolve(html)).href);
    await page.waitForFunction(() => window.laminoAutomation && window.laminoAutomation.started
        && document.querySelector(".window.main:not([hidden])"));
    const close = async () => {
        await context.close();
        rmSync(profile, { recursive: true, force: true });
    };
    return { context, page, requests, problems, close };
}

// Scenario key names as the keyboard presses them.
export function keyOf(name) {
    if (name === "SelectAll") return "Control+KeyA";
    const names = { Esc: "Escape", Left: "ArrowLeft", Right: "ArrowRight", Up: "ArrowUp", Down: "ArrowDown",
        Ctrl: "Control" };
    return name.split("+").map((part) =>
        names[part] || (/^[A-Za-z]$/.test(part) ? "Key" + part.toUpperCase() : /^[0-9]$/.test(part) ? "Digit" + part : part))
        .join("+");
}

// Helpers that run in the page: the shown page, and a control of it or of the main window.
const inPage = `
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
};`;

async function main() {
    const html = process.argv[2];
    const session = await openLamino(html);
    const { page, context } = session;
    await page.evaluate(inPage);
    const cdp = await context.newCDPSession(page);

    const center = async (handle) => {
        const box = await handle.boundingBox();
        if (!box) throw new Error("the control is not shown");
        return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
    };
    const control = (id) => page.evaluateHandle((id) => window.laminoDrive.control(id), id);
    const settle = () => page.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0))));
    // What assistive technology is told: the name in Chromium's accessibility tree.
    const accessibleName = async (selector) => {
        const { root } = await cdp.send("DOM.getDocument", { depth: 0 });
        const { nodeId } = await cdp.send("DOM.querySelector", { nodeId: root.nodeId, selector });
        const { nodes } = await cdp.send("Accessibility.getPartialAXTree", { nodeId, fetchRelatives: false });
        const node = nodes.find((n) => !n.ignored) || nodes[0];
        return node && node.name ? String(node.name.value) : "";
    };

    const requests = {
        async ready() { return []; },
        async settle() {
            if (page.isClosed()) return [];
            await settle();
            return page.evaluate(() => window.laminoAutomation.writes.splice(0));
        },
        async trace(on) {
            await page.evaluate((on) => { window.laminoAutomation.tracing = on; }, on === "on");
            return [];
        },
        async tab(index) {
            const tab = await page.evaluateHandle((index) => {
                const tabs = document.querySelectorAll(".window.main [data-kind=tabs] [role=tab]");
                if (!tabs[index]) throw new Error("no tab " + index);
                return tabs[index];
            }, Number(index));
            const at = await center(tab);
            await page.mouse.click(at.x, at.y);
            return [];
        },
        async focus(id) {
            await page.evaluate((id) => {
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
            const target = await page.evaluateHandle((id) => {
                const control = window.laminoDrive.control(id);
                return ["radio", "check"].includes(control.dataset.kind) ? control.querySelector("input") : control;
            }, Number(id));
            const at = await center(target);
            await page.mouse.click(at.x, at.y);
            return [];
        },
        async choose(id, index) {
            const arrow = await page.evaluateHandle((id) => {
                const control = window.laminoDrive.control(id);
                if (control.dataset.kind !== "combo") throw new Error("control " + id + " is not a combo box");
                return control.querySelector(".arrow");
            }, Number(id));
            const at = await center(arrow);
            await page.mouse.click(at.x, at.y);
            await settle();
            const option = await page.evaluateHandle(([id, index]) => {
                const list = window.laminoDrive.control(id).querySelector("[role=listbox]");
                if (list.hidden) throw new Error("the list of " + id + " did not open");
                const option = list.querySelectorAll("[role=option]")[index];
                if (!option) throw new Error("no list item " + index);
                return option;
            }, [Number(id), Number(index)]);
            const there = await center(option);
            await page.mouse.click(there.x, there.y);
            await settle();
            const closed = await page.evaluate((id) => window.laminoDrive.control(id).querySelector("[role=listbox]").hidden, Number(id));
            if (!closed) throw new Error("the list of " + id + " did not close");
            return [];
        },
        async type(character) {
            if (!(await page.evaluate(() => document.activeElement && document.activeElement !== document.body)))
                throw new Error("no control has the keyboard focus");
            await page.keyboard.type(character);
            return [];
        },
        async key(name) {
            if (!(await page.evaluate(() => document.activeElement && document.activeElement !== document.body)))
                throw new Error("no control has the keyboard focus");
            await page.keyboard.press(keyOf(name));
            return [];
        },
        async text(id) {
            return [await page.evaluate((id) => window.laminoDrive.text(window.laminoDrive.control(id)), Number(id))];
        },
        async fields() {
            return page.evaluate(() => {
                const d = window.laminoDrive;
                return d.controlsOf(d.shownPage())
                    .filter((c) => ["edit", "combo"].includes(c.dataset.kind) && c.dataset.controlId !== "-1")
                    .sort((a, b) => Number(a.dataset.controlId) - Number(b.dataset.controlId))
                    .flatMap((c) => [c.dataset.controlId, d.text(c)]);
            });
        },
        async "focus-id"() { return [await page.evaluate(() => window.laminoDrive.focusId())]; },
        async checked(id) {
            return [await page.evaluate((id) => {
                const control = window.laminoDrive.control(id);
                const input = ["radio", "check"].includes(control.dataset.kind) && control.querySelector("input");
                if (!input) throw new Error("control " + id + " is not a button");
                return input.checked ? "1" : "0";
            }, Number(id))];
        },
        async selection(id) {
            return page.evaluate((id) => {
                const field = window.laminoDrive.field(window.laminoDrive.control(id));
                if (!field) throw new Error("control " + id + " has no text selection");
                return [String(field.selectionStart), String(field.selectionEnd)];
            }, Number(id));
        },
        async list(id) {
            return page.evaluate((id) => {
                const control = window.laminoDrive.control(id);
                if (control.dataset.kind !== "combo") throw new Error("control " + id + " is not a combo box");
                return [control.dataset.current ?? "-1",
                    ...[...control.querySelectorAll("[role=option]")].map((o) => o.textContent)];
            }, Number(id));
        },
        async tabs() {
            return page.evaluate(() => {
                const tabs = [...document.querySelectorAll(".window.main [data-kind=tabs] [role=tab]")];
                return [String(tabs.findIndex((t) => t.getAttribute("aria-selected") === "true")), ...tabs.map((t) => t.textContent)];
            });
        },
        async title() { return [await page.title()]; },
        async names() {
            const controls = await page.evaluate(() => {
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
            const answer = [];
            for (let i = 0; i < controls.length; i++)
                answer.push(controls[i], await accessibleName(`[data-drive-probe="${i}"]`));
            await page.evaluate(() => document.querySelectorAll("[data-drive-probe]").forEach((e) => delete e.dataset.driveProbe));
            return answer;
        },
        async help() {
            const item = await page.evaluateHandle(() =>
                [...document.querySelectorAll(".window.main .menuitem")].find((m) => m.textContent === "帮助"));
            if (!(await item.evaluate((e) => !!e))) throw new Error("there is no help menu item");
            const at = await center(item);
            await page.mouse.click(at.x, at.y);
            await settle();
            const box = await page.evaluate(() => {
                const dialog = document.querySelector("dialog[open]");
                if (!dialog) return null;
                const labels = [...dialog.querySelectorAll(".control[data-kind=label]")]
                    .sort((a, b) => Number(a.dataset.order) - Number(b.dataset.order));
                return [dialog.querySelector(".caption").textContent, ...labels.map((l) => l.textContent)];
            });
            if (!box) throw new Error("the help item opened no box");
            const ok = await page.evaluateHandle(() =>
                [...document.querySelectorAll("dialog[open] .control[data-kind=push]")].find((b) => b.textContent === "确定"));
            const there = await center(ok);
            await page.mouse.click(there.x, there.y);
            await settle();
            if (await page.evaluate(() => !!document.querySelector("dialog[open]"))) throw new Error("the box did not close");
            return box;
        },
        // The program keeps nothing: no cookie, no storage of any kind.
        async close() {
            const stored = await page.evaluate(async () => [localStorage.length, sessionStorage.length,
                (await indexedDB.databases()).length, (await caches.keys()).length, document.cookie.length]);
            const cookies = await context.cookies();
            if (stored.some((n) => n > 0) || cookies.length > 0) throw new Error("the page stored something: " + stored.join(","));
            await page.close();
            if (!page.isClosed()) throw new Error("the main window did not close");
            return [];
        },
        async shot(path) {
            await page.screenshot({ path });
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
            if (!requests[op]) throw new Error("unknown request " + op);
            answer = ["ok", ...(await requests[op](...args))];
            if (session.problems.length) throw new Error("the page failed: " + session.problems.join("; "));
            if (session.requests.length) throw new Error("the page asked the network for " + session.requests.join(", "));
        } catch (error) {
            answer = ["error", String(error.message || error).split("\n")[0].replace(/^.*Error: /, "")];
        }
        process.stdout.write(answer.map(escape).join("\t") + "\n");
    }
    await session.close();
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) main();
