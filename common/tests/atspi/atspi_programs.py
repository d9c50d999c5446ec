#!/usr/bin/python3
"""Drives pairfactor and bmi through the desktop accessibility interface (AT-SPI), as a
screen reader or a GUI-testing tool would: finds the controls in the accessibility tree,
types into the text boxes, presses the buttons and reads back what the programs show.

Needs a display and a session bus: run it through atspi_test.sh."""

import contextlib
import os
import subprocess
import sys
import time

import pyatspi


def wait_for(what, probe, seconds=20.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def start(program):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    return subprocess.Popen([program], env=env)


@contextlib.contextmanager
def running(program):
    """The program started, as its application on the accessibility bus; ended afterwards."""
    proc = start(program)
    try:
        yield application(proc)
    finally:
        proc.terminate()
        proc.wait(10)


def application(proc):
    def probe():
        if proc.poll() is not None:
            raise AssertionError("%s ended with exit code %d before it showed its window"
                                 % (proc.args[0], proc.returncode))
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == proc.pid and app.childCount > 0:
                    return app
            except Exception:  # an application that is just going away
                pass
        return None

    return wait_for("the application of process %d on the accessibility bus" % proc.pid, probe)


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find_all(app, role):
    return [n for n in descendants(app) if n.getRole() == role]


def find(app, role, name):
    def probe():
        for n in find_all(app, role):
            if n.name == name:
                return n
        return None

    return wait_for("a %s named %r" % (role, name), probe)


def set_text(node, text):
    editable = node.queryEditableText()
    editable.setTextContents(text)


def read_text(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def act(node, name):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index(name))


def press(node):
    act(node, "Press")


def check(what, got, expected):
    if got != expected:
        raise AssertionError("%s: got %r, expected %r" % (what, got, expected))
    print("ok   %s: %r" % (what, got))


def pairfactor(program):
    with running(program) as app:
        frame = find(app, pyatspi.ROLE_FRAME, "最大公因数")
        texts = wait_for("the two text boxes", lambda: find_all(frame, pyatspi.ROLE_TEXT))
        check("the text boxes in tab order", [read_text(t) for t in texts], ["24", "46"])
        button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "求最大公因数")
        label = find(frame, pyatspi.ROLE_LABEL, "Label1")

        set_text(texts[0], "84")
        set_text(texts[1], "-36")
        check("Text1 after typing", read_text(texts[0]), "84")
        press(button)
        wait_for("Label1's new caption", lambda: label.name != "Label1")
        check("Label1 after the press", label.name, "最大公因数为12")


def bmi(program):
    with running(program) as app:
        weight = find(app, pyatspi.ROLE_TEXT, "体重(Kg)")
        height = find(app, pyatspi.ROLE_TEXT, "身高(Cm)")
        set_text(weight, "90")
        set_text(height, "200")
        press(find(app, pyatspi.ROLE_PUSH_BUTTON, "计算"))
        printed = [n for n in descendants(app) if n.getRole() != pyatspi.ROLE_FRAME]

        def printed_line():
            for n in printed:
                try:
                    text = read_text(n)
                except NotImplementedError:
                    continue
                if "的BMI是" in text:
                    return text
            return None

        line = wait_for("the printed line", printed_line)
        check("what bmi printed ends with its index", line.split("的BMI是")[1], "22.5")


def sigtrail(program):
    with running(program) as app:
        frame = find(app, pyatspi.ROLE_FRAME, "Form1")
        check_box = find(frame, pyatspi.ROLE_CHECK_BOX, "Check1")
        button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Command1")
        lines = lambda: [n.name for n in find_all(frame, pyatspi.ROLE_LIST_ITEM)]
        before = len(wait_for("the start-up lines", lines))
        # A toggle, as a screen reader's "check" does, and four quick presses: each is a Click.
        act(check_box, "Toggle")
        for _ in range(4):
            press(button)
        wait_for("five new lines", lambda: len(lines()) >= before + 5)
        check("the lines the toggle and the presses added", lines()[before:],
              ["单击了复选框Check1"] + ["单击了命令按钮Command1"] * 4)


def main():
    bindir = sys.argv[1]
    sigtrail(os.path.join(bindir, "sigtrail"))
    pairfactor(os.path.join(bindir, "pairfactor"))
    bmi(os.path.join(bindir, "bmi"))
    print("all passed")


if __name__ == "__main__":
    main()
