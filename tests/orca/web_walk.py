"""Walks Lamino's browser page in Chromium by keyboard alone, as a blind user
with Orca would, and checks what Orca spoke.

Usage: web_walk.py LAMINO.HTML WORKDIR [--explore]   (prints the walk as Orca spoke it)
"""
import json
import os
import pathlib
import sys

from orca_session import first_pass, orca_version, run, said, vcut_units

page = pathlib.Path(sys.argv[1]).resolve().as_uri()
profile = os.path.join(sys.argv[2], "chromium")
# The browser would offer to translate the Chinese page, in a bubble that
# Orca reads out and that takes the keyboard.
os.makedirs(os.path.join(profile, "Default"))
with open(os.path.join(profile, "Default", "Preferences"), "w") as preferences:
    json.dump({"translate": {"enabled": False}}, preferences)
# A fresh profile, no sandbox (the tests run as root), the page in a window
# of its own, and none of the requests a browser makes by itself.
CHROMIUM = ["chromium", "--app=" + page, "--force-renderer-accessibility", "--no-sandbox",
            "--user-data-dir=" + profile, "--no-first-run", "--disable-gpu", "--disable-quic",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--password-store=basic"]

# What 1 inch gives the rest of its group, told once the typist pauses.
INCH_RESULTS = "，".join(["m(米) 0.025400", "cm(厘米) 2.540000", "mm(毫米) 25.400000", "μm(微米) 25400.000000",
                         'μ"(微英寸) 1000000.000000', "mil(密耳) 1000.000000"])


# A result told alone: its name and value, and nothing else.
C_TOLD = r"^C值: [0-9.]+$"


def type_inch(walk, label):
    if label == "inch(英寸)":
        walk.press("1", said(INCH_RESULTS), what="results of 1 inch")


def walk_page(walk):
    walk.settle()  # Orca's words for the page's loading
    # The page starts on its tab, which the page is named by: from there
    # Orca does not say the name again for the page's first field.
    first_pass(walk, page_named=False, after=type_inch)
    # Ctrl+Tab is the browser's; the page steps its tabs with Alt+PageDown.
    vcut_units(walk, "alt+Next")
    # A result told just before the About box opens: F typed over, C told.
    walk.settle()  # as before "back to A"
    walk.press("shift+Tab", said("F值"), what="back to F")
    told = walk.press("2", C_TOLD, what="the new C told")
    # The About box from the menu bar, its text read, and the focus back
    # where it was; more than once, as it opened silent now and then.
    # The box is an alert dialog: Orca 48 reads it whole as it shows, Orca
    # 43 only the title and the texts of one line (not the two-line one).
    about = [said("关于 Lamino"), said("Lamino 1.0 版"), said("版权所有 (C) 2026 Lamino 开发组")]
    if orca_version() >= 48:
        about.append(said("使用中若有小毛病或好的建议"))
    for n in range(3):
        walk.press("F10", said("帮助"), what="F10 to the menu bar")
        walk.press("Return", *about, said("确定"), what="the About box, opening %d" % (n + 1))
        walk.press("Return", said("F值"), what="the field again after the About box")
    walk.press("alt+Prior", said("单位换算"), said("长度"), said("m(米)"), what="page before, from a field")
    # Nothing is told twice: not when the box hides the page, nor when it
    # shows it again.
    walk.settle()
    walk.expect_count(said(INCH_RESULTS), 1, 0, "results of 1 inch")
    if told is not None:
        walk.expect_count(C_TOLD, 1, told, "the new C")


run(CHROMIUM, "Finished loading|单位换算", walk_page)
