"""The employee window as a screen reader meets it: the real program under a
virtual display, its accessibility tree read through AT-SPI (the bus Orca
uses) by pyatspi. Opens the window from the main menu through the menu item's
own accessible action, then checks that the window is a frame with its title
and that every box of the week grid is named by its day and column.

Run inside dbus-run-session on an X display (atspi-employee-window.sh does):
    atspi_employee_window.py PROGRAM EMPTY_EMPLOYEE_MDB
"""
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

MAIN_TITLE = "Employees Rotawise Scheduler  Main Menu"
EMPLOYEE_TITLE = "Employee Data"
MENU_ITEM = "Enter New Employee data   Delete or Change"
WEEKDAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
COLUMNS = ["week day", "start time", "end time", "area", "split start time", "split end time",
           "split shift area", "special", "special area"]
TIMEOUT = 30.0


PROGRAM_LOG = None


def fail(message):
    print("FAILED: " + message, file=sys.stderr)
    if PROGRAM_LOG and os.path.exists(PROGRAM_LOG):
        with open(PROGRAM_LOG, errors="replace") as log:
            sys.stderr.write(log.read()[-2000:])
    sys.exit(1)


def wait_for(what, find, timeout=TIMEOUT):
    """Polls `find` until it returns something, or fails naming `what`."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        # The client learns of new applications and windows from bus signals,
        # which arrive only while its main loop runs.
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            found = find()
        except Exception:  # the tree changes under us while windows open
            found = None
        if found:
            return found
        time.sleep(0.1)
    fail("no %s after %d seconds" % (what, timeout))


def children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return []


def walk(node, depth=0):
    """Every node under `node`, not looking into lists or a combo box's popup."""
    for child in children(node):
        if child is None:
            continue
        yield child
        if child.getRole() not in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE,
                                   pyatspi.ROLE_COMBO_BOX) and depth < 12:
            yield from walk(child, depth + 1)


def the_program(pid):
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def window_titled(app, title):
    for w in children(app):
        if w is not None and w.name == title:
            return w
    return None


def has_owner(bus, name):
    """Whether `name` is taken on the bus, without starting anything for it."""
    answer = subprocess.run(
        ["dbus-send", bus, "--print-reply=literal", "--dest=org.freedesktop.DBus",
         "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name],
        capture_output=True, text=True)
    return answer.returncode == 0 and "true" in answer.stdout


def data_folder(empty_database):
    """A folder with the lists the employee window needs and one employee,
    so the window opens without a first-use hint."""
    folder = tempfile.mkdtemp(prefix="rotawise-atspi-")
    with open(os.path.join(folder, "AREAS.IGH"), "wb") as f:
        f.write(b"Kitchen\r\nFront Desk\r\n")
    with open(os.path.join(folder, "POSITION.IGH"), "wb") as f:
        f.write(b"Chef\r\nCook\r\n")
    database = os.path.join(folder, "employee.mdb")
    shutil.copyfile(empty_database, database)
    with sqlite3.connect(database) as db:
        db.execute("INSERT INTO Employees (Number, Fullname, position, area, monday, monstart, "
                   "monstop, MonBldg1) VALUES (1, 'Baker Susan', 'Chef', 'Kitchen', 'YES', "
                   "'9A.M.', '5P.M.', 'Kitchen')")
    return folder


def main():
    program, empty_database = sys.argv[1], sys.argv[2]
    folder = data_folder(empty_database)
    helpers = []
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               HOME=folder, ROTAWISE_DRIVE_A=folder)
    env.pop("ROTAWISE_DATA", None)
    env.pop("ROTAWISE_DATABASE", None)
    try:
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The accessibility bus first, then its registry on it: a registry
        # started too early would have the session bus start a second bus.
        helpers.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher",
                                         "--launch-immediately"], **quiet))
        wait_for("accessibility bus", lambda: has_owner("--session", "org.a11y.Bus"))
        address = subprocess.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            capture_output=True, text=True, check=True).stdout.strip()
        helpers.append(subprocess.Popen(["/usr/libexec/at-spi2-registryd"], **quiet))
        wait_for("accessibility registry",
                 lambda: has_owner("--bus=" + address, "org.a11y.atspi.Registry"))
        helpers.append(subprocess.Popen(["openbox"], **quiet))
        global PROGRAM_LOG
        PROGRAM_LOG = os.path.join(folder, "program.log")
        log = open(PROGRAM_LOG, "wb")
        rotawise = subprocess.Popen([program, folder], env=env, stdout=log, stderr=log)
        helpers.append(rotawise)

        app = wait_for("Rotawise on the accessibility bus", lambda: the_program(rotawise.pid))
        main_window = wait_for("main window", lambda: window_titled(app, MAIN_TITLE))
        item = wait_for("menu item \"%s\"" % MENU_ITEM, lambda: next(
            (n for n in walk(main_window)
             if n.getRole() == pyatspi.ROLE_MENU_ITEM and n.name == MENU_ITEM), None))
        item.queryAction().doAction(0)
        window = wait_for("employee window", lambda: window_titled(app, EMPLOYEE_TITLE))

        if window.getRole() != pyatspi.ROLE_FRAME:
            fail("the employee window is a %s, not a frame" % window.getRoleName())
        names = wait_for("week grid", lambda: (
            lambda found: found if len(found) >= 63 else None)(
            {n.name: n for n in walk(window) if n.getRole() == pyatspi.ROLE_COMBO_BOX}))
        missing = ["%s %s" % (day, column) for day in WEEKDAYS for column in COLUMNS
                   if "%s %s" % (day, column) not in names]
        if missing:
            fail("week grid boxes not named by day and column: %s (names seen: %s)"
                 % (", ".join(missing[:5]), ", ".join(sorted(names)[:10])))
        # The box's choice is its text, said after the name: "Monday start time, 9A.M.".
        shown = [c.queryText().getText(0, -1) for c in children(names["Monday start time"])
                 if c is not None and c.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)]
        if shown != ["9A.M."]:
            fail("\"Monday start time\" shows %r, not the stored 9A.M." % shown)
        buttons = {n.name for n in walk(window) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
        for wanted in ("First record", "Previous record", "Next record", "Last record"):
            if wanted not in buttons:
                fail("no button named \"%s\" (buttons: %s)" % (wanted, ", ".join(sorted(buttons))))
        box = names["Monday start time"]
        print("The employee window is a frame \"%s\"; its 63 week grid boxes are named by day "
              "and column, e.g. %s \"%s\" showing %s (%s)."
              % (window.name, box.getRoleName(), box.name, shown[0], box.description))
    finally:
        for p in reversed(helpers):
            p.terminate()
        for p in helpers:
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
