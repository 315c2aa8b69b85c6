#!/usr/bin/env python3
"""Checks tables of written definitions against the rules every shown definition keeps.

    python3 tools/check_definitions.py FILE...

Each FILE holds lines "dictionary<TAB>WORD<TAB>definition" (the layout of
own_definitions.txt; # starts a comment, and a definition "-" marks a word left out).
Prints one line for each definition the data check would refuse: a give-away (the word,
a form, a root, a part), one word, a quotation, cut off (a trailing word that wants
more, half a bracket, a WordNet gloss shortened), a specialist's word or a banned word.
Exits 1 when there is one.
"""

import sys

import definitions
import sources
import themes


def rows(path):
    with open(path, encoding="ascii") as handle:
        for number, line in enumerate(handle, 1):
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 3:
                yield number, None, None, None
                continue
            yield number, fields[0], fields[1], fields[2]


def problems(path, wordnet):
    found = []
    for number, dictionary, word, definition in rows(path):
        if word is None:
            found.append(f"{path}:{number}: expected dictionary, WORD and definition")
            continue
        if definition == "-":
            continue
        problem = definitions.shown_definition_problem(
            word, definition, themes.excluded(), themes.related(wordnet, word))
        if not problem and any(definitions.is_gloss_cut(definition, gloss)
                               for gloss in themes.word_glosses(wordnet, word)):
            problem = "cut off (a shortened gloss)"
        if problem:
            found.append(f"{path}:{number}: {dictionary} {word} {definition!r}: {problem}")
    return found


def main(paths):
    if not paths:
        raise SystemExit(__doc__)
    wordnet = sources.WordNet()
    found = [line for path in paths for line in problems(path, wordnet)]
    print("\n".join(found) if found else "no problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
