"""Which words are inflected forms or -ly adverbs of other words (WordNet's rules)."""

import os

import sources
from glosses import CONCRETE_NOUN_FILES

# WordNet's detachment rules: (part of speech, ending, replacement).
DETACHMENTS = (
    ("n", "s", ""), ("n", "ses", "s"), ("n", "xes", "x"), ("n", "zes", "z"),
    ("n", "ches", "ch"), ("n", "shes", "sh"), ("n", "men", "man"), ("n", "ies", "y"),
    ("v", "s", ""), ("v", "ies", "y"), ("v", "es", "e"), ("v", "es", ""),
    ("v", "ed", "e"), ("v", "ed", ""), ("v", "ing", "e"), ("v", "ing", ""),
    ("a", "er", ""), ("a", "est", ""), ("a", "er", "e"), ("a", "est", "e"),
)
EXCEPTION_FILES = (("n", "noun.exc"), ("v", "verb.exc"), ("a", "adj.exc"))
# Adverb endings and what their adjective ends in: quickly, happily, basically, gently.
ADVERB_ENDINGS = (("ly", ""), ("ily", "y"), ("ally", "al"), ("ally", ""), ("ly", "le"),
                  ("ly", "e"))


def read_exceptions(root=sources.WORDNET_DIR):
    """{(pos, inflected form): [base forms]} from WordNet's exception lists."""
    found = {}
    for pos, name in EXCEPTION_FILES:
        path = sources.require(os.path.join(root, name), "wordnet-base")
        with open(path, encoding="latin-1") as handle:
            for line in handle:
                fields = line.split()
                if len(fields) >= 2:
                    found.setdefault((pos, fields[0]), []).extend(fields[1:])
    return found


def bases(wordnet, exceptions, word, pos, irregular=True):
    """The other lemmas of this part of speech that the word inflects."""
    found = set(exceptions.get((pos, word), ())) if irregular else set()
    for rule_pos, ending, replacement in DETACHMENTS:
        if rule_pos == pos and word.endswith(ending) and len(word) > len(ending):
            found.add(word[:-len(ending)] + replacement)
    found.discard(word)
    return {b for b in found if pos in wordnet.senses.get(b, {})}


def adverb_base(word, listed):
    """The listed adjective an -ly adverb is made from, or None."""
    for ending, replacement in ADVERB_ENDINGS:
        if word.endswith(ending):
            base = word[:-len(ending)] + replacement
            if len(base) >= 3 and base in listed:
                return base
    return None


# An adjective with these endings is a participle: the verb's irregular forms count for it
# (SWOLLEN, MISLAID, ROTTING, BUGGED).
PARTICIPLE_ENDINGS = ("ed", "ing", "en", "n")


def _unused_irregular_form(wordnet, exceptions, word, listed):
    """The listed verb this word is an irregular form of (a vowel changed, not a
    doubled consonant), when WordNet's texts use none of its own senses: SHOOK is the
    past of SHAKE before it is barrel staves (but LEFT the side, which the texts use,
    stands, and KNITTING is no irregular form of KNIT)."""
    if any(wordnet.tag_counts.get((word, pos, rank + 1), 0)
           for pos, offsets in wordnet.senses.get(word, {}).items()
           for rank in range(len(offsets))):
        return None
    found = sorted(base for base in exceptions.get(("v", word), ())
                   if base in listed and not word.startswith(base.rstrip("e")))
    return found[0] if found else None


# An -ing noun that is no thing hides as a word of its own only when WordNet's texts
# use it this often (DANCING, TRADING, FINDING); rarer ones read as the verb's form
# (PULLING, FIGURING, QUADRUPLING), while a thing stands (CARPETING, FROSTING).
MIN_GERUND_USES = 2
# An -ing noun naming an act or an utterance reads as the verb at work unless the
# texts use it a few times (DANCING and FISHING stand; SENDING, HOLLERING do not).
ACT_NOUN_FILES = ("noun.act", "noun.communication")
MIN_ACT_GERUND_USES = 5


def gerund_base(wordnet, word, listed):
    """The listed verb an -ing word is made from, a doubled last consonant undone
    (BARRING, PUNNING), or None."""
    if not word.endswith("ing"):
        return None
    stem = word[:-3]
    candidates = [stem, stem + "e"]
    if len(stem) >= 2 and stem[-1] == stem[-2] and stem[-1] not in "aeiou":
        candidates.append(stem[:-1])
    found = [base for base in candidates
             if len(base) >= 3 and base in listed and "v" in wordnet.senses.get(base, {})]
    return found[0] if found else None


def rare_gerund(wordnet, word, main_sense, listed):
    """True when the word is an -ing form of a listed verb whose main sense
    (pos, rank, synset) is no thing and that WordNet's texts use fewer than
    MIN_GERUND_USES times, in any sense, or, when it names an act or an utterance,
    fewer than MIN_ACT_GERUND_USES times (SENDING, HOLLERING)."""
    if (main_sense[2].lexname in CONCRETE_NOUN_FILES
            or gerund_base(wordnet, word, listed) is None):
        return False
    uses = sum(wordnet.tag_counts.get((word, pos, rank + 1), 0)
               for pos, offsets in wordnet.senses.get(word, {}).items()
               for rank in range(len(offsets)))
    if main_sense[2].lexname in ACT_NOUN_FILES:
        return uses < MIN_ACT_GERUND_USES
    return uses < MIN_GERUND_USES


def inflected_base(wordnet, exceptions, word, main_sense, listed):
    """The listed word that `word` is an inflection or -ly adverb of, or None.

    main_sense is the word's main (pos, rank, synset). A noun that no noun rule
    explains stands on its own when it is a thing (BUILDING) or WordNet's texts use
    it (MEETING); an untagged act (DUCKING, LIKENING) is the verb's form. Irregular
    forms count in the word's own part of speech, for a participle, or when the
    texts use no sense of the word: LEFT the side is no form of LEAVE, SHOOK is
    SHAKE's."""
    main_pos, rank, synset = main_sense
    irregular_of = _unused_irregular_form(wordnet, exceptions, word, listed)
    if irregular_of:
        return irregular_of
    if main_pos == "r":
        return adverb_base(word, listed)
    if main_pos == "n" and not bases(wordnet, exceptions, word, "n") & listed:
        own_noun = (synset.lexname in CONCRETE_NOUN_FILES
                    or wordnet.tag_counts.get((word, "n", rank), 0) > 0)
        if own_noun or not word.endswith(("ing", "ed")):
            return None
    participle = main_pos == "a" and word.endswith(PARTICIPLE_ENDINGS)
    for pos in ("n", "v", "a"):
        irregular = pos == main_pos or (pos == "v" and participle)
        hit = sorted(bases(wordnet, exceptions, word, pos, irregular) & listed)
        if hit:
            return hit[0]
    return None


def comparative_base(wordnet, exceptions, word, listed):
    """The listed adjective the word is the comparative or superlative of, when the
    word is no noun and WordNet's texts use none of its own senses (FINER, LATEST),
    or None. A noun stands on its own (a LIGHTER, a DRYER)."""
    if "n" in wordnet.senses.get(word, {}) or any(wordnet.tag_counts.get((word, pos, rank + 1), 0)
           for pos, offsets in wordnet.senses.get(word, {}).items()
           for rank in range(len(offsets))):
        return None
    hit = sorted(base for base in bases(wordnet, exceptions, word, "a") & listed
                 if word.endswith(("er", "est")))
    return hit[0] if hit else None


# A word WordNet derives from or into another counts as one family with it only when
# both begin alike (ENVY and ENVIOUS); its derivations across roots do not (BODY and
# CORPORAL).
DERIVED_PREFIX = 3
# A compound's parts count from this length (TOM-BOY, SERVICE-MAN).
COMPOUND_PART = 3
# Words that are also prefixes or endings are no part of a compound (DIS-TASTE, NOT-ABLE).
AFFIXES = frozenset(("dis", "non", "mis", "over", "under", "able", "ible", "less", "ness",
                     "ship", "hood", "like", "some", "ward", "wards", "ment", "ant", "ion",
                     "ate", "ism", "ist", "ity", "ous", "ive", "ful", "ling", "age", "ery",
                     "ence", "ance", "ette", "let", "ster", "ess", "ine"))


class WordFamilies:
    """The forms and relatives of a word that a definition must not hold: its
    irregular forms (STING stung, GOOD better) and the words WordNet derives from or
    into it that begin as it does (GRIEVE grief, ENVY envious), with their irregular
    forms."""

    def __init__(self, wordnet, exceptions):
        self.wordnet = wordnet
        self._irregular = {}
        for (_, form), found in sorted(exceptions.items()):
            for base in found:
                if base != form:
                    self._irregular.setdefault(base, set()).add(form)
                    self._irregular.setdefault(form, set()).add(base)
        self._cache = {}

    def _derived(self, word):
        found = set()
        for pos, offsets in self.wordnet.senses.get(word, {}).items():
            for offset in offsets:
                for _, _, derived in self.wordnet.derived_words((pos, offset), word):
                    if derived.isalpha() and derived[:DERIVED_PREFIX] == word[:DERIVED_PREFIX]:
                        found.add(derived)
        return found

    def _own_relatives(self, word):
        found = set(self._irregular.get(word, ()))
        for derived in self._derived(word):
            found.add(derived)
            found.update(self._irregular.get(derived, ()))
        return found

    def parts(self, word):
        """The words a compound is made of, each of at least COMPOUND_PART letters and
        known to WordNet (TOMBOY: tom, boy), for every way it splits in two so; a part
        that is also an affix is left out."""
        found = set()
        for cut in range(COMPOUND_PART, len(word) - COMPOUND_PART + 1):
            head, tail = word[:cut], word[cut:]
            if head in self.wordnet.senses and tail in self.wordnet.senses:
                # a prefix or an ending is no part (DIS-TASTE, NOT-ABLE)
                found.update(part for part in (head, tail) if part not in AFFIXES)
        return found

    def related(self, word):
        """The word's relatives, and its compound parts with theirs (SERVICEMAN:
        service, serve; TOMBOY: boy, boyish), in lower case, without the word itself."""
        word = word.lower()
        cached = self._cache.get(word)
        if cached is None:
            found = self._own_relatives(word)
            for part in self.parts(word):
                found.add(part)
                found.update(self._own_relatives(part))
            found.discard(word)
            cached = self._cache[word] = frozenset(found)
        return cached
