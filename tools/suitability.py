"""Which WordNet senses a family word game may show, and which it shows only when
a word has nothing better.

Blocked senses are never chosen: coarse or insulting usages, and senses that are
sexual, about street drugs, about bodily waste, or a cruel label. A word whose
senses are all blocked is left out. Disfavoured senses (slang, archaic, an
abbreviation, baseball jargon, a brand name) give way to any other sense.
"""

import re

# Usage-domain synsets, found by lemma so the lists do not depend on file offsets.
BLOCKED_USAGE_LEMMAS = ("ethnic_slur", "obscenity", "disparagement", "profanity",
                        "street_name")
DISFAVOURED_USAGE_LEMMAS = ("slang", "archaism", "colloquialism", "abbreviation", "acronym",
                            "trade_name", "trademark", "euphemism")
BLOCKED_TOPIC_LEMMAS = ("narcotic",)
DISFAVOURED_TOPIC_LEMMAS = ("baseball",)

# Kinds whose every narrower kind is blocked: (lemma, start of its gloss).
BLOCKED_KINDS = (
    ("sexual_activity", "activities associated with sexual intercourse"),
    ("sexual_desire", "a desire for sexual intimacy"),
    ("sexual_arousal", "the arousal of sexual desires"),
    ("genitalia", "external sex organ"),
    ("pornography", "creative activity (writing or pictures"),
    ("prostitution", "offering sexual intercourse for pay"),
    ("body_waste", "waste matter (as urine or sweat"),
    ("excretion", "the bodily process of discharging waste matter"),
    ("hard_drug", "a narcotic that is considered relatively strong"),
    ("hallucinogen", "a psychoactive drug that induces hallucinations"),
    ("drug_addict", "a narcotics addict"),
)
# Actions whose every narrower action is blocked (MAINLINE is a way of taking drugs).
BLOCKED_VERB_KINDS = (
    ("drug", "use recreational drugs"),
)

BLOCKED_GLOSS = re.compile(
    r"obscen|vulgar (?:term|word|slang|name)|offensive (?:term|name|word|slang)|ethnic slur|"
    r"slur\b|\b(?:have|had|having) sex\b|"
    r"(?:derogatory|disparaging|contemptuous|insulting) (?:term|name|word)|"
    r"\bsex(?:ual(?:ly)?)? (?:intercourse|act|organs?|appeal|desire|partner|relations|"
    r"activity|pleasure|excitement|arousal|fantas)|\bsexual(?:ly)? (?:arous|excit|attract|"
    r"stimulat|explicit|promiscu|immoral|suggestive|intimacy|behavior|impulse|urge|play)|"
    r"\bsexually\b(?! reproductive)|attractive(?:ness)? to the opposite sex|"
    r"genital|foreplay|erotic|copulat|coitus|"
    r"\bporn|\bseductive\b|\bprostitut|\bbrothel|\bmasturbat|\bpromiscu|"
    r"\bmental age\b|subnormal intelligence|feeble-?minded|"
    r"street names?\b|\bnarcotics? addict|\bdrug addict|\bmarijuana\b|\bcannabis\b|"
    r"\bhashish\b|\bheroin\b|\bcocaine\b|\bLSD\b|\bhallucinogen|\bamphetamine|"
    r"\bfeces\b|\bfecal\b|\bexcrement|\bexcretory product|\burinat|\bdefecat|"
    r"bowel movement|\bflatulen|intestinal gas",
    re.IGNORECASE)

DISFAVOURED_GLOSS = re.compile(
    r"\((?:archaic|obsolete|old use|informal|slang|baseball)\)|\barchaic\b|\bobsolete\b|"
    r"\bbaseball\b|\babbreviation\b|\bformer name\b|"
    r"\b(?:informal|slang|colloquial) (?:terms?|names?|words?) (?:for|referring)",
    re.IGNORECASE)


class SenseRules:
    """The blocked and disfavoured senses of one WordNet database."""

    def __init__(self, wordnet):
        self.wordnet = wordnet
        self.blocked_usages = self._keys(BLOCKED_USAGE_LEMMAS)
        self.disfavoured_usages = self._keys(DISFAVOURED_USAGE_LEMMAS)
        self.blocked_topics = self._keys(BLOCKED_TOPIC_LEMMAS)
        self.disfavoured_topics = self._keys(DISFAVOURED_TOPIC_LEMMAS)
        self.blocked_kinds = set()
        kinds = [(lemma, gloss, "n") for lemma, gloss in BLOCKED_KINDS]
        kinds += [(lemma, gloss, "v") for lemma, gloss in BLOCKED_VERB_KINDS]
        for lemma, gloss_start, pos in kinds:
            found = [key for key in wordnet.lemma_keys(lemma, pos)
                     if wordnet.synset(key).gloss.startswith(gloss_start)]
            if len(found) != 1:
                raise SystemExit(f"WordNet sense of {lemma!r} not found;"
                                 " is wordnet-base 3.0 installed?")
            self.blocked_kinds.add(found[0])
        self._blocked_cache = {}
        self._disfavoured_cache = {}

    def _keys(self, lemmas):
        keys = set()
        for lemma in lemmas:
            keys.update(self.wordnet.lemma_keys(lemma, "n"))
        return keys

    def is_blocked(self, synset):
        """Coarse, insulting, sexual, drug, bodily waste or a cruel label."""
        cached = self._blocked_cache.get(synset.key)
        if cached is None:
            cached = (bool(set(synset.targets(";u")) & self.blocked_usages)
                      or bool(set(synset.targets(";c")) & self.blocked_topics)
                      or bool(BLOCKED_GLOSS.search(synset.gloss.split('; "')[0]))
                      or bool(({synset.key} | self.wordnet.ancestors(synset.key))
                              & self.blocked_kinds))
            self._blocked_cache[synset.key] = cached
        return cached

    def is_disfavoured(self, synset):
        """Slang, archaic, an abbreviation, baseball jargon or a brand name."""
        cached = self._disfavoured_cache.get(synset.key)
        if cached is None:
            cached = (bool(set(synset.targets(";u")) & self.disfavoured_usages)
                      or bool(set(synset.targets(";c")) & self.disfavoured_topics)
                      or bool(DISFAVOURED_GLOSS.search(synset.gloss.split('; "')[0])))
            self._disfavoured_cache[synset.key] = cached
        return cached
