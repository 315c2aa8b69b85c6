"""The word selections of the shipped dictionaries: Common Words and the themes.

Each selection returns items (WORD, definition, [attribute names]) sorted by
word, one item per word. Attribute names are those of the game's knowledge-base
attribute enumeration.
"""

import collections
import functools
import re

import curated
import definitions
import exclusions
import glosses
import morphology
import sources
import specialist
import suitability

COMMON_SIZES = (10, 20, 35, 40, 50)          # SCOWL's "common" levels: the 3-5 letter lists
EVERYDAY_SIZES = (10, 20, 35)                # words an ordinary adult knows: hidden words
PLAIN_SIZES = (10, 20)                       # the plainest of them: no trade's word there
THEMED_SIZES = (10, 20, 35, 40, 50, 55)
WORD_KINDS = ("english-words", "american-words")
NAME_KINDS = ("english-upper", "american-upper", "english-proper-names",
              "american-proper-names")

MAIN_SENSES = 2

LOWER_WORD = re.compile(r"[a-z]{3,20}")
EVERYDAY_WORD = re.compile(r"[a-z]{3,12}")
# Theme words this short come from the everyday sizes (no COX among the occupations).
SHORT_THEME_WORD = 4
# Theme words this short must mean the theme first among their nouns (COG, BUNNY).
THEME_FIRST_WORD = 5
NAME_WORD = re.compile(r"[A-Z][a-z]{2,11}")


def _sorted_items(items):
    return [items[word] for word in sorted(items)]


# --- Common Words ------------------------------------------------------------

@functools.lru_cache(maxsize=None)
def excluded():
    return exclusions.Exclusions.load()


@functools.lru_cache(maxsize=None)
def rare():
    return exclusions.Exclusions.load(exclusions.RARE_PATH)


@functools.lru_cache(maxsize=None)
def unfit():
    return exclusions.Exclusions.load(exclusions.UNFIT_PATH)


@functools.lru_cache(maxsize=None)
def unclear():
    return exclusions.Exclusions.load(exclusions.UNCLEAR_PATH)


@functools.lru_cache(maxsize=None)
def sense_rules(wordnet):
    return suitability.SenseRules(wordnet)


@functools.lru_cache(maxsize=None)
def pins(dictionary):
    return curated.by_dictionary(curated.pinned_senses(), dictionary)


@functools.lru_cache(maxsize=None)
def own_definitions(dictionary):
    return curated.by_dictionary(curated.own_definitions(), dictionary)


@functools.lru_cache(maxsize=None)
def families(wordnet):
    return morphology.WordFamilies(wordnet, morphology.read_exceptions())


def related(wordnet, word):
    """The word's irregular forms and derived words, which no definition may hold."""
    return families(wordnet).related(word)


def word_glosses(wordnet, word):
    """Every WordNet gloss of the word, without its examples."""
    lemma = word.lower()
    return [wordnet.synset(key).gloss for pos in "nvar" for key in wordnet.lemma_keys(lemma, pos)]


@functools.lru_cache(maxsize=None)
def off_theme(dictionary):
    return curated.by_dictionary(curated.off_theme_words(), dictionary)


class CommonWordsReport:
    """How many candidates each rule left out, for make_data's summary."""

    def __init__(self):
        self.candidates = 0
        self.excluded = 0
        self.rare = 0
        self.unfit = 0
        self.coarse = 0
        self.inflected = 0
        self.undefinable = 0
        self.untrusted = 0
        self.specialist = 0
        self.unclear = 0
        self.own = 0


def common_words(wordnet, report=None):
    """Everyday words of 3..12 letters (SCOWL sizes up to 35) in their base form,
    that WordNet defines in lower case, with a definition that may be shown."""
    report = report if report is not None else CommonWordsReport()
    candidates = sources.scowl_words(WORD_KINDS, EVERYDAY_SIZES)
    listed = {word for word in candidates if LOWER_WORD.fullmatch(word)}
    exceptions = morphology.read_exceptions()
    rules = sense_rules(wordnet)
    vocabulary = specialist.Vocabulary(wordnet, sources.scowl_words(WORD_KINDS, PLAIN_SIZES),
                                      exceptions)
    pinned, own = pins("Common Words"), own_definitions("Common Words")
    items = {}
    for lemma in sorted(listed):
        if not EVERYDAY_WORD.fullmatch(lemma) or lemma not in wordnet.senses:
            continue
        senses = glosses.lower_case_senses(wordnet, lemma)
        # No lower-case sense: WordNet knows it only as a name or abbreviation.
        if not senses:
            continue
        report.candidates += 1
        if not excluded().allows_plain(lemma):
            report.excluded += 1
            continue
        if not rare().allows_plain(lemma):
            report.rare += 1
            continue
        if not unfit().allows_plain(lemma):
            report.unfit += 1
            continue
        # A hand-written definition is the reviewed sense of an everyday word.
        if lemma in own:
            report.own += 1
            items[lemma.upper()] = (lemma.upper(), own[lemma], [])
            continue
        if not unclear().allows_plain(lemma):
            report.unclear += 1
            continue
        if glosses.is_unsuitable(wordnet, lemma, senses, rules):
            report.coarse += 1
            continue
        main_sense = glosses.ranked_senses(wordnet, lemma, senses, rules, pinned.get(lemma))[0]
        if (morphology.inflected_base(wordnet, exceptions, lemma, main_sense, listed)
                or morphology.comparative_base(wordnet, exceptions, lemma, listed)
                or (lemma not in pinned
                    and morphology.rare_gerund(wordnet, lemma, main_sense, listed))):
            report.inflected += 1
            continue
        chosen = glosses.choose_definition(wordnet, lemma, senses, rules, excluded(),
                                           pinned.get(lemma), related(wordnet, lemma))
        if chosen is None:
            report.undefinable += 1
            continue
        # Only a sense a player surely means may hide a word; a pinned one is reviewed.
        if lemma not in pinned and not glosses.is_trusted(wordnet, lemma, senses,
                                                          chosen[0], main_sense[2]):
            report.untrusted += 1
            continue
        if lemma not in pinned and specialist.is_specialist(vocabulary, lemma, chosen[0],
                                                            listed):
            report.specialist += 1
            continue
        items[lemma.upper()] = (lemma.upper(), chosen[1], [])
    return _sorted_items(items)


# --- what every theme asks of its words -------------------------------------------

@functools.lru_cache(maxsize=None)
def _exceptions():
    return morphology.read_exceptions()


@functools.lru_cache(maxsize=None)
def _theme_vocabulary():
    """(longer words, short words): the SCOWL words a theme may draw on."""
    return (sources.scowl_words(WORD_KINDS, THEMED_SIZES),
            sources.scowl_words(WORD_KINDS, EVERYDAY_SIZES))


@functools.lru_cache(maxsize=None)
def _everyday_names():
    return sources.scowl_words(NAME_KINDS, EVERYDAY_SIZES)


# Beyond SCOWL's everyday sizes a theme word must be one WordNet's texts use or its
# glosses mention at least this often (TAPIR, GIBBON, TRACHEA), which leaves out the
# naturalist's and anatomist's names few players know (CANVASBACK, MENHADEN, HYOID).
MIN_GLOSS_MENTIONS = 2
GLOSS_TOKEN = re.compile(r"[a-z]+")


@functools.lru_cache(maxsize=None)
def _gloss_mentions(wordnet):
    counts = collections.Counter()
    for synset in wordnet.synsets.values():
        counts.update(set(GLOSS_TOKEN.findall(synset.gloss.lower())))
    return counts


def _familiar(wordnet, word):
    """True when a player is likely to know the theme word (see above)."""
    _, short = _theme_vocabulary()
    if word in short or word in _everyday_names():
        return True
    lower = word.lower()
    used = any(wordnet.tag_counts.get((lower, pos, rank), 0)
               for pos, offsets in wordnet.senses.get(lower, {}).items()
               for rank in range(1, len(offsets) + 1))
    return used or _gloss_mentions(wordnet)[lower] >= MIN_GLOSS_MENTIONS


# The body's and medicine's glosses name many parts and ailments only anatomists and
# doctors say (PAPILLA, CILIUM, RHOMBOID): these themes take a word beyond the
# everyday sizes only when its first noun sense is theirs.
SPECIALIST_THEMES = ("Human Body", "Health")


# Slang and informal senses stay out of the themes (YAP is no body part).
INFORMAL_GLOSS = re.compile(r"\b(?:slang|informal|colloquial)", re.IGNORECASE)


def _themed_definition(wordnet, lemma, themed, dictionary):
    """(synset, definition) of the first clean themed sense that may be shown, or
    None; a pinned sense goes first, a hand-written definition stands for the
    sense it is written for. The themed sense itself is checked, not only the
    word's main sense."""
    rules = sense_rules(wordnet)
    pinned = pins(dictionary).get(lemma)
    if pinned:
        themed = sorted(themed, key=lambda synset: pinned not in synset.gloss)
    for synset in themed:
        if (rules.is_blocked(synset) or rules.is_disfavoured(synset) or synset.targets(";u")
                or INFORMAL_GLOSS.search(synset.gloss)):
            continue  # coarse, slang or another marked usage
        if lemma in own_definitions(dictionary):
            return synset, own_definitions(dictionary)[lemma]
        kin = related(wordnet, lemma)
        for definition in definitions.definition_variants(synset.gloss, lemma, kin):
            if definitions.definition_problem(lemma, definition, excluded(), kin) is None:
                return synset, definition
    return None


def _theme_candidates(wordnet, in_theme, ambiguous_ok=False):
    """(lemma, noun senses, all senses) of every lower-case word a theme may take:
    allowed by the exclusions, not coarse, and a noun first. A word WordNet's texts
    use more as a verb still counts when its first noun sense, used in those texts,
    is the theme's (COOK); CLIMB's rare slope does not make it a landform."""
    longer, short = _theme_vocabulary()
    rules = sense_rules(wordnet)
    allowed = excluded().allows_themed if ambiguous_ok else excluded().allows_plain
    for lemma in sorted(longer):
        if (not EVERYDAY_WORD.fullmatch(lemma) or not allowed(lemma)
                or not unfit().allows_plain(lemma)):
            continue
        if len(lemma) <= SHORT_THEME_WORD and lemma not in short:
            continue
        if not _familiar(wordnet, lemma):
            continue
        senses = glosses.lower_case_senses(wordnet, lemma) if lemma in wordnet.senses else []
        nouns = [s for s in senses if s[0] == "n"]
        if not nouns or glosses.is_unsuitable(wordnet, lemma, nouns, rules):
            continue
        first_noun_used = wordnet.tag_counts.get((lemma, "n", nouns[0][1]), 0) > 0
        main = glosses.ranked_senses(wordnet, lemma, senses, rules)[0]
        if main[0] != "n" and not (first_noun_used and in_theme(nouns[0][2])):
            continue
        # Plurals and other forms of a listed word (EGGS, OXEN, SANG) leave it to the word.
        if morphology.inflected_base(wordnet, _exceptions(), lemma, main, longer):
            continue
        if len(lemma) <= SHORT_THEME_WORD and any(
                (pos, lemma) in _exceptions() for pos in ("n", "v", "a")):
            continue
        yield lemma, nouns, senses


# A thing's usual names come first among its synonyms; slang trails them (the
# buttocks are not BUNS, a hand is not a MITT).
USUAL_NAMES = 3


def _is_usual_name(lemma, synset):
    names = [word.lower() for word in synset.words]
    return lemma in names[:USUAL_NAMES]


def _specialist_sense(lemma, nouns, themed):
    """True when a word beyond the everyday sizes has a first noun sense other than
    the body's or medicine's (ASTER a flower first, DACTYL a metrical foot)."""
    return lemma not in _theme_vocabulary()[1] and nouns[0][2] is not themed


def _themed_senses(wordnet, lemma, nouns, in_theme, dictionary):
    """The word's main noun senses that are in the theme, or the pinned one. A
    short word must mean the theme first among its nouns: COG is a tooth of a wheel
    before it is an underling; so must a rarer word of the body or of health."""
    pinned = pins(dictionary).get(lemma)
    if pinned:
        return [synset for _, _, synset in nouns if pinned in synset.gloss and in_theme(synset)]
    themed = [synset for _, _, synset in nouns[:MAIN_SENSES]
              if in_theme(synset) and _is_usual_name(lemma, synset)]
    if themed and dictionary in SPECIALIST_THEMES and _specialist_sense(lemma, nouns, themed[0]):
        return []
    if themed and len(lemma) <= THEME_FIRST_WORD:
        ranked_nouns = glosses.ranked_senses(wordnet, lemma, nouns, sense_rules(wordnet))
        if ranked_nouns[0][2] is not themed[0]:
            return []
    return themed


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


def _lexfile_theme(wordnet, dictionary, lexname, attributes, kinds=(), unwanted=(),
                   ambiguous_ok=False):
    """Words one of whose two main noun senses is in the lexicographer file, a kind
    of one of the kinds (when given) and of none of the unwanted kinds (anchors).
    ambiguous_ok: the theme's sense is a clean everyday one (ASS the animal)."""
    wanted_keys = set(_anchor_keys(wordnet, kinds))
    unwanted_keys = set(_anchor_keys(wordnet, unwanted))

    def in_theme(synset):
        if synset.lexname != lexname:
            return False
        lineage = wordnet.ancestors(synset.key) | {synset.key}
        return (not wanted_keys or bool(lineage & wanted_keys)) and not lineage & unwanted_keys

    items = {}
    for lemma, nouns, senses in _theme_candidates(wordnet, in_theme, ambiguous_ok):
        if lemma in off_theme(dictionary):
            continue
        themed = _themed_senses(wordnet, lemma, nouns, in_theme, dictionary)
        found = _themed_definition(wordnet, lemma, themed, dictionary)
        if found is not None:
            synset, definition = found
            items[lemma.upper()] = (lemma.upper(), definition, attributes(wordnet, synset))
    return _sorted_items(items)


ANIMAL_KINDS = (("animal", "a living organism characterized by voluntary movement", ()),)
MICROBES = (("microorganism", "any organism of microscopic size", ()),)
HORMONES = (("hormone", "the secretion of an endocrine gland", ()),)
EMBRYOS = (("embryo", "an animal organism in the early stages of growth", ()),
           ("fetus", "an unborn or unhatched vertebrate", ()))
LIVESTOCK_FEED = (("feed", "food for domestic livestock", ()),)
# Diseases of plants and animals are not a player's health.
OTHER_DISEASES = (("plant_disease", "a disease that affects plants", ()),
                  ("animal_disease", "a disease that typically does not affect human beings", ()))
HAIRSTYLES = (("hairdo", "the arrangement of the hair", ()),
              ("haircut", "the style in which hair has been cut", ()))
BODY_KINDS = (
    ("body_part", "any part of an organism such as an organ or extremity", ()),
    ("body_covering", "any covering for the body or a body part", ()),
    ("liquid_body_substance", "the liquid parts of the body", ()),
)


def animals(wordnet):
    return _lexfile_theme(wordnet, "Animals", "noun.animal", _taxon_attributes, ANIMAL_KINDS,
                          MICROBES + EMBRYOS, ambiguous_ok=True)


def plants(wordnet):
    return _lexfile_theme(wordnet, "Plants", "noun.plant", _taxon_attributes,
                          ambiguous_ok=True)


def food(wordnet):
    return _lexfile_theme(wordnet, "Food", "noun.food", lambda wn, synset: ["Food"],
                          unwanted=LIVESTOCK_FEED, ambiguous_ok=True)


def body(wordnet):
    return _lexfile_theme(wordnet, "Human Body", "noun.body", lambda wn, synset: ["BodyPart"],
                          BODY_KINDS, HORMONES + HAIRSTYLES)


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
# Countries, capitals, continents and oceans count as known to players.
WELL_KNOWN_PLACES = {"Country", "Capital", "Continent", "OceanSea"}
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


# Where a name has several places, the best known comes first: a nation's capital or a
# country before a state, a city before a town (CAIRO is in Egypt before Illinois).
PLACE_PRIORITY = {"national_capital": 0, "country": 0, "continent": 0, "ocean": 0,
                  "sea": 1, "city": 1, "town": 4, "geological_formation": 5}
OTHER_PLACE_PRIORITY = 2


def _place_priority(wordnet, key, anchor_lemmas):
    reached = wordnet.ancestors(key) | {key}
    found = [PLACE_PRIORITY.get(lemma, OTHER_PLACE_PRIORITY)
             for anchor, lemma in anchor_lemmas.items() if anchor in reached]
    return min(found) if found else OTHER_PLACE_PRIORITY + 10


def _place_word_ok(wordnet, word, is_name):
    """A common word names a place only when it means that first (CLIMB is no landform)."""
    if not excluded().allows_themed(word):
        return False
    if is_name:
        return True
    _, short = _theme_vocabulary()
    if len(word) <= SHORT_THEME_WORD and word not in short:
        return False
    senses = glosses.lower_case_senses(wordnet, word)
    rules = sense_rules(wordnet)
    return bool(senses) and glosses.ranked_senses(wordnet, word, senses, rules)[0][0] == "n"


def _place_order(wordnet, synset, word, anchor_lemmas, rank):
    """How well known the place is under this name: a pinned place first, then a
    place whose first name the word is (JERSEY the island before New Jersey), then
    by kind (a capital or a country before a city), then the name's sense order."""
    pinned = pins("Geography").get(word.lower())
    return (bool(pinned) and pinned not in synset.gloss, synset.words[0] != word,
            _place_priority(wordnet, synset.key, anchor_lemmas), rank)


def geography(wordnet):
    """Places by name (France, Nile, Andes) and kinds of place (fjord, canyon)."""
    common, _ = _theme_vocabulary()
    names = sources.scowl_words(NAME_KINDS, THEMED_SIZES)
    anchors = _anchor_keys(wordnet, GEOGRAPHY_ANCHORS)
    anchor_lemmas = {key: lemma for key, lemma in
                     zip(anchors, (anchor[0] for anchor in GEOGRAPHY_ANCHORS))}
    rules = sense_rules(wordnet)
    best = {}
    for (pos, offset) in sorted(wordnet.synsets):
        synset = wordnet.synsets[(pos, offset)]
        if pos != "n" or synset.lexname not in ("noun.location", "noun.object"):
            continue
        attributes = _anchored_attributes(wordnet, (pos, offset), anchors, GEOGRAPHY_FALLBACK)
        if (not attributes or rules.is_blocked(synset) or rules.is_disfavoured(synset)
                or OFF_EARTH.search(synset.gloss)):
            continue
        # A place's usual names come first; EDO and ANGORA are old names of capitals.
        for word in synset.words[:USUAL_NAMES - 1]:
            if word.lower() in off_theme("Geography") or not unfit().allows_plain(word):
                continue
            is_name = bool(NAME_WORD.fullmatch(word)) and word in names
            is_common = bool(EVERYDAY_WORD.fullmatch(word)) and word in common
            if not (is_name or is_common) or not _place_word_ok(wordnet, word, is_name):
                continue
            if not (_familiar(wordnet, word) or set(attributes) & WELL_KNOWN_PLACES):
                continue
            kin = related(wordnet, word)
            # A hand-written definition stands for the place the name means.
            definition = own_definitions("Geography").get(word.lower()) or next(
                (text for text in definitions.definition_variants(synset.gloss, word, kin)
                 if definitions.definition_problem(word, text, excluded(), kin) is None), None)
            if definition is None:
                continue
            # A rare place sense of a common name (Union) does not count.
            rank = wordnet.senses[word.lower()]["n"].index(offset)
            if rank >= MAIN_SENSES and not is_name:
                continue
            order = _place_order(wordnet, synset, word, anchor_lemmas, rank)
            if is_name and rank >= MAIN_SENSES and order[2] > 1 and order[0]:
                continue  # a minor place among a name's later senses, unless pinned
            item = (word.upper(), definition, attributes)
            if word.upper() not in best or order < best[word.upper()][0]:
                best[word.upper()] = (order, item)
    return [best[word][1] for word in sorted(best)]


# --- themes of kinds of thing ------------------------------------------------------

OCCUPATION_ANCHORS = (
    ("worker", "a person who works at a specific occupation", ["Occupation"]),
    ("professional", "a person engaged in one of the learned professions", ["Occupation"]),
    ("artist", "a person whose creative work shows sensitivity", ["Occupation", "Artist"]),
    ("musician", "someone who plays a musical instrument", ["Occupation", "Musician"]),
    ("musician", "artist who composes or conducts music", ["Occupation", "Musician"]),
    ("cleric", "a clergyman or other person in religious orders", ["Occupation"]),
    ("religious", "a member of a religious order", ["Occupation"]),
    ("serviceman", "someone who serves in the armed forces", ["Occupation"]),
    ("athlete", "a person trained to compete in sports", ["Occupation"]),
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


def _anchored_theme(wordnet, dictionary, anchors, unwanted=()):
    """Common words one of whose two main noun senses is a kind of an anchor, and
    of none of the unwanted kinds."""
    keyed = _anchor_keys(wordnet, anchors)
    unwanted_keys = set(_anchor_keys(wordnet, unwanted))

    def in_theme(synset):
        if unwanted_keys & (wordnet.ancestors(synset.key) | {synset.key}):
            return False
        return bool(_anchored_attributes(wordnet, synset.key, keyed))

    items = {}
    for lemma, nouns, senses in _theme_candidates(wordnet, in_theme):
        if lemma in off_theme(dictionary):
            continue
        themed = _themed_senses(wordnet, lemma, nouns, in_theme, dictionary)
        found = _themed_definition(wordnet, lemma, themed, dictionary)
        if found is not None:
            synset, definition = found
            items[lemma.upper()] = (lemma.upper(), definition,
                                    _anchored_attributes(wordnet, synset.key, keyed))
    return _sorted_items(items)


def occupations(wordnet):
    return _anchored_theme(wordnet, "Occupations", OCCUPATION_ANCHORS)


def health(wordnet):
    return _anchored_theme(wordnet, "Health", HEALTH_ANCHORS, OTHER_DISEASES)


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
    common SCOWL word (plurals and verb forms too), leaving out the excluded words,
    the words whose senses are coarse, sexual or the like, and their inflections."""
    common = sources.scowl_words(WORD_KINDS, COMMON_SIZES)
    rules = sense_rules(wordnet)

    def senses(lemma):
        return glosses.lower_case_senses(wordnet, lemma) if lemma in wordnet.senses else []

    def unsuitable(lemma):
        if not excluded().allows_plain(lemma):
            return True
        found = senses(lemma)
        return bool(found) and glosses.is_unsuitable(wordnet, lemma, found, rules)

    def bases(word):
        found = set()
        for pos in ("n", "v", "a"):
            found |= morphology.bases(wordnet, _exceptions(), word, pos)
        return found | {word[:-len(end)] for end in INFLECTIONS if word.endswith(end)}

    lists = {3: [], 4: [], 5: []}
    for word in sorted(common):
        if not re.fullmatch(r"[a-z]{3,5}", word) or unsuitable(word):
            continue
        # A word WordNet does not define is judged by the words it may inflect;
        # one it defines (SPICY) stands on its own senses.
        if not senses(word) and any(unsuitable(base) for base in bases(word)):
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
