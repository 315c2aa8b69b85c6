// Puzzle codes: the fields of a puzzle packed into 100 bits, with a CRC that catches typos.
#include "model/PuzzleCode.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace quorvel {

namespace {

// The packed code: version, level, dictionary hash, handicap, lock rule, timed, seed, data
// check (90 bits), then a CRC-10 over them. Twenty base-32 digits in five groups of four.
constexpr int Version = 1;
constexpr int VersionBits = 3, LevelBits = 16, DictionaryBits = 14, HandicapBits = 2, LockBits = 2,
              TimedBits = 1, SeedBits = 32, DataCheckBits = 20, CrcBits = 10;
constexpr int PayloadBits = VersionBits + LevelBits + DictionaryBits + HandicapBits + LockBits +
                            TimedBits + SeedBits + DataCheckBits;
constexpr int CodeDigits = (PayloadBits + CrcBits) / 5;
static_assert((PayloadBits + CrcBits) % 5 == 0);
static_assert(CodeDataCheckMask == (1u << DataCheckBits) - 1);
constexpr const char* Digits = "0123456789ABCDEFGHJKMNPQRSTVWXYZ"; // Crockford's base 32
// CRC-10 (x^10 + x^9 + x^5 + x^4 + x + 1): catches every error within ten bits in a row, so
// every wrong digit and every swap of two neighbouring digits.
constexpr std::uint32_t CrcPolynomial = 0x233;

using Bits = std::array<bool, PayloadBits + CrcBits>;

class BitWriter {
public:
    void put(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i)
            m_bits[m_at++] = ((value >> i) & 1u) != 0;
    }
    const Bits& bits() const { return m_bits; }

private:
    Bits m_bits{};
    std::size_t m_at = 0;
};

class BitReader {
public:
    explicit BitReader(const Bits& bits) : m_bits(bits) {}
    std::uint32_t take(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = (value << 1) | (m_bits[m_at++] ? 1u : 0u);
        return value;
    }

private:
    const Bits& m_bits;
    std::size_t m_at = 0;
};

std::uint32_t crcOf(const Bits& bits) {
    std::uint32_t crc = 0;
    for (int i = 0; i < PayloadBits; ++i) {
        const bool top = ((crc >> (CrcBits - 1)) & 1u) != (bits[static_cast<std::size_t>(i)]);
        crc = (crc << 1) & ((1u << CrcBits) - 1);
        if (top)
            crc ^= CrcPolynomial & ((1u << CrcBits) - 1);
    }
    return crc;
}

std::uint32_t dictionaryHash(std::string_view name) {
    return dataCheckOf(name) & ((1u << DictionaryBits) - 1);
}

// A typed character as a digit's value: Crockford's readings of O, I and L; -1 for others.
int digitValue(char typed) {
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(typed)));
    if (c == 'O')
        c = '0';
    else if (c == 'I' || c == 'L')
        c = '1';
    for (int v = 0; v < 32; ++v)
        if (Digits[v] == c)
            return v;
    return -1;
}

// The code's twenty digits as bits; none when a character is not a digit or the count is off.
std::optional<Bits> codeBits(std::string_view code) {
    Bits bits{};
    std::size_t at = 0;
    int digitsRead = 0;
    for (const char c : code) {
        if (c == '-' || c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        const int value = digitValue(c);
        if (value < 0 || ++digitsRead > CodeDigits)
            return std::nullopt;
        for (int i = 4; i >= 0; --i)
            bits[at++] = ((value >> i) & 1) != 0;
    }
    if (digitsRead != CodeDigits)
        return std::nullopt;
    return bits;
}

CodeRead failed(CodeProblem problem) {
    return {std::nullopt, problem, codeProblemMessage(problem)};
}

} // namespace

std::uint32_t dataCheckOf(std::string_view bytes, std::uint32_t check) {
    for (const char c : bytes) {
        check ^= static_cast<unsigned char>(c);
        check *= 16777619u;
    }
    return check;
}

std::string encodePuzzleCode(const PuzzleSpec& puzzleSpec) {
    BitWriter w;
    w.put(Version, VersionBits);
    w.put(static_cast<std::uint32_t>(std::clamp(puzzleSpec.level, 1, MaxCodeLevel)), LevelBits);
    w.put(dictionaryHash(puzzleSpec.dictionary), DictionaryBits);
    w.put(static_cast<std::uint32_t>(std::clamp(puzzleSpec.handicap, -1, 1) + 1), HandicapBits);
    w.put(static_cast<std::uint32_t>(puzzleSpec.lock), LockBits);
    w.put(puzzleSpec.timed ? 1 : 0, TimedBits);
    w.put(puzzleSpec.seed, SeedBits);
    w.put(puzzleSpec.dataCheck & CodeDataCheckMask, DataCheckBits);
    w.put(crcOf(w.bits()), CrcBits);
    BitReader r(w.bits());
    std::string code;
    for (int d = 0; d < CodeDigits; ++d) {
        if (d > 0 && d % 4 == 0)
            code += '-';
        code += Digits[r.take(5)];
    }
    return code;
}

CodeRead decodePuzzleCode(std::string_view code,
                          const std::vector<std::string>& knownDictionaries) {
    const std::optional<Bits> bits = codeBits(code);
    if (!bits)
        return failed(CodeProblem::Mistyped);
    BitReader r(*bits);
    PuzzleSpec puzzleSpec;
    const std::uint32_t version = r.take(VersionBits);
    puzzleSpec.level = static_cast<int>(r.take(LevelBits));
    const std::uint32_t dictionary = r.take(DictionaryBits);
    const std::uint32_t handicap = r.take(HandicapBits);
    const std::uint32_t lock = r.take(LockBits);
    puzzleSpec.timed = r.take(TimedBits) != 0;
    puzzleSpec.seed = r.take(SeedBits);
    puzzleSpec.dataCheck = r.take(DataCheckBits);
    const std::uint32_t crc = r.take(CrcBits);
    if (crc != crcOf(*bits) || version != Version || puzzleSpec.level < 1 || handicap > 2)
        return failed(CodeProblem::Mistyped);
    puzzleSpec.handicap = static_cast<int>(handicap) - 1;
    puzzleSpec.lock = static_cast<LockRule>(lock);
    const auto known =
        std::find_if(knownDictionaries.begin(), knownDictionaries.end(),
                     [&](const std::string& name) { return dictionaryHash(name) == dictionary; });
    if (known == knownDictionaries.end())
        return failed(CodeProblem::UnknownDictionary);
    puzzleSpec.dictionary = *known;
    return {puzzleSpec, CodeProblem::None, {}};
}

std::string codeProblemMessage(CodeProblem problem) {
    switch (problem) {
    case CodeProblem::None:
        return {};
    case CodeProblem::Mistyped:
        return "This puzzle code is mistyped. Please check it and try again.";
    case CodeProblem::UnknownDictionary:
        return "This puzzle code needs a dictionary that is not installed.";
    case CodeProblem::DataDiffers:
        return "This puzzle was made from different word lists or levels than yours.";
    case CodeProblem::NoSuchLevel:
        return "This puzzle code names a level that your levels do not have.";
    }
    return {};
}

} // namespace quorvel
