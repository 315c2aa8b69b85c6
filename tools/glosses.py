"""Choosing the WordNet sense a player means by a word, and its definition."""

import definitions

PART_OF_SPEECH_ORDER = ("n", "v", "a", "r")


def lower_case_senses(wordnet, lemma, parts=PART_OF_SPEECH_ORDER):
    """Senses in which the lemma is written in lower case: (pos, rank, synset)."""
    found = []
    for pos in parts:
        for rank, offset in enumerate(wordnet.senses.get(lemma, {}).get(pos, []), 1):
            synset = wordnet.synset((pos, offset))
            if lemma in synset.words:
                found.append((pos, rank, synset))
    return found


def is_unsuitable(wordnet, lemma, senses, rules):
    """True when every sense is blocked, or the sense a player would think of first
    is and WordNet's texts use it: a family reads such a word in its coarse sense (SEX). A blocked sense
    further down does not ban a plain word (a screw is a fastener)."""
    if all(rules.is_blocked(synset) for _, _, synset in senses):
        return True
    pos, rank, synset = ranked_senses(wordnet, lemma, senses, rules, blocked_last=False)[0]
    return rules.is_blocked(synset) and wordnet.tag_counts.get((lemma, pos, rank), 0) > 0


# A noun whose first sense is a thing one can point at is what a player means by the
# word, even where WordNet's texts tag the verb more often (BEAR, BAT, WATCH).
CONCRETE_NOUN_FILES = ("noun.animal", "noun.plant", "noun.food", "noun.artifact",
                       "noun.body", "noun.object", "noun.substance")
# A place is a thing one can point at too: an abstract or figurative sense gives way
# to it (OASIS the fertile spot, not a refuge).
PHYSICAL_NOUN_FILES = CONCRETE_NOUN_FILES + ("noun.location",)
# Natural objects and substances are nouns by their counts already; letting them
# put the nouns first would make DRAW a gully.
NOUN_FIRST_FILES = ("noun.animal", "noun.plant", "noun.food", "noun.artifact", "noun.body")
# An -ER or -OR noun means the one who does it or the thing that does it (a RACER
# drives, a SCOOTER is ridden) before an animal or shape that shares the name.
AGENT_FILES = ("noun.person", "noun.artifact")


# ... unless the texts use another part of speech this many times as often: DOWN
# is a direction before it is feathers, STILL an adverb before a photograph.
NOUN_DWARFED = 25


def _prefers_nouns(wordnet, lemma, senses):
    """True when the first noun sense is a thing and WordNet's texts use it, or use
    no sense at all (AIL stays a verb: its garlic is never used), and they do not
    use another part of speech far more."""
    nouns = [(rank, synset) for pos, rank, synset in senses if pos == "n"]
    if not nouns or nouns[0][1].lexname not in NOUN_FIRST_FILES:
        return False
    used = [wordnet.tag_counts.get((lemma, pos, rank), 0) for pos, rank, _ in senses]
    noun_used = wordnet.tag_counts.get((lemma, "n", nouns[0][0]), 0)
    other_used = max((count for (pos, _, _), count in zip(senses, used) if pos != "n"),
                     default=0)
    if noun_used and other_used > NOUN_DWARFED * noun_used:
        return False
    return noun_used > 0 or not any(used)


def _is_agent_noun(wordnet, lemma):
    """True when the word is a verb's -ER or -OR noun (RACER, SCOOTER, RUNNER, ACTOR),
    not a word that merely ends so (BEAVER, TIGER)."""
    if not lemma.endswith(("er", "or")):
        return False
    verbs = {lemma[:-1], lemma[:-2]}
    if len(lemma) > 4 and lemma[-3] == lemma[-4]:
        verbs.add(lemma[:-3])  # RUNNER
    return any("v" in wordnet.senses.get(verb, {}) for verb in verbs if len(verb) >= 2)


def ranked_senses(wordnet, lemma, senses, rules, preferred=None, blocked_last=True):
    """The senses in the order a player would think of them. A preferred sense (one
    whose gloss holds the pinned phrase) comes first, blocked senses last (unless
    blocked_last is False), and
    disfavoured ones (slang, archaic, baseball) after the rest. Then a concrete
    first noun sense puts the nouns first; then the sense used most often in
    WordNet's tagged texts. Among equals an agent noun means a person or tool, an
    untagged plant gives way (CHESS the game before the grass), and where the word
    names a thing an abstract sense gives way (TIGER the cat before the fierce
    person); then the part of speech with more senses wins (AIL is a verb before it
    is garlic), then the earlier sense, then nouns before verbs and adjectives."""
    nouns_first = _prefers_nouns(wordnet, lemma, senses)
    has_concrete = any(pos == "n" and synset.lexname in CONCRETE_NOUN_FILES
                       for pos, _, synset in senses)
    agent = _is_agent_noun(wordnet, lemma) and any(
        pos == "n" and synset.lexname in AGENT_FILES for pos, _, synset in senses)

    def rank_key(sense):
        pos, rank, synset = sense
        count = wordnet.tag_counts.get((lemma, pos, rank), 0)
        polysemy = len(wordnet.senses[lemma][pos])
        return (bool(preferred) and preferred not in synset.gloss,
                blocked_last and rules.is_blocked(synset), rules.is_disfavoured(synset),
                nouns_first and pos != "n", -count,
                agent and pos == "n" and synset.lexname not in AGENT_FILES,
                count == 0 and synset.lexname == "noun.plant",
                has_concrete and synset.lexname not in PHYSICAL_NOUN_FILES,
                -polysemy, rank, PART_OF_SPEECH_ORDER.index(pos))

    return sorted(senses, key=rank_key)


def _stand_ins_first(wordnet, lemma, ranked):
    """The ranked senses with the main sense's closest stand-ins moved right behind it,
    and the set of its kin. Where a verb's or an adjective's main sense gives the word
    away, the same meaning named as a thing stands in first (BUZZ "sound of rapid
    vibration", POKE "a sharp hand gesture"); a noun is not taught by a verb or
    adjective made from it (JEWEL is no "adorn with precious stones"). Then come the
    senses of the main sense's kind (CLAW another animal's claw before a device)."""
    main = ranked[0][2]
    kin = set()
    if ranked[0][0] != "n":
        kin = {(pos, offset) for pos, offset, word in wordnet.derived_words(main.key, lemma)
               if word == lemma}
        kin |= {synset.key for _, _, synset in ranked[1:]
                if main.key + (lemma,) in wordnet.derived_words(synset.key, lemma)}

    def closeness(sense):
        return (sense[2].key not in kin, sense[2].lexname != main.lexname)

    return ranked[:1] + sorted(ranked[1:], key=closeness), kin


def choose_definition(wordnet, lemma, senses, rules, exclusions=None, preferred=None,
                      related=()):
    """(synset, definition) of the first sense, in ranked order, that is not blocked
    and whose definition may be shown; None when no sense qualifies. The main
    sense's kin and senses of its kind stand in for it first. When the main
    sense is one WordNet's texts use, only used senses or its kin may stand in for
    it: CAT is left out rather than defined as a shrub's leaves."""
    ranked, kin = _stand_ins_first(wordnet, lemma,
                                   ranked_senses(wordnet, lemma, senses, rules, preferred))
    main_used = wordnet.tag_counts.get((lemma, ranked[0][0], ranked[0][1]), 0) > 0
    for index, (pos, rank, synset) in enumerate(ranked):
        if rules.is_blocked(synset):
            continue  # blocked senses, kin or not, are never chosen
        if (index and main_used and synset.key not in kin
                and not wordnet.tag_counts.get((lemma, pos, rank), 0)):
            continue
        for definition in definitions.definition_variants(synset.gloss, lemma, related):
            if definitions.definition_problem(lemma, definition, exclusions, related) is None:
                return synset, definition
    return None


# A hidden word's definition is trusted when WordNet's texts show its sense is the one
# people mean: it takes at least this share of the word's tagged uses over all its
# parts of speech ...
DOMINANT_SHARE = 0.5
# ... and the word is tagged often enough for its order of senses to mean something
# (a word tagged twice says little about which sense is usual: TELLER, VOUCHER).
MIN_TAGGED_USES = 5


def is_trusted(wordnet, lemma, senses, chosen, main):
    """True when the chosen sense is surely the one a player means by the word: it is
    the word's only sense, or it is the main sense (not a stand-in taken because the
    main one gives the word away) and WordNet's texts use it for at least
    DOMINANT_SHARE of at least MIN_TAGGED_USES uses of the word."""
    if len(senses) == 1:
        return True
    if chosen.key != main.key:
        return False
    uses = {synset.key: wordnet.tag_counts.get((lemma, pos, rank), 0)
            for pos, rank, synset in senses}
    total = sum(uses.values())
    return total >= MIN_TAGGED_USES and uses[chosen.key] >= DOMINANT_SHARE * total
