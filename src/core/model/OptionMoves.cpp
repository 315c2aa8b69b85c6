// Option moves: "set NAME VALUE", and what each does to the options.
#include "model/OptionMoves.h"

#include "base/Text.h"

#include <array>
#include <optional>

namespace quorvel {

namespace {

using Option = Move::Option;

struct OptionName {
    const char* word;
    Option option;
};

constexpr std::array<OptionName, 9> OptionNames = {{{"handicap", Option::Handicap},
                                                    {"timed", Option::Timed},
                                                    {"timer-sounds", Option::TimerSounds},
                                                    {"auto-advance", Option::AutoAdvance},
                                                    {"lock", Option::Lock},
                                                    {"dictionary", Option::Dictionary},
                                                    {"definitions", Option::Definitions},
                                                    {"trace", Option::Trace},
                                                    {"trace-available", Option::TraceAvailable}}};

constexpr std::array<const char*, 4> LockWords = {"none", "vowels", "first", "random"};

MoveParse usage() {
    return {std::nullopt, "usage: set timed 0|1, set timer-sounds 0|1, "
                          "set lock none|vowels|first|random, set auto-advance 0|1, "
                          "set handicap -1|0|1, set definitions 0|1, set dictionary NAME"};
}

// The value's word as the option's number: a switch 0|1, the handicap, the lock rule.
std::optional<int> valueOf(Option option, const std::string& word) {
    if (option == Option::Lock) {
        for (std::size_t i = 0; i < LockWords.size(); ++i)
            if (word == LockWords[i])
                return static_cast<int>(i);
        return std::nullopt;
    }
    const std::optional<int> value = wholeNumber(word);
    const int lowest = option == Option::Handicap ? -1 : 0;
    if (!value || *value < lowest || *value > 1)
        return std::nullopt;
    return value;
}

bool* switchOf(GameOptions& options, Option option) {
    switch (option) {
    case Option::Timed: return &options.timed;
    case Option::TimerSounds: return &options.timerPopSounds;
    case Option::AutoAdvance: return &options.autoAdvance;
    case Option::Definitions: return &options.definitions;
    case Option::Trace: return &options.trace;
    case Option::TraceAvailable: return &options.traceAvailable;
    default: return nullptr;
    }
}

} // namespace

MoveParse parseOptionMove(const std::vector<std::string>& words) {
    if (words.size() < 3)
        return usage();
    for (const OptionName& name : OptionNames) {
        if (words[1] != name.word)
            continue;
        if (name.option == Option::Dictionary) {
            std::string text = words[2];
            for (std::size_t i = 3; i < words.size(); ++i)
                text += ' ' + words[i];
            return {Move::setDictionary(text), {}};
        }
        const std::optional<int> value = words.size() == 3 ? valueOf(name.option, words[2])
                                                           : std::nullopt;
        if (!value)
            return usage();
        return {Move::setOption(name.option, *value), {}};
    }
    return usage();
}

std::string formatOptionMove(const Move& move) {
    for (const OptionName& name : OptionNames) {
        if (name.option != move.option)
            continue;
        std::string text = std::string("set ") + name.word + ' ';
        if (move.option == Option::Dictionary)
            return text + move.text;
        if (move.option == Option::Lock && move.value >= 0 && move.value < 4)
            return text + LockWords[static_cast<std::size_t>(move.value)];
        return text + std::to_string(move.value);
    }
    return {};
}

bool setOption(GameOptions& options, const Move& move) {
    switch (move.option) {
    case Option::Handicap:
        if (move.value < -1 || move.value > 1)
            return false;
        options.handicap = move.value;
        return true;
    case Option::Lock:
        if (move.value < 0 || move.value > 3)
            return false;
        options.lock = static_cast<LockRule>(move.value);
        return true;
    case Option::Dictionary:
        // A name, not a path: a saved game's move must not reach a file outside kbs/.
        if (move.text.empty() || move.text.find_first_of("/\\") != std::string::npos)
            return false;
        options.dictionary = move.text;
        return true;
    default:
        break;
    }
    bool* const value = switchOf(options, move.option);
    if (!value || (move.value != 0 && move.value != 1))
        return false;
    *value = move.value == 1;
    return true;
}

std::vector<Move> everyOptionMove(const GameOptions& options) {
    GameOptions opposite = options;
    opposite.dictionary += '*'; // never a name: every option then differs
    opposite.handicap = options.handicap == 0 ? 1 : 0;
    opposite.lock = options.lock == LockRule::None ? LockRule::Vowels : LockRule::None;
    for (const Option option : {Option::Timed, Option::TimerSounds, Option::AutoAdvance,
                                Option::Definitions, Option::Trace, Option::TraceAvailable})
        *switchOf(opposite, option) = !*switchOf(opposite, option);
    return optionMoves(opposite, options);
}

std::vector<Move> optionMoves(const GameOptions& from, const GameOptions& to) {
    std::vector<Move> moves;
    if (from.dictionary != to.dictionary)
        moves.push_back(Move::setDictionary(to.dictionary));
    if (from.handicap != to.handicap)
        moves.push_back(Move::setOption(Option::Handicap, to.handicap));
    if (from.lock != to.lock)
        moves.push_back(Move::setOption(Option::Lock, static_cast<int>(to.lock)));
    GameOptions source = from;
    GameOptions target = to;
    for (const Option option : {Option::Timed, Option::TimerSounds, Option::AutoAdvance,
                                Option::Definitions, Option::Trace, Option::TraceAvailable})
        if (*switchOf(source, option) != *switchOf(target, option))
            moves.push_back(Move::setOption(option, *switchOf(target, option) ? 1 : 0));
    return moves;
}

} // namespace quorvel
