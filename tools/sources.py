"""Readers for the Debian word sources the shipped data is made from.

Packages read (Debian 12):
  wordnet-base  /usr/share/wordnet/{index,data}.{noun,verb,adj,adv}, cntlist.rev
  scowl         /usr/share/dict/scowl/<kind>.<size>

Everything here returns plain dicts, lists and sets; callers sort before they
write anything, so no output depends on hash or file-system order.
"""

import os

WORDNET_DIR = "/usr/share/wordnet"
SCOWL_DIR = "/usr/share/dict/scowl"

POS_FILES = ("noun", "verb", "adj", "adv")
POS_CHARS = {"noun": "n", "verb": "v", "adj": "a", "adv": "r"}
# cntlist.rev sense keys number the parts of speech; 5 is an adjective satellite.
SENSE_KEY_POS = {"1": "n", "2": "v", "3": "a", "4": "r", "5": "a"}

# WordNet's lexicographer files by number (the fixed table of its lexnames file).
LEXNAMES = (
    "adj.all", "adj.pert", "adv.all", "noun.Tops", "noun.act", "noun.animal",
    "noun.artifact", "noun.attribute", "noun.body", "noun.cognition",
    "noun.communication", "noun.event", "noun.feeling", "noun.food", "noun.group",
    "noun.location", "noun.motive", "noun.object", "noun.person",
    "noun.phenomenon", "noun.plant", "noun.possession", "noun.process",
    "noun.quantity", "noun.relation", "noun.shape", "noun.state",
    "noun.substance", "noun.time", "verb.body", "verb.change", "verb.cognition",
    "verb.communication", "verb.competition", "verb.consumption", "verb.contact",
    "verb.creation", "verb.emotion", "verb.motion", "verb.perception",
    "verb.possession", "verb.social", "verb.stative", "verb.weather", "adj.ppl",
)


def require(path, package):
    if not os.path.exists(path):
        raise SystemExit(f"missing {path}: install the Debian package {package}")
    return path


# --- SCOWL -------------------------------------------------------------------

def scowl_words(kinds, sizes):
    """Entries of the SCOWL lists <kind>.<size> for every kind and size that exists."""
    require(SCOWL_DIR, "scowl")
    words = set()
    for kind in kinds:
        for size in sizes:
            path = os.path.join(SCOWL_DIR, f"{kind}.{size}")
            if not os.path.exists(path):
                continue
            with open(path, encoding="iso-8859-1") as handle:
                text = handle.read()
            # A few lists are UTF-8; their non-ASCII entries never pass the
            # letters-only filters callers apply, so the decoding does not matter.
            # Split at line feeds only: splitlines() would also break at U+0085,
            # a byte that UTF-8 text holds inside letters such as "Å".
            words.update(line.strip() for line in text.split("\n") if line.strip())
    return words


# --- WordNet -----------------------------------------------------------------

class Synset:
    __slots__ = ("pos", "offset", "lexname", "words", "pointers", "word_links", "gloss")

    def __init__(self, pos, offset, lexname, words, pointers, gloss, word_links=()):
        self.pos = pos            # "n", "v", "a", "r"
        self.offset = offset      # int, unique within its part of speech
        self.lexname = lexname    # e.g. "noun.animal"
        self.words = words        # word forms as written, underscores for blanks
        self.pointers = pointers  # (symbol, pos, offset)
        # Links between single words rather than whole senses (derivation, antonymy):
        # (symbol, index of the word here, pos, offset, index of the word there).
        self.word_links = word_links
        self.gloss = gloss

    @property
    def key(self):
        return (self.pos, self.offset)

    def targets(self, *symbols):
        return [(pos, off) for sym, pos, off in self.pointers if sym in symbols]


def _strip_marker(word):
    # Adjectives may carry a syntactic marker such as "(a)", "(p)" or "(ip)".
    cut = word.find("(")
    return word[:cut] if cut > 0 else word


def _parse_data_line(line):
    head, _, gloss = line.partition(" | ")
    fields = head.split()
    offset = int(fields[0])
    lexname = LEXNAMES[int(fields[1])]
    pos = "a" if fields[2] in ("a", "s") else fields[2]
    count = int(fields[3], 16)
    words = [_strip_marker(fields[4 + 2 * i]) for i in range(count)]
    at = 4 + 2 * count
    pointer_count = int(fields[at])
    pointers, word_links = [], []
    for i in range(pointer_count):
        sym, off, ppos, ends = fields[at + 1 + 4 * i: at + 5 + 4 * i]
        ppos = "a" if ppos in ("a", "s") else ppos
        pointers.append((sym, ppos, int(off)))
        # "0000" links the senses; otherwise two hex digits name each end's word.
        if ends != "0000":
            word_links.append((sym, int(ends[:2], 16) - 1, ppos, int(off), int(ends[2:], 16) - 1))
    return Synset(pos, offset, lexname, words, pointers, gloss.strip(), word_links)


class WordNet:
    """The whole database in memory: synsets by key and sense lists by lemma."""

    def __init__(self, root=WORDNET_DIR):
        self.synsets = {}
        self.senses = {}  # lemma -> {pos: [offsets in sense order]}
        for name in POS_FILES:
            self._read_data(require(os.path.join(root, "data." + name), "wordnet-base"))
            self._read_index(require(os.path.join(root, "index." + name), "wordnet-base"),
                             POS_CHARS[name])
        self.tag_counts = self._read_counts(require(os.path.join(root, "cntlist.rev"),
                                                    "wordnet-base"))

    def _read_data(self, path):
        with open(path, encoding="latin-1") as handle:
            for line in handle:
                if line.startswith("  "):
                    continue  # licence header
                synset = _parse_data_line(line.rstrip("\n"))
                self.synsets[synset.key] = synset

    def _read_index(self, path, pos):
        with open(path, encoding="latin-1") as handle:
            for line in handle:
                if line.startswith("  "):
                    continue
                fields = line.split()
                lemma = fields[0]
                pointer_count = int(fields[3])
                sense_count = int(fields[2])
                offsets = [int(x) for x in fields[6 + pointer_count:6 + pointer_count + sense_count]]
                self.senses.setdefault(lemma, {})[pos] = offsets

    @staticmethod
    def _read_counts(path):
        counts = {}
        with open(path, encoding="latin-1") as handle:
            for line in handle:
                key, number, count = line.split()
                lemma, _, rest = key.partition("%")
                pos = SENSE_KEY_POS[rest[0]]
                counts[(lemma, pos, int(number))] = int(count)
        return counts

    def synset(self, key):
        return self.synsets[key]

    def ancestors(self, key, symbols=("@", "@i")):
        """Every synset reachable by hypernym links (instance links too), as keys."""
        seen = set()
        todo = [key]
        while todo:
            current = todo.pop()
            for target in self.synsets[current].targets(*symbols):
                if target not in seen:
                    seen.add(target)
                    todo.append(target)
        return seen

    def derived_words(self, key, word):
        """The words WordNet derives from, or derives into, this word of the sense:
        [(pos, offset, word)] (ENVY's envious, GRIEVE's grief)."""
        synset = self.synsets[key]
        found = []
        for sym, source, pos, offset, target in synset.word_links:
            if sym == "+" and 0 <= source < len(synset.words) and \
                    synset.words[source].lower() == word:
                found.append((pos, offset, self.synsets[(pos, offset)].words[target].lower()))
        return found

    def lemma_keys(self, lemma, pos="n"):
        return [(pos, off) for off in self.senses.get(lemma, {}).get(pos, [])]
