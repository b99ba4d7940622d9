#!/usr/bin/python3
"""Makes Lamino's one-file browser release: the page's HTML with the module,
the script, the style, the diagrams, the icon and the font in it, so that it
opens from disk and asks the network for nothing.

The font is the part of AR PL UMing CN that Lamino's texts use (the glyphs of
the resource script and of the program's own strings, and printable ASCII for
what a user types), subset with fontTools. The output depends on its inputs
alone: no time, path or locale goes into it.
"""

import argparse
import base64
import hashlib
import html
import io
import json
import pathlib
import re
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection

UMING = pathlib.Path("/usr/share/fonts/truetype/arphic/uming.ttc")
FAMILY = "AR PL UMing CN"


# What a browser below the page's floor shows instead of the window: the
# browsers that run it, and the desktop downloads of the same release.
CANNOT_START = (
    "<p>Lamino 需要支持 WebAssembly 的浏览器：Chromium 78 或更新的版本（以及基于它的浏览器），"
    "Firefox 78 或更新的版本，Safari 14.1（iOS 14.5）或更新的版本。</p>"
    "<p>也可以使用同一版本的桌面程序：Windows 下载 <b>Lamino-@VERSION@-win32.zip</b>，"
    "Debian 下载 <b>lamino_@VERSION@_amd64.deb</b>。</p>")


def used_characters(source):
    """Every character the program may show: its resources, the strings of
    its pages and main window, and what a keyboard types."""
    chars = set(chr(c) for c in range(0x20, 0x7F))
    files = [source / "res/lamino.rc", *sorted((source / "app").glob("*.cpp")), *sorted((source / "pages").glob("*.cpp")),
             source / "dialog/web/lamino.html"]
    chars.update(c for c in CANNOT_START if ord(c) >= 0x80)
    for path in files:
        chars.update(c for c in path.read_text(encoding="utf-8") if ord(c) >= 0x80)
    return "".join(sorted(chars))


def font_subset(text):
    collection = TTCollection(str(UMING))
    font = next(f for f in collection.fonts if f["name"].getDebugName(1) == FAMILY)
    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = []
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    # Outlines only: embedded bitmaps would draw some sizes apart from the rest.
    options.drop_tables += ["EBDT", "EBLC", "EBSC"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    out = io.BytesIO()
    font.flavor = "woff2"
    font.recalcTimestamp = False  # the face keeps its own date, not the build's
    font.save(out)
    return out.getvalue()


def resource_numbers(source):
    """The names res/resource.h gives the resources' numbers."""
    header = (source / "res/resource.h").read_text(encoding="utf-8")
    return {name: int(value, 0) for name, value in re.findall(r"^#define\s+(\w+)\s+(-?\w+)\s*$", header, re.M)}


def pictures(source):
    """The script's BITMAP resources (SVG files), each as an element of its own."""
    script = (source / "res/lamino.rc").read_text(encoding="utf-8")
    numbers = resource_numbers(source)
    out = []
    for symbol, name in re.findall(r'^(\w+)\s+BITMAP\s+"([^"]+\.svg)"', script, re.M):
        number = numbers[symbol] if symbol in numbers else int(symbol)
        svg = (source / "res" / name).read_text(encoding="utf-8")
        svg = svg[svg.index("<svg"):]
        svg = svg.replace("<svg", f'<svg data-picture="{number}"', 1)
        out.append(svg.strip())
    return "\n".join(out)


class HeaderError(Exception):
    """A name the script needs that the headers do not give it."""


def win32_constants(source):
    """The names and values of dialog/Win32Defs.h: its enumerators and its
    constexpr style bits."""
    header = (source / "dialog/Win32Defs.h").read_text(encoding="utf-8")
    header = re.sub(r"//[^\n]*", "", header)
    names = {}
    for body in re.findall(r"\benum\s+\w+\s*:\s*int\s*\{([^}]*)\}", header):
        for name, value in re.findall(r"(\w+)\s*=\s*(-?(?:0x[0-9A-Fa-f]+|\d+))", body):
            names[name] = int(value, 0)
    for name, value in re.findall(r"constexpr\s+uint32_t\s+(\w+)\s*=\s*(0x[0-9A-Fa-f]+|\d+)u?\s*;", header):
        names[name] = int(value, 0)
    if not names:
        raise HeaderError("dialog/Win32Defs.h: no constant found")
    return names


def control_kinds(source):
    """dlg::ControlKind's enumerators, in their order (dialog/ResourceScript.h)."""
    header = (source / "dialog/ResourceScript.h").read_text(encoding="utf-8")
    found = re.search(r"enum\s+class\s+ControlKind\s*\{([^}]*)\}", header)
    if not found:
        raise HeaderError("dialog/ResourceScript.h: no enum class ControlKind")
    kinds = re.findall(r"\b([A-Z]\w*)\b\s*(?:,|$)", re.sub(r"//[^\n]*", "", found.group(1)).strip())
    if any("=" in item for item in found.group(1).split(",")):
        raise HeaderError("dlg::ControlKind: enumerators with values of their own")
    return kinds


# The Win32 names the script may use: the prefixes of Win32Defs.h.
WIN32_NAME = re.compile(r"\b(?:(?:WS|WS_EX|DS|ES|SS|BS|CBS|LBS|BN|CBN|EN|TCN|BST|SW)_[A-Z0-9_]+|IDOK|IDCANCEL)\b")


def indent(text, by="    "):
    return "".join(by + line if line.strip() else line for line in text.splitlines(keepends=True))


def page_script(source):
    """dialog/web/lamino.js with the control kinds of dialog/web/controls/ in
    it, and the constants it uses as the headers give them. Fails on a Win32
    name the header does not have, a ControlKind it does not have, and a
    control kind without its object."""
    web = source / "dialog/web"
    core = (web / "lamino.js").read_text(encoding="utf-8")
    parts = sorted((web / "controls").glob("*.js"))
    controls = "".join((path.read_text(encoding="utf-8") + "\n") for path in parts)
    script = core.replace("// @CONTROLS@\n", indent(controls).lstrip(" "), 1)
    constants = win32_constants(source)
    kinds = control_kinds(source)

    used = sorted(set(WIN32_NAME.findall(script)))
    unknown = [name for name in used if name not in constants]
    if unknown:
        raise HeaderError("the page's script uses names that dialog/Win32Defs.h does not define: " + ", ".join(unknown))
    copied = [name for name in used if re.search(r"\b(?:const|let|var)\s+" + name + r"\b", script)]
    if copied:
        raise HeaderError("the page's script defines names of dialog/Win32Defs.h itself: " + ", ".join(copied))
    named = set(re.findall(r"\bControlKind\.(\w+)", script))
    defined = re.findall(r"\bcontrolKinds\.(\w+)\s*=", controls)
    problems = [f"ControlKind.{name} is no dlg::ControlKind" for name in sorted(named - set(kinds))]
    problems += [f"controlKinds.{name} is no dlg::ControlKind" for name in defined if name not in kinds]
    problems += [f"dlg::ControlKind::{name} has no object in dialog/web/controls/" for name in kinds if name not in defined]
    if problems:
        raise HeaderError("; ".join(problems))

    lines = [f"const {name} = {constants[name] if constants[name] < 16 else hex(constants[name])};" for name in used]
    lines.append("const ControlKind = Object.freeze({ " + ", ".join(f"{name}: {i}" for i, name in enumerate(kinds)) + " });")
    if "// @CONSTANTS@\n" not in script or "// @CONTROLS@" in script:
        raise HeaderError("dialog/web/lamino.js: the places for the constants and the controls are missing")
    return script.replace("// @CONSTANTS@\n", "\n    ".join(lines) + "\n", 1)


def licences(source):
    note = ("Lamino, one-file browser release.\n\n" + (source / "LICENSE").read_text(encoding="utf-8") +
            "\n\nThe font embedded below is a subset of " + FAMILY + " (AR PL UMing), " +
            "Copyright (C) 1994-1999 Arphic Technology Co., Ltd., and its contributors, " +
            "distributed under the Arphic Public License:\n\n" +
            (source / "res/release/ARPHICPL.TXT").read_text(encoding="utf-8"))
    return note.replace("--", "- -")


# The site: the same page served from a folder over HTTPS, installable on a
# phone's home screen and kept for starts without the network by a worker.
# What it adds to the page stands between these two lines, but for the two
# meta elements it replaces.
SITE_BEGIN = "<!-- The site's additions: web app manifest, home-screen icons, offline worker. -->"
SITE_END = "<!-- End of the site's additions. -->"
SITE_POLICY = ("default-src 'none'; script-src 'unsafe-inline' 'unsafe-eval'; style-src 'unsafe-inline'; "
               "font-src data:; img-src data: 'self'; manifest-src 'self'; worker-src 'self'")
SITE_VIEWPORT = "width=device-width, initial-scale=1, viewport-fit=cover"
# The window's own colour: the desktop the page's window stands on.
SITE_COLOUR = "#d6d9de"
WORKER = "service-worker.js"
# Home-screen icons: name, size in pixels, margin in percent, manifest purpose.
# A maskable icon keeps the drawing inside the circle every mask leaves.
SITE_ICONS = [("icon-192.png", 192, 0, "any"), ("icon-512.png", 512, 0, "any"),
              ("icon-maskable-512.png", 512, 10, "maskable"), ("apple-touch-icon.png", 180, 5, None)]


def site_manifest(source):
    desktop = (source / "res/io.github.lamino.Lamino.desktop").read_text(encoding="utf-8")
    description = re.search(r"^Comment\[zh_CN\]=(.*)$", desktop, re.M).group(1)
    manifest = {
        "name": "Lamino",
        "short_name": "Lamino",
        "description": description,
        "lang": "zh-CN",
        "dir": "ltr",
        "id": "./",
        "start_url": "./",
        "scope": "./",
        "display": "standalone",
        "theme_color": SITE_COLOUR,
        "background_color": SITE_COLOUR,
        "icons": [{"src": name, "sizes": f"{size}x{size}", "type": "image/png", "purpose": purpose}
                  for name, size, _, purpose in SITE_ICONS if purpose],
    }
    return (json.dumps(manifest, ensure_ascii=False, indent=2) + "\n").encode("utf-8")


def site_page(source, page):
    """The one-file page with the site's additions."""
    site = source / "tools/web/site"
    additions = "\n".join([
        SITE_BEGIN,
        '<link rel="manifest" href="manifest.webmanifest">',
        f'<meta name="theme-color" content="{SITE_COLOUR}">',
        '<link rel="apple-touch-icon" href="apple-touch-icon.png">',
        '<meta name="apple-mobile-web-app-capable" content="yes">',
        '<meta name="mobile-web-app-capable" content="yes">',
        '<meta name="apple-mobile-web-app-status-bar-style" content="default">',
        '<meta name="apple-mobile-web-app-title" content="Lamino">',
        "<style>\n" + (site / "standalone.css").read_text(encoding="utf-8") + "</style>",
        "<script>\n" + (site / "register.js").read_text(encoding="utf-8") + "</script>",
        SITE_END, ""])

    def replace_once(text, pattern, replacement):
        text, count = re.subn(pattern, lambda m: m.group(1) + replacement + m.group(2), text, count=1)
        if count != 1:
            raise SystemExit(f"make-html.py: the page has no {pattern}")
        return text

    page = replace_once(page, r'(<meta http-equiv="Content-Security-Policy" content=")[^"]*(">)', SITE_POLICY)
    page = replace_once(page, r'(<meta name="viewport" content=")[^"]*(">)', SITE_VIEWPORT)
    return replace_once(page, r"()(</head>)", additions)


def write_site(source, page, version, rasterize, folder):
    """The site's folder: index.html, the manifest, the icons and the worker,
    which names its cache by the version and the digest of the other files."""
    folder.mkdir(parents=True, exist_ok=True)
    files = {"index.html": site_page(source, page).encode("utf-8"), "manifest.webmanifest": site_manifest(source)}
    for name, size, margin, _ in SITE_ICONS:
        subprocess.run([str(rasterize), "--icon", str(source / "res/icon/lamino.svg"), str(folder / name),
                        str(size), str(margin)], check=True)
        files[name] = (folder / name).read_bytes()
    digests = {("./" if name == "index.html" else name): hashlib.sha256(data).hexdigest()
               for name, data in sorted(files.items())}
    content = hashlib.sha256("".join(f"{d}  {n}\n" for n, d in digests.items()).encode()).hexdigest()
    worker = (source / "tools/web/site" / WORKER).read_text(encoding="utf-8")
    worker = worker.replace("@CACHE@", f"lamino-{version}-{content[:16]}")
    worker = worker.replace("{ /* @FILES@ */ }", json.dumps(digests, indent=4))
    if "@CACHE@" in worker or "@FILES@" in worker:
        raise SystemExit(f"make-html.py: {WORKER} keeps a blank to fill in")
    files[WORKER] = worker.encode("utf-8")
    for name, data in files.items():
        (folder / name).write_bytes(data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", type=pathlib.Path, required=True)
    parser.add_argument("--module", type=pathlib.Path)
    parser.add_argument("--version")
    parser.add_argument("--output", type=pathlib.Path)
    parser.add_argument("--script-only", action="store_true", help="write the page's script alone to standard output")
    parser.add_argument("--site", type=pathlib.Path, help="also make the site in this folder")
    parser.add_argument("--rasterize", type=pathlib.Path, help="lamino-rasterize, which draws the site's icons")
    args = parser.parse_args()
    if args.site and not args.rasterize:
        parser.error("--site needs --rasterize")
    web = args.source / "dialog/web"
    try:
        script = page_script(args.source)
    except HeaderError as error:
        sys.exit(f"make-html: {error}")
    if args.script_only:
        sys.stdout.write(script)
        return
    if args.module is None or args.version is None or args.output is None:
        parser.error("--module, --version and --output make the page")

    def b64(data):
        encoded = base64.b64encode(data).decode("ascii")
        return "\n".join(encoded[i:i + 120] for i in range(0, len(encoded), 120))

    font = font_subset(used_characters(args.source))
    version = html.escape(args.version)
    parts = {
        "@VERSION@": version,
        "@CANNOT_START@": CANNOT_START.replace("@VERSION@", version),
        "@ICON@": "data:image/png;base64," + base64.b64encode((args.source / "res/icon/lamino-64.png").read_bytes()).decode(),
        "@LICENCES@": licences(args.source),
        "@FONT_FAMILY@": FAMILY,
        "@FONT@": "data:font/woff2;base64," + base64.b64encode(font).decode(),
        "@CSS@": (web / "lamino.css").read_text(encoding="utf-8"),
        "@PICTURES@": pictures(args.source),
        "@MODULE@": b64(args.module.read_bytes()),
        "@SCRIPT@": script,
    }
    page = (web / "lamino.html").read_text(encoding="utf-8")
    page = re.sub("|".join(re.escape(k) for k in parts), lambda m: parts[m.group(0)], page)
    args.output.write_bytes(page.encode("utf-8"))
    if args.site:
        write_site(args.source, page, args.version, args.rasterize, args.site)


if __name__ == "__main__":
    main()
