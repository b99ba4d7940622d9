// Chromium 80 and 83, the headless builds that npm's chrome-aws-lambda 2.1.1
// and 3.1.1 carry brotli-compressed, driven by puppeteer-core 5.2.1 (the
// DevTools protocol of their time; today's puppeteer no longer speaks it).
// Each build is unpacked once into the cache, keyed by its package version.
// On Debian 12 and 13 they need only libnss3, libnspr4, libexpat1 and
// fontconfig-config with a font (the package's own libraries and fonts are
// for Amazon Linux and stay packed).
import { spawn } from "node:child_process";
import { chmodSync, createReadStream, createWriteStream, existsSync, mkdirSync, mkdtempSync, readFileSync, renameSync, rmSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { pipeline } from "node:stream/promises";
import { createBrotliDecompress } from "node:zlib";
import { launchChromium } from "./chromium.mjs";

const require = createRequire(import.meta.url);
const puppeteer5 = require("puppeteer-core-5");

export const oldChromiumFlags = ["--headless", "--no-sandbox", "--single-process", "--no-zygote", "--disable-gpu",
    "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run", "--lang=zh-CN"];

const packages = { chromium80: "chrome-aws-lambda-80", chromium83: "chrome-aws-lambda-83" };

// Unpacked from a file, not a pipe: tar stops reading at the archive's end
// marker, and a pipe still being written then fails as a premature close.
async function unpackTar(from, into) {
    const archive = join(into, ".archive.tar");
    await pipeline(createReadStream(from), createBrotliDecompress(), createWriteStream(archive));
    const tar = spawn("tar", ["-x", "--no-same-owner", "-f", archive, "-C", into], { stdio: "inherit" });
    await new Promise((resolve, reject) => tar.on("close", (code) => (code === 0 ? resolve() : reject(new Error("tar failed on " + from)))));
    rmSync(archive);
}

// The unpacked executable of the build that the package `name` carries.
export async function oldChromium(name) {
    const bin = join(dirname(require.resolve(`${packages[name]}/package.json`)), "bin");
    const { version } = JSON.parse(readFileSync(join(bin, "..", "package.json"), "utf8"));
    const cache = join(process.env.LAMINO_CACHE || "/var/cache/lamino", "chromium");
    const home = join(cache, `chrome-aws-lambda-${version}`);
    const executable = join(home, "chromium");
    if (existsSync(executable)) return executable;
    // Two tests may start at once: each unpacks aside, the first to finish wins.
    mkdirSync(cache, { recursive: true });
    const aside = mkdtempSync(join(cache, ".unpacking-"));
    try {
        await pipeline(createReadStream(join(bin, "chromium.br")), createBrotliDecompress(),
            createWriteStream(join(aside, "chromium"), { mode: 0o755 }));
        // Its software GL, looked for beside the executable.
        mkdirSync(join(aside, "swiftshader"));
        await unpackTar(join(bin, "swiftshader.tar.br"), join(aside, "swiftshader"));
        chmodSync(aside, 0o755);  // mkdtemp's 0700 would keep it to this user
        try {
            renameSync(aside, home);
        } catch (error) {
            if (!existsSync(executable)) throw error;
        }
    } finally {
        rmSync(aside, { recursive: true, force: true });
    }
    return executable;
}

export function opener(name) {
    return async (url, { viewport, scale, site }) => launchChromium({
        name, launcher: puppeteer5, executablePath: await oldChromium(name), flags: oldChromiumFlags, url, viewport, scale, site,
    });
}
