#!/usr/bin/env python3
"""Regenerates the game's word data, levels and sounds from Debian packages.

    python3 tools/make_data.py            write data/ in this repository
    python3 tools/make_data.py --check    rebuild into a temporary folder and
                                          compare with data/ byte for byte

Reads the Debian 12 packages wordnet-base (/usr/share/wordnet: definitions,
lexicographer categories, sense counts) and scowl (/usr/share/dict/scowl: how
common a word is), and the licence notices of wordnet-base and scowl in
/usr/share/doc. Writes:

    data/kbs/Common Words.dic and the themed dictionaries (through
        quorvel-tool dic build)
    data/kbs/LICENSE.WordNet.txt, data/kbs/LICENSE.SCOWL.txt,
        data/zq/LICENSE.SCOWL.txt
    data/zq/W3, W4, W5 and data/zq/formats
    data/sound/: the eight effects (WAV) and three tunes (MP3), synthesised by
        sounds.py; the tunes are encoded with the Debian package lame

Python 3 standard library only (and the lame program); the output depends on
nothing but the package contents (no clock, no hash order, no locale).
"""

import argparse
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile

import curated
import definitions
import levels
import sounds
import sources
import themes

REPOSITORY = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LICENCES = (
    ("/usr/share/doc/wordnet-base/copyright", "wordnet-base", "kbs/LICENSE.WordNet.txt"),
    ("/usr/share/doc/scowl/copyright", "scowl", "kbs/LICENSE.SCOWL.txt"),
    ("/usr/share/doc/scowl/copyright", "scowl", "zq/LICENSE.SCOWL.txt"),
)
# Every shipped level must fill from Common Words well within the game's 5,000 draws.
MAX_EXPECTED_DRAWS = 1500
# A themed dictionary "suits" a level when filling it takes this many draws on average.
THEME_SUITS_DRAWS = 1500
# Every level must be advanced by a player who knows the answer (quorvel-tool layouts
# par, averaged over PAR_SEEDS games) with this share of its advance minimum to spare,
# at the neutral and at the hardest handicap.
PAR_SEEDS = 20
MIN_PAR_MARGIN = 10


def find_tool(explicit):
    if explicit:
        return explicit
    candidates = [os.environ.get("QUORVEL_TOOL", "")]
    for folder in sorted(os.listdir(REPOSITORY)):
        if folder.startswith("build"):
            candidates.append(os.path.join(REPOSITORY, folder, "bin", "quorvel-tool"))
    for path in candidates:
        if path and os.access(path, os.X_OK):
            return path
    raise SystemExit("quorvel-tool not found: build it (cmake --build BUILD --target quorvel-tool)"
                     " or pass --tool PATH")


def write_bytes(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as handle:
        handle.write(data)


def write_word_lists(out, wordnet):
    """Writes W3, W4, W5; returns {n: (words, ordering passes)}."""
    lists = themes.short_words(wordnet)
    written = {}
    for n in (3, 4, 5):
        try:
            words, passes = themes.aligned_order(lists[n])
        except ValueError as error:
            raise SystemExit(f"W{n}: {error}")
        write_bytes(os.path.join(out, "zq", f"W{n}"), "".join(words).encode("ascii"))
        written[n] = (len(words), passes)
    return written


def length_counts(items):
    counts = {}
    for word, _, _ in items:
        counts[len(word)] = counts.get(len(word), 0) + 1
    return counts


def write_levels(out, common):
    data = levels.formats_bytes()
    lines = data.decode("ascii").split("\r\n")[1:]
    counts, total = length_counts(common), len(common)
    worst = 0.0
    for number, rows in enumerate(levels.parse_levels(lines), 1):
        problems = levels.check_layout(rows)
        draws = levels.expected_draws(rows, counts, total)
        if problems or draws > MAX_EXPECTED_DRAWS:
            raise SystemExit(f"level {number}: {', '.join(problems) or f'{draws:.0f} draws'}")
        worst = max(worst, draws)
    write_bytes(os.path.join(out, "zq", "formats"), data)
    return worst


def suited_levels(items, lines):
    """The levels a dictionary fills quickly, as text such as "1-40, 45"."""
    counts, total = length_counts(items), len(items)
    suited = []
    for number, rows in enumerate(levels.parse_levels(lines), 1):
        lengths = levels.word_lengths(rows)
        enough = all(counts.get(n, 0) >= 3 * lengths.count(n) for n in set(lengths))
        if enough and levels.expected_draws(rows, counts, total) <= THEME_SUITS_DRAWS:
            suited.append(number)
    ranges = []
    for number in suited:
        if ranges and ranges[-1][1] == number - 1:
            ranges[-1][1] = number
        else:
            ranges.append([number, number])
    return ", ".join(f"{a}" if a == b else f"{a}-{b}" for a, b in ranges)


def dictionary_problems(name, items, pins, own=(), related=lambda word: (),
                        glosses=lambda word: ()):
    """Every rule a shipped dictionary must keep, as messages (none when it keeps them):
    no excluded word, every definition fit to show, every word of a length a level
    can draw, every pinned sense kept and every hand-written definition used.
    related(word): the word's irregular forms and derived words; glosses(word): its
    WordNet glosses, of which a definition may not be a shortened piece."""
    problems = []
    allowed = themes.excluded().allows_plain if name == "Common Words" \
        else themes.excluded().allows_themed
    defined = {word: definition for word, definition, _ in items}
    written = {word for dictionary, word, _ in own if dictionary == name}
    for word, definition in defined.items():
        if not allowed(word):
            problems.append(f"{name}: {word} is excluded")
        problem = definitions.shown_definition_problem(word, definition, themes.excluded(),
                                                       related(word))
        if not problem and any(definitions.is_gloss_cut(definition, gloss)
                               for gloss in glosses(word)):
            problem = "cut off (a shortened gloss)"
        if problem:
            problems.append(f"{name}: {word} {definition!r}: {problem}")
        if not levels.MIN_WORD <= len(word) <= levels.MAX_WORD:
            problems.append(f"{name}: {word} is longer or shorter than a level's words")
    # A pinned sense steers the choice of a WordNet gloss; a written definition is
    # already the sense a player means, in the game's own words.
    for dictionary, word, phrase in pins:
        if dictionary == name and word not in written and phrase not in defined.get(word, ""):
            problems.append(f"{name}: {word} should mean {phrase!r}, "
                            f"is {defined.get(word)!r}")
    for word in sorted(set(defined) - written):
        problems.append(f"{name}: {word} has no definition written for the game")
    for dictionary, word, text in own:
        if dictionary == name and defined.get(word) != text:
            problems.append(f"{name}: the hand-written definition of {word} is not used")
    for dictionary, word, _ in curated.off_theme_words():
        if dictionary == name and word in defined:
            problems.append(f"{name}: {word} is listed as off the theme")
    return problems


def check_par(tool, out):
    """Plays every level through quorvel-tool layouts par; returns its summary line."""
    result = subprocess.run([tool, "layouts", "par", os.path.join(out, "zq", "formats"),
                             "--seeds", str(PAR_SEEDS), "--root", out],
                            capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"layouts par failed: {result.stderr.strip()}")
    lines = result.stdout.strip().split("\n")
    short = [line for line in lines[:-1]
             if any(int(field[len("margin="):-1]) < MIN_PAR_MARGIN
                    for field in line.split() if field.startswith("margin="))]
    if short:
        raise SystemExit("levels advanced with too little to spare:\n" + "\n".join(short))
    return lines[-1]


def build_dictionary(tool, items, path, scratch):
    text = "".join(f"{word}\t{definition}\t{','.join(attributes)}\n"
                   for word, definition, attributes in items)
    source = os.path.join(scratch, os.path.basename(path) + ".tsv")
    with open(source, "w", encoding="utf-8", newline="\n") as handle:
        handle.write(text)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    result = subprocess.run([tool, "dic", "build", source, path], capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"dic build {path} failed: {result.stderr.strip()}")


def copy_licences(out):
    for source, package, target in LICENCES:
        with open(sources.require(source, package), "rb") as handle:
            write_bytes(os.path.join(out, target), handle.read())


def generate(out, tool):
    wordnet = sources.WordNet()
    report = themes.CommonWordsReport()
    common = themes.common_words(wordnet, report)
    pins, own = curated.pinned_senses(), curated.own_definitions()
    def related(word):
        return themes.related(wordnet, word)

    def glosses(word):
        return themes.word_glosses(wordnet, word)

    problems = dictionary_problems("Common Words", common, pins, own, related, glosses)
    for n, (count, passes) in write_word_lists(out, wordnet).items():
        print(f"W{n}: {count} words, aligned after {passes} reordering passes")
    worst = write_levels(out, common)
    print(f"formats: levels fill from Common Words in at most {worst:.0f} draws on average")
    level_lines = levels.file_lines()
    with tempfile.TemporaryDirectory() as scratch:
        build_dictionary(tool, common, os.path.join(out, "kbs", "Common Words.dic"), scratch)
        print(f"Common Words: {len(common)} items of {report.candidates} everyday words"
              f" ({report.excluded} excluded, {report.rare} rare, {report.unfit} unfit for"
              f" a family game, {report.coarse} coarse,"
              f" {report.inflected} inflected, {report.undefinable} without a definition"
              f" that may be shown, {report.untrusted} whose sense WordNet's texts do not"
              f" show to be the usual one, {report.specialist} a trade's or"
              f" scientist's word or an odd form, {report.unclear} with no plain"
              f" definition; {report.own} defined by hand)")
        for name, select in themes.THEMES:
            items = select(wordnet)
            problems += dictionary_problems(name, items, pins, own, related, glosses)
            build_dictionary(tool, items, os.path.join(out, "kbs", name + ".dic"), scratch)
            print(f"{name}: {len(items)} items, suits levels {suited_levels(items, level_lines)}")
    print(check_par(tool, out))
    copy_licences(out)
    sounds.generate(out)
    if problems:
        raise SystemExit("\n".join(problems))


def generated_files(root):
    found = []
    for sub in ("kbs", "zq", "sound"):
        folder = os.path.join(root, sub)
        if os.path.isdir(folder):
            found += [os.path.join(sub, name) for name in sorted(os.listdir(folder))]
    return found


def check(tool):
    """Rebuild into a temporary folder and compare with the committed data."""
    data = os.path.join(REPOSITORY, "data")
    with tempfile.TemporaryDirectory() as fresh:
        generate(fresh, tool)
        different = [name for name in generated_files(fresh)
                     if not os.path.exists(os.path.join(data, name))
                     or not filecmp.cmp(os.path.join(fresh, name), os.path.join(data, name),
                                        shallow=False)]
    for name in different:
        print(f"differs: data/{name}")
    print("data/ is up to date" if not different else f"{len(different)} file(s) differ")
    return 1 if different else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare a fresh build with data/ instead of writing it")
    parser.add_argument("--tool", help="path of quorvel-tool (default: found in build*/bin)")
    parser.add_argument("--out", default=os.path.join(REPOSITORY, "data"),
                        help="folder to write into (default: data/ of this repository)")
    args = parser.parse_args()
    tool = find_tool(args.tool)
    if args.check:
        return check(tool)
    # Build everything first, so that a failure half-way leaves the old files.
    with tempfile.TemporaryDirectory() as fresh:
        generate(fresh, tool)
        for name in generated_files(fresh):
            os.makedirs(os.path.dirname(os.path.join(args.out, name)), exist_ok=True)
            shutil.copyfile(os.path.join(fresh, name), os.path.join(args.out, name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
