// WebKitGTK: Debian's WebKitWebDriver starting MiniBrowser --automation on
// an Xvfb server of its own, spoken to in WebDriver classic over HTTP on
// loopback. Clicks and keys are WebDriver actions, which WebKit delivers to
// the web view as the window system's input.
import { execFileSync, spawn } from "node:child_process";
import { existsSync, mkdtempSync, readdirSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const xvfb = join(dirname(fileURLToPath(import.meta.url)), "../../../xvfb.sh");

function miniBrowser() {
    if (process.env.LAMINO_MINIBROWSER) return process.env.LAMINO_MINIBROWSER;
    for (const triplet of readdirSync("/usr/lib").filter((d) => /-linux-gnu/.test(d))) {
        for (const api of ["webkit2gtk-4.1", "webkit2gtk-4.0", "webkitgtk-6.0"]) {
            const path = `/usr/lib/${triplet}/${api}/MiniBrowser`;
            if (existsSync(path)) return path;
        }
    }
    throw new Error("no MiniBrowser (Debian package webkit2gtk-driver)");
}

// WebDriver's code points for the keys the scenarios press.
const keyPoints = {
    Enter: "\uE007", Escape: "\uE00C", Tab: "\uE004", Backspace: "\uE003", Delete: "\uE017",
    Home: "\uE011", End: "\uE010", ArrowLeft: "\uE012", ArrowUp: "\uE013", ArrowRight: "\uE014", ArrowDown: "\uE015",
    PageUp: "\uE00E", PageDown: "\uE00F", Shift: "\uE008", Control: "\uE009", Alt: "\uE00A", F4: "\uE034",
};
const keyPoint = (key) => {
    if (keyPoints[key]) return keyPoints[key];
    if ([...key].length === 1) return key;
    throw new Error("no WebDriver key for " + key);
};

// A loopback port that the system handed out and is free again.
function freePort() {
    return new Promise((resolve, reject) => {
        const server = createServer();
        server.listen(0, "127.0.0.1", () => {
            const { port } = server.address();
            server.close(() => resolve(port));
        });
        server.on("error", reject);
    });
}

// Errors and refused requests from the page's own side, kept from the
// moment the page has loaded (an error before that leaves it unstarted).
const watchInPage = () => {
    if (window.laminoWatch) return;
    const watch = window.laminoWatch = { problems: [], violations: [] };
    window.addEventListener("error", (event) => watch.problems.push(event.message));
    window.addEventListener("unhandledrejection", (event) => watch.problems.push(String(event.reason)));
    document.addEventListener("securitypolicyviolation", (event) => watch.violations.push(event.blockedURI || event.violatedDirective));
    const error = console.error;
    console.error = (...args) => { watch.problems.push(args.join(" ")); error.apply(console, args); };
};

export async function open(url, { viewport, scale = 1, site }) {
    if (scale !== 1) throw new Error("the WebKit engine draws at 1x only");
    const home = mkdtempSync(join(tmpdir(), "lamino-webkit-"));
    const stopped = [];
    const cleanUp = () => {
        for (const stop of stopped.reverse()) {
            try { stop(); } catch { /* gone already */ }
        }
        rmSync(home, { recursive: true, force: true });
    };
    try {
        // The browser's proxy: every request the page makes ends here, refused,
        // but those to the site's own origin, which go straight to it.
        const requests = [];
        const proxy = createServer((request, response) => {
            requests.push(request.url);
            response.writeHead(403).end();
        });
        proxy.on("connect", (request, socket) => {
            requests.push(request.url);
            socket.end("HTTP/1.1 403 Forbidden\r\n\r\n");
        });
        await new Promise((resolve) => proxy.listen(0, "127.0.0.1", resolve));
        stopped.push(() => proxy.close());
        const proxyAt = `127.0.0.1:${proxy.address().port}`;

        const display = execFileSync("bash", [xvfb, "start"], { encoding: "utf8" }).trim();
        stopped.push(() => execFileSync("bash", [xvfb, "stop", display]));
        const port = await freePort();
        const driver = spawn("WebKitWebDriver", [`--port=${port}`], {
            stdio: ["ignore", "ignore", "pipe"],
            env: { ...process.env, DISPLAY: display, HOME: home, XDG_CACHE_HOME: join(home, "cache"),
                XDG_DATA_HOME: join(home, "data"), XDG_CONFIG_HOME: join(home, "config"), LANGUAGE: "zh_CN", LANG: "C.UTF-8" },
        });
        let driverLog = "";
        driver.stderr.on("data", (chunk) => { driverLog = (driverLog + chunk).slice(-4000); });
        stopped.push(() => driver.kill());

        const base = `http://127.0.0.1:${port}`;
        const call = async (method, path, body) => {
            const response = await fetch(base + path, {
                method, headers: { "Content-Type": "application/json" }, body: body === undefined ? undefined : JSON.stringify(body),
            });
            const answer = await response.json();
            if (!response.ok) throw new Error(`${answer.value.error}: ${answer.value.message}`);
            return answer.value;
        };
        for (let tries = 0; ; tries++) {
            try {
                await call("GET", "/status");
                break;
            } catch (error) {
                if (tries > 100 || driver.exitCode !== null) throw new Error("WebKitWebDriver did not start: " + driverLog);
                await new Promise((resolve) => setTimeout(resolve, 50));
            }
        }
        const { sessionId } = await call("POST", "/session", {
            capabilities: {
                alwaysMatch: {
                    "webkitgtk:browserOptions": { binary: miniBrowser(), args: ["--automation"] },
                    proxy: { proxyType: "manual", httpProxy: proxyAt, sslProxy: proxyAt, ...(site ? { noProxy: [new URL(site).hostname] } : {}) },
                },
            },
        });
        const session = (method, path, body) => call(method, `/session/${sessionId}${path}`, body);
        let open = true, windowOpen = true;
        stopped.push(() => { if (open) session("DELETE", "").catch(() => {}); });

        const evaluate = async (fn, ...args) => {
            const answer = await session("POST", "/execute/async", {
                script: `const done = arguments[arguments.length - 1];
                    Promise.resolve().then(() => (${fn}).apply(null, Array.prototype.slice.call(arguments, 0, -1)))
                        .then((value) => done({ value: value === undefined ? null : value }), (error) => done({ error: String(error && error.message || error) }));`,
                args,
            });
            if (answer.error !== undefined) throw new Error(answer.error);
            return answer.value;
        };
        // The window so sized that the page's viewport is as asked.
        await session("POST", "/window/rect", { width: viewport.width, height: viewport.height });
        const inner = await evaluate(() => [innerWidth, innerHeight]);
        await session("POST", "/window/rect", {
            width: 2 * viewport.width - inner[0], height: 2 * viewport.height - inner[1],
        });
        await session("POST", "/url", { url });
        await evaluate(watchInPage);

        const problems = [];
        const actions = async (list) => {
            await session("POST", "/actions", { actions: list });
            await session("DELETE", "/actions");
        };
        return {
            name: "webkit", problems, requests,
            evaluate,
            async poll() {
                if (!windowOpen) return;
                const watch = await evaluate(() => {
                    const seen = window.laminoWatch || { problems: [], violations: [] };
                    return { problems: seen.problems.splice(0), violations: seen.violations.splice(0) };
                });
                problems.push(...watch.problems);
                requests.push(...watch.violations);
            },
            async click(x, y) {
                await actions([{
                    type: "pointer", id: "mouse", parameters: { pointerType: "mouse" },
                    actions: [{ type: "pointerMove", origin: "viewport", x: Math.round(x), y: Math.round(y), duration: 0 },
                        { type: "pointerDown", button: 0 }, { type: "pointerUp", button: 0 }],
                }]);
            },
            async type(text) {
                await actions([{
                    type: "key", id: "keyboard",
                    actions: [...text].flatMap((c) => [{ type: "keyDown", value: c }, { type: "keyUp", value: c }]),
                }]);
            },
            async press(keys) {
                const points = keys.map(keyPoint);
                await actions([{
                    type: "key", id: "keyboard",
                    actions: [...points.map((value) => ({ type: "keyDown", value })),
                        ...points.reverse().map((value) => ({ type: "keyUp", value }))],
                }]);
            },
            async screenshot(path) {
                writeFileSync(path, Buffer.from(await session("GET", "/screenshot"), "base64"));
            },
            // WebDriver's Get Computed Label: the name WebKit's accessibility
            // objects give the element.
            async accessibleNames(selectors) {
                const names = [];
                for (const selector of selectors) {
                    const element = await session("POST", "/element", { using: "css selector", value: selector });
                    names.push(await session("GET", `/element/${Object.values(element)[0]}/computedlabel`));
                }
                return names;
            },
            async cookies() { return (await session("GET", "/cookie")).length; },
            async closePage() {
                const left = await session("DELETE", "/window");
                windowOpen = left.length > 0;
                return !windowOpen;
            },
            async quit() {
                try {
                    if (open) await session("DELETE", "");
                    open = false;
                } finally {
                    cleanUp();
                }
            },
        };
    } catch (error) {
        cleanUp();
        throw error;
    }
}
