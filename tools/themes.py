"""The word selections of the shipped dictionaries: Common Words and the themes.

Each selection returns items (WORD, definition, [attribute names]) sorted by
word, one item per word. Attribute names are those of the game's knowledge-base
attribute enumeration.
"""

import re

import glosses
import sources

COMMON_SIZES = (10, 20, 35, 40, 50)          # SCOWL's "common" levels
THEMED_SIZES = (10, 20, 35, 40, 50, 55, 60, 70)
WORD_KINDS = ("english-words", "american-words")
NAME_KINDS = ("english-upper", "american-upper", "english-proper-names",
              "american-proper-names")

MAIN_SENSES = 2

LOWER_WORD = re.compile(r"[a-z]{3,20}")
NAME_WORD = re.compile(r"[A-Z][a-z]{2,19}")


def _sorted_items(items):
    return [items[word] for word in sorted(items)]


# --- Common Words ------------------------------------------------------------

def common_words(wordnet):
    """Common English words of 3..20 letters that WordNet defines in lower case."""
    candidates = sources.scowl_words(WORD_KINDS, COMMON_SIZES)
    blocked = glosses.blocked_usage_keys(wordnet)
    items = {}
    for lemma in sorted(candidates):
        if not LOWER_WORD.fullmatch(lemma) or lemma not in wordnet.senses:
            continue
        senses = glosses.lower_case_senses(wordnet, lemma)
        # No lower-case sense: WordNet knows it only as a name or abbreviation.
        if not senses or glosses.is_unsuitable(wordnet, lemma, senses, blocked):
            continue
        synset = glosses.best_sense(wordnet, lemma, senses)
        items[lemma.upper()] = (lemma.upper(), glosses.short_definition(synset.gloss), [])
    return _sorted_items(items)


# --- themes from one lexicographer file ----------------------------------------

def _member_of_genus(wordnet, synset):
    for key in synset.targets("#m"):
        if any(word.lower().startswith("genus_") for word in wordnet.synset(key).words):
            return True
    return False


def _taxon_attributes(wordnet, synset):
    # A kind that WordNet files under a genus is a species; anything broader
    # (mammal, songbird, conifer) is a category of living things.
    return ["Species"] if _member_of_genus(wordnet, synset) else ["Category"]


def _lexfile_theme(wordnet, lexname, attributes):
    common = sources.scowl_words(WORD_KINDS, THEMED_SIZES)
    blocked = glosses.blocked_usage_keys(wordnet)
    items = {}
    for lemma in sorted(common):
        if not LOWER_WORD.fullmatch(lemma):
            continue
        senses = glosses.lower_case_senses(wordnet, lemma, ("n",))
        # The themed meaning must be one of the word's two main noun senses, so
        # that BUSH (a shrub) does not enter the body parts by a rare sense.
        themed = [s for s in senses[:MAIN_SENSES] if s[2].lexname == lexname]
        if not themed or glosses.is_unsuitable(wordnet, lemma, senses, blocked):
            continue
        synset = themed[0][2]  # the most frequent sense within the theme
        items[lemma.upper()] = (lemma.upper(), glosses.short_definition(synset.gloss),
                                attributes(wordnet, synset))
    return _sorted_items(items)


def animals(wordnet):
    return _lexfile_theme(wordnet, "noun.animal", _taxon_attributes)


def plants(wordnet):
    return _lexfile_theme(wordnet, "noun.plant", _taxon_attributes)


def food(wordnet):
    return _lexfile_theme(wordnet, "noun.food", lambda wn, synset: ["Food"])


def body(wordnet):
    return _lexfile_theme(wordnet, "noun.body", lambda wn, synset: ["BodyPart"])


# --- Geography -----------------------------------------------------------------

# Kinds of place, each pinned to one WordNet sense by the start of its gloss, and
# the attributes a place of that kind (or of a narrower kind) carries.
GEOGRAPHY_ANCHORS = (
    ("national_capital", "the capital city of a nation", ["Capital", "City"]),
    ("state_capital", "the capital city of a political subdivision", ["CapitalPS", "City"]),
    ("provincial_capital", "the capital city of a province", ["CapitalPS", "City"]),
    ("city", "a large and densely populated urban area", ["City"]),
    ("town", "an urban area with a fixed boundary", ["City"]),
    ("country", "the territory occupied by a nation", ["Country"]),
    ("state", "the territory occupied by one of the constituent", ["ProvState"]),
    ("continent", "one of the large landmasses of the earth", ["Continent"]),
    ("ocean", "a large body of water constituting", ["OceanSea"]),
    ("sea", "a division of an ocean", ["OceanSea"]),
    ("river", "a large natural stream of water", ["River"]),
    ("lake", "a body of (usually fresh) water", ["Lake"]),
    ("volcano", "a mountain formed by volcanic material", ["Volcano"]),
    ("mountain", "a land mass that projects well above", ["Mountain"]),
    ("mountain_range", "a series of hills or mountains", ["MtnRange"]),
    ("desert", "arid land with little or no vegetation", ["Desert"]),
    ("island", "a land mass (smaller than a continent)", ["Island"]),
    ("gulf", "an arm of a sea or ocean", ["GulfBayStrait"]),
    ("bay", "an indentation of a shoreline", ["GulfBayStrait"]),
    ("strait", "a narrow channel of the sea", ["GulfBayStrait"]),
    ("geological_formation", "(geology) the geological features", ["Landform"]),
)
GEOGRAPHY_FALLBACK = ("Landform",)
# Craters and plains of other worlds are landforms too, but not geography.
OFF_EARTH = re.compile(r"\b(?:Moon|Mars|Venus|Mercury|planet)\b")
# The attribute names used here, in the enumeration's order.
ATTRIBUTE_ORDER = ("City", "ProvState", "Country", "Landform", "Lake", "River", "OceanSea",
                   "Capital", "Volcano", "Mountain", "MtnRange", "Desert", "Island",
                   "CapitalPS", "GulfBayStrait", "Continent", "Occupation", "Disease",
                   "Affliction", "Condition", "Medicine", "Treatment", "Artist", "Musician")


def _anchor_keys(wordnet, anchors):
    keyed = {}
    for lemma, gloss_start, attributes in anchors:
        keys = [k for k in wordnet.lemma_keys(lemma)
                if wordnet.synset(k).gloss.startswith(gloss_start)]
        if len(keys) != 1:
            raise SystemExit(f"WordNet sense of {lemma!r} not found; is wordnet-base 3.0 installed?")
        keyed[keys[0]] = attributes
    return keyed


def _anchored_attributes(wordnet, key, anchors, fallback=()):
    """The attributes of every anchor the synset is, or descends from."""
    reached = set()
    for ancestor in wordnet.ancestors(key) | {key}:
        reached.update(anchors.get(ancestor, ()))
    # A fallback attribute gives way when a more precise one applies.
    if reached - set(fallback):
        reached -= set(fallback)
    return [name for name in ATTRIBUTE_ORDER if name in reached]


def geography(wordnet):
    """Places by name (France, Nile, Andes) and kinds of place (fjord, canyon)."""
    common = sources.scowl_words(WORD_KINDS, THEMED_SIZES)
    names = sources.scowl_words(NAME_KINDS, THEMED_SIZES)
    anchors = _anchor_keys(wordnet, GEOGRAPHY_ANCHORS)
    blocked = glosses.blocked_usage_keys(wordnet)
    best = {}
    for (pos, offset) in sorted(wordnet.synsets):
        synset = wordnet.synsets[(pos, offset)]
        if pos != "n" or synset.lexname not in ("noun.location", "noun.object"):
            continue
        attributes = _anchored_attributes(wordnet, (pos, offset), anchors, GEOGRAPHY_FALLBACK)
        if not attributes or glosses.is_coarse(synset, blocked) or OFF_EARTH.search(synset.gloss):
            continue
        for word in synset.words:
            is_name = NAME_WORD.fullmatch(word) and word in names
            is_common = LOWER_WORD.fullmatch(word) and word in common
            if not (is_name or is_common):
                continue
            # Where a name has several places (Georgia), keep its most frequent sense;
            # a rare place sense of a common name (Union) does not count.
            rank = wordnet.senses[word.lower()]["n"].index(offset)
            if rank >= MAIN_SENSES:
                continue
            item = (word.upper(), glosses.short_definition(synset.gloss), attributes)
            if word.upper() not in best or rank < best[word.upper()][0]:
                best[word.upper()] = (rank, item)
    return [best[word][1] for word in sorted(best)]


# --- themes of kinds of thing ------------------------------------------------------

OCCUPATION_ANCHORS = (
    ("worker", "a person who works at a specific occupation", ["Occupation"]),
    ("professional", "a person engaged in one of the learned professions", ["Occupation"]),
    ("artist", "a person whose creative work shows sensitivity", ["Occupation", "Artist"]),
    ("musician", "someone who plays a musical instrument", ["Occupation", "Musician"]),
    ("musician", "artist who composes or conducts music", ["Occupation", "Musician"]),
)

HEALTH_ANCHORS = (
    ("illness", "impairment of normal physiological function", ["Disease"]),
    ("disease", "an impairment of health", ["Disease"]),
    ("disorder", "a physical condition in which there is a disturbance", ["Condition"]),
    ("symptom", "(medicine) any sensation or change in bodily function", ["Condition"]),
    ("injury", "any physical damage to the body", ["Affliction"]),
    ("medicine", "(medicine) something that treats or prevents", ["Medicine"]),
    ("treatment", "care provided to improve a situation", ["Treatment"]),
    ("therapy", "(medicine) the act of caring for someone", ["Treatment"]),
)


def _anchored_theme(wordnet, anchors):
    """Common words one of whose two main noun senses is a kind of an anchor."""
    common = sources.scowl_words(WORD_KINDS, THEMED_SIZES)
    keyed = _anchor_keys(wordnet, anchors)
    blocked = glosses.blocked_usage_keys(wordnet)
    items = {}
    for lemma in sorted(common):
        if not LOWER_WORD.fullmatch(lemma):
            continue
        senses = glosses.lower_case_senses(wordnet, lemma, ("n",))
        if not senses or glosses.is_unsuitable(wordnet, lemma, senses, blocked):
            continue
        for _, _, synset in senses[:MAIN_SENSES]:
            attributes = _anchored_attributes(wordnet, synset.key, keyed)
            if attributes:
                items[lemma.upper()] = (lemma.upper(), glosses.short_definition(synset.gloss),
                                        attributes)
                break
    return _sorted_items(items)


def occupations(wordnet):
    return _anchored_theme(wordnet, OCCUPATION_ANCHORS)


def health(wordnet):
    return _anchored_theme(wordnet, HEALTH_ANCHORS)


THEMES = (
    ("Animals", animals),
    ("Food", food),
    ("Plants", plants),
    ("Geography", geography),
    ("Human Body", body),
    ("Occupations", occupations),
    ("Health", health),
)


# --- the built-in short-word lists ------------------------------------------------

INFLECTIONS = ("s", "es", "ed", "d", "ing", "er", "ers", "y")


def short_words(wordnet):
    """Common words of 3, 4 and 5 letters in upper case, by length, sorted.

    These lists only accept alternative words on the board, so they take every
    common SCOWL word (plurals and verb forms too), leaving out the coarse ones
    and their inflections."""
    common = sources.scowl_words(WORD_KINDS, COMMON_SIZES)
    blocked_keys = glosses.blocked_usage_keys(wordnet)

    def senses(lemma):
        return glosses.lower_case_senses(wordnet, lemma) if lemma in wordnet.senses else []

    def unsuitable(lemma):
        found = senses(lemma)
        return bool(found) and glosses.is_unsuitable(wordnet, lemma, found, blocked_keys)

    lists = {3: [], 4: [], 5: []}
    for word in sorted(common):
        if not re.fullmatch(r"[a-z]{3,5}", word) or unsuitable(word):
            continue
        # A word WordNet does not define is judged by the word it inflects; one
        # it defines (SPICY) stands on its own senses.
        if not senses(word) and any(word.endswith(end) and unsuitable(word[:-len(end)])
                                    for end in INFLECTIONS):
            continue
        lists[len(word)].append(word.upper())
    return {n: sorted(set(words)) for n, words in lists.items()}


# The game finds a word in its list by the word's first occurrence in the
# concatenation and accepts it only when that occurrence starts on a word
# boundary. In alphabetical order CAR first turns up across ARC|ARE and CEDAR
# across ARCED|ARDOR, so those would never be accepted: the order must keep every
# word's first occurrence aligned.
MAX_ORDER_PASSES = 500


def aligned_order(words):
    """The distinct words (all of one length) in an order in which each word's
    first occurrence in their concatenation starts on a word boundary.

    Starts from the sorted order; each pass moves the words whose first
    occurrence straddles two neighbours to the front (keeping their order, then
    the rest in theirs) until none does. Returns (order, passes that moved
    words); raises ValueError when MAX_ORDER_PASSES passes do not settle it."""
    order = sorted(set(words))
    for passes in range(MAX_ORDER_PASSES + 1):
        text = "".join(order)
        straddling = [word for word in order if text.find(word) % len(word)]
        if not straddling:
            return order, passes
        moved = set(straddling)
        order = straddling + [word for word in order if word not in moved]
    raise ValueError(f"no aligned order within {MAX_ORDER_PASSES} passes; still straddling: "
                     + ", ".join(straddling[:10]))
