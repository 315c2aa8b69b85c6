// A puzzle code: a short text that names a board exactly, to be rebuilt on another machine.
#pragma once

#include "model/GameTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What rebuilds a board anywhere: the level, the words and the options that shape the board,
// and the seed of its build.
struct PuzzleSpec {
    int level = 1;          // 1..MaxCodeLevel
    std::string dictionary; // as the options show it ("Common Words")
    int handicap = 0;       // -1, 0, 1
    LockRule lock = LockRule::None;
    bool timed = false;
    std::uint32_t seed = 0;
    std::uint32_t dataCheck = 0; // of the words and the level's layout the board was made from;
                                 // only the bits of CodeDataCheckMask travel in a code

    bool operator==(const PuzzleSpec&) const = default;
};

constexpr int MaxCodeLevel = 65535;
constexpr std::uint32_t CodeDataCheckMask = 0xFFFFF;

// The code of a puzzle: groups of Crockford base-32 digits joined by dashes, at most 24
// characters. The dictionary travels as a hash of its name.
std::string encodePuzzleCode(const PuzzleSpec& puzzleSpec);

enum class CodeProblem { None, Mistyped, UnknownDictionary, DataDiffers, NoSuchLevel };

struct CodeRead {
    std::optional<PuzzleSpec> puzzleSpec;
    CodeProblem problem = CodeProblem::None;
    std::string message; // for the player; empty when the code reads
};

// Reads a code as a player may type it: any case, blanks around it, dashes anywhere, O for 0,
// I and L for 1. A typo is caught by the code's own check before anything else.
// knownDictionaries: the names of the installed dictionaries.
CodeRead decodePuzzleCode(std::string_view code, const std::vector<std::string>& knownDictionaries);

// The player's words for a problem.
std::string codeProblemMessage(CodeProblem problem);

// A 32-bit check of bytes, the same on every machine (FNV-1a).
std::uint32_t dataCheckOf(std::string_view bytes, std::uint32_t check = 2166136261u);

} // namespace quorvel
