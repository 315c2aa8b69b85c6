"""The curated list of words the game never shows (tools/excluded_words.txt)."""

import os
import re

LIST_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "excluded_words.txt")
# Words too rare or old for a hidden word; the same format.
RARE_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "rare_words.txt")
# Everyday words no WordNet gloss defines plainly; the same format.
UNCLEAR_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                            "unclear_definitions.txt")
# Words never hidden in a family game, in any dictionary (violent, gruesome, near-sexual,
# cruel labels); they stay acceptable on the board where the 3-5 letter lists hold them.
UNFIT_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "unfit_words.txt")
WORD = re.compile(r"[a-z]+")


class Exclusions:
    """banned: never shown anywhere. ambiguous: kept out of Common Words and the
    3-5 letter lists; a theme may keep one with the clean sense it is about."""

    def __init__(self, text):
        self.banned = set()
        self.ambiguous = set()
        for number, raw in enumerate(text.split("\n"), 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            target = self.banned
            if line.startswith("~"):
                target, line = self.ambiguous, line[1:]
            for word in line.split():
                if not WORD.fullmatch(word):
                    raise ValueError(f"line {number}: {word!r} is not a"
                                     " lower-case word")
                target.add(word)
        self.ambiguous -= self.banned

    @classmethod
    def load(cls, path=LIST_PATH):
        with open(path, encoding="ascii") as handle:
            return cls(handle.read())

    def everywhere(self):
        return self.banned | self.ambiguous

    def allows_plain(self, word):
        """May the word enter Common Words or a 3-5 letter list?"""
        lower = word.lower()
        return lower not in self.banned and lower not in self.ambiguous

    def allows_themed(self, word):
        """May a theme keep the word (with a clean definition)?"""
        return word.lower() not in self.banned

    def mentions_banned(self, text):
        """True when the text uses a banned word (a definition that needs one is out)."""
        return any(token in self.banned for token in WORD.findall(text.lower()))
