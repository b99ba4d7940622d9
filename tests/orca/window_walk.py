"""Walks Lamino's window by keyboard alone, as a blind user with Orca would,
and checks what Orca spoke.

Usage: window_walk.py LAMINO WORKDIR [--explore]   (prints the walk as Orca spoke it)
"""
import sys

from orca_session import first_pass, run, said, vcut_units


def walk_window(walk):
    first_pass(walk)
    walk.speech.read()
    paged = len(walk.speech.lines)
    vcut_units(walk, "ctrl+Tab")
    # The About box from the menu bar, and the focus back where it was.
    walk.press("F10", said("帮助"), what="F10 to the menu bar")
    walk.press("Return", said("确定"), what="the About box")
    walk.press("Return", said("C值"), what="the field again after the About box")
    # Ctrl+Tab took the focus into the page, never to its tab: Orca says
    # no page tab from then on, however late it comes to the tab's selection.
    walk.settle()
    walk.expect_count(r"page tab", 0, paged, "a page tab after Ctrl+Tab")


run([sys.argv[1]], "单位换算", walk_window, env={"QT_QPA_PLATFORM": "xcb"})
