// The browser engines that lamino-drive-web plays scenarios in. Each module
// opens the page from disk (or from `site`, an origin on loopback whose
// requests are let through) in a fresh profile and answers:
//   evaluate(fn, ...args)  runs fn in the page, resolves its (JSON) result
//   click(x, y)            a left click at CSS pixels of the viewport
//   type(text)             the text as key presses
//   press(keys)            a chord of DOM key values, modifiers first: ["Control", "Shift", "Tab"]
//   screenshot(path)       the viewport as PNG
//   accessibleNames(sels)  the names the engine's accessibility machinery gives the elements
//   cookies()              how many cookies the browser keeps for the page
//   closePage()            closes the page's window; true once it is closed
//   problems, requests     the page's errors, and the network requests it tried (refused)
//   quit()                 closes the browser and removes its profile
import { open as chromium } from "./chromium.mjs";
import { opener } from "./chromium-old.mjs";
import { open as firefox } from "./firefox.mjs";
import { open as webkit } from "./webkit.mjs";

export const engines = {
    chromium,
    chromium80: opener("chromium80"),
    chromium83: opener("chromium83"),
    firefox,
    webkit,
};

export function openEngine(name, url, { viewport = { width: 600, height: 460 }, scale = 1, site } = {}) {
    if (!engines[name]) throw new Error(`no engine ${name} (${Object.keys(engines).join(", ")})`);
    return engines[name](url, { viewport, scale, site });
}
