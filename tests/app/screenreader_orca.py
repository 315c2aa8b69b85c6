#!/usr/bin/python3
"""Plays a known board by keyboard while Orca listens, and checks what Orca sent to speech.
Usage: screenreader_orca.py SPOKEN_FILE ORCA_DEBUG_LOG TOOL
SPOKEN_FILE is what speech-dispatcher spoke, one message a line. The board is a puzzle code's,
played by the tool first to know its words, its moves and its closing banner; the keys then
make the same moves in the game: the cursor keys, Page Down, Space and W."""
import json
import re
import subprocess
import sys
import time


SEED = 7  # the tool's level 1 board from this seed gives the code both games play
TIMEOUT = 15.0


class Speech:
    """What has been spoken so far, and waiting for the words a step should bring."""

    def __init__(self, spoken, log):
        self.spoken = spoken
        self.log = log
        self.mark = 0

    def lines(self):
        try:
            with open(self.spoken, encoding="utf-8", errors="replace") as file:
                return [line.strip() for line in file if line.strip()]
        except OSError:
            return []

    def since_mark(self):
        return self.lines()[self.mark:]

    def expect(self, what, pattern, timeout=TIMEOUT):
        """Waits until what was spoken since the last expect matches pattern, and moves the mark
        past the line where the match ends."""
        deadline = time.monotonic() + timeout
        regex = re.compile(pattern, re.IGNORECASE)
        while time.monotonic() < deadline:
            lines = self.lines()
            # speech-dispatcher speaks a message sentence by sentence, a line each: a pattern
            # may run over several lines.
            for index in range(self.mark, len(lines)):
                heard = " ".join(lines[self.mark:index + 1])
                if regex.search(heard):
                    print(f"ok   {what}: {lines[index]!r}")
                    self.mark = index + 1
                    return heard
            time.sleep(0.1)
        raise AssertionError(f"{what}: nothing spoken matched {pattern!r}; spoken since: "
                             f"{self.since_mark()!r}")


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def keys(*names, pause=0.25):
    for name in names:
        xdotool("key", name)
        time.sleep(pause)


def level_one_code(tool):
    """The code of a level 1 board of the shipped words, so the test follows the word data."""
    out = subprocess.run([tool, "play", "--seed", str(SEED)], input="new\ndump\n",
                         capture_output=True, text=True, check=True).stdout
    return json.loads(out.splitlines()[-1])["code"]


def opening_row(tool, code):
    """The first row's letters as the board opens."""
    out = subprocess.run([tool, "play", "--code", code], input="dump\n",
                         capture_output=True, text=True, check=True).stdout
    return json.loads(out.splitlines()[-1])["board"][0]


def plan(tool, code):
    """Row by row, shifts each column until the row's letter stands there, then drops the
    padlock on the row: the tool's moves, the moves left after each, and the closing banner."""
    def run(commands):
        out = subprocess.run([tool, "play", "--code", code], input="".join(c + "\n" for c in commands) + "dump\n",
                             capture_output=True, text=True, check=True).stdout
        events = [json.loads(line) for line in out.splitlines() if line.strip()]
        return events[-1], events
    commands = []
    state, _ = run(commands)
    for row, word in enumerate(state["solution"], 1):
        for column, letter in enumerate(word, 1):
            for _ in range(state["rows"]):
                if state["board"][row - 1][column - 1] == letter:
                    break
                commands.append(f"shift {column} down")
                state, _ = run(commands)
        commands.append(f"drop {row} 1")
        state, events = run(commands)
    banners = [e["text"] for e in events if e.get("event") == "banner"]
    return commands, state, banners


def keys_for(commands):
    """The board's keys for the tool's moves, the cursor starting on the first tile."""
    row, column = 1, 1
    presses = []
    for command in commands:
        words = command.split()
        to_row, to_column = (row, int(words[1])) if words[0] == "shift" else (int(words[1]), int(words[2]))
        presses += ["Down" if to_row > row else "Up"] * abs(to_row - row)
        presses += ["Right" if to_column > column else "Left"] * abs(to_column - column)
        row, column = to_row, to_column
        presses.append({"shift": "Next", "drop": "w", "click": "space"}[words[0]])
    return presses


def main():
    spoken, log, tool = sys.argv[1:4]
    speech = Speech(spoken, log)
    code = level_one_code(tool)
    commands, final, banners = plan(tool, code)
    first = opening_row(tool, code)
    if not final.get("state") or final["inPlay"]:
        print(f"the plan does not finish the board: {final}")
        return 1

    # The game's window, then Orca's first words about it.
    window = None
    deadline = time.monotonic() + 30
    while window is None and time.monotonic() < deadline:
        try:
            window = xdotool("search", "--onlyvisible", "--name", "^Quorvel").split()[0]
        except (subprocess.CalledProcessError, IndexError):
            time.sleep(0.3)
    if window is None:
        print("the game's window never showed")
        return 1
    speech.expect("the start-up tip takes the focus", r"tip of the day", timeout=30)
    keys("Escape")
    xdotool("windowfocus", "--sync", window)
    speech.expect("the board, once the tip has gone", r"\bBoard\.$")
    time.sleep(1)  # Orca answers the first keys late while it learns the window

    # The puzzle code's board, typed into Game > Play Puzzle Code. Alt goes down and up on
    # its own: pressed together with G, Qt may see the G before the Alt.
    xdotool("keydown", "alt")
    time.sleep(0.3)
    keys("g")
    xdotool("keyup", "alt")
    speech.expect("the game menu", r"\bNew\.$")
    keys("o")
    speech.expect("the code dialog", r"puzzle code")
    xdotool("type", "--delay", "30", code)
    keys("Return")
    speech.expect("the opening status", r"4 words to find")
    # Xvfb has no window manager to give the focus back to the window the dialog was over.
    xdotool("windowfocus", "--sync", window)
    speech.expect("the board's focused tile", rf"Row 1, column 1: {first[0]}, free")

    keys("Right")
    speech.expect("the tile on a cursor move", rf"Row 1, column 2: {first[1]}, free")
    keys("space")
    speech.expect("the lock", rf"{first[1]}, locked. \d+ moves left")
    keys("r")
    speech.expect("the row", rf"Row 1: {first[0]}, {first[1]} locked, {first[2]} {first[3]}")
    keys("space")  # free it again, a move the plan does not make: it costs one
    speech.expect("the moves left after a release", r"\d+ moves left")
    keys("Left")
    speech.expect("back on the first tile", r"column 1")

    spoken_words = 0
    for press in keys_for(commands):
        keys(press)
        if press == "Next":
            speech.expect("the moves left after a shift", r"\d+ moves left")
        elif press == "w" and spoken_words < len(final["solution"]) - 1:
            spoken_words += 1
            speech.expect("a word found", r"word found")
    banner = banners[-1] if banners else "completed"
    speech.expect("the banner after the win", re.escape(banner.split("\n")[0].strip()[:30]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
