"""Choosing a word's sense in WordNet and turning its gloss into a short definition."""

import re

MAX_DEFINITION = 120
MIN_CLAUSE = 15  # shortest text worth keeping on its own when cutting
PART_OF_SPEECH_ORDER = ("n", "v", "a", "r")

# Usage-domain synsets that mark a sense as coarse or insulting, found by lemma so
# the list does not depend on WordNet's file offsets.
BLOCKED_USAGE_LEMMAS = ("ethnic_slur", "obscenity", "disparagement", "profanity")
BLOCKED_GLOSS = re.compile(
    r"obscen|vulgar|offensive (?:term|name|word|slang)|ethnic slur|"
    r"(?:derogatory|disparaging|contemptuous) (?:term|name)",
    re.IGNORECASE)


def blocked_usage_keys(wordnet):
    keys = set()
    for lemma in BLOCKED_USAGE_LEMMAS:
        keys.update(wordnet.lemma_keys(lemma, "n"))
    return keys


def lower_case_senses(wordnet, lemma, parts=PART_OF_SPEECH_ORDER):
    """Senses in which the lemma is written in lower case: (pos, rank, synset)."""
    found = []
    for pos in parts:
        for rank, offset in enumerate(wordnet.senses.get(lemma, {}).get(pos, []), 1):
            synset = wordnet.synset((pos, offset))
            if lemma in synset.words:
                found.append((pos, rank, synset))
    return found


def is_coarse(synset, blocked_keys):
    if any(target in blocked_keys for target in synset.targets(";u")):
        return True
    return bool(BLOCKED_GLOSS.search(synset.gloss))


def is_unsuitable(wordnet, lemma, senses, blocked_keys):
    """True when the word's main sense, or half of its senses or more, are
    coarse or insulting; a rare coarse sense does not ban a plain word."""
    coarse = sum(1 for _, _, synset in senses if is_coarse(synset, blocked_keys))
    main = best_sense(wordnet, lemma, senses)
    return is_coarse(main, blocked_keys) or 2 * coarse >= len(senses)


# A noun whose first sense is a thing one can point at is what a player means by the
# word, even where WordNet's texts tag the verb more often (BEAR, BAT, WATCH).
CONCRETE_NOUN_FILES = ("noun.animal", "noun.plant", "noun.food", "noun.artifact",
                       "noun.body", "noun.object", "noun.substance")
# Natural objects and substances are nouns by their counts already; letting them
# put the nouns first would make DRAW a gully.
NOUN_FIRST_FILES = ("noun.animal", "noun.plant", "noun.food", "noun.artifact", "noun.body")


def _prefers_nouns(wordnet, lemma, senses):
    """True when the first noun sense is a thing and WordNet's texts use it, or use
    no sense at all (AIL stays a verb: its garlic is never used)."""
    nouns = [(rank, synset) for pos, rank, synset in senses if pos == "n"]
    if not nouns or nouns[0][1].lexname not in NOUN_FIRST_FILES:
        return False
    used = [wordnet.tag_counts.get((lemma, pos, rank), 0) for pos, rank, _ in senses]
    return wordnet.tag_counts.get((lemma, "n", nouns[0][0]), 0) > 0 or not any(used)


# Words whose WordNet counts and order favour a sense few players think of first:
# the word and the start of the sense it should get.
PREFERRED_SENSES = {
    "abacus": "a calculator",
    "kite": "plaything",
    "table": "a piece of furniture having",
    "crane": "lifts and moves",
    "salt": "white crystalline",
    "bank": "a financial institution",
}


def ranked_senses(wordnet, lemma, senses):
    """The senses in the order a player would think of them. A concrete first noun
    sense puts the nouns first; then the sense used most often in WordNet's tagged
    texts. Among equals an untagged plant gives way (CHESS the game before the
    grass), and where the word names a thing an abstract sense gives way (TIGER the
    cat before the fierce person); then the part of speech with more senses wins
    (AIL is a verb before it is garlic), then the sense with more kinds of it (HAMMER
    the tool before the part of a gun), then the earlier sense, then nouns before
    verbs, adjectives and adverbs. A preferred sense (above) comes before all."""
    nouns_first = _prefers_nouns(wordnet, lemma, senses)
    has_concrete = any(pos == "n" and synset.lexname in CONCRETE_NOUN_FILES
                       for pos, _, synset in senses)

    def rank_key(sense):
        pos, rank, synset = sense
        count = wordnet.tag_counts.get((lemma, pos, rank), 0)
        polysemy = len(wordnet.senses[lemma][pos])
        preferred = PREFERRED_SENSES.get(lemma)
        return (bool(preferred) and not synset.gloss.startswith(preferred),
                nouns_first and pos != "n", -count,
                count == 0 and synset.lexname == "noun.plant",
                has_concrete and synset.lexname not in CONCRETE_NOUN_FILES,
                -polysemy, -len(synset.targets("~")), rank, PART_OF_SPEECH_ORDER.index(pos))

    return sorted(senses, key=rank_key)


def best_sense(wordnet, lemma, senses):
    return ranked_senses(wordnet, lemma, senses)[0][2]


# --- what a definition may say ------------------------------------------------------

# Endings taken off before two words are compared, longest first.
STEM_ENDINGS = ("ations", "ation", "ments", "ment", "ities", "ness", "ings", "ical", "ists",
                "able", "ible", "less", "ing", "ies", "ers", "est", "ism", "ist", "ity", "ful",
                "ous", "ive", "ed", "es", "er", "ly", "al", "ic", "s", "y", "e")
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


def gives_away(word, definition):
    """True when the definition holds the word, its stem or a part of it:
    HOMEOWNER "someone who owns a home", GOVERNMENT "the governing body"."""
    w = word.lower()
    for t in GLOSS_WORD.findall(definition.lower()):
        if len(t) < 3:
            continue
        if t == w or stem(t) == stem(w) or (len(w) >= 4 and t.startswith(w)):
            return True
        if len(t) >= 4 and (w.startswith(t) or w.endswith(t)):
            return True  # a part of a compound
        shared = _common_prefix(t, w)
        if shared >= 6 or (shared >= 5 and shared >= min(len(t), len(w)) - 2):
            return True
    return False


def definition_problem(word, definition, exclusions=None):
    """Why a definition cannot be shown for the word, or None when it can."""
    if len(definition.split()) < 2:
        return "one word"
    if '"' in definition:
        return "a quotation"
    if gives_away(word, definition):
        return "gives the word away"
    if exclusions is not None and exclusions.mentions_banned(definition):
        return "an excluded word"
    return None


def choose_definition(wordnet, lemma, senses, blocked_keys, exclusions=None):
    """(synset, definition) of the first sense, in ranked order, that is clean and
    whose definition may be shown; None when no sense qualifies. When the main
    sense is one WordNet's texts use, only used senses may stand in for it: CAT
    is left out rather than defined as a shrub's leaves."""
    ranked = ranked_senses(wordnet, lemma, senses)
    main_used = wordnet.tag_counts.get((lemma, ranked[0][0], ranked[0][1]), 0) > 0
    for index, (pos, rank, synset) in enumerate(ranked):
        if index and main_used and not wordnet.tag_counts.get((lemma, pos, rank), 0):
            break
        if is_coarse(synset, blocked_keys):
            continue
        for definition in definition_variants(synset.gloss, lemma):
            if definition_problem(lemma, definition, exclusions) is None:
                return synset, definition
    return None


PARENTHESIS = re.compile(r" ?\([^()]*\)")
# Where a definition may end early: before a relative or participle clause.
CLAUSE_START = re.compile(r",? (?:that|which|who|whose|where|when|used|especially|"
                          r"usually|often) ")
MIN_CUT_WORDS = 4
# A cut definition must not end in a word that needs more after it.
DANGLING = {"a", "an", "the", "of", "to", "and", "or", "is", "are", "be", "can", "that", "in",
            "on", "by", "for", "with", "from", "as", "its", "their", "has", "have", "was"}


def _before_giveaway(definition, word):
    """The definition cut at the last clause start before the first word that
    gives the word away (ROSE "any of many shrubs of the genus Rosa"), or None."""
    for match in GLOSS_WORD.finditer(definition.lower()):
        if gives_away(word, match.group()):
            head = definition[:match.start()]
            starts = [m.start() for m in CLAUSE_START.finditer(head)]
            if not starts:
                return None
            cut = head[:starts[-1]].rstrip(" ,;:(")
            words = cut.split()
            if (len(cut) < MIN_CLAUSE or len(words) < MIN_CUT_WORDS or not _balanced(cut)
                    or words[-1].lower() in DANGLING):
                return None
            return cut
    return None


def definition_variants(gloss, word=""):
    """The definition of a gloss, then shorter forms of it to fall back on when the
    whole gives the word away in an aside: without its parentheses, its first
    clause alone (CAT "feline mammal usually having thick soft fur and no ability
    to roar"), or cut before the giveaway."""
    full = short_definition(gloss)
    variants = [full]
    bare = short_definition(PARENTHESIS.sub("", gloss.split('; "')[0]))
    first = short_definition(re.split(r"; |: ", bare)[0])
    candidates = [bare, first]
    if word:
        candidates += [_before_giveaway(text, word) for text in (full, bare, first)]
    for variant in candidates:
        if variant and variant not in variants and len(variant) >= MIN_CLAUSE:
            variants.append(variant)
    return variants


def _balanced(text):
    return text.count("(") == text.count(")")


def short_definition(gloss, limit=MAX_DEFINITION):
    """The gloss without its quoted examples, cut to at most limit characters
    at a clause or word boundary, in plain ASCII."""
    text = gloss.split('; "')[0]
    # A leading label such as "(usually informal)" says nothing about the meaning.
    label = re.match(r"\([^()]*\) ", text)
    if label and len(text) - label.end() >= MIN_CLAUSE:
        text = text[label.end():]
    text = text.replace("`", "'").strip().rstrip(";:, ")
    text = text.encode("ascii", "replace").decode("ascii")
    if len(text) <= limit:
        return text
    # Prefer whole clauses: "a bottomless gulf or pit" says enough on its own.
    clauses = text.split("; ")
    kept = clauses[0]
    for clause in clauses[1:]:
        if len(kept) + 2 + len(clause) > limit:
            break
        kept += "; " + clause
    if len(kept) <= limit and len(kept) >= MIN_CLAUSE and _balanced(kept):
        return kept
    cut = text[:limit - 3]
    cut = cut[:cut.rfind(" ")] if " " in cut else cut
    open_paren = cut.rfind("(")
    if not _balanced(cut) and open_paren >= MIN_CLAUSE:
        cut = cut[:open_paren]
    return cut.rstrip(" ,;:(-") + "..."
