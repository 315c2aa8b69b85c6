// quorvel-tool play: the moves of a game read as text and applied, and options changed mid-game.
#include "PlaySession.h"

#include "base/Text.h"
#include "model/Move.h"

#include <map>
#include <optional>

namespace quorvel::tool {

namespace {

bool parseSwitch(const std::string& text, bool& value) {
    if (text != "0" && text != "1")
        return false;
    value = text == "1";
    return true;
}

void set(PlaySession& session, const std::vector<std::string>& words) {
    static const std::map<std::string, LockRule> locks = {{"none", LockRule::None},
                                                          {"vowels", LockRule::Vowels},
                                                          {"first", LockRule::First},
                                                          {"random", LockRule::Randomly}};
    GameOptions changed = session.options();
    bool ok = words.size() == 3;
    if (ok) {
        const std::string& option = words[1];
        const std::string& value = words[2];
        if (option == "timed") {
            ok = parseSwitch(value, changed.timed);
        } else if (option == "timer-sounds") {
            ok = parseSwitch(value, changed.timerPopSounds);
        } else if (option == "auto-advance") {
            ok = parseSwitch(value, changed.autoAdvance);
        } else if (option == "lock") {
            const auto it = locks.find(value);
            ok = it != locks.end();
            if (ok)
                changed.lock = it->second;
        } else if (option == "handicap") {
            const std::optional<int> handicap = wholeNumber(value);
            ok = handicap && *handicap >= -1 && *handicap <= 1;
            if (ok)
                changed.handicap = *handicap;
        } else {
            ok = false;
        }
    }
    if (!ok) {
        session.error("usage: set timed 0|1, set timer-sounds 0|1, "
                      "set lock none|vowels|first|random, set auto-advance 0|1, "
                      "set handicap -1|0|1");
        return;
    }
    session.options() = changed;
    session.applyOptions();
}

// The board's answer to a move that names a column or a cell it does not have; empty when the
// move fits. words are the move's own, so the message repeats what was typed.
std::string offTheBoard(const Game& game, const Move& move, const std::vector<std::string>& words) {
    const Board& board = game.state().board;
    if (move.kind == Move::Kind::Shift && (move.column < 1 || move.column > board.columns))
        return "no column " + words[1];
    // A gap inside the board is a cell: a click there does nothing, and says nothing.
    const bool cell = move.kind == Move::Kind::Click || move.kind == Move::Kind::Drop;
    if (cell &&
        (move.row < 1 || move.row > board.rows || move.column < 1 || move.column > board.columns))
        return "no cell at row " + words[1] + ", column " + words[2];
    return {};
}

} // namespace

bool handlePlayMove(PlaySession& session, const std::vector<std::string>& words) {
    if (words.empty())
        return false;
    if (words[0] == "set") {
        set(session, words);
        return true;
    }
    std::string line;
    for (const std::string& w : words)
        line += w + ' ';
    const MoveParse parsed = parseMove(line);
    if (!parsed.error.empty()) {
        session.error(parsed.error);
        return true;
    }
    if (!parsed.move)
        return false;
    const Move& move = *parsed.move;
    if (const std::string off = offTheBoard(session.game(), move, words); !off.empty()) {
        session.error(off);
        return true;
    }
    Game& game = session.game();
    game.apply(move);
    // The tool has no clock between a clue's steps: they all follow at once.
    if (move.kind == Move::Kind::Clue)
        while (game.state().clueRunning)
            game.apply(Move::of(Move::Kind::ClueStep));
    return true;
}

} // namespace quorvel::tool
