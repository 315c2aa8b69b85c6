#!/usr/bin/python3
"""Plays the first moves of a game through the desktop's accessibility bus, as a screen reader
would: reads the counter, presses the arrow above column 1, toggles a tile and gives up, and
checks what is read and what is announced on the way. With --play FOLDER it plays the level to
its end instead, from the dictionary in FOLDER/kbs. Prints what it reads; exit 0 on success,
1 on a failed check or when the game never shows on the bus."""
import os
import re
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


CELL = re.compile(r"Row (\d+), column (\d+): (.), (\w+)$")


def grid(board):
    """(row, column) -> (letter, state, cell) for the tiles shown."""
    cells = {}
    for cell in board:
        match = CELL.match(cell.name) if cell is not None else None
        if match:
            cells[(int(match[1]), int(match[2]))] = (match[3], match[4], cell)
    return cells


def dictionary_words(path):
    """The head words of a dictionary file: its runs of capitals."""
    with open(path, "rb") as file:
        return set(re.findall(rb"[A-Z]{3,}", file.read()))


def slots(cells, row):
    """The runs of shown tiles along a row: where its words lie."""
    columns = sorted(c for (r, c) in cells if r == row)
    runs = []
    for column in columns:
        if runs and runs[-1][-1] == column - 1:
            runs[-1].append(column)
        else:
            runs.append([column])
    return runs


def solution(cells, words):
    """Words for every slot that use each column's letters exactly, the letters locked where
    they stand: what a player who knows the dictionary could work out from the names alone."""
    remaining = {}
    for (row, column), (letter, state, _) in cells.items():
        remaining.setdefault(column, []).append(letter)
    places = [(row, slot) for row in range(1, max(r for r, _ in cells) + 1)
              for slot in slots(cells, row)]
    by_length = {}
    for word in words:
        by_length.setdefault(len(word), []).append(word.decode())

    def fits(word, row, slot):
        for letter, column in zip(word, slot):
            fixed, state, _ = cells[(row, column)]
            if (state != "free" and letter != fixed) or letter not in remaining[column]:
                return False
        return True

    def search(index):
        if index == len(places):
            return []
        row, slot = places[index]
        for word in by_length.get(len(slot), []):
            if not fits(word, row, slot):
                continue
            for letter, column in zip(word, slot):
                remaining[column].remove(letter)
            rest = search(index + 1)
            for letter, column in zip(word, slot):
                remaining[column].append(letter)
            if rest is not None:
                return [(row, slot, word)] + rest
        return None

    return search(0)


def bring(board, row, column, letter):
    """Shifts the column's free letters the shorter way round until letter stands on row."""
    cells = grid(board)
    free = sorted(r for (r, c), (_, s, _) in cells.items() if c == column and s == "free")
    if row not in free:
        return
    letters = [cells[(r, column)][0] for r in free]
    target = free.index(row)
    downs = min((target - i) % len(free) for i, l in enumerate(letters) if l == letter)
    above = downs <= len(free) - downs
    arrow = find(board, named(f"Shift column {column} {'down' if above else 'up'}"))
    for _ in range(downs if above else len(free) - downs):
        do_action(arrow, "Press")


def lock_word(board, row, slot, word):
    """Brings the word's letters onto the row, locks them, and tells whether the game found it;
    a word it did not find is freed again."""
    for column, letter in zip(slot, word):
        bring(board, row, column, letter)
    for column in slot:
        _, state, cell = grid(board)[(row, column)]
        if state == "free":
            do_action(cell, "Toggle")
    try:
        wait_for("the word to be found", lambda: True if all(
            grid(board)[(row, c)][1] == "found" for c in slot) else None, timeout=2.0)
        return True
    except TimeoutError:
        for column in slot:
            _, state, cell = grid(board)[(row, column)]
            if state == "locked":
                do_action(cell, "Toggle")
        return False


def play_level(board, words):
    """Plays the puzzle to its end, working out its words again whenever the game did not
    take one; returns the words found."""
    found = []
    words = set(words)
    for _ in range(12):
        plan = solution(grid(board), words)
        check(plan is not None, "no spelling of the board's letters in the dictionary")
        todo = [(row, slot, word) for row, slot, word in plan
                if any(grid(board)[(row, c)][1] != "found" for c in slot)]
        if not todo:
            return found
        for row, slot, word in todo:
            if not lock_word(board, row, slot, word):
                words.discard(word.encode())
                break
            found.append(word)
    return found


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

    if "--play" in sys.argv:
        # The whole level, found word by word from the dictionary the status line names.
        do_action(grid(board)[(1, 1)][2], "Toggle")  # the letter locked above goes free again
        status = find(app, named("Status line:"))
        dictionary = status.name.split("dictionary: ")[-1].strip()
        words = dictionary_words(os.path.join(sys.argv[sys.argv.index("--play") + 1], "kbs",
                                              dictionary + ".dic"))
        print("found:", play_level(board, words))
        heard.pump(1.0)
        told = [name for name in heard.heard if name.startswith(("Notice", "Message"))]
        print("told:", told)
        check(any(name.startswith("Notice: Word found: ") for name in told), "no word found was told")
        check("Notice: Puzzle completed" in told, "the completion was not told")
        return 0

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
