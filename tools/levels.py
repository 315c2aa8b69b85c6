"""The shipped levels (zq/formats): generation, the checksum and the fill estimate.

The letters grow steadily from a 4 x 4 board of one word per row to about 150
letters at level 200: the one-word-per-row squares take their place on the curve,
drawn layouts of a few words a row fill the levels between them. Beyond about 160
letters a player who knows every answer can no longer keep the advance minimum at
the neutral handicap with a tenth to spare (it comes from the uncapped start while
the counter stops at 100), so the curve ends below that; make_data.py has
quorvel-tool layouts par check every level.
The drawn layouts come from a small fixed-seed generator of our own, so the file is
the same on every machine and Python.
"""

HEADER_PREFIX = "QZLV "
MAX_ROWS, MAX_COLUMNS, MAX_CELLS = 20, 40, 300
LEVEL_COUNT = 200
FIRST_LETTERS, LAST_LETTERS = 16, 150
# The curve rises a little faster at first: letters at level i follow
# FIRST + (LAST - FIRST) * x ** CURVE_POWER, x running from 0 to 1.
CURVE_POWER = 0.9
# A drawn layout may miss the curve by this share either way.
LETTER_TOLERANCE = 0.025
# No layout may hold more letters than this (see above).
MAX_LETTERS = 160
MIN_WORD, MAX_WORD = 3, 12

# One word as wide as the board in every row: columns, rows; in the order they come.
NUMERIC_LEVELS = (
    (4, 4), (5, 4), (5, 5), (6, 4), (6, 5), (6, 6), (7, 5), (7, 6), (7, 7),
    (8, 6), (8, 7), (8, 8), (9, 7), (9, 8), (9, 9), (10, 8), (10, 9), (10, 10),
)
# A square takes the level whose curve value it reaches within this share.
SQUARE_TOLERANCE = 0.04


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


ROW_DRAWS = 1000


def _row(rng, width, fewest, most):
    """One drawn row of exactly width cells holding fewest..most words, or None when
    ROW_DRAWS draws find none (the width does not suit that many words)."""
    for _ in range(ROW_DRAWS):
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
    return None


def _column_letters(rows):
    return [sum(1 for row in rows if row[c] == "X") for c in range(len(rows[0]))]


def layout_letters(rows):
    return sum(row.count("X") for row in rows)


def target_letters(level):
    """The letters the curve asks of a level (1-based)."""
    x = (level - 1) / (LEVEL_COUNT - 1)
    return FIRST_LETTERS + (LAST_LETTERS - FIRST_LETTERS) * x ** CURVE_POWER


def drawn_shape(letters):
    """(rows, words a row at least, at most, width) of a drawn layout holding about
    this many letters: boards grow taller slowly and hold more words a row as they
    widen, so no column becomes long to sort."""
    rows = min(9, 4 + int(letters) // 25)
    fewest, most = ((1, 2) if letters < 40 else (2, 2) if letters < 60 else
                    (2, 3) if letters < 100 else (2, 4))
    words = (fewest + most) / 2
    width = max(round(letters / rows + words - 1), fewest * (MIN_WORD + 1) - 1)
    return rows, fewest, most, width


DRAWS_PER_SHAPE = 200


def _drawn_layout(rng, letters):
    """A drawn layout within LETTER_TOLERANCE of the letters (at least one letter
    either way), every column holding at least two letters. When a shape does not
    get there in DRAWS_PER_SHAPE draws, a neighbouring one is tried."""
    rows, fewest, most, width = drawn_shape(letters)
    slack = max(1.0, LETTER_TOLERANCE * letters)
    shapes = [(rows + r, width + w) for r in (0, 1, -1) for w in (0, 1, -1, 2, -2)]
    for height, columns in shapes:
        for _ in range(DRAWS_PER_SHAPE):
            layout = [_row(rng, columns, fewest, most) for _ in range(height)]
            if None in layout:
                break
            got = layout_letters(layout)
            if abs(got - letters) <= slack and min(_column_letters(layout)) >= 2:
                return layout
    raise ValueError(f"no drawn layout of about {letters:.0f} letters")


def level_layouts(seed=20261207):
    """Every level as a list of row patterns ("XXXX-XXX"), or as (columns, rows) for a
    one-word-per-row square, in order."""
    rng = Rng(seed)
    squares = list(NUMERIC_LEVELS)
    layouts = []
    for level in range(1, LEVEL_COUNT + 1):
        wanted = target_letters(level)
        if squares and squares[0][0] * squares[0][1] <= wanted * (1 + SQUARE_TOLERANCE):
            layouts.append(squares.pop(0))
        else:
            layouts.append(_drawn_layout(rng, wanted))
    return layouts


def drawn_levels(seed=20261207):
    """The drawn layouts alone, in order."""
    return [layout for layout in level_layouts(seed) if isinstance(layout, list)]


def numeric_line(columns, rows):
    return f"{columns:02d}{rows:02d}"


def file_lines():
    """The body of the layouts file, one string per line (header excluded)."""
    lines = []
    for layout in level_layouts():
        if isinstance(layout, tuple):
            lines.append(numeric_line(*layout))
        else:
            lines.extend(layout)
            lines.append("")  # every drawn layout ends with an empty line
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
