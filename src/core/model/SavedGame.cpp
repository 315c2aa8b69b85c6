// The saved game's text: a format line, the fields, the moves one a line, and a check line.
#include "model/SavedGame.h"

#include "model/OptionMoves.h"
#include "model/PuzzleCode.h"

#include "base/Text.h"

#include <cstdio>
#include <vector>

namespace quorvel {

namespace {

constexpr std::string_view FormatLine = "Quorvel saved game 2";
constexpr std::string_view FirstFormatLine = "Quorvel saved game 1"; // without the options
constexpr std::size_t OptionCount = 9;
constexpr std::size_t MaxCodeLength = 64;

std::string hex8(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

// The text's lines, without their LF; a last line without one counts. A CR is the line's own:
// the game writes none, and a file whose line ends were changed fails its check anyway.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

// The value after "name " on a line, or none when the line is another.
std::optional<std::string_view> field(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
        line[name.size()] != ' ')
        return std::nullopt;
    return line.substr(name.size() + 1);
}

SavedGameRead refused(std::string problem) {
    return {std::nullopt, std::move(problem)};
}

// "grace MS" or "penalties MS", the time within 0..MaxSavedWaitMs.
bool readTimer(std::string_view value, SavedGame& game) {
    const std::vector<std::string> words = splitWords(value);
    if (words.size() != 2 || (words[0] != "grace" && words[0] != "penalties"))
        return false;
    const std::optional<int> ms = wholeNumber(words[1]);
    if (!ms || *ms < 0 || *ms > MaxSavedWaitMs)
        return false;
    game.timerPhase = words[0] == "grace" ? TimerPhase::Grace : TimerPhase::Penalties;
    game.msIntoInterval = *ms;
    return true;
}

// A move line a player's game can have made: it reads whole, and a wait is not endless.
std::optional<Move> savedMove(std::string_view line) {
    const MoveParse parse = parseMove(line);
    if (!parse.move ||
        (parse.move->kind == Move::Kind::Wait && parse.move->waitMs > MaxSavedWaitMs))
        return std::nullopt;
    return parse.move;
}

// "options N" and N option moves, each of which must set an option.
bool readOptions(const std::vector<std::string_view>& lines, std::size_t& at, SavedGame& game) {
    const auto count = at < lines.size() ? field(lines[at++], "options") : std::nullopt;
    const std::optional<int> n = count ? wholeNumber(*count) : std::nullopt;
    if (!n || *n < 0 || static_cast<std::size_t>(*n) > OptionCount ||
        static_cast<std::size_t>(*n) > lines.size() - at)
        return false;
    GameOptions options;
    for (int i = 0; i < *n; ++i) {
        const MoveParse parse = parseMove(lines[at++]);
        if (!parse.move || parse.move->kind != Move::Kind::SetOption ||
            !setOption(options, *parse.move))
            return false;
    }
    game.options = options;
    return true;
}

} // namespace

std::string formatSavedGame(const SavedGame& game) {
    // A game read from a file of the first format is written as one: it has no options to keep.
    std::string text(game.options ? FormatLine : FirstFormatLine);
    text += "\ncode " + game.code + '\n';
    if (game.daily)
        text += "daily " + isoDate(*game.daily) + '\n';
    text += std::string("timer ") +
            (game.timerPhase == TimerPhase::Grace ? "grace " : "penalties ") +
            std::to_string(game.msIntoInterval) + '\n';
    if (game.options) {
        const std::vector<Move> options = everyOptionMove(*game.options);
        text += "options " + std::to_string(options.size()) + '\n';
        for (const Move& move : options)
            text += formatMove(move) + '\n';
    }
    text += "moves " + std::to_string(game.moves.size()) + '\n';
    for (const Move& move : game.moves)
        text += formatMove(move) + '\n';
    return text + "check " + hex8(dataCheckOf(text)) + '\n';
}

SavedGameRead parseSavedGame(std::string_view text) {
    if (text.size() > MaxSavedGameBytes)
        return refused("The saved game is too large.");
    const std::size_t checkAt = text.rfind("check ");
    if (checkAt == std::string_view::npos || (checkAt > 0 && text[checkAt - 1] != '\n'))
        return refused("The saved game has no check line.");
    const std::vector<std::string_view> tail = linesOf(text.substr(checkAt));
    if (tail.size() != 1 || tail[0] != "check " + hex8(dataCheckOf(text.substr(0, checkAt))))
        return refused("The saved game is damaged: its check does not match.");

    const std::vector<std::string_view> lines = linesOf(text.substr(0, checkAt));
    std::size_t at = 0;
    auto next = [&]() { return at < lines.size() ? lines[at++] : std::string_view(); };
    SavedGame game;
    const std::string_view format = next();
    if (format != FormatLine && format != FirstFormatLine)
        return refused("The saved game is of an unknown format.");
    const auto code = field(next(), "code");
    if (!code || code->size() > MaxCodeLength)
        return refused("The saved game names no puzzle.");
    game.code = std::string(*code);
    std::string_view line = next();
    if (const auto daily = field(line, "daily")) {
        game.daily = parseIsoDate(*daily);
        if (!game.daily)
            return refused("The saved game's date does not read.");
        line = next();
    }
    const auto timer = field(line, "timer");
    if (!timer || !readTimer(*timer, game))
        return refused("The saved game's timer does not read.");
    if (format == FormatLine && !readOptions(lines, at, game))
        return refused("The saved game's options do not read.");
    const auto count = field(next(), "moves");
    const std::optional<int> moves = count ? wholeNumber(*count) : std::nullopt;
    if (!moves || *moves < 0 || static_cast<std::size_t>(*moves) > MaxSavedMoves ||
        static_cast<std::size_t>(*moves) != lines.size() - at)
        return refused("The saved game's moves are not all there.");
    for (; at < lines.size(); ++at) {
        const std::optional<Move> move = savedMove(lines[at]);
        if (!move)
            return refused("The saved game holds a move that does not read: " +
                           std::string(lines[at].substr(0, 40)));
        game.moves.push_back(*move);
    }
    return {std::move(game), {}};
}

} // namespace quorvel
