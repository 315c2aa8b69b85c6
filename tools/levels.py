"""The shipped levels (zq/formats): generation, the checksum and the fill estimate.

Levels grow from 4 x 4 boards of one word per row to 20-column boards with
several words in every row. The drawn layouts come from a small fixed-seed
generator of our own, so the file is the same on every machine and Python.
"""

HEADER_PREFIX = "QZLV "
MAX_ROWS, MAX_COLUMNS, MAX_CELLS = 20, 40, 300
# Above this many letters even a perfect game at the neutral handicap could not
# keep the advance minimum (start div 5, with the counter capped at 100).
MAX_LETTERS = 240
MIN_WORD, MAX_WORD = 3, 12

# One word as wide as the board in every row: columns, rows.
NUMERIC_LEVELS = (
    (4, 4), (5, 4), (5, 5), (6, 4), (6, 5), (6, 6), (7, 5), (7, 6), (7, 7),
    (8, 6), (8, 7), (8, 8), (9, 7), (9, 8), (9, 9), (10, 8), (10, 9), (10, 10),
)

# Drawn stages: (levels, first width, last width, first rows, last rows,
# fewest words in a row, most words in a row).
DRAWN_STAGES = (
    (32, 8, 11, 4, 7, 2, 2),
    (50, 10, 14, 5, 9, 2, 3),
    (50, 13, 17, 7, 11, 2, 4),
    (50, 16, 20, 9, 15, 3, 4),
)


class Rng:
    """64-bit linear congruential generator (Knuth's MMIX constants)."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFFFFFFFFFF

    def below(self, n):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) & 0xFFFFFFFFFFFFFFFF
        return (self.state >> 33) % n

    def between(self, low, high):
        return low + self.below(high - low + 1)


# How often each word length is drawn for a row: mostly 4 to 8 letters, since
# three-letter words are few in the dictionaries and slow to draw.
LENGTH_WEIGHTS = ((3, 1), (4, 4), (5, 5), (6, 5), (7, 4), (8, 3), (9, 2), (10, 2), (11, 1),
                  (12, 1))


def _pick_length(rng):
    pick = rng.below(sum(w for _, w in LENGTH_WEIGHTS))
    for length, weight in LENGTH_WEIGHTS:
        if pick < weight:
            return length
        pick -= weight
    raise AssertionError("unreachable")


def _shuffle(rng, items):
    for i in range(len(items) - 1, 0, -1):
        j = rng.below(i + 1)
        items[i], items[j] = items[j], items[i]


def _row(rng, width, fewest, most):
    """One drawn row of exactly width cells holding fewest..most words."""
    while True:
        lengths = []
        used = -1  # no gap before the first word
        while True:
            n = _pick_length(rng)
            if used + 1 + n > width:
                break
            lengths.append(n)
            used += 1 + n
        spare = width - used
        if not fewest <= len(lengths) <= most or spare > 3:
            continue
        extra_gap = spare > 0 and rng.below(2) == 1
        spare -= extra_gap
        while spare:  # the remaining cells lengthen words
            i = rng.below(len(lengths))
            if lengths[i] < MAX_WORD:
                lengths[i] += 1
                spare -= 1
        _shuffle(rng, lengths)
        runs = ["X" * n for n in lengths]
        if not extra_gap:
            return "-".join(runs)
        where = rng.below(len(runs) + 1)  # 0: leading gap, last: trailing, else doubled
        if where == 0:
            return "-" + "-".join(runs)
        if where == len(runs):
            return "-".join(runs) + "-"
        return "-".join(runs[:where]) + "--" + "-".join(runs[where:])


def _column_letters(rows):
    return [sum(1 for row in rows if row[c] == "X") for c in range(len(rows[0]))]


def _drawn_layout(rng, width, height, fewest, most):
    while True:
        rows = [_row(rng, width, fewest, most) for _ in range(height)]
        # The widest boards lose a bottom row or two to stay within the letters.
        while sum(row.count("X") for row in rows) > MAX_LETTERS:
            rows.pop()
        # Every column needs two letters to have anything to scramble.
        if min(_column_letters(rows)) >= 2:
            return rows


def _interpolate(first, last, step, steps):
    if steps <= 1:
        return first
    return first + ((last - first) * step * 2 + steps - 1) // (2 * (steps - 1))


def drawn_levels(seed=20261207):
    rng = Rng(seed)
    layouts = []
    for count, w0, w1, r0, r1, fewest, most in DRAWN_STAGES:
        for step in range(count):
            width = _interpolate(w0, w1, step, count)
            height = _interpolate(r0, r1, step, count)
            # A small wobble keeps neighbouring levels from feeling identical.
            width = max(w0, min(w1, width + rng.between(-1, 1)))
            height = max(r0, min(r1, height + rng.between(-1, 1)))
            while width * height > MAX_CELLS:
                height -= 1
            layouts.append(_drawn_layout(rng, width, height, fewest, most))
    return layouts


def numeric_line(columns, rows):
    return f"{columns:02d}{rows:02d}"


def file_lines():
    """The body of the layouts file, one string per line (header excluded).

    Each one-word-per-row square comes just before the first drawn layout with
    more letters, so the boards grow steadily instead of shrinking after 10 x 10."""
    squares = list(NUMERIC_LEVELS)
    lines = []
    for rows in drawn_levels():
        letters = sum(row.count("X") for row in rows)
        while squares and squares[0][0] * squares[0][1] <= letters:
            lines.append(numeric_line(*squares.pop(0)))
        lines.extend(rows)
        lines.append("")  # every drawn layout ends with an empty line
    lines.extend(numeric_line(c, r) for c, r in squares)
    return lines


def checksum(lines):
    """The game's checksum over the body lines: each examined line adds its
    character codes plus their 1-based positions; the second and later rows of
    a drawn layout are not examined."""
    total = 0
    in_drawn = False
    for raw in lines:
        line = raw.strip().upper()
        if not line:
            in_drawn = False
            continue
        if in_drawn:
            continue
        total += sum(ord(ch) + i for i, ch in enumerate(line, 1))
        if line[0] in "X-":
            in_drawn = True
    return total


def formats_bytes():
    lines = file_lines()
    header = HEADER_PREFIX + str(checksum(lines))
    return ("\r\n".join([header] + lines) + "\r\n").encode("ascii")


def parse_levels(lines):
    """Levels as lists of word lengths per row, for the fill estimate."""
    levels = []
    block = None
    for raw in lines:
        line = raw.strip().upper()
        if not line:
            block = None
            continue
        if block is not None:
            block.append(line)
            continue
        if len(line) == 3 and line[0] in "0123":
            continue
        if line[0].isdigit():
            columns, rows = int(line[:2]), int(line[2:4])
            levels.append(["X" * columns] * rows)
        elif line[0] in "X-":
            block = [line]
            levels.append(block)
    return levels


def word_lengths(rows):
    return [len(run) for row in rows for run in row.split("-") if run]


def expected_draws(rows, count_by_length, items):
    """Mean number of draws to fill the level when every draw picks an item
    uniformly: each word needs items / (items of its length) draws on average."""
    total = 0.0
    for n in word_lengths(rows):
        if count_by_length.get(n, 0) == 0:
            return float("inf")
        total += items / count_by_length[n]
    return total


def check_layout(rows):
    """Problems of one layout against the limits the game relies on."""
    problems = []
    if len(rows) > MAX_ROWS or len(rows[0]) > MAX_COLUMNS or len(rows) * len(rows[0]) > MAX_CELLS:
        problems.append("too large")
    if len({len(row) for row in rows}) != 1:
        problems.append("rows of different lengths")
    if any(n < MIN_WORD or n > 20 for n in word_lengths(rows)):
        problems.append("a run that is no word")
    return problems
