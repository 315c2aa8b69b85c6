"""Tests of the data scripts' own rules: python3 -m unittest discover -s tools"""

import math
import unittest

import curated
import definitions
import exclusions
import glosses
import levels
import morphology
import sample_words
import sounds
import sources
import specialist
import suitability
import themes


class ShortDefinition(unittest.TestCase):
    def test_examples_are_dropped_and_short_glosses_kept_whole(self):
        self.assertEqual(definitions.short_definition('a domestic animal; "the dog barked"'),
                         "a domestic animal")
        self.assertEqual(definitions.short_definition("as `easy' as pie;"), "as 'easy' as pie")

    def test_long_glosses_end_at_a_clause_boundary_never_with_an_ellipsis(self):
        clause = "a bottomless gulf or pit; " + "any cavity extending below " * 6
        self.assertEqual(definitions.short_definition(clause), "a bottomless gulf or pit")
        phrase = "a small vessel for carrying water from a well " + "and wine and oil " * 8
        cut = definitions.short_definition(phrase)
        self.assertEqual(cut, "a small vessel for carrying water")
        # No boundary to cut at: no definition, so the caller takes another sense.
        self.assertIsNone(definitions.short_definition("word " * 40))
        self.assertEqual(definitions.definition_problem("DOG", "a loyal pet..."), "cut off")

    def test_a_cut_never_leaves_a_parenthesis_open(self):
        gloss = "an elected council in a communist country (" + "especially one " * 10 + ")"
        cut = definitions.short_definition(gloss)
        self.assertEqual(cut.count("("), cut.count(")"), cut)
        self.assertLessEqual(len(cut), definitions.MAX_DEFINITION)


class WordListOrder(unittest.TestCase):
    @staticmethod
    def aligned(order):
        text = "".join(order)
        return all(text.find(word) % len(word) == 0 for word in order)

    def test_words_straddling_their_neighbours_move_to_the_front(self):
        # Sorted, TEA first turns up across CAT|EAR.
        self.assertFalse(self.aligned(["CAT", "EAR", "TEA"]))
        order, passes = themes.aligned_order(["TEA", "EAR", "CAT", "CAT"])
        self.assertEqual(order, ["TEA", "CAT", "EAR"])
        self.assertEqual(passes, 1)

    def test_an_aligned_sorted_list_stays_sorted(self):
        self.assertEqual(themes.aligned_order(["DOG", "BAT", "ANT"]), (["ANT", "BAT", "DOG"], 0))

    def test_a_set_no_order_can_align_is_refused(self):
        # No order of these four keeps every first occurrence aligned.
        with self.assertRaises(ValueError):
            themes.aligned_order(["AA", "AB", "BA", "BB"])


class Layouts(unittest.TestCase):
    def test_checksum_counts_first_rows_and_numeric_lines_only(self):
        self.assertEqual(levels.checksum(["0404"]), 210)
        first = levels.checksum(["XXXX-XXX", "XXX-XXXX", ""])
        self.assertEqual(first, levels.checksum(["XXXX-XXX", "XXXXXXXX", ""]))
        self.assertEqual(levels.checksum([" 0404 ", "", "0404"]), 420)  # trimmed, blanks add nothing

    def test_the_file_checksum_matches_its_header(self):
        data = levels.formats_bytes().decode("ascii")
        self.assertTrue(data.endswith("\r\n"))
        lines = data[:-2].split("\r\n")
        self.assertEqual(lines[0], levels.HEADER_PREFIX + str(levels.checksum(lines[1:])))

    def test_every_generated_level_keeps_the_limits(self):
        parsed = levels.parse_levels(levels.file_lines())
        self.assertEqual(len(parsed), levels.LEVEL_COUNT)
        for number, rows in enumerate(parsed, 1):
            self.assertEqual(levels.check_layout(rows), [], number)
            self.assertLessEqual(sum(levels.word_lengths(rows)), levels.MAX_LETTERS, number)
            for count in (sum(1 for row in rows if row[c] == "X") for c in range(len(rows[0]))):
                self.assertGreaterEqual(count, 2, number)

    def test_the_generator_gives_the_same_levels_every_time(self):
        self.assertEqual(levels.drawn_levels(), levels.drawn_levels())
        self.assertNotEqual(levels.drawn_levels(seed=1), levels.drawn_levels(seed=2))

    def test_letters_grow_steadily_and_every_square_is_used(self):
        parsed = levels.parse_levels(levels.file_lines())
        letters = [sum(levels.word_lengths(rows)) for rows in parsed]
        self.assertEqual(letters[0], 16)
        for number in range(1, len(letters)):
            self.assertGreaterEqual(letters[number], 0.9 * letters[number - 1], number + 1)
        # No plateau: every ten levels gain letters, and each level stays near the curve.
        for number in range(10, len(letters)):
            self.assertGreater(letters[number], letters[number - 10], number + 1)
        for number, count in enumerate(letters, 1):
            self.assertLessEqual(abs(count - levels.target_letters(number)),
                                 max(1, 0.05 * levels.target_letters(number)), number)
        squares = [rows for rows in parsed if len(set(rows)) == 1 and "-" not in rows[0]]
        self.assertGreaterEqual(len(squares), len(levels.NUMERIC_LEVELS))
        self.assertIn("0404", levels.file_lines()[:1])
        self.assertIn("1010", levels.file_lines())

    def test_a_shape_that_cannot_hold_the_words_is_refused_not_looped_on(self):
        self.assertIsNone(levels._row(levels.Rng(1), 6, 2, 2))  # two words need 7 cells
        self.assertEqual(len(levels._row(levels.Rng(1), 7, 2, 2)), 7)

    def test_expected_draws_add_up_per_word_and_refuse_missing_lengths(self):
        counts = {4: 10, 5: 40}
        self.assertAlmostEqual(levels.expected_draws(["XXXX-XXXXX"], counts, 100), 12.5)
        self.assertEqual(levels.expected_draws(["XXX"], counts, 100), float("inf"))


class ExclusionList(unittest.TestCase):
    LIST = "# a comment\nbadword badwords\n~beast beasts\n\n"

    def test_plain_words_are_out_everywhere_and_ambiguous_ones_only_in_themes(self):
        listed = exclusions.Exclusions(self.LIST)
        self.assertFalse(listed.allows_plain("BADWORDS"))
        self.assertFalse(listed.allows_themed("badword"))
        self.assertFalse(listed.allows_plain("beast"))
        self.assertTrue(listed.allows_themed("BEAST"))
        self.assertTrue(listed.allows_plain("bad"))  # only whole words count
        self.assertTrue(listed.mentions_banned("a Badword here"))
        self.assertFalse(listed.mentions_banned("no badwordish thing"))

    def test_a_malformed_entry_is_refused_with_its_line(self):
        with self.assertRaisesRegex(ValueError, "line 2"):
            exclusions.Exclusions("fine\nNot-Lower\n")

    def test_the_shipped_list_holds_a_few_hundred_words(self):
        listed = exclusions.Exclusions.load()
        self.assertGreater(len(listed.banned), 300)
        self.assertIn("ass", listed.ambiguous)
        self.assertFalse(listed.banned & listed.ambiguous)


class DefinitionRules(unittest.TestCase):
    def test_the_word_its_stem_and_compound_parts_give_it_away(self):
        self.assertTrue(definitions.gives_away("HOMEOWNER", "someone who owns a home"))
        self.assertTrue(definitions.gives_away("GOVERNMENT", "the governing body"))
        self.assertTrue(definitions.gives_away("CAT", "domestic cats"))
        self.assertTrue(definitions.gives_away("DEMOCRACY", "a democratic system"))
        self.assertFalse(definitions.gives_away("CAT", "a small carnivore"))
        self.assertFalse(definitions.gives_away("INTEREST", "of international concern"))

    def test_a_root_shared_in_another_shape_gives_it_away(self):
        self.assertTrue(definitions.gives_away("RELIABLE", "worthy of reliance or trust"))
        self.assertTrue(definitions.gives_away("INCAPABLE", "lacking capacity or ability"))
        self.assertTrue(definitions.gives_away("UNSIGNED", "lacking a signature"))
        self.assertTrue(definitions.gives_away("LAUGHTER", "the sound of laughing"))
        self.assertTrue(definitions.gives_away("DOORSTEP", "the bottom of a doorway"))
        self.assertTrue(definitions.gives_away("ANTHILL", "a mound made by ants"))  # a short part's plural
        # The definition's word keeps its prefix, and a prefix is no root. The rule is
        # broad on purpose (CONTRACT "control" counts): a definition it refuses only
        # gives way to another clause or sense.
        self.assertFalse(definitions.gives_away("TERRACE", "a level shelf interrupting a slope"))
        self.assertFalse(definitions.gives_away("INTERVAL", "of international concern"))
        self.assertFalse(definitions.gives_away("MARKETING", "the work of a mare"))

    def test_a_shared_stem_of_four_letters_or_a_word_inside_gives_it_away(self):
        self.assertTrue(definitions.gives_away("CURDLE", "turn into curds"))
        self.assertTrue(definitions.gives_away("WAKE", "be awake"))
        self.assertTrue(definitions.gives_away("DRAW", "a picture drawn"))
        self.assertTrue(definitions.gives_away("HAPPY", "full of happiness"))
        self.assertTrue(definitions.gives_away("AFTERNOON", "between noon and evening"))
        self.assertTrue(definitions.gives_away("CRAGGY", "having hills and crags"))
        self.assertTrue(definitions.gives_away("UNINTERESTED", "not showing interest"))
        self.assertFalse(definitions.gives_away("CART", "a carrot"))  # three letters shared

    def test_a_short_part_of_a_compound_gives_it_away_when_the_rest_is_a_part_too(self):
        self.assertTrue(definitions.gives_away("GUNMAN", "a killer who uses a gun"))
        self.assertTrue(definitions.gives_away("TEACUP", "a small cup"))
        self.assertFalse(definitions.gives_away("EAR", "the organ of hearing"))
        # A part in the plural is still the part.
        self.assertTrue(definitions.gives_away("PICKPOCKET", "a thief who steals from pockets"))
        self.assertTrue(definitions.gives_away("BOOKCASE", "shelves for storing books"))
        self.assertFalse(definitions.gives_away("CARPET", "a floor covering of cars"))

    def test_irregular_forms_and_derived_words_give_it_away(self):
        self.assertFalse(definitions.gives_away("STING", "a pain as if stung"))
        self.assertTrue(definitions.gives_away("STING", "a pain as if stung", {"stung"}))
        self.assertTrue(definitions.gives_away("ENVY", "feel envious towards", {"envious"}))
        # A form of a relative counts as the relative (ENVIOUSLY of ENVIOUS).
        self.assertTrue(definitions.gives_away("ENVY", "look on enviously", {"envious"}))
        self.assertFalse(definitions.gives_away("ENVY", "resent another's luck", {"envious"}))
        # A final Y turns I before an ending: still one stem.
        self.assertTrue(definitions.gives_away("ENVIABLE", "causing envy"))
        self.assertTrue(definitions.gives_away("MERCIFUL", "showing mercy"))
        self.assertTrue(definitions.gives_away("PITY", "a pitiful sight"))
        self.assertFalse(definitions.gives_away("NAVY", "ships that navigate"))
        self.assertFalse(definitions.gives_away("ENVIABLE", "causing envoys"))
        self.assertEqual(definitions.definition_problem("STING", "a pain as if stung",
                                                        related={"stung"}),
                         "gives the word away")
        # Cutting before the give-away uses the relatives too.
        self.assertIn("a sharp pain", definitions.definition_variants(
            "a sharp pain; something as sudden as being stung", "sting", {"stung"}))

    def test_a_compound_parts_relatives_and_endings_give_it_away(self):
        # The parts come with the relatives (WordFamilies.related), stems and all.
        self.assertTrue(definitions.gives_away("TOMBOY", "a girl who behaves in a boyish manner",
                                               {"tom", "boy"}))
        self.assertTrue(definitions.gives_away("SERVICEMAN", "someone who serves in the army",
                                               {"service", "man", "men"}))
        self.assertTrue(definitions.gives_away("JUSTICE", "the quality of being just"))
        # A three-letter part takes only a plain ending: MAN is not in MANY or MANUAL.
        self.assertFalse(definitions.gives_away("WORKMAN", "one who does manual labor",
                                                {"work", "man", "men"}))
        self.assertFalse(definitions.gives_away("SERVICEMAN", "one of many soldiers",
                                                {"service", "man"}))
        self.assertFalse(definitions.gives_away("SERVICEMAN", "he will mend the roads",
                                                {"service", "men"}))
        # Another word made with a part is no form of it.
        self.assertFalse(definitions.gives_away("AIRPLANE", "a powered aircraft",
                                                {"air", "plane"}))

    def test_a_voiced_f_is_the_same_stem(self):
        self.assertTrue(definitions.gives_away("GRIEVE", "feel grief"))
        self.assertTrue(definitions.gives_away("BELIEF", "something believed"))
        self.assertTrue(definitions.gives_away("HALF", "one of two equal halves"))
        self.assertFalse(definitions.gives_away("LOVE", "a loft"))  # too short a stem

    def test_one_word_quotations_and_giveaways_are_problems(self):
        self.assertEqual(definitions.definition_problem("DOG", "canine"), "one word")
        self.assertEqual(definitions.definition_problem("DOG", 'a "friend" indeed'), "a quotation")
        self.assertEqual(definitions.definition_problem("DOG", "a dog of sorts"),
                         "gives the word away")
        self.assertIsNone(definitions.definition_problem("DOG", "a domesticated canine"))

    def test_variants_drop_the_aside_or_clause_that_gives_the_word_away(self):
        variants = definitions.definition_variants(
            "feline mammal usually having soft fur: domestic cats; wildcats", "cat")
        self.assertIn("feline mammal usually having soft fur", variants)
        cut = definitions.definition_variants("any of many shrubs of the genus Rosa that bear roses",
                                          "rose")
        self.assertIn("any of many shrubs of the genus Rosa", cut)
        # A cut that would leave a dangling word or too little is not offered.
        self.assertEqual(definitions.definition_variants("a drink made from tea", "tea"),
                         ["a drink made from tea"])

    def test_a_clause_that_gives_the_word_away_is_left_out(self):
        self.assertIn("damage irreparably", definitions.definition_variants(
            "destroy completely; damage irreparably", "destroy"))
        self.assertIn("a round fastener sewn to shirts and coats etc",
                      definitions.definition_variants(
                          "a round fastener sewn to shirts and coats etc to fit through"
                          " buttonholes", "button"))

    def test_a_cut_before_a_giveaway_sheds_a_stub_clause_or_a_dangling_participle(self):
        self.assertIn("troublemaker who joins a violent disturbance of the peace",
                      definitions.definition_variants("troublemaker who joins a violent"
                                                      " disturbance of the peace; someone who"
                                                      " riots", "rioter"))
        self.assertIn("a hard brittle candy", definitions.definition_variants(
            "a hard brittle candy made with butter and brown sugar", "butterscotch"))
        variants = definitions.definition_variants(
            "large southern European spider once thought to cause tarantism", "tarantula")
        self.assertNotIn("large southern European spider once thought", variants)
        self.assertIn("large southern European spider", variants)
        # An adverb leaning on the participle goes with it; a noun in -ly stays.
        variants = definitions.definition_variants(
            "a tall Eurasian garden plant widely grown for safflower oil", "safflower")
        self.assertIn("a tall Eurasian garden plant", variants)
        self.assertNotIn("a tall Eurasian garden plant widely", variants)
        self.assertIn("a sweet fruit jelly", definitions.definition_variants(
            "a sweet fruit jelly made with quince paste", "quince"))

    def test_a_cut_that_asks_for_what_followed_it_is_not_offered(self):
        variants = definitions.definition_variants("of or relating to or caused by a toxin",
                                                   "toxic")
        self.assertNotIn("of or relating to or caused", variants)
        self.assertNotIn("the process of taking", definitions.definition_variants(
            "the process of taking in and expelling air during breathing", "breath"))
        # An adjective that wants its complement does not end a cut either.
        variants = definitions.definition_variants(
            "grey songbird of the south able to mimic songs of other birds", "mockingbird")
        self.assertNotIn("grey songbird of the south able", variants)
        self.assertNotIn("a small town in Texas adjacent", definitions.definition_variants(
            "a small town in Texas adjacent to Texarkana in Arkansas", "texarkana"))

    def test_a_leading_usage_label_is_dropped(self):
        self.assertEqual(definitions.short_definition("(usually informal) a young rabbit or hare"),
                         "a young rabbit or hare")


class ShownDefinitionRules(unittest.TestCase):
    """What the data check refuses in a definition it ships, beyond the give-aways."""

    def test_a_definition_cut_off_mid_phrase_is_refused(self):
        for cut in ("a wild dog that sometimes hunts in a pack but",
                    "a city located in the southwest of", "moving as though",
                    "a sweet made of sugar and", "a hat, a coat,", "a tool (for cutting",
                    "one of many birds, such as"):
            self.assertEqual(definitions.shown_definition_problem("JACKAL", cut), "cut off", cut)

    def test_whole_thoughts_are_left_alone(self):
        for whole in ("a place where you go to buy things", "happy and in good spirits",
                      "to look at something closely", "a small bird; also its eggs",
                      "the opposite of inside", "a boat that floats on water (or ice)"):
            self.assertIsNone(definitions.shown_definition_problem("SHOP", whole), whole)

    def test_a_gloss_shortened_where_it_went_on_is_cut_off(self):
        gloss = ("a deity; a supernatural being controlling some part of the world or some"
                 " aspect of life")
        self.assertTrue(definitions.is_gloss_cut(
            "a supernatural being controlling some part of the world or some aspect",
            gloss[len("a deity; "):]))
        # The gloss's first clause, or the whole of it, is no cut.
        self.assertFalse(definitions.is_gloss_cut("a deity", gloss))
        self.assertFalse(definitions.is_gloss_cut(gloss, gloss))
        self.assertFalse(definitions.is_gloss_cut("a dei", gloss))

    def test_a_specialists_word_is_refused_and_plain_words_are_not(self):
        self.assertEqual(definitions.shown_definition_problem("INSECT", "a small arthropod"),
                         "a specialist's word (arthropod)")
        self.assertEqual(definitions.shown_definition_problem("FOWL", "a gallinaceous bird"),
                         "a specialist's word (gallinaceous)")
        self.assertIsNone(definitions.shown_definition_problem(
            "HOOF", "the hard part of the foot of a horse, cow or deer"))
        terms = definitions.specialist_terms()
        self.assertTrue({"genus", "ungulate", "pustule", "nonpasserine"} <= terms)

    def test_a_number_word_is_given_away_by_its_figure_only(self):
        self.assertEqual(definitions.shown_definition_problem("TWENTY", "20 items"),
                         "gives the word away (its figure)")
        self.assertEqual(definitions.shown_definition_problem("THOUSAND", "1,000 of them"),
                         "gives the word away (its figure)")
        self.assertIsNone(definitions.shown_definition_problem("TWENTY", "two tens"))
        self.assertIsNone(definitions.shown_definition_problem("DECADE", "a period of 10 years"))


class FamilyPool(unittest.TestCase):
    def test_unfit_words_hide_nowhere_and_parents_lists_stay_off_the_board(self):
        unfit = exclusions.Exclusions.load(exclusions.UNFIT_PATH)
        for word in ("genocide", "torture", "harem", "fondle", "hobo"):
            self.assertFalse(unfit.allows_plain(word), word)
        self.assertTrue(unfit.allows_plain("war"))
        banned = exclusions.Exclusions.load()
        for word in ("nude", "spank", "thong", "wino", "enema"):
            self.assertFalse(banned.allows_plain(word), word)


class SenseGlosses(unittest.TestCase):
    def blocked(self, gloss):
        return bool(suitability.BLOCKED_GLOSS.search(gloss))

    def test_sexual_drug_waste_and_cruel_senses_are_blocked(self):
        for gloss in ("having strong sexual appeal", "slang for sexual intercourse",
                      "affectionate play (or foreplay without contact)", "street names for marijuana",
                      "a narcotics addict", "solid excretory product evacuated from the bowels",
                      "a person of subnormal intelligence", "offensive term for a homosexual man",
                      "a wild gathering involving excessive drinking and promiscuity"):
            self.assertTrue(self.blocked(gloss), gloss)

    def test_plain_mentions_of_sex_and_the_body_are_not(self):
        for gloss in ("a young person of either sex", "the sexually reproductive forms of jellyfish",
                      "either of two bean-shaped organs that filter wastes from the blood",
                      "pat or squeeze fondly", "a rude or uncouth fool", "full of juice"):
            self.assertFalse(self.blocked(gloss), gloss)

    def test_old_slang_and_baseball_senses_give_way(self):
        for gloss in ("(archaic) a hill", "(baseball) the slight elevation on which the pitcher stands",
                      "the handwear used by fielders in playing baseball", "former name of Tokyo"):
            self.assertTrue(suitability.DISFAVOURED_GLOSS.search(gloss), gloss)
        self.assertFalse(suitability.DISFAVOURED_GLOSS.search("a small natural hill"))
        self.assertTrue(suitability.DISFAVOURED_GLOSS.search("informal terms for a human head"))
        self.assertFalse(suitability.DISFAVOURED_GLOSS.search("an informal meeting of friends"))


class FakeRules:
    def __init__(self, blocked=(), disfavoured=()):
        self.blocked, self.disfavoured = set(blocked), set(disfavoured)

    def is_blocked(self, synset):
        return synset.gloss in self.blocked

    def is_disfavoured(self, synset):
        return synset.gloss in self.disfavoured


class SenseChoice(unittest.TestCase):
    class Sense:
        def __init__(self, lexname, gloss):
            self.lexname, self.gloss = lexname, gloss

    SCOOTER = [("n", 1, Sense("noun.animal", "large black diving duck")),
               ("n", 2, Sense("noun.artifact", "child's two-wheeled vehicle operated by foot"))]

    def wordnet(self, lemma, senses, counts=()):
        # SCOOT is a verb, so a SCOOTER is one who scoots.
        return FakeWordNet({lemma: {"n": [rank for _, rank, _ in senses]}, "scoot": {"v": [9]}},
                           counts)

    def ranked(self, lemma, senses, rules, preferred=None, counts=()):
        found = glosses.ranked_senses(self.wordnet(lemma, senses, counts), lemma, senses, rules,
                                      preferred)
        return [synset.gloss for _, _, synset in found]

    def test_an_agent_noun_means_the_tool_before_an_animal(self):
        self.assertEqual(self.ranked("scooter", self.SCOOTER, FakeRules())[0],
                         "child's two-wheeled vehicle operated by foot")

    def test_a_pinned_phrase_comes_first_and_blocked_or_disfavoured_senses_last(self):
        rules = FakeRules(blocked={"child's two-wheeled vehicle operated by foot"})
        self.assertEqual(self.ranked("scooter", self.SCOOTER, rules)[0], "large black diving duck")
        senses = [("n", 1, self.Sense("noun.artifact", "a propeller")),
                  ("n", 2, self.Sense("noun.artifact", "a fastener with a slotted head")),
                  ("n", 3, self.Sense("noun.act", "slang for something coarse"))]
        rules = FakeRules(disfavoured={"a propeller"}, blocked={"slang for something coarse"})
        counts = {("screw", "n", 3): 9}
        self.assertEqual(self.ranked("screw", senses, rules, counts=counts),
                         ["a fastener with a slotted head", "a propeller",
                          "slang for something coarse"])
        self.assertEqual(self.ranked("screw", senses, FakeRules(), "propeller", counts)[0],
                         "a propeller")
        # A blocked sense the texts use most bans the word; a rare one does not.
        self.assertTrue(glosses.is_unsuitable(self.wordnet("screw", senses, counts), "screw",
                                              senses, rules))
        self.assertFalse(glosses.is_unsuitable(self.wordnet("screw", senses), "screw", senses,
                                               rules))


class LinkedWordNet:
    """A small WordNet with senses, counts and derivation links between words."""

    class Sense:
        def __init__(self, key, lexname, gloss, words):
            self.key, self.lexname, self.gloss, self.words = key, lexname, gloss, words

    def __init__(self, lemma, senses, counts=(), links=(), others=()):
        """senses: (pos, lexname, gloss) in sense order; links: pairs of sense
        numbers (counted from 1 in that order) derived from one another."""
        self.senses = {other: {"v": [0]} for other in others}
        self.tag_counts, self.sense_list, self._links = {}, [], {}
        ranks = {}
        for number, (pos, lexname, gloss) in enumerate(senses, 1):
            ranks[pos] = ranks.get(pos, 0) + 1
            self.senses.setdefault(lemma, {}).setdefault(pos, []).append(number)
            sense = self.Sense((pos, number), lexname, gloss, [lemma])
            self.sense_list.append((pos, ranks[pos], sense))
        for (lemma_, pos, rank), count in dict(counts).items():
            self.tag_counts[(lemma_, pos, rank)] = count
        for a, b in links:
            key_a, key_b = self.sense_list[a - 1][2].key, self.sense_list[b - 1][2].key
            self._links.setdefault(key_a, []).append(key_b + (lemma,))
            self._links.setdefault(key_b, []).append(key_a + (lemma,))

    def derived_words(self, key, word):
        return list(self._links.get(key, []))


class SenseFallbacks(unittest.TestCase):
    def chosen(self, wordnet, lemma):
        found = glosses.choose_definition(wordnet, lemma, wordnet.sense_list, FakeRules())
        return found and found[1]

    def test_the_main_senses_kin_stands_in_before_another_used_meaning(self):
        wordnet = LinkedWordNet("buzz", [("v", "verb.perception", "make a buzzing sound"),
                                         ("v", "verb.motion", "fly low over a crowd"),
                                         ("n", "noun.event", "sound of rapid vibration")],
                                {("buzz", "v", 1): 4, ("buzz", "v", 2): 3}, links=[(1, 3)])
        self.assertEqual(self.chosen(wordnet, "buzz"), "sound of rapid vibration")
        # Without the link the next used meaning is taken, never an unused one.
        unlinked = LinkedWordNet("buzz", [("v", "verb.perception", "make a buzzing sound"),
                                          ("v", "verb.motion", "fly low over a crowd"),
                                          ("n", "noun.event", "sound of rapid vibration")],
                                 {("buzz", "v", 1): 4, ("buzz", "v", 2): 3})
        self.assertEqual(self.chosen(unlinked, "buzz"), "fly low over a crowd")

    def test_a_noun_is_not_taught_by_a_verb_made_from_it(self):
        wordnet = LinkedWordNet("jewel", [("n", "noun.artifact", "a stone set in jewelry"),
                                          ("v", "verb.creation", "adorn with precious stones")],
                                {("jewel", "n", 1): 2}, links=[(1, 2)])
        found = glosses.choose_definition(wordnet, "jewel", wordnet.sense_list, FakeRules(),
                                          related={"jewelry"})
        self.assertIsNone(found)  # left out, or written by hand

    def test_a_sense_of_the_main_senses_kind_stands_in_before_another(self):
        wordnet = LinkedWordNet("claw", [("n", "noun.animal", "a curved claw on a bird's toe"),
                                         ("n", "noun.artifact", "a curved mechanical device"),
                                         ("n", "noun.animal", "a crab's grasping pincer")],
                                {("claw", "n", 1): 2, ("claw", "n", 2): 1, ("claw", "n", 3): 1})
        self.assertEqual(self.chosen(wordnet, "claw"), "a crab's grasping pincer")

    def test_a_rare_noun_gives_way_to_a_part_of_speech_used_far_more(self):
        senses = [("n", "noun.animal", "soft fine feathers"),
                  ("r", "adv.all", "from a higher to a lower place")]
        rare = LinkedWordNet("down", senses, {("down", "n", 1): 1, ("down", "r", 1): 98})
        self.assertEqual(self.chosen(rare, "down"), "from a higher to a lower place")
        # A noun used often enough still comes first (BAT, WATCH).
        used = LinkedWordNet("down", senses, {("down", "n", 1): 9, ("down", "r", 1): 98})
        self.assertEqual(self.chosen(used, "down"), "soft fine feathers")

    def test_only_a_verb_with_er_is_an_agent_noun(self):
        senses = [("n", "noun.substance", "the soft brown fur of an animal"),
                  ("n", "noun.artifact", "a man's hat with a tall crown")]
        self.assertEqual(self.chosen(LinkedWordNet("beaver", senses), "beaver"),
                         "the soft brown fur of an animal")
        racer = [("n", "noun.animal", "a slender fast snake"),
                 ("n", "noun.person", "someone who drives in contests of speed")]
        self.assertEqual(self.chosen(LinkedWordNet("racer", racer, others=["race"]), "racer"),
                         "someone who drives in contests of speed")

    def test_a_place_or_a_person_is_a_thing_an_abstract_sense_gives_way_to(self):
        senses = [("n", "noun.feeling", "a refuge from everyday worries"),
                  ("n", "noun.location", "a fertile tract in a desert"),
                  ("n", "noun.artifact", "a shelter serving as a place of safety")]
        self.assertEqual(self.chosen(LinkedWordNet("oasis", senses), "oasis"),
                         "a fertile tract in a desert")


class TrustedSenses(unittest.TestCase):
    """Which chosen senses may hide a word: only one a player surely means."""

    TELLER = [("n", "noun.person", "an official who counts votes"),
              ("n", "noun.person", "an employee of a bank who receives and pays out money"),
              ("n", "noun.person", "someone who tells a story")]

    def trusted(self, counts, lemma="teller", senses=None, stand_in=False):
        wordnet = LinkedWordNet(lemma, senses or self.TELLER,
                                {(lemma, pos, rank): n for (pos, rank), n in counts.items()})
        ranked = glosses.ranked_senses(wordnet, lemma, wordnet.sense_list, FakeRules())
        main = ranked[0][2]
        chosen = ranked[1][2] if stand_in else main
        return glosses.is_trusted(wordnet, lemma, wordnet.sense_list, chosen, main)

    def test_a_sense_used_for_at_least_half_of_enough_uses_is_trusted(self):
        self.assertTrue(self.trusted({("n", 2): 5}))
        self.assertTrue(self.trusted({("n", 2): 3, ("n", 1): 3}))  # exactly half
        self.assertFalse(self.trusted({("n", 2): 3, ("n", 1): 2, ("n", 3): 2}))

    def test_too_few_uses_say_nothing_about_the_usual_sense(self):
        self.assertFalse(self.trusted({("n", 1): 2}))  # the vote counter, tagged twice
        self.assertFalse(self.trusted({("n", 1): 4}))
        self.assertFalse(self.trusted({}))

    def test_uses_of_every_part_of_speech_count(self):
        senses = [("a", "adj.all", "pleasing to the eye"),
                  ("r", "adv.all", "to a moderately sufficient extent"),
                  ("r", "adv.all", "in a pleasing way")]
        # The adjective is used most, but the adverbs together are used more.
        self.assertFalse(self.trusted({("a", 1): 20, ("r", 1): 15, ("r", 2): 10}, "pretty",
                                      senses))
        self.assertTrue(self.trusted({("a", 1): 20, ("r", 1): 5}, "pretty", senses))

    def test_a_stand_in_for_the_main_sense_is_never_trusted(self):
        self.assertFalse(self.trusted({("n", 2): 9, ("n", 1): 9}, stand_in=True))

    def test_a_word_of_one_sense_needs_no_uses(self):
        only = [("n", "noun.artifact", "a frame with beads for counting")]
        self.assertTrue(self.trusted({}, "abacus", only))


class WordFamilyRules(unittest.TestCase):
    class WordNet:
        senses = {"envy": {"v": [1]}, "lame": {"v": [2]}}

        def derived_words(self, key, word):
            return {("v", 1): [("a", 9, "envious")],
                    ("v", 2): [("n", 8, "cripple"), ("n", 7, "lameness")]}[key]

    def test_irregular_forms_and_derived_words_that_begin_alike(self):
        families = morphology.WordFamilies(self.WordNet(), {("v", "stung"): ["sting"],
                                                            ("a", "better"): ["good", "well"]})
        self.assertEqual(families.related("STING"), {"stung"})
        self.assertEqual(families.related("better"), {"good", "well"})
        self.assertEqual(families.related("good"), {"better"})
        self.assertEqual(families.related("envy"), {"envious"})
        # A derivation across roots is no give-away (LAME and CRIPPLE).
        self.assertEqual(families.related("lame"), {"lameness"})

    def test_a_compounds_parts_and_their_relatives_are_its_relatives(self):
        wordnet = FakeWordNet({"tomboy": {"n": [1]}, "tom": {"n": [2]}, "boy": {"n": [3]},
                               "notable": {"a": [4]}, "not": {"r": [5]}, "able": {"a": [6]},
                               "distaste": {"n": [7]}, "dis": {"v": [8]}, "taste": {"n": [9]},
                               "envy": {"v": [1]}})
        wordnet.derived_words = lambda key, word: {("n", 3): [("n", 10, "boyhood")]}.get(key, [])
        families = morphology.WordFamilies(wordnet, {("n", "toms"): ["tom"]})
        self.assertEqual(families.parts("tomboy"), {"tom", "boy"})
        self.assertEqual(families.related("TOMBOY"), {"tom", "toms", "boy", "boyhood"})
        # A prefix or an ending that WordNet also knows as a word is no part.
        self.assertEqual(families.parts("notable"), {"not"})
        self.assertEqual(families.parts("distaste"), {"taste"})
        self.assertEqual(families.parts("envy"), set())

    def test_word_links_are_read_with_the_words_they_join(self):
        line = ("01797365 37 v 02 grieve 0 sorrow 0 002 @ 01794686 v 0000 "
                "+ 05833683 n 0201 01 + 02 00 | feel grief  ")
        synset = sources._parse_data_line(line)
        self.assertEqual(synset.pointers, [("@", "v", 1794686), ("+", "n", 5833683)])
        self.assertEqual(synset.word_links, [("+", 1, "n", 5833683, 0)])


class ReviewedTables(unittest.TestCase):
    def test_the_shipped_tables_parse_and_hand_definitions_keep_the_rules(self):
        self.assertGreaterEqual(len(curated.pinned_senses()), 80)
        own = curated.own_definitions()
        self.assertIn(("Common Words", "COFFEE"), {(name, word) for name, word, _ in own})
        names = {name for name, _ in themes.THEMES}
        for name, word, reason in curated.off_theme_words():
            self.assertIn(name, names, word)
            self.assertTrue(reason, word)
        for name, word, text in own:
            self.assertIsNone(definitions.shown_definition_problem(word, text, themes.excluded()),
                              f"{name}: {word} {text!r}")

    def test_a_malformed_row_names_its_line(self):
        import tempfile
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as handle:
            handle.write("# comment\nCommon Words\tTEA\ta drink\nCommon Words TEA a drink\n")
        with self.assertRaisesRegex(SystemExit, "line 3"):
            curated.own_definitions(handle.name)


class Sample(unittest.TestCase):
    ITEMS = [(word, "d") for word in ("CAT", "DOG", "BIRD", "FISH", "HORSE", "SHEEP", "RABBIT",
                                      "DONKEY", "GIRAFFE", "ELEPHANT")]

    def test_the_draw_is_reproducible_distinct_and_of_level_lengths(self):
        first = sample_words.draw(self.ITEMS, "Common Words", 6, 7)
        self.assertEqual(first, sample_words.draw(self.ITEMS, "Common Words", 6, 7))
        self.assertEqual(len({word for word, _ in first}), 6)
        themed = sample_words.draw(self.ITEMS, "Animals", 40, 7)
        self.assertEqual(sorted(themed), sorted(self.ITEMS))  # no more than there are

    def test_a_fixed_sample_names_its_changed_and_its_gone_words(self):
        rows = [["CAT", "d", "ok", "teaches", ""], ["DOG", "old", "ok", "teaches", ""],
                ["EMU", "d", "ok", "teaches", ""]]
        self.assertEqual(sample_words.changed_rows(rows, self.ITEMS),
                         ["DOG: old -> d", "EMU: d -> (gone)"])


class FakeWordNet:
    """Just enough of sources.WordNet for the inflection rules."""

    def __init__(self, senses, counts=()):
        self.senses = senses
        self.tag_counts = dict(counts)


class Synset:
    def __init__(self, lexname):
        self.lexname = lexname


class Inflections(unittest.TestCase):
    WORDNET = FakeWordNet({
        "glass": {"n": [1]}, "glasses": {"n": [2]}, "build": {"v": [3]},
        "building": {"n": [4]}, "duck": {"v": [5], "n": [6]}, "ducking": {"n": [7]},
        "meet": {"v": [8]}, "meeting": {"n": [9]}, "quick": {"a": [10]},
        "quickly": {"r": [11]}, "leave": {"v": [12]}, "left": {"a": [13]},
        "swell": {"v": [14]}, "swollen": {"a": [15]}, "shake": {"v": [16]},
        "shook": {"n": [17]}, "knit": {"v": [18]}, "knitting": {"n": [19]},
    }, {("meeting", "n", 1): 40, ("left", "a", 1): 30})
    EXCEPTIONS = {("v", "left"): ["leave"], ("v", "swollen"): ["swell"], ("v", "shook"): ["shake"],
                  ("v", "knitting"): ["knit"]}
    LISTED = {"glass", "build", "duck", "meet", "quick", "leave", "left", "glasses", "building",
              "ducking", "meeting", "quickly", "swell", "swollen", "shake", "shook", "knit",
              "knitting"}

    def base(self, word, pos, lexname="noun.act"):
        return morphology.inflected_base(self.WORDNET, self.EXCEPTIONS, word,
                                         (pos, 1, Synset(lexname)), self.LISTED)

    def test_plurals_untagged_acts_and_ly_adverbs_are_forms_of_their_base(self):
        self.assertEqual(self.base("glasses", "n", "noun.artifact"), "glass")
        self.assertEqual(self.base("ducking", "n"), "duck")
        self.assertEqual(self.base("quickly", "r"), "quick")
        self.assertEqual(self.base("swollen", "a"), "swell")  # an irregular participle

    def test_an_unused_comparative_that_is_no_noun_is_its_adjective(self):
        wordnet = FakeWordNet({"fine": {"a": [1]}, "finer": {"a": [2]}, "light": {"a": [3]},
                               "lighter": {"n": [4], "a": [5]}})
        listed = {"fine", "finer", "light", "lighter"}
        self.assertEqual(morphology.comparative_base(wordnet, {}, "finer", listed), "fine")
        self.assertIsNone(morphology.comparative_base(wordnet, {}, "lighter", listed))

    def test_things_used_nouns_and_irregular_forms_of_another_part_of_speech_stand(self):
        self.assertIsNone(self.base("building", "n", "noun.artifact"))
        self.assertIsNone(self.base("meeting", "n"))  # WordNet's texts use it
        self.assertIsNone(self.base("left", "a"))     # LEFT the side is no form of LEAVE

    def test_an_unused_word_that_is_a_verbs_irregular_form_is_that_verb(self):
        self.assertEqual(self.base("shook", "n", "noun.artifact"), "shake")  # not barrel staves
        # A doubled consonant is no irregular form: KNITTING the craft stands.
        self.assertIsNone(self.base("knitting", "n", "noun.artifact"))

    def test_an_ing_noun_used_less_than_twice_is_the_verbs_form_unless_a_thing(self):
        wordnet = FakeWordNet({"pull": {"v": [1]}, "pulling": {"n": [2]}, "bar": {"v": [3]},
                               "barring": {"n": [4]}, "dance": {"v": [5]}, "dancing": {"n": [6]},
                               "carpet": {"v": [7]}, "carpeting": {"n": [8]},
                               "ring": {"n": [9]}},
                              {("pulling", "n", 1): 1, ("dancing", "n", 1): 6})
        listed = {"pull", "pulling", "bar", "barring", "dance", "dancing", "carpet",
                  "carpeting", "ring"}

        def rare(word, lexname="noun.act"):
            return morphology.rare_gerund(wordnet, word, ("n", 1, Synset(lexname)), listed)

        self.assertTrue(rare("pulling"))
        self.assertTrue(rare("barring"))  # the doubled R undone: BAR
        self.assertEqual(morphology.gerund_base(wordnet, "dancing", listed), "dance")
        self.assertFalse(rare("dancing"))  # used six times
        self.assertFalse(rare("carpeting", "noun.artifact"))  # a thing
        self.assertFalse(rare("ring"))  # no verb R


    def test_an_ing_noun_naming_an_act_needs_a_few_uses(self):
        wordnet = FakeWordNet({"send": {"v": [1]}, "sending": {"n": [2]}, "holler": {"v": [3]},
                               "hollering": {"n": [4]}, "fish": {"v": [5]}, "fishing": {"n": [6]},
                               "long": {"v": [7]}, "longing": {"n": [8]}},
                              {("sending", "n", 1): 4, ("hollering", "n", 1): 3,
                               ("fishing", "n", 1): 5, ("longing", "n", 1): 4})
        listed = {"send", "sending", "holler", "hollering", "fish", "fishing", "long", "longing"}

        def rare(word, lexname):
            return morphology.rare_gerund(wordnet, word, ("n", 1, Synset(lexname)), listed)

        self.assertTrue(rare("sending", "noun.act"))
        self.assertTrue(rare("hollering", "noun.communication"))  # an utterance is an act too
        self.assertFalse(rare("fishing", "noun.act"))
        self.assertFalse(rare("longing", "noun.feeling"))  # no act: twice is enough


class SpecialistWords(unittest.TestCase):
    """Trade, science and odd forms never hide a word, while plain or used words do."""

    class Sense:
        def __init__(self, pos, lexname, gloss, links=()):
            self.pos, self.lexname, self.gloss = pos, lexname, gloss
            self.links = links

        def targets(self, symbol):
            return [key for link, key in self.links if link == symbol]

    class WordNet:
        DOMAINS = {("n", 1): "computer_science", ("n", 2): "mathematics",
                   ("n", 3): "formality", ("n", 4): "comparative"}

        def __init__(self, senses, counts=()):
            self.senses, self.tag_counts = senses, dict(counts)

        def synset(self, key):
            return type("Domain", (), {"words": [self.DOMAINS[key]]})

    WORDNET = WordNet({"parser": {"n": [1]}, "algebra": {"n": [2]}, "octal": {"a": [3]},
                       "smock": {"v": [4]}, "smocking": {"n": [5]}, "pad": {"v": [6]},
                       "padding": {"n": [7]}, "gild": {"v": [8]}, "gilding": {"n": [9]},
                       "herein": {"r": [10]}, "faster": {"r": [11]}, "nearer": {"r": [12]},
                       "sooner": {"r": [13]}, "fractal": {"n": [14]}, "debugger": {"n": [15]}},
                      {("gilding", "n", 1): 2, ("debugger", "n", 1): 3})
    PLAIN = {"algebra", "padding", "pad"}
    LISTED = {"smock", "smocking", "pad", "padding", "gild", "gilding"}

    def specialist(self, lemma, sense):
        vocabulary = specialist.Vocabulary(self.WORDNET, self.PLAIN)
        return specialist.is_specialist(vocabulary, lemma, sense, self.LISTED)

    def test_a_programmers_or_mathematicians_sense_is_left_out_unless_used(self):
        Sense = self.Sense
        self.assertTrue(self.specialist("parser", Sense(
            "n", "noun.communication", "a computer program that divides code")))
        self.assertTrue(self.specialist("octal", Sense(
            "a", "adj.pert", "of or pertaining to a number system having 8 as its base")))
        self.assertTrue(self.specialist("fractal", Sense(
            "n", "noun.shape", "a geometric pattern", [(";c", ("n", 2))])))
        # The texts use it: a known word whatever its gloss.
        self.assertFalse(self.specialist("debugger", Sense(
            "n", "noun.communication", "a program that helps with programming errors")))

    def test_a_topic_alone_leaves_out_no_word_of_the_plain_lists(self):
        algebra = self.Sense("n", "noun.cognition", "the mathematics of operations",
                             [(";c", ("n", 2))])
        self.assertFalse(self.specialist("algebra", algebra))

    def test_formal_adverbs_and_comparative_adverbs_are_odd_forms(self):
        Sense = self.Sense
        self.assertTrue(self.specialist("herein", Sense("r", "adv.all", "in this place")))
        self.assertTrue(self.specialist("faster", Sense("r", "adv.all", "more quickly")))
        self.assertTrue(self.specialist("nearer", Sense(
            "r", "adv.all", "within a shorter distance", [(";u", ("n", 4))])))
        # An adverb ending in -er whose gloss is no comparative stands.
        self.assertFalse(self.specialist("sooner", Sense(
            "r", "adv.all", "comparatives of soon or early")))

    def test_an_unused_er_noun_spelt_as_a_short_adjectives_comparative_is_odd(self):
        wordnet = self.WordNet({"sharp": {"a": [1]}, "sharper": {"n": [2]}, "dry": {"a": [3], "v": [4]},
                                "dryer": {"n": [5]}, "strange": {"a": [6]}, "stranger": {"n": [7]},
                                "foreign": {"a": [8]}, "foreigner": {"n": [9]},
                                "fancy": {"a": [10]}, "fancier": {"n": [11]}},
                               {("stranger", "n", 1): 15})
        listed = {"sharp", "sharper", "dry", "dryer", "strange", "stranger", "foreign",
                  "foreigner", "fancy", "fancier"}
        vocabulary = specialist.Vocabulary(wordnet, set(), {("a", "fancier"): ["fancy"]})
        person = self.Sense("n", "noun.person", "a person")

        def odd(word):
            return specialist.reads_as_comparative(vocabulary, word, person, listed)

        self.assertTrue(odd("sharper"))
        self.assertTrue(odd("fancier"))     # two syllables ending in Y take -ER
        self.assertFalse(odd("dryer"))      # the doer of the verb DRY
        self.assertFalse(odd("stranger"))   # the texts use it
        self.assertFalse(odd("foreigner"))  # FOREIGN takes no -ER
        self.assertFalse(specialist.reads_as_comparative(
            vocabulary, "sharper", self.Sense("a", "adj.all", "more sharp"), listed))

    def test_a_crafts_ing_noun_is_left_out_unless_plain_or_used(self):
        thing = self.Sense("n", "noun.artifact", "embroidery made by gathering cloth")
        self.assertTrue(self.specialist("smocking", thing))
        self.assertFalse(self.specialist("padding", thing))  # in the plain lists
        self.assertFalse(self.specialist("gilding", thing))  # used twice
        act = self.Sense("n", "noun.act", "the act of gathering cloth")
        self.assertFalse(self.specialist("smocking", act))   # no thing


if __name__ == "__main__":
    unittest.main()


class SoundChecks(unittest.TestCase):
    RATE = 8000

    def measured(self, freq, seconds, peak=1.0):
        samples = sounds.voice(freq, seconds, self.RATE, decay=10.0)
        top = max(abs(value) for value in samples)
        return sounds.measure(self.RATE, [value * peak / top for value in samples])

    def test_the_effects_are_short_equally_loud_and_all_different(self):
        measures = {name: sounds.measure(sounds.EFFECT_RATE,
                                         sounds.matched(make(sounds.EFFECT_RATE)))
                    for name, make in sounds.EFFECTS}
        self.assertEqual(sounds.check_set(measures, sounds.LONGEST_EFFECT, by_loudness=True), [])
        self.assertEqual(len(measures), 8)

    def test_equal_peaks_are_not_equal_loudness(self):
        # A tick dies away at once; a held note of the same peak is far louder.
        tick = sounds.measure(self.RATE, [0.7 * math.exp(-i / 60) * math.sin(i / 2)
                                          for i in range(800)])
        held = sounds.measure(self.RATE, [0.7 * math.sin(i / 3.0) for i in range(2000)])
        self.assertEqual(sounds.check_set({"tick": tick, "held": held}, 1.0), [])
        self.assertIn("loudness differs",
                      sounds.check_set({"tick": tick, "held": held}, 1.0, by_loudness=True)[0])

    def test_a_tune_must_die_away_and_not_end_on_long_silence(self):
        rate = self.RATE
        note = [math.sin(i / 2.0) for i in range(rate)]
        cut = note + sounds.silence(0.5, rate)
        problems = sounds.check_ending("cut", rate, cut)
        self.assertEqual(len(problems), 2)
        self.assertIn("0.50 s of silence", problems[0])
        self.assertIn("instead of dying away", problems[1])
        faded = sounds.faded_out(note, 0.5, rate) + sounds.silence(sounds.TUNE_TAIL, rate)
        self.assertEqual(sounds.check_ending("faded", rate, faded), [])

    def test_a_louder_a_longer_and_a_twin_sound_are_each_reported(self):
        base = {"a": self.measured(440, 0.2), "b": self.measured(880, 0.4)}
        self.assertEqual(sounds.check_set(base, 0.5), [])
        louder = dict(base, c=self.measured(1760, 0.1, peak=0.5))
        self.assertIn("peaks differ", sounds.check_set(louder, 0.5)[0])
        longer = dict(base, c=self.measured(1760, 0.8))
        self.assertEqual(sounds.check_set(longer, 0.5), ["c lasts 0.80 s"])
        twin = dict(base, c=self.measured(450, 0.21))
        self.assertEqual(sounds.check_set(twin, 0.5), ["a and c sound alike"])

    def test_samples_are_written_as_rounded_16_bit_values(self):
        self.assertEqual(sounds.pcm_bytes([0.0, 1.0, -1.0, 0.5]),
                         b"\x00\x00\xff\x7f\x01\x80\x00\x40")
