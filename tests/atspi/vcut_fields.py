"""Reads the V-cut page of a running Lamino as a screen reader does, over
AT-SPI: the page's fields with their names, values and the group that holds
them; then switches the unit
to mil as an assistive technology would (the radio button's action) and
lists the text changes the program's own writes announced, and the carets
they told of in fields without the focus (none should be).

Usage: vcut_fields.py LAMINO OUTPUT   (inside a D-Bus session, on an X display)
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

FIELD_ROLES = {pyatspi.ROLE_TEXT: "text", pyatspi.ROLE_COMBO_BOX: "combo box", pyatspi.ROLE_ENTRY: "text"}


def fail(message):
    print("atspi: " + message, file=sys.stderr)
    sys.exit(1)


def descendants(accessible):
    for child in accessible:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(root, role, name=None):
    for accessible in descendants(root):
        if accessible.getRole() == role and (name is None or accessible.name == name):
            return accessible
    return None


def label_of(accessible):
    """The label a screen reader speaks for a control: the one it is
    labelled by, else its own name."""
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getNTargets() > 0:
            return relation.getTarget(0).name
    return accessible.name


def value_of(accessible):
    try:
        text = accessible.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return accessible.name


def print_others(page):
    """The radio buttons and the diagram, with what a screen reader says of their state."""
    for accessible in descendants(page):
        if accessible.getRole() in (pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_IMAGE):
            state = accessible.getState()
            said = [word for word, bit in (("checked", pyatspi.STATE_CHECKED), ("focused", pyatspi.STATE_FOCUSED))
                    if state.contains(bit)]
            print(" ".join([accessible.name, accessible.getRoleName()] + said + ["in", accessible.parent.name]))


def application(process):
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        if process.poll() is not None:
            fail("Lamino ended with %d before it was seen" % process.returncode)
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == process.pid:
                window = find(app, pyatspi.ROLE_DIALOG, "Lamino")
                if window is not None and find(window, pyatspi.ROLE_PAGE_TAB, "V-CUT削铜") is not None:
                    return window
        time.sleep(0.2)
    fail("Lamino's window did not appear on the accessibility bus")


def run_until(condition, seconds):
    """Runs the event loop until condition() holds or the time is up."""
    loop = GLib.MainLoop()
    deadline = time.monotonic() + seconds

    def check():
        if condition() or time.monotonic() > deadline:
            loop.quit()
            return False
        return True

    GLib.timeout_add(50, check)
    loop.run()


def main():
    sys.stdout = open(sys.argv[2], "w", encoding="utf-8")  # the bus's daemons talk on the standard output
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    process = subprocess.Popen([sys.argv[1]], env=env)
    try:
        window = application(process)
        tab = find(window, pyatspi.ROLE_PAGE_TAB, "V-CUT削铜")
        tab.queryAction().doAction(0)
        page = None
        run_until(lambda: (page := find(window, pyatspi.ROLE_PANEL, "V-CUT削铜")) is not None
                  and page.getState().contains(pyatspi.STATE_SHOWING), 10)
        page = find(window, pyatspi.ROLE_PANEL, "V-CUT削铜")
        if page is None or not page.getState().contains(pyatspi.STATE_SHOWING):
            fail("the V-cut page did not show")
        print("page " + page.name)
        fields = [a for a in descendants(page)
                  if a.getRole() in FIELD_ROLES and a.parent.getRole() != pyatspi.ROLE_COMBO_BOX]
        for field in fields:
            print("%s %s = %s in %s" % (label_of(field), FIELD_ROLES[field.getRole()], value_of(field),
                                        field.parent.name))
        print_others(page)

        # The unit is switched from the mm button with the focus, after B
        # has had it: B keeps a caret of its own, which the writes move.
        field_b = find(page, pyatspi.ROLE_TEXT, "B值:")
        mm = find(page, pyatspi.ROLE_RADIO_BUTTON, "mm")
        for control in (field_b, mm):
            control.queryComponent().grabFocus()
            run_until(lambda: control.getState().contains(pyatspi.STATE_FOCUSED), 5)
        run_until(lambda: False, 0.3)  # the focus's own events are not the writes'

        changes = []
        carets = []

        def on_text_changed(event):
            if event.type.endswith("insert") and event.source is not None:
                changes.append((label_of(event.source), event.any_data))

        def on_caret(event):
            if event.source is not None and event.source.getRole() in FIELD_ROLES:
                carets.append((label_of(event.source), event.type))

        pyatspi.Registry.registerEventListener(on_text_changed, "object:text-changed")
        pyatspi.Registry.registerEventListener(on_caret, "object:text-caret-moved", "object:text-selection-changed")
        mil = find(page, pyatspi.ROLE_RADIO_BUTTON, "mil")
        mil.queryAction().doAction(0)
        run_until(lambda: len(changes) >= 6, 10)
        run_until(lambda: False, 0.5)  # and anything that would follow
        pyatspi.Registry.deregisterEventListener(on_text_changed, "object:text-changed")
        pyatspi.Registry.deregisterEventListener(on_caret, "object:text-caret-moved", "object:text-selection-changed")
        print("after a press of mil, the program's writes announced:")
        for label, text in changes:
            print("%s %s" % (label, text))
        # A screen reader that comes to these late takes a field it is told
        # of for the focus: only the control with the focus tells of carets.
        print("and told of carets and selections in fields:")
        for label, kind in carets:
            print("%s %s" % (label, kind))
        for field in fields:
            print("%s %s = %s in %s" % (label_of(field), FIELD_ROLES[field.getRole()], value_of(field),
                                        field.parent.name))
        print_others(page)
    finally:
        process.terminate()
        process.wait(10)


main()
