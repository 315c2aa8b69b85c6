"""The reviewed tables beside the scripts: pinned senses, hand-written definitions and
the words a theme leaves out."""

import os

FOLDER = os.path.dirname(os.path.abspath(__file__))
PINNED_SENSES = os.path.join(FOLDER, "pinned_senses.txt")
OWN_DEFINITIONS = os.path.join(FOLDER, "own_definitions.txt")
OFF_THEME_WORDS = os.path.join(FOLDER, "off_theme_words.txt")


def _rows(path):
    """[(dictionary, WORD, text)] of a tab-separated table; # starts a comment line."""
    rows = []
    with open(path, encoding="ascii") as handle:
        for number, line in enumerate(handle, 1):
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 3 or not fields[1].isalpha() or not fields[1].isupper():
                raise SystemExit(f"{os.path.basename(path)} line {number}: expected"
                                 " dictionary, WORD and text separated by tabs")
            rows.append(tuple(fields))
    return rows


def pinned_senses(path=PINNED_SENSES):
    """[(dictionary, WORD, phrase)]: the word's definition comes from the sense whose
    gloss holds the phrase."""
    return _rows(path)


def own_definitions(path=OWN_DEFINITIONS):
    """[(dictionary, WORD, definition)] written by hand for everyday words no
    WordNet gloss can define without giving them away."""
    return _rows(path)


def off_theme_words(path=OFF_THEME_WORDS):
    """[(dictionary, WORD, reason)]: words a themed dictionary leaves out."""
    return _rows(path)


def by_dictionary(rows, dictionary):
    """{lower-case word: text} of one dictionary's rows."""
    return {word.lower(): text for name, word, text in rows if name == dictionary}
