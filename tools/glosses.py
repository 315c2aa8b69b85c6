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


def best_sense(wordnet, lemma, senses):
    """The sense used most often in WordNet's tagged texts. Most words were
    never tagged; among equals the part of speech with more senses wins (AIL
    is a verb before it is garlic), then the earlier sense, then nouns before
    verbs, adjectives and adverbs."""

    def rank_key(sense):
        pos, rank, _ = sense
        count = wordnet.tag_counts.get((lemma, pos, rank), 0)
        polysemy = len(wordnet.senses[lemma][pos])
        return (-count, -polysemy, rank, PART_OF_SPEECH_ORDER.index(pos))

    return min(senses, key=rank_key)[2]


def _balanced(text):
    return text.count("(") == text.count(")")


def short_definition(gloss, limit=MAX_DEFINITION):
    """The gloss without its quoted examples, cut to at most limit characters
    at a clause or word boundary, in plain ASCII."""
    text = gloss.split('; "')[0]
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
