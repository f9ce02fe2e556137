"""Reads a running Qt application over AT-SPI, as a screen reader does, and checks what the
formula editor and the palette tell it.

Usage: atspi-check.py APPLICATION EDITOR_NAME SPOKEN_TEXT BUTTON_NAME
Finds APPLICATION on the desktop (waiting for it to register), then an editable text named
EDITOR_NAME whose text is SPOKEN_TEXT, and a push button named BUTTON_NAME. Prints what it
found; exit status 0 when all three are there.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find_application(name, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name and app.get_child_count() > 0:
                return app
        time.sleep(0.2)
    return None


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    application, editor_name, spoken, button_name = argv[1:]
    app = find_application(application, 20)
    if app is None:
        print(f"atspi-check: no application {application!r} on the desktop", file=sys.stderr)
        return 1
    editor = button = None
    for node in walk(app):
        role, name = node.get_role(), node.get_name()
        if editor is None and role == Atspi.Role.TEXT and name == editor_name:
            editor = node
        if button is None and name == button_name:
            button = node
    ok = True
    if editor is None:
        print(f"atspi-check: no editable text named {editor_name!r}", file=sys.stderr)
        ok = False
    else:
        text = Atspi.Text.get_text(editor, 0, Atspi.Text.get_character_count(editor))
        editable = editor.get_state_set().contains(Atspi.StateType.EDITABLE)
        print(f"atspi-check: editor {editor_name!r} ({editor.get_role_name()}, editable {editable}): {text!r}")
        if text != spoken or not editable:
            print(f"atspi-check: expected the text {spoken!r}", file=sys.stderr)
            ok = False
    if button is None:
        print(f"atspi-check: no element named {button_name!r}", file=sys.stderr)
        ok = False
    else:
        print(f"atspi-check: button {button_name!r} ({button.get_role_name()})")
        if button.get_role() != Atspi.Role.PUSH_BUTTON:
            print("atspi-check: expected a push button", file=sys.stderr)
            ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
