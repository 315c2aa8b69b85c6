// The text form of a move: one line of blank-separated words, as the tool's play command reads it.
#include "model/Move.h"

#include "model/OptionMoves.h"

#include "base/Text.h"

#include <array>
#include <charconv>
#include <climits>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace quorvel {

Move Move::shift(int column, bool down) {
    Move m = of(Kind::Shift);
    m.column = column;
    m.down = down;
    return m;
}

Move Move::click(int row, int column) {
    Move m = of(Kind::Click);
    m.row = row;
    m.column = column;
    return m;
}

Move Move::drop(int row, int column) {
    Move m = click(row, column);
    m.kind = Kind::Drop;
    return m;
}

Move Move::pickLevel(int level, bool startGame) {
    Move m = of(Kind::PickLevel);
    m.level = level;
    m.startGame = startGame;
    return m;
}

Move Move::pickerLevel(int level) {
    Move m = of(Kind::PickerLevel);
    m.level = level;
    return m;
}

Move Move::restoreLevel(int level) {
    Move m = of(Kind::RestoreLevel);
    m.level = level;
    return m;
}

Move Move::banner(int seconds, std::uint32_t colour, std::string text) {
    Move m = of(Kind::ShowBanner);
    m.seconds = seconds;
    m.colour = colour;
    m.text = std::move(text);
    return m;
}

Move Move::wait(std::int64_t ms) {
    Move m = of(Kind::Wait);
    m.waitMs = ms;
    return m;
}

Move Move::playCode(std::string code) {
    Move m = of(Kind::PlayCode);
    m.text = std::move(code);
    return m;
}

Move Move::daily(const CivilDate& date) {
    Move m = of(Kind::Daily);
    m.date = date;
    return m;
}

Move Move::setOption(Option option, int value) {
    Move m = of(Kind::SetOption);
    m.option = option;
    m.value = value;
    return m;
}

Move Move::setDictionary(std::string name) {
    Move m = of(Kind::SetOption);
    m.option = Option::Dictionary;
    m.text = std::move(name);
    return m;
}

Move Move::of(Kind kind) {
    Move m;
    m.kind = kind;
    return m;
}

namespace {

struct BareMove {
    const char* word;
    Move::Kind kind;
};

constexpr std::array<BareMove, 10> BareMoves = {{{"lockall", Move::Kind::LockAll},
                                                 {"clue", Move::Kind::Clue},
                                                 {"clue-step", Move::Kind::ClueStep},
                                                 {"solve", Move::Kind::Solve},
                                                 {"undo", Move::Kind::Undo},
                                                 {"pause", Move::Kind::Pause},
                                                 {"ok", Move::Kind::BannerOk},
                                                 {"new", Move::Kind::NewPuzzle},
                                                 {"tick", Move::Kind::Tick},
                                                 {"banner-timeout", Move::Kind::BannerTimeUp}}};

struct LevelStep {
    const char* word;
    Move::Kind kind;
};

constexpr std::array<LevelStep, 3> LevelSteps = {{{"next", Move::Kind::NextLevel},
                                                  {"previous", Move::Kind::PreviousLevel},
                                                  {"random", Move::Kind::RandomLevel}}};

// Seconds, whole or with up to three decimals, as milliseconds; none for anything negative.
std::optional<std::int64_t> waitMilliseconds(std::string_view text) {
    const std::size_t point = text.find('.');
    const auto seconds = wholeNumber(text.substr(0, point));
    if (!seconds || *seconds < 0)
        return std::nullopt;
    std::int64_t ms = static_cast<std::int64_t>(*seconds) * 1000;
    if (point == std::string_view::npos)
        return ms;
    const std::string_view fraction = text.substr(point + 1);
    if (text[0] == '-' || fraction.empty() || fraction.size() > 3)
        return std::nullopt;
    int scale = 100;
    for (const char c : fraction) {
        if (c < '0' || c > '9')
            return std::nullopt;
        ms += (c - '0') * scale;
        scale /= 10;
    }
    return ms;
}

MoveParse usage(const std::string& text) {
    return {std::nullopt, "usage: " + text};
}

MoveParse parseCell(const std::vector<std::string>& words, Move::Kind kind) {
    const auto row = words.size() == 3 ? wholeNumber(words[1]) : std::nullopt;
    const auto column = words.size() == 3 ? wholeNumber(words[2]) : std::nullopt;
    if (!row || !column)
        return usage(words[0] + " ROW COLUMN");
    return {kind == Move::Kind::Click ? Move::click(*row, *column) : Move::drop(*row, *column), {}};
}

MoveParse parseShift(const std::vector<std::string>& words) {
    const auto column = words.size() == 3 ? wholeNumber(words[1]) : std::nullopt;
    if (!column || (words[2] != "down" && words[2] != "up"))
        return usage("shift COLUMN down|up");
    return {Move::shift(*column, words[2] == "down"), {}};
}

MoveParse parseLevel(const std::vector<std::string>& words) {
    const char* form = "level L, level L new, level next|previous|random";
    if (words.size() == 2) {
        for (const LevelStep& step : LevelSteps)
            if (words[1] == step.word)
                return {Move::of(step.kind), {}};
    }
    const auto level = words.size() >= 2 ? wholeNumber(words[1]) : std::nullopt;
    const bool startGame = words.size() == 3 && words[2] == "new";
    if (!level || words.size() > 3 || (words.size() == 3 && !startGame))
        return usage(form);
    return {Move::pickLevel(*level, startGame), {}};
}

// "picker L" and "restore-level L": one level number.
MoveParse parseLevelNumber(const std::vector<std::string>& words, Move::Kind kind) {
    const auto level = words.size() == 2 ? wholeNumber(words[1]) : std::nullopt;
    if (!level)
        return usage(words[0] + " L");
    return {kind == Move::Kind::PickerLevel ? Move::pickerLevel(*level)
                                            : Move::restoreLevel(*level),
            {}};
}

// A colour 0xBBGGRR written as up to eight hex digits.
std::optional<std::uint32_t> hexColour(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || text.size() > 8 || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "banner S RRGGBB TEXT": the text is the rest of the line, its words one blank apart.
MoveParse parseBanner(const std::vector<std::string>& words) {
    const auto seconds = words.size() >= 3 ? wholeNumber(words[1]) : std::nullopt;
    const auto colour = words.size() >= 3 ? hexColour(words[2]) : std::nullopt;
    if (!seconds || !colour)
        return usage("banner SECONDS COLOUR TEXT");
    std::string text;
    for (std::size_t i = 3; i < words.size(); ++i)
        text += (i > 3 ? " " : "") + words[i];
    return {Move::banner(*seconds, *colour, text), {}};
}

std::string bannerText(const Move& move) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "%06X", static_cast<unsigned>(move.colour));
    std::string text = "banner " + std::to_string(move.seconds) + ' ' + colour;
    return move.text.empty() ? text : text + ' ' + move.text;
}

MoveParse parseWait(const std::vector<std::string>& words) {
    const auto ms = words.size() == 2 ? waitMilliseconds(words[1]) : std::nullopt;
    if (!ms)
        return usage("wait SECONDS");
    return {Move::wait(*ms), {}};
}

MoveParse parseCode(const std::vector<std::string>& words) {
    if (words.size() != 2)
        return usage("code CODE");
    return {Move::playCode(words[1]), {}};
}

MoveParse parseDaily(const std::vector<std::string>& words) {
    const auto date = words.size() == 2 ? parseIsoDate(words[1]) : std::nullopt;
    if (!date)
        return usage("daily YYYY-MM-DD");
    return {Move::daily(*date), {}};
}

std::string cell(const Move& move) {
    return std::to_string(move.row) + ' ' + std::to_string(move.column);
}

std::string waitText(std::int64_t ms) {
    std::string text = std::to_string(ms / 1000);
    if (const std::int64_t rest = ms % 1000; rest != 0) {
        const std::string digits = std::to_string(1000 + rest); // "1xyz": keeps the zeros
        text += '.' + digits.substr(1);
    }
    return text;
}

} // namespace

MoveParse parseMove(std::string_view line) {
    const std::vector<std::string> words = splitWords(line);
    if (words.empty())
        return {};
    const std::string& word = words[0];
    if (word == "shift")
        return parseShift(words);
    if (word == "click")
        return parseCell(words, Move::Kind::Click);
    if (word == "drop")
        return parseCell(words, Move::Kind::Drop);
    if (word == "level")
        return parseLevel(words);
    if (word == "wait")
        return parseWait(words);
    if (word == "picker")
        return parseLevelNumber(words, Move::Kind::PickerLevel);
    if (word == "restore-level")
        return parseLevelNumber(words, Move::Kind::RestoreLevel);
    if (word == "banner")
        return parseBanner(words);
    if (word == "code")
        return parseCode(words);
    if (word == "daily")
        return parseDaily(words);
    if (word == "set")
        return parseOptionMove(words);
    for (const BareMove& bare : BareMoves) {
        if (word != bare.word)
            continue;
        if (words.size() != 1)
            return usage(word);
        return {Move::of(bare.kind), {}};
    }
    return {};
}

std::string formatMove(const Move& move) {
    switch (move.kind) {
    case Move::Kind::Shift:
        return "shift " + std::to_string(move.column) + (move.down ? " down" : " up");
    case Move::Kind::Click:
        return "click " + cell(move);
    case Move::Kind::Drop:
        return "drop " + cell(move);
    case Move::Kind::PickLevel:
        return "level " + std::to_string(move.level) + (move.startGame ? " new" : "");
    case Move::Kind::NextLevel:
        return "level next";
    case Move::Kind::PreviousLevel:
        return "level previous";
    case Move::Kind::RandomLevel:
        return "level random";
    case Move::Kind::Wait:
        return "wait " + waitText(move.waitMs);
    case Move::Kind::PickerLevel:
        return "picker " + std::to_string(move.level);
    case Move::Kind::RestoreLevel:
        return "restore-level " + std::to_string(move.level);
    case Move::Kind::ShowBanner:
        return bannerText(move);
    case Move::Kind::PlayCode:
        return "code " + move.text;
    case Move::Kind::Daily:
        return "daily " + isoDate(move.date);
    case Move::Kind::SetOption:
        return formatOptionMove(move);
    default:
        break;
    }
    for (const BareMove& bare : BareMoves)
        if (bare.kind == move.kind)
            return bare.word;
    return {};
}

} // namespace quorvel
