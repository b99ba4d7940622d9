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
import html
import io
import pathlib
import re

from fontTools import subset
from fontTools.ttLib import TTCollection

UMING = pathlib.Path("/usr/share/fonts/truetype/arphic/uming.ttc")
FAMILY = "AR PL UMing CN"


def used_characters(source):
    """Every character the program may show: its resources, the strings of
    its pages and main window, and what a keyboard types."""
    chars = set(chr(c) for c in range(0x20, 0x7F))
    files = [source / "res/lamino.rc", *sorted((source / "app").glob("*.cpp")), *sorted((source / "pages").glob("*.cpp")),
             source / "dialog/web/lamino.html"]
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


def pictures(source):
    """The script's BITMAP resources (SVG files), each as an element of its own."""
    script = (source / "res/lamino.rc").read_text(encoding="utf-8")
    out = []
    for number, name in re.findall(r'^(\d+)\s+BITMAP\s+"([^"]+\.svg)"', script, re.M):
        svg = (source / "res" / name).read_text(encoding="utf-8")
        svg = svg[svg.index("<svg"):]
        svg = svg.replace("<svg", f'<svg data-picture="{number}"', 1)
        out.append(svg.strip())
    return "\n".join(out)


def licences(source):
    note = ("Lamino, one-file browser release.\n\n" + (source / "LICENSE").read_text(encoding="utf-8") +
            "\n\nThe font embedded below is a subset of " + FAMILY + " (AR PL UMing), " +
            "Copyright (C) 1994-1999 Arphic Technology Co., Ltd., and its contributors, " +
            "distributed under the Arphic Public License:\n\n" +
            (source / "res/release/ARPHICPL.TXT").read_text(encoding="utf-8"))
    return note.replace("--", "- -")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", type=pathlib.Path, required=True)
    parser.add_argument("--module", type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--output", type=pathlib.Path, required=True)
    args = parser.parse_args()
    web = args.source / "dialog/web"

    def b64(data):
        encoded = base64.b64encode(data).decode("ascii")
        return "\n".join(encoded[i:i + 120] for i in range(0, len(encoded), 120))

    font = font_subset(used_characters(args.source))
    parts = {
        "@VERSION@": html.escape(args.version),
        "@ICON@": "data:image/png;base64," + base64.b64encode((args.source / "res/icon/lamino-64.png").read_bytes()).decode(),
        "@LICENCES@": licences(args.source),
        "@FONT_FAMILY@": FAMILY,
        "@FONT@": "data:font/woff2;base64," + base64.b64encode(font).decode(),
        "@CSS@": (web / "lamino.css").read_text(encoding="utf-8"),
        "@PICTURES@": pictures(args.source),
        "@MODULE@": b64(args.module.read_bytes()),
        "@SCRIPT@": (web / "lamino.js").read_text(encoding="utf-8"),
    }
    page = (web / "lamino.html").read_text(encoding="utf-8")
    page = re.sub("|".join(re.escape(k) for k in parts), lambda m: parts[m.group(0)], page)
    args.output.write_bytes(page.encode("utf-8"))


if __name__ == "__main__":
    main()
