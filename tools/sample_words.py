#!/usr/bin/env python3
"""Draws a sample of shipped words as the levels draw them, for rating by hand.

    python3 tools/sample_words.py draw [--dictionary NAME] [--count N] [--seed S]
        prints a fresh sample as a table with empty rating columns
    python3 tools/sample_words.py check [--by-word] FILE
        draws the sample FILE records again, stops when its words or definitions
        differ from the shipped data, and prints the count of every rating;
        --by-word looks the recorded words up instead of drawing them again (a
        sample kept as a fixed list of words after the dictionary has changed)
        and stops at every word whose definition changed or that is gone

Common Words are drawn level by level: a level picked at random, then for each of
its words one word of that length, uniformly, as the game fills a board. A theme
is drawn uniformly. The draw uses the levels' own fixed-seed generator, so the
same seed gives the same sample on every machine.

A sample file is tab-separated: a header line "# dictionary=NAME seed=S count=N",
a line naming the columns, then one line a word: WORD, definition, then the
ratings (see tools/review/README.md for the scales).
"""

import argparse
import collections
import re
import subprocess
import sys

import levels
import make_data

COMMON = "Common Words"
DEFAULT_SEED = 26
COLUMNS = {COMMON: ("word", "definition", "word_rating", "definition_rating", "note"),
           "theme": ("word", "definition", "on_theme", "recognisable", "note")}


def shipped_items(tool, dictionary):
    """[(WORD, definition)] of a shipped dictionary, in its order."""
    path = f"{make_data.REPOSITORY}/data/kbs/{dictionary}.dic"
    result = subprocess.run([tool, "dic", "dump", path], capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"dic dump {path} failed: {result.stderr.strip()}")
    return [tuple(line.split("\t")[:2]) for line in result.stdout.splitlines() if line]


def _by_length(items):
    found = collections.defaultdict(list)
    for word, definition in items:
        found[len(word)].append((word, definition))
    return found


def draw(items, dictionary, count, seed):
    """count distinct items drawn as a level (Common Words) or uniformly (a theme)."""
    rng = levels.Rng(seed)
    chosen, seen = [], set()
    if dictionary != COMMON:
        count = min(count, len(items))
        while len(chosen) < count:
            item = items[rng.below(len(items))]
            if item[0] not in seen:
                seen.add(item[0])
                chosen.append(item)
        return chosen
    by_length = _by_length(items)
    parsed = levels.parse_levels(levels.file_lines())
    while len(chosen) < count:
        rows = parsed[rng.below(len(parsed))]
        for length in levels.word_lengths(rows):
            pool = by_length.get(length, [])
            if not pool or len(chosen) == count:
                continue
            item = pool[rng.below(len(pool))]
            if item[0] not in seen:
                seen.add(item[0])
                chosen.append(item)
    return chosen


def header(dictionary, seed, count):
    kind = COMMON if dictionary == COMMON else "theme"
    return [f"# dictionary={dictionary} seed={seed} count={count}", "\t".join(COLUMNS[kind])]


HEADER = re.compile(r"# dictionary=(.+) seed=(\d+) count=(\d+)")


def read_sample(path):
    """(dictionary, seed, count, rows) of a sample file; rows are lists of fields."""
    with open(path, encoding="utf-8") as handle:
        lines = handle.read().splitlines()
    match = HEADER.fullmatch(lines[0]) if lines else None
    if not match:
        raise SystemExit(f"{path}: the first line must read '# dictionary=NAME seed=S count=N'")
    rows = [line.split("\t") for line in lines[2:] if line]
    return match.group(1), int(match.group(2)), int(match.group(3)), rows


def rating_counts(rows):
    """{column: Counter of ratings} over the rating columns (third to second last)."""
    counts = collections.defaultdict(collections.Counter)
    for row in rows:
        for column, value in enumerate(row[2:-1], 2):
            counts[column][value or "(unrated)"] += 1
    return counts


def changed_rows(rows, items):
    """["WORD: recorded -> shipped"] for every row whose definition is no longer the
    shipped one (shipped "(gone)" when the word is no longer in the dictionary)."""
    shipped = dict(items)
    return [f"{row[0]}: {row[1]} -> {shipped.get(row[0], '(gone)')}"
            for row in rows if shipped.get(row[0]) != row[1]]


def check(path, tool, by_word=False):
    dictionary, seed, count, rows = read_sample(path)
    recorded = [(row[0], row[1]) for row in rows]
    if by_word:
        changed = changed_rows(rows, shipped_items(tool, dictionary))
        if changed:
            raise SystemExit(f"{path}: {len(changed)} rows differ from the shipped {dictionary}:"
                             "\n" + "\n".join(changed))
        fresh = recorded
    else:
        fresh = draw(shipped_items(tool, dictionary), dictionary, count, seed)
    if recorded != fresh:
        changed = [f"{a} != {b}" for a, b in zip(recorded, fresh) if a != b][:5]
        raise SystemExit(f"{path}: the sample no longer matches the shipped {dictionary}"
                         f" ({len(recorded)} recorded, {len(fresh)} drawn): " + "; ".join(changed))
    kind = COMMON if dictionary == COMMON else "theme"
    print(f"{path}: {len(rows)} items of {dictionary}, "
          + ("as shipped" if by_word else "as drawn"))
    for column, counter in sorted(rating_counts(rows).items()):
        listed = ", ".join(f"{value} {n}" for value, n in sorted(counter.items()))
        print(f"  {COLUMNS[kind][column]}: {listed}")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", help="path of quorvel-tool (default: found in build*/bin)")
    sub = parser.add_subparsers(dest="command", required=True)
    drawing = sub.add_parser("draw", help="print a fresh sample with empty ratings")
    drawing.add_argument("--dictionary", default=COMMON)
    drawing.add_argument("--count", type=int, default=300)
    drawing.add_argument("--seed", type=int, default=DEFAULT_SEED)
    checking = sub.add_parser("check", help="compare a rated sample with the shipped data")
    checking.add_argument("--by-word", action="store_true",
                          help="look the recorded words up instead of drawing them again")
    checking.add_argument("file")
    args = parser.parse_args()
    tool = make_data.find_tool(args.tool)
    if args.command == "check":
        return check(args.file, tool, args.by_word)
    items = shipped_items(tool, args.dictionary)
    lines = header(args.dictionary, args.seed, args.count)
    empty = len(COLUMNS[COMMON]) - 2
    lines += ["\t".join((word, definition) + ("",) * empty)
              for word, definition in draw(items, args.dictionary, args.count, args.seed)]
    sys.stdout.write("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
