// What the scenario files cannot show of the browser build, checked in
// Debian's headless Chromium: a phone's viewport and touch, forced colours,
// a dark scheme, the radio pair and the combo box from the keyboard, and the
// names a screen reader hears. Pictures go to $LAMINO_SHOTS_DIR/web (or
// screenshots/web) for a person to look at.
//   node --test tests/web/browser-checks.mjs   (LAMINO_HTML names the page)
import { strict as assert } from "node:assert";
import { mkdirSync } from "node:fs";
import { join } from "node:path";
import { test } from "node:test";
import { openLamino } from "../../tools/drive/web/playwright-page.mjs";

const html = process.env.LAMINO_HTML || "build/web/lamino.html";
const shots = join(process.env.LAMINO_SHOTS_DIR || "screenshots", "web");
mkdirSync(shots, { recursive: true });

const field = (page, id) => page.locator(`.page:not([hidden]) [data-control-id="${id}"]`).first();
const value = (page, id) => field(page, id).evaluate((c) => (c.matches("input") ? c : c.querySelector("input")).value);
const focusedId = (page) => page.evaluate(() => document.activeElement.closest(".control")?.dataset.controlId);
const tab = (page, index) => page.locator(".window.main [role=tab]").nth(index);

function luminance([r, g, b]) {
    const linear = (c) => (c / 255 <= 0.04045 ? c / 255 / 12.92 : ((c / 255 + 0.055) / 1.055) ** 2.4);
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}
function contrast(a, b) {
    const [la, lb] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (la + 0.05) / (lb + 0.05);
}
// The text colour of each visible text and the background it is drawn on.
const textColours = (page) => page.evaluate(() => {
    const rgb = (colour) => colour.match(/[\d.]+/g).slice(0, 3).map(Number);
    const backgroundOf = (element) => {
        for (let e = element; e; e = e.parentElement) {
            const colour = getComputedStyle(e).backgroundColor;
            if (!/rgba\(.*, 0\)$/.test(colour) && colour !== "transparent") return rgb(colour);
        }
        return [255, 255, 255];
    };
    return [...document.querySelectorAll(".window.main .control, .window.main .tab, .window.main .menuitem")]
        .filter((e) => e.getClientRects().length && (e.value || e.textContent.trim()) && !e.closest("[hidden]"))
        .filter((e) => !["group", "tabs", "picture"].includes(e.dataset.kind))
        .map((e) => ({ what: e.dataset.controlId || e.textContent, text: rgb(getComputedStyle(e).color), ground: backgroundOf(e) }));
});

test("at 1x and 2x the window is 533 x 359 CSS pixels of client area under its menu", async (t) => {
    for (const scale of [1, 2]) {
        const s = await openLamino(html, { scale });
        t.after(() => s.close());
        const client = await s.page.locator(".window.main > .client").boundingBox();
        assert.deepEqual([client.width, client.height], [533, 359]);
        for (const [i, name] of ["converter", "vcut", "goldfinger", "countersink"].entries()) {
            await tab(s.page, i).click();
            await s.page.screenshot({ path: join(shots, `${name}@${scale}x.png`) });
        }
    }
});

test("on a phone (360 x 740, touch) the whole window fits and works by tapping", async (t) => {
    const s = await openLamino(html, { viewport: { width: 360, height: 740 }, scale: 3, mobile: true });
    t.after(() => s.close());
    const { page } = s;
    const widths = await page.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.clientWidth]);
    assert.ok(widths[0] <= widths[1], `scrolls sideways: ${widths}`);
    const frame = await page.locator(".window.main").boundingBox();
    assert.ok(frame.x >= 0 && frame.x + frame.width <= 360, `window at ${frame.x}..${frame.x + frame.width}`);
    await field(page, 1007).tap();
    await page.keyboard.type("2");
    assert.equal(await value(page, 1003), "50.800000");
    await page.screenshot({ path: join(shots, "phone-converter.png") });
    await tab(page, 1).tap();
    await field(page, 1020).locator(".arrow").tap();
    await page.locator(".page:not([hidden]) [role=option]", { hasText: "45degree" }).tap();
    assert.equal(await value(page, 1020), "45degree");
    assert.notEqual(await value(page, 1024), "0.274167");
    await page.screenshot({ path: join(shots, "phone-vcut.png") });
});

test("under forced colours every text reads on its ground, in the system's colours", async (t) => {
    const s = await openLamino(html, { forcedColors: "active" });
    t.after(() => s.close());
    for (const [i, name] of ["converter", "vcut"].entries()) {
        await tab(s.page, i).click();
        for (const { what, text, ground } of await textColours(s.page))
            assert.ok(contrast(text, ground) >= 4.5, `${what}: ${text} on ${ground}`);
        await s.page.screenshot({ path: join(shots, `forced-colours-${name}.png`) });
    }
});

test("under a dark scheme the pages keep their light look", async (t) => {
    const s = await openLamino(html, { colorScheme: "dark" });
    t.after(() => s.close());
    await tab(s.page, 1).click();
    const colours = await textColours(s.page);
    assert.ok(colours.length > 10);
    for (const { what, text, ground } of colours) {
        assert.ok(luminance(ground) > 0.7, `${what} on a dark ground ${ground}`);
        assert.ok(contrast(text, ground) >= 4.5, `${what}: ${text} on ${ground}`);
    }
    await s.page.screenshot({ path: join(shots, "dark-scheme-vcut.png") });
});

test("the keyboard reaches the radio pair, moves its check, and works the combo box", async (t) => {
    const s = await openLamino(html);
    t.after(() => s.close());
    const { page } = s;
    await tab(page, 1).click();
    await page.keyboard.press("Tab");
    assert.equal(await focusedId(page), "1017");
    await page.keyboard.press("ArrowRight");
    assert.equal(await focusedId(page), "1018");
    assert.equal(await value(page, 1021), "15.748031");  // converted to mil
    await page.keyboard.press("Tab");
    assert.equal(await focusedId(page), "1020");
    await page.keyboard.press("Alt+ArrowDown");
    assert.equal(await field(page, 1020).locator("input").getAttribute("aria-expanded"), "true");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("Enter");
    assert.equal(await value(page, 1020), "45degree");
    assert.equal(await field(page, 1020).locator("input").getAttribute("aria-expanded"), "false");
    await page.keyboard.press("ArrowUp");  // with the list closed, the previous item
    assert.equal(await value(page, 1020), "30degree");
});

test("a screen reader hears the fields by their labels, groups as groups, and results as they change", async (t) => {
    const s = await openLamino(html);
    t.after(() => s.close());
    const { page } = s;
    const snapshot = await page.locator(".window.main").ariaSnapshot();
    for (const line of ['tab "单位换算" [selected]', 'group "长度"', 'textbox "inch(英寸)"', 'menuitem "帮助"'])
        assert.ok(snapshot.includes(line), `no ${line} in\n${snapshot}`);
    // Typing into B: once the typist pauses, C's new value is told, once.
    await tab(page, 1).click();
    await field(page, 1021).click();
    await page.keyboard.press("End");
    await page.keyboard.type("5");
    await page.keyboard.type("5");
    await page.waitForTimeout(900);
    assert.equal(await page.locator("[aria-live=polite]").textContent(), `C值: ${await value(page, 1024)}`);
    await tab(page, 3).click();
    const countersink = await page.locator(".window.main").ariaSnapshot();
    for (const line of ['radio "mm" [checked]', 'combobox "A值"', 'img "沉头孔图示"', 'group "计算区域"'])
        assert.ok(countersink.includes(line), `no ${line} in\n${countersink}`);
});
