"""Turning a WordNet gloss into a short definition a player may be shown."""

import os
import re

MAX_DEFINITION = 120
MIN_CLAUSE = 10  # shortest text worth keeping on its own when cutting
MIN_CUT_WORDS = 4

# Endings taken off before two words are compared, longest first.
STEM_ENDINGS = ("ations", "ation", "ments", "ment", "ities", "ness", "ings", "ical", "ists",
                "able", "ible", "less", "ing", "ies", "ers", "est", "ism", "ist", "ity", "ful",
                "ous", "ive", "ed", "es", "er", "ly", "al", "ic", "s", "y", "e")
# What may follow a shared stem in either word for the two to be one family
# (CURD-S and CURD-LE, DRAW-N and DRAW, HAPP-Y and HAPP-INESS).
FAMILY_ENDINGS = frozenset(STEM_ENDINGS + (
    "", "n", "en", "d", "r", "le", "led", "les", "ling", "ion", "ions", "ure", "ures", "ance",
    "ances", "ice", "ence", "ences", "ant", "ants", "ent", "ents", "ery", "ry", "ish", "ize", "ise",
    "ized", "age", "ee", "or", "ors", "ate", "ated", "ates", "ating", "ator", "ative", "iness",
    "ily", "ier", "iest", "ied", "ying", "ious", "ian", "ians", "ship", "hood", "dom", "ward",
    "wards", "like", "some", "ary", "th", "ty", "let", "lets", "ette", "in", "ine", "ual",
    "ually", "ally", "edly", "ingly", "fully", "ster", "ess", "isms", "ics", "ically", "ial",
    "o", "a", "i", "c", "us", "um", "ae"))
FAMILY_STEM = 4
GLOSS_WORD = re.compile(r"[a-z]+")


def stem(word):
    for ending in STEM_ENDINGS:
        if word.endswith(ending) and len(word) - len(ending) >= 3:
            return word[:-len(ending)]
    return word


def _common_prefix(a, b):
    n = 0
    while n < min(len(a), len(b)) and a[n] == b[n]:
        n += 1
    return n


# Prefixes that make a new word of the same family (UNPROVOKED, DISORDER).
FAMILY_PREFIXES = ("un", "in", "im", "dis", "non", "re", "mis", "over", "under")
# Parts this short count in a compound only when the rest is as long (GUN-MAN, TEA-CUP).
SHORT_PART = 3


def _ending(rest, stem_end):
    """True when rest is an ending, also after a doubled last letter (CRAG-GY)."""
    return rest in FAMILY_ENDINGS or (rest[:1] == stem_end and rest[1:] in FAMILY_ENDINGS)


# A stem ending in F voices it before some endings (GRIEF and GRIEVE, BELIEF and
# BELIEVED, HALF and HALVES); the two count as one stem.
VOICED_F = re.compile(r"(?:ve|ves|ved|ving)$")


def _same_family(a, b):
    """True when both words are one stem of at least four letters with an ending:
    CURDS and CURDLE, DRAWN and DRAW, HAPPY and HAPPINESS, CRAGS and CRAGGY, or are
    so once a prefix is taken off (UNPROVOKED and PROVOKE), once a voiced F is
    unvoiced (GRIEVE and GRIEF), or once a final Y turns I before an ending (ENVY and
    ENVIABLE)."""
    if VOICED_F.search(a) or VOICED_F.search(b):
        unvoiced_a, unvoiced_b = VOICED_F.sub("f", a), VOICED_F.sub("f", b)
        if (unvoiced_a, unvoiced_b) != (a, b) and _related_stems(unvoiced_a, unvoiced_b):
            return True
    for x, y in ((a, b), (b, a)):
        if x.endswith("y") and len(y) > len(x) and _related_stems(x[:-1] + "i", y):
            return True
    return _related_stems(a, b)


def _related_stems(a, b):
    for x, y in ((a, b), (b, a)):
        for prefix in FAMILY_PREFIXES:
            if x.startswith(prefix) and len(x) - len(prefix) >= FAMILY_STEM + 1:
                if _related_stems(x[len(prefix):], y):
                    return True
    shared = _common_prefix(a, b)
    last = a[shared - 1:shared]
    return shared >= FAMILY_STEM and _ending(a[shared:], last) and _ending(b[shared:], last)


def _compound_part(word, part):
    """True when the part starts or ends the word and the rest is a part as long (TEACUP
    and TEA, GUNMAN and MAN); longer parts always count (HOMEOWNER and HOME)."""
    if len(part) > SHORT_PART:
        return word.startswith(part) or word.endswith(part)
    if len(part) < SHORT_PART or len(word) - len(part) < SHORT_PART:
        return False
    return word.startswith(part) or word.endswith(part)


# A relative this long gives the word away at the end of another compound too
# (PENKNIFE "pocketknife", CYCLIST "bicycle"); shorter ones would find LAND in
# ISLAND and TEEN in THIRTEEN.
ENDING_PART = 5
# The endings a three-letter relative may take in a definition: more would find MAN
# in MANY and MANUAL or MEN in MEND.
SHORT_RELATIVE_ENDINGS = frozenset((
    "s", "es", "ed", "ing", "er", "ers", "ish", "hood", "ly", "like", "less", "ful",
    "ship", "dom", "ness"))


def _relative_with_ending(token, relative):
    """True when the token is the relative with an ending (TOMBOY's part BOY in
    BOYISH)."""
    if not token.startswith(relative) or token == relative:
        return False
    rest = token[len(relative):]
    if len(relative) <= SHORT_PART:
        return (rest in SHORT_RELATIVE_ENDINGS
                or (rest[:1] == relative[-1] and rest[1:] in SHORT_RELATIVE_ENDINGS))
    return _ending(rest, relative[-1])


def _holds_relative(token, related):
    """True when the token is one of the word's relatives or a form of one."""
    for r in related:
        if len(r) < SHORT_PART:
            continue
        if token == r or _relative_with_ending(token, r):
            return True
        if (len(r) >= ENDING_PART and token.endswith(r)
                and len(token) - len(r) > SHORT_PART):
            return True  # another compound ending in it (PENKNIFE "pocketknife")
        # A short relative's stem would find MAN in MANY.
        if len(r) > SHORT_PART and (stem(token) == stem(r) or _same_family(token, r)):
            return True
    return False


# Prefixes taken off a word before its root is compared in another shape (INCAPABLE
# and CAPACITY, UNSIGNED and SIGNATURE, DEODORIZE and ODOR).
NEGATING_PREFIXES = ("un", "in", "im", "il", "ir", "non", "dis", "mis", "re", "de")
# Two words share a root in another shape when their first ROOT_LETTERS or more
# letters agree and make up at least ROOT_SHARE of the shorter (RELIABLE and
# RELIANCE, LAUGHTER and LAUGHING, MESSENGER and MESSAGE).
ROOT_LETTERS = 4
ROOT_SHARE = 0.55
# Beginnings that are prefixes of their own share no root (INTEREST "international").
PREFIX_BEGINNINGS = frozenset(("inter", "intra", "trans", "super", "under", "over", "counter",
                               "micro", "multi", "semi", "anti", "auto", "tele", "para",
                               "post", "fore", "self", "extra", "ultra", "hyper", "circum"))


def _cores(word):
    found = [word]
    for prefix in NEGATING_PREFIXES:
        if word.startswith(prefix) and len(word) - len(prefix) >= ROOT_LETTERS:
            found.append(word[len(prefix):])
    return found


def shares_root(token, word):
    """True when a definition's token begins with the word's root, also once a prefix
    is taken off the word: RELIABLE "reliance", INCAPABLE "capacity", DOORSTEP
    "doorway". The token keeps its prefix (TERRACE is not in "interrupting")."""
    for core in _cores(word):
        shared = _common_prefix(token, core)
        if token[:shared] in PREFIX_BEGINNINGS:
            continue
        if shared >= ROOT_LETTERS and shared >= ROOT_SHARE * min(len(token), len(core)):
            return True
    return False


def _plural_part(word, part):
    """True when the part, found in the plural, is a part of the compound word; a short
    one only beside a longer rest (ANTHILL "ants", not CARPET "cars")."""
    if len(part) > SHORT_PART:
        return _compound_part(word, part)
    return len(word) - len(part) > SHORT_PART and _compound_part(word, part)


def gives_away(word, definition, related=()):
    """True when the definition holds the word, a form of it, a stem of four or more
    letters it shares with the word, or a part of it: HOMEOWNER "someone who owns a
    home", GOVERNMENT "the governing body", CURDLE "turn into curds", WAKE "be awake".
    related: the word's irregular forms and derived words (STING stung, GRIEVE grief),
    which count as forms of it."""
    w = word.lower()
    for t in GLOSS_WORD.findall(definition.lower()):
        if len(t) < 3:
            continue
        if _holds_relative(t, related):
            return True
        if t == w or stem(t) == stem(w) or (len(w) >= 4 and w in t):
            return True
        if _compound_part(w, t) or (len(t) >= 5 and t in w):
            return True  # a part of a compound, or the word it is made from
        if t.endswith("s") and _plural_part(w, t[:-1]):
            return True  # a part in the plural (PICKPOCKET "the pockets of others")
        if _same_family(t, w) or (len(t) >= ROOT_LETTERS and shares_root(t, w)):
            return True
        shared = _common_prefix(t, w)
        if shared >= 6 or (shared >= 5 and shared >= min(len(t), len(w)) - 2):
            return True
    return False


def definition_problem(word, definition, exclusions=None, related=()):
    """Why a definition cannot be shown for the word, or None when it can; related
    as for gives_away."""
    if len(definition.split()) < 2:
        return "one word"
    if '"' in definition:
        return "a quotation"
    if definition.endswith("..."):
        return "cut off"
    if gives_away(word, definition, related):
        return "gives the word away"
    if exclusions is not None and exclusions.mentions_banned(definition):
        return "an excluded word"
    return None



# A shown definition ends on a whole thought: never on a word that wants more after it
# ("...covered by", "a female domestic", "as though"), a comma or an open bracket.
# Words of a specialist that a player should never need to read a definition; a
# definition in plain words says what the thing is as a parent would.
SPECIALIST_TERMS_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                     "specialist_terms.txt")
NUMBER_WORDS = {"one": 1, "two": 2, "three": 3, "four": 4, "five": 5, "six": 6, "seven": 7,
                "eight": 8, "nine": 9, "ten": 10, "eleven": 11, "twelve": 12,
                "thirteen": 13, "fourteen": 14, "fifteen": 15, "sixteen": 16,
                "seventeen": 17, "eighteen": 18, "nineteen": 19, "twenty": 20, "thirty": 30,
                "forty": 40, "fifty": 50, "sixty": 60, "seventy": 70, "eighty": 80,
                "ninety": 90, "hundred": 100, "thousand": 1000, "million": 1000000,
                "billion": 1000000000, "dozen": 12, "first": 1, "second": 2, "third": 3,
                "fourth": 4, "fifth": 5, "sixth": 6, "seventh": 7, "eighth": 8, "ninth": 9,
                "tenth": 10, "twelfth": 12, "twentieth": 20, "hundredth": 100}
DIGITS = re.compile(r"\d[\d,]*")

PARENTHESIS = re.compile(r" ?\([^()]*\)")
# Where a definition may end early: before a relative or participle clause.
CLAUSE_START = re.compile(r",? (?:that|which|who|whose|where|when|used|especially|"
                          r"usually|often) ")
# Where a definition too long to keep whole may end: a clause, then a phrase.
PHRASE_START = re.compile(r" (?:as|in|with|for|from|by|on|of|at|into|to) ")
# Before a word that gives the word away a phrase may end too, but not before "of":
# "having the characteristics" wants what it has.
GIVEAWAY_PHRASE_START = re.compile(r" (?:as|in|with|for|from|by|on|at|into|to) ")
# A cut definition must not end in a word that needs more after it.
DANGLING = {"a", "an", "the", "of", "to", "and", "or", "is", "are", "be", "can", "that", "in",
            "on", "by", "for", "with", "from", "as", "its", "their", "has", "have", "was",
            "his", "her", "your", "not", "very", "more", "most", "than", "such", "any", "some",
            "up", "both", "used", "if", "through", "either", "been", "being", "so", "too",
            "quite", "rather", "equal", "similar", "due", "prior", "according", "belonging",
            "able", "unable", "likely", "unlikely", "liable", "capable", "adjacent"}


def _balanced(text):
    return text.count("(") == text.count(")")


def _fair_cut(text):
    """True when a cut text stands on its own: long enough, no open parenthesis,
    not ending in a word that needs more."""
    words = text.split()
    return (len(text) >= MIN_CLAUSE and len(words) >= MIN_CUT_WORDS and _balanced(text)
            and words[-1].lower().strip(",;:") not in DANGLING)


# Participles that do not end in -ed (a spider "once thought", to be what?).
IRREGULAR_PARTICIPLES = {"thought", "known", "made", "done", "seen", "held", "found", "given",
                         "taken", "said", "kept", "built", "brought", "sold", "told", "shown",
                         "worn", "grown", "drawn", "written", "born", "borne", "meant", "set",
                         "put", "led", "felt", "heard", "left", "sent", "spent", "been"}


def _wants_more(cut):
    """True when a cut ends in a word that asks for what followed it: "the process of
    taking" (what?), "of or relating to or caused" (by what?), "amount to or come",
    "a spider once thought"."""
    words = cut.lower().split()
    return (words[-1].endswith(("ing", "ed")) or words[-1] in IRREGULAR_PARTICIPLES
            or (len(words) >= 2 and words[-2] in ("or", "and")))


# Words a cut may not end on once a participle is taken off ("a spider once").
TRAILING_ADVERBS = {"once", "usually", "often", "especially", "sometimes", "typically",
                    "commonly", "formerly", "originally", "generally", "chiefly", "mainly"}


def _adverb(word):
    """True for the adverbs that may lean on a participle ("widely grown"); nouns and
    adjectives in -ly (JELLY, FAMILY, ASSEMBLY, BUTTERFLY) are none."""
    return word in TRAILING_ADVERBS or (
        word.endswith("ly") and len(word) >= 6
        and not word.endswith(("ily", "lly", "bly", "fly", "ply", "aly", "oly")))


def _without_participle(cut):
    """The cut without a last participle and the adverbs before it, when what is left
    stands on its own: "a hard brittle candy made" gives "a hard brittle candy"."""
    words = cut.split()
    if not words or not (words[-1].lower().endswith("ed")
                         or words[-1].lower() in IRREGULAR_PARTICIPLES):
        return cut
    words.pop()
    while words and _adverb(words[-1].lower()):
        words.pop()
    shorter = " ".join(words).rstrip(" ,;:")
    return shorter if _fair_cut(shorter) and not _wants_more(shorter) else cut


def _without_stub(cut):
    """The cut without a last clause too short to stand ("...the peace; someone")."""
    head, _, last = cut.rpartition("; ")
    return head if head and len(last.split()) < MIN_CUT_WORDS else cut


def _before_giveaway(definition, word, related):
    """The definition cut at the last clause start before the first word that
    gives the word away (ROSE "any of many shrubs of the genus Rosa"), or None."""
    for match in GLOSS_WORD.finditer(definition.lower()):
        if gives_away(word, match.group(), related):
            head = definition[:match.start()]
            starts = sorted({m.start() for m in CLAUSE_START.finditer(head)}
                            | {m.start() for m in GIVEAWAY_PHRASE_START.finditer(head)})
            if not starts:
                return None
            for start in reversed(starts):
                cut = _without_participle(_without_stub(head[:start].rstrip(" ,;:(")))
                if _fair_cut(cut) and not _wants_more(cut):
                    return cut
            return None
    return None


LEANING_STARTS = {"often", "usually", "used", "especially", "sometimes", "also", "as", "esp",
                  "e", "and", "or", "but", "not", "its", "their", "in", "of", "with", "for"}


def _clauses_without_giveaway(definition, word, related):
    """The clauses of the definition that do not give the word away, when the first
    one does (DESTROY "destroy completely; damage irreparably"), or None."""
    clauses = definition.split("; ")
    kept = [clause for clause in clauses if not gives_away(word, clause, related)]
    if len(kept) == len(clauses) or not kept:
        return None
    text = "; ".join(kept)
    # What follows a first clause often leans on it ("often farmed", "equipped with").
    first = text.split()[0].lower()
    if (len(text.split()) < 2 or not _balanced(text) or first.endswith(("ed", "ly"))
            or first in LEANING_STARTS):
        return None
    return text


def definition_variants(gloss, word="", related=()):
    """The definition of a gloss, then shorter forms of it to fall back on when the
    whole gives the word away in an aside: without its parentheses, its first
    clause alone (CAT "feline mammal usually having thick soft fur and no ability
    to roar"), or cut before the giveaway. A gloss too long to keep whole is cut at
    a clause boundary, never with an ellipsis; one that cannot be is no variant."""
    full = short_definition(gloss)
    bare = short_definition(PARENTHESIS.sub("", gloss.split('; "')[0]))
    first = short_definition(re.split(r"; |: ", bare)[0]) if bare else None
    candidates = [full, bare, first]
    if word:
        candidates += [_before_giveaway(text, word, related)
                       for text in (full, bare, first) if text]
        candidates.append(_clauses_without_giveaway(bare, word, related) if bare else None)
    variants = [full] if full else []
    for variant in candidates:
        if variant and variant not in variants and len(variant) >= MIN_CLAUSE:
            variants.append(variant)
    return variants


def _clause_cut(text, limit):
    """The longest start of text, at most limit characters, that ends at a clause
    boundary (a semicolon, a comma, an aside, a relative clause) and stands on its own,
    else the longest that ends before a phrase; None when there is none."""
    ends = {m.start() for m in re.finditer(r"[;,:] | \(", text)}
    ends |= {m.start() for m in CLAUSE_START.finditer(text)}
    for boundaries in (ends, {m.start() for m in PHRASE_START.finditer(text)}):
        for end in sorted((e for e in boundaries if e <= limit), reverse=True):
            cut = text[:end].rstrip(" ,;:(-")
            if _fair_cut(cut):
                return cut
    return None


def short_definition(gloss, limit=MAX_DEFINITION):
    """The gloss without its quoted examples, in plain ASCII, of at most limit
    characters: whole, or cut at a clause boundary; None when no cut stands on
    its own (the caller then takes another sense)."""
    text = gloss.split('; "')[0]
    # A leading label such as "(usually informal)" says nothing about the meaning.
    label = re.match(r"\([^()]*\) ", text)
    if label and len(text) - label.end() >= MIN_CLAUSE:
        text = text[label.end():]
    text = text.replace("`", "'").strip().rstrip(";:, ")
    text = text.encode("ascii", "replace").decode("ascii")
    if len(text) <= limit:
        return text
    return _clause_cut(text, limit)


# Words that want what follows them, so a definition never ends on one: articles,
# conjunctions, the prepositions that introduce a phrase, possessives and quantifiers.
# Particles that may close a sentence (on, in, up, about) are not among them.
CUT_ENDINGS = frozenset({
    "a", "an", "the", "and", "or", "but", "nor", "of", "to", "with", "for", "from", "by",
    "as", "than", "into", "onto", "upon", "between", "among", "its", "their", "his", "her",
    "my", "our", "your", "whose", "such", "very", "some", "each",
    "every", "including", "especially", "usually", "often", "typically", "mainly", "e", "g",
    "etc"})
LAST_TOKEN = re.compile(r"[a-z0-9]+")
CUT_PHRASES = ("as though", "such as", "as if", "rather than", "as well as", "and so on")


def is_cut_off(definition):
    """True when a definition stops before its thought ends: a trailing function word
    or comma, half a bracket, or a phrase that wants what follows."""
    text = definition.strip()
    if not text or text[-1] in ",;:-(" or not _balanced(text) or text.endswith("..."):
        return True
    lower = text.lower().rstrip(".!?")
    words = LAST_TOKEN.findall(lower)
    if not words or words[-1] in CUT_ENDINGS:
        return True
    return lower.endswith(CUT_PHRASES)


def _read_terms(path):
    terms = set()
    with open(path, encoding="ascii") as handle:
        for line in handle:
            line = line.split("#", 1)[0]
            terms.update(word for word in line.split())
    return frozenset(terms)


_SPECIALIST_TERMS = None


def specialist_terms():
    global _SPECIALIST_TERMS
    if _SPECIALIST_TERMS is None:
        _SPECIALIST_TERMS = _read_terms(SPECIALIST_TERMS_PATH)
    return _SPECIALIST_TERMS


def specialist_term(definition, terms=None):
    """The first specialist's word the definition uses (genus, ungulate), or None."""
    terms = specialist_terms() if terms is None else terms
    return next((t for t in GLOSS_WORD.findall(definition.lower()) if t in terms), None)


def names_its_number(word, definition):
    """True when a number word is defined by its own figure (TWENTY "20 items")."""
    lower = word.lower()
    value = NUMBER_WORDS.get(lower)
    if value is None:
        return False
    return any(int(figure.replace(",", "")) == value for figure in DIGITS.findall(definition))


def shown_definition_problem(word, definition, exclusions=None, related=(), terms=None):
    """Why a definition may not ship with a hidden word, or None: every rule of
    definition_problem, and neither cut off, nor a specialist's word, nor a number
    word's own figure."""
    problem = definition_problem(word, definition, exclusions, related)
    if problem:
        return problem
    if is_cut_off(definition):
        return "cut off"
    term = specialist_term(definition, terms)
    if term:
        return f"a specialist's word ({term})"
    if names_its_number(word, definition):
        return "gives the word away (its figure)"
    return None


def is_gloss_cut(definition, gloss):
    """True when the definition is a gloss cut short mid-phrase: the gloss's opening
    words, ending where the gloss goes on within its clause (not at a semicolon or
    before an example)."""
    text, full = definition.strip().lower(), gloss.strip().lower()
    if not full.startswith(text) or len(full) == len(text):
        return False
    rest = full[len(text):]
    if rest[0].isalpha():
        return False  # a different word that begins alike
    return not rest.lstrip().startswith((";", ":", ",", '"', "("))
