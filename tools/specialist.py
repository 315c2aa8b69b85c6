"""Words an ordinary adult does not use although SCOWL counts them common: the
trade's and the scientist's terms, formal here- and there- adverbs, comparatives
and the -ing names of things only a craft uses. None of these hides a word in
Common Words; the 3-5 letter lists still accept them on the board."""

import re

import morphology
from morphology import gerund_base

# A sense about programs, number systems or calculation is the programmer's or the
# mathematician's (PARSER, OCTAL, RECURSION) ...
TECHNICAL_GLOSS = re.compile(
    r"\bcomputer program|\bprogramming\b|\bprogram code\b|\binto code\b|\bcode up\b|"
    r"\bnumber system|\bmathematical\b|\bcomputer hardware\b", re.IGNORECASE)
# ... as is a sense WordNet files under these topics, when its texts never use it.
TECHNICAL_TOPICS = ("computer_science", "mathematics")

# Formal or legal adverbs made of here, there or where and a preposition (HEREIN,
# THEREOF, WHEREBY).
FORMAL_ADVERB = re.compile(
    r"(?:here|there|where)(?:in|of|by|to|upon|after|with|at|from|on|under|unto)")

# A comparative adverb reads as a form of its adjective, not a word (FASTER "more
# quickly").
COMPARATIVE_GLOSS = re.compile(r"(?:more|less) \w+")

# -ing names of things made or done by a craft (SMOCKING, CAULKING, FLUTING) are
# a trade's words unless the plainer word lists hold them or the texts use them.
CRAFT_FILES = ("noun.artifact", "noun.substance", "noun.object")
MAX_CRAFT_USES = 1

# An -ER noun spelt as the comparative of a plain adjective (SHARPER, RASHER) reads as
# that comparative, unless it names the doer of a verb (DRYER, SLACKER) or the texts
# use it (STRANGER). Only short adjectives take -ER: one syllable, or two ending in Y.
VOWEL_GROUP = re.compile(r"[aeiouy]+")


def _takes_er(adjective):
    syllables = len(VOWEL_GROUP.findall(adjective.removesuffix("e") or adjective))
    return syllables == 1 or (syllables == 2 and adjective.endswith("y"))


class Vocabulary:
    """What the rules ask of a word's standing: its tagged uses in WordNet's texts,
    and whether SCOWL's smaller, plainer lists hold it."""

    def __init__(self, wordnet, plain_words, exceptions=None):
        self.wordnet = wordnet
        self.plain_words = plain_words
        self.exceptions = exceptions if exceptions is not None else {}

    def uses(self, lemma):
        return sum(self.wordnet.tag_counts.get((lemma, pos, rank), 0)
                   for pos, offsets in self.wordnet.senses.get(lemma, {}).items()
                   for rank in range(1, len(offsets) + 1))

    def topics(self, synset):
        """The names of the topic domains WordNet files the sense under."""
        return {self.wordnet.synset(key).words[0] for key in synset.targets(";c")}

    def usages(self, synset):
        return {self.wordnet.synset(key).words[0] for key in synset.targets(";u")}


def is_technical(vocabulary, lemma, synset):
    """True when the sense is a programmer's or mathematician's and WordNet's texts
    never use the word; a topic alone marks it only beyond the plain lists (ALGEBRA
    stays)."""
    if vocabulary.uses(lemma):
        return False
    gloss = synset.gloss.split('; "')[0]
    return bool(TECHNICAL_GLOSS.search(gloss)
                or (lemma not in vocabulary.plain_words
                    and vocabulary.topics(synset) & set(TECHNICAL_TOPICS)))


def is_odd_form(lemma, synset, vocabulary):
    """True for a formal here-/there- adverb or a comparative adverb (FASTER,
    NEARER), which read as forms of other words."""
    if synset.pos == "r" and FORMAL_ADVERB.fullmatch(lemma):
        return True
    if "comparative" in vocabulary.usages(synset):
        return True
    return (synset.pos == "r" and lemma.endswith("er")
            and bool(COMPARATIVE_GLOSS.fullmatch(synset.gloss.split('; "')[0])))


def is_craft_gerund(vocabulary, lemma, synset, listed):
    """True for an -ing noun of a listed verb naming a thing, beyond the plain lists
    and used at most MAX_CRAFT_USES times (SWATHING, SMOCKING; not PADDING)."""
    return (synset.lexname in CRAFT_FILES and lemma not in vocabulary.plain_words
            and gerund_base(vocabulary.wordnet, lemma, listed) is not None
            and vocabulary.uses(lemma) <= MAX_CRAFT_USES)


def reads_as_comparative(vocabulary, lemma, synset, listed):
    """True for an unused -ER noun that is the comparative of a listed adjective which
    takes -ER and is no verb (SHARPER; not DRYER, STRANGER)."""
    if synset.pos != "n" or not lemma.endswith("er") or vocabulary.uses(lemma):
        return False
    wordnet = vocabulary.wordnet
    return any(_takes_er(base) and "v" not in wordnet.senses.get(base, {})
               for base in morphology.bases(wordnet, vocabulary.exceptions, lemma, "a") & listed)


def is_specialist(vocabulary, lemma, synset, listed):
    """True when the word in its chosen sense is no everyday word (see above)."""
    return (is_technical(vocabulary, lemma, synset)
            or is_odd_form(lemma, synset, vocabulary)
            or is_craft_gerund(vocabulary, lemma, synset, listed)
            or reads_as_comparative(vocabulary, lemma, synset, listed))
