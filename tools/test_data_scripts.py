"""Tests of the data scripts' own rules: python3 -m unittest discover -s tools"""

import unittest

import glosses
import levels
import sounds
import themes


class ShortDefinition(unittest.TestCase):
    def test_examples_are_dropped_and_short_glosses_kept_whole(self):
        self.assertEqual(glosses.short_definition('a domestic animal; "the dog barked"'),
                         "a domestic animal")
        self.assertEqual(glosses.short_definition("as `easy' as pie;"), "as 'easy' as pie")

    def test_long_glosses_end_at_a_clause_or_word_boundary(self):
        clause = "a bottomless gulf or pit; " + "any cavity extending below " * 6
        self.assertEqual(glosses.short_definition(clause), "a bottomless gulf or pit")
        words = "word " * 40
        cut = glosses.short_definition(words)
        self.assertLessEqual(len(cut), glosses.MAX_DEFINITION)
        self.assertTrue(cut.endswith("word..."), cut)

    def test_a_cut_never_leaves_a_parenthesis_open(self):
        gloss = "an elected council in a communist country (" + "especially one " * 10 + ")"
        cut = glosses.short_definition(gloss)
        self.assertEqual(cut.count("("), cut.count(")"), cut)
        self.assertLessEqual(len(cut), glosses.MAX_DEFINITION)


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
        self.assertEqual(len(parsed), len(levels.NUMERIC_LEVELS) +
                         sum(stage[0] for stage in levels.DRAWN_STAGES))
        for number, rows in enumerate(parsed, 1):
            self.assertEqual(levels.check_layout(rows), [], number)
            self.assertLessEqual(sum(levels.word_lengths(rows)), levels.MAX_LETTERS, number)
            for count in (sum(1 for row in rows if row[c] == "X") for c in range(len(rows[0]))):
                self.assertGreaterEqual(count, 2, number)

    def test_the_generator_gives_the_same_levels_every_time(self):
        self.assertEqual(levels.drawn_levels(), levels.drawn_levels())
        self.assertNotEqual(levels.drawn_levels(seed=1), levels.drawn_levels(seed=2))

    def test_expected_draws_add_up_per_word_and_refuse_missing_lengths(self):
        counts = {4: 10, 5: 40}
        self.assertAlmostEqual(levels.expected_draws(["XXXX-XXXXX"], counts, 100), 12.5)
        self.assertEqual(levels.expected_draws(["XXX"], counts, 100), float("inf"))


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
                                         sounds.normalised(make(sounds.EFFECT_RATE)))
                    for name, make in sounds.EFFECTS}
        self.assertEqual(sounds.check_set(measures, sounds.LONGEST_EFFECT), [])
        self.assertEqual(len(measures), 8)

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
