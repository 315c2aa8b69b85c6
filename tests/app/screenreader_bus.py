#!/usr/bin/python3
"""Plays the first moves of a game through the desktop's accessibility bus, as a screen reader
would: reads the counter, presses the arrow above column 1, toggles a tile and gives up, and
checks what is read and what is announced on the way. Prints what it reads; exit 0 on success,
1 on a failed check or when the game never shows on the bus."""
import sys
import time

import pyatspi

TIMEOUT = 10.0


def wait_for(what, probe, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = probe()
        if found is not None:
            return found
        time.sleep(0.2)
    raise TimeoutError(f"no {what} within {timeout:.0f} s")


def descendants(node, depth=0):
    if depth > 12:
        return
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child, depth + 1)


def find(root, test):
    for node in descendants(root):
        try:
            if test(node):
                return node
        except Exception:  # an object that went away while walking
            continue
    return None


def game_application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == "quorvel":
            return app
    return None


def named(prefix, role=None):
    return lambda node: node.name.startswith(prefix) and (role is None or node.getRole() == role)


def do_action(node, action):
    actions = node.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    action = action.lower()
    if action not in names:
        raise AssertionError(f"{node.name!r} offers {names}, not {action!r}")
    actions.doAction(names.index(action))


class Announcements:
    """Name changes the game raises, as a screen reader hears them."""

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self.hear, "object:property-change:accessible-name")

    def hear(self, event):
        try:
            self.heard.append(event.source.name)
        except Exception:
            pass

    def pump(self, seconds):
        # The listener is called from the bus's main loop; run it a little.
        from gi.repository import GLib
        context = GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            context.iteration(False)
            time.sleep(0.02)


def check(condition, message):
    if not condition:
        print("FAILED:", message)
        sys.exit(1)


def main():
    try:
        app = wait_for("game on the accessibility bus", game_application)
    except TimeoutError as error:
        print("FAILED:", error)
        return 1
    heard = Announcements()
    board = wait_for("board", lambda: find(app, named("Board", pyatspi.ROLE_TABLE)))
    if "--dump" in sys.argv:
        time.sleep(3)
        for node in descendants(app):
            print(node.getRoleName(), repr(node.name))
        return 1
    cells = lambda column: [c.name for c in board if c.name.startswith("Row ") and
                            f", column {column}:" in c.name]
    try:
        wait_for("a puzzle", lambda: cells(1) or None, timeout=2.0)
    except TimeoutError:  # no puzzle at start: the player asks for one
        do_action(find(app, named("New", pyatspi.ROLE_MENU_ITEM)), "press")
        wait_for("a puzzle", lambda: cells(1) or None)
    counter = find(app, named("Moves left"))
    check(counter is not None, "no counter")
    print("counter:", counter.name)
    check(counter.name.split(":")[-1].strip().isdigit(), "the counter does not say its number")
    moves = int(counter.name.split(":")[-1])

    before = cells(1)
    print("column 1:", before)
    arrow = find(board, named("Shift column 1 down"))
    check(arrow is not None, "no arrow above column 1")
    do_action(arrow, "Press")
    after = wait_for("column 1 to change", lambda: cells(1) if cells(1) != before else None)
    print("pressed 'Shift column 1 down'; column 1:", after)
    moves_after = int(wait_for("counter change", lambda: counter.name if counter.name != f"Moves left: {moves}" else None).split(":")[-1])
    print("counter:", counter.name)
    check(moves_after == moves - 1, f"the counter went from {moves} to {moves_after}")

    free = find(board, lambda c: c.name.startswith("Row ") and c.name.endswith(", free") and
                c.getState().contains(pyatspi.STATE_ENABLED))
    check(free is not None, "no free tile to lock")
    place = free.name.split(":")[0]
    do_action(free, "Toggle")
    locked = wait_for("the tile to lock", lambda: free.name if free.name.endswith(", locked") else None)
    print(f"toggled '{place}':", locked)

    # Giving up ends the game under a banner that waits: announced once, and the board's
    # arrows and tiles are disabled with no action to offer.
    do_action(find(app, named("Solve", pyatspi.ROLE_MENU_ITEM)), "press")
    wait_for("the arrow to be disabled",
             lambda: True if not arrow.getState().contains(pyatspi.STATE_ENABLED) else None)
    print("after Solve, arrow actions:", arrow.queryAction().nActions)
    check(arrow.queryAction().nActions == 0, "a disabled arrow still offers its action")

    heard.pump(1.0)
    print("heard:", heard.heard)
    check(f"Moves left: {moves_after}" in heard.heard, "the counter's change was not announced")
    check(heard.heard.count("Message: Try again") == 1, "the banner was not announced once")
    return 0


if __name__ == "__main__":
    sys.exit(main())
