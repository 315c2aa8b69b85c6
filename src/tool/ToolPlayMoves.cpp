// quorvel-tool play: the moves of a game (shift, click, drop, lock-all, clue, solve, undo, the
// clock, pause, the banner's OK and options changed mid-game).
#include "PlaySession.h"

#include <algorithm>
#include <map>

namespace quorvel::tool {

namespace {

// The tile in a cell numbered from 1, or 0 (with an error printed) when there is no such cell.
int cellTile(PlaySession& session, const std::vector<std::string>& words) {
    int row = 0;
    int column = 0;
    if (words.size() != 3 || !PlaySession::parseInt(words[1], row) ||
        !PlaySession::parseInt(words[2], column)) {
        session.error("usage: " + words[0] + " ROW COLUMN");
        return 0;
    }
    const Board& board = session.game().board();
    if (row < 1 || row > board.rows || column < 1 || column > board.columns) {
        session.error("no cell at row " + words[1] + ", column " + words[2]);
        return 0;
    }
    return board.tileAt(row, column);
}

void shift(PlaySession& session, const std::vector<std::string>& words) {
    int column = 0;
    if (words.size() != 3 || !PlaySession::parseInt(words[1], column) ||
        (words[2] != "down" && words[2] != "up")) {
        session.error("usage: shift COLUMN down|up");
        return;
    }
    if (column < 1 || column > session.game().board().columns) {
        session.error("no column " + words[1]);
        return;
    }
    // "down" is the arrow above the column, "up" the arrow below it.
    session.game().shiftColumn(column, words[2] == "down");
}

void wait(PlaySession& session, const std::vector<std::string>& words) {
    int seconds = 0;
    if (words.size() != 2 || !PlaySession::parseInt(words[1], seconds) || seconds < 0) {
        session.error("usage: wait SECONDS");
        return;
    }
    // In slices of a thousand seconds, so a long wait cannot overflow the milliseconds.
    constexpr int Slice = 1000;
    for (int left = seconds; left > 0; left -= Slice)
        session.game().elapse(std::min(left, Slice) * 1000);
}

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
            ok = PlaySession::parseInt(value, changed.handicap) && changed.handicap >= -1 &&
                 changed.handicap <= 1;
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

// A command without arguments; false (with an error printed) when arguments follow.
bool bare(PlaySession& session, const std::vector<std::string>& words) {
    if (words.size() == 1)
        return true;
    session.error("usage: " + words[0]);
    return false;
}

} // namespace

bool handlePlayMove(PlaySession& session, const std::vector<std::string>& words) {
    if (words.empty())
        return false;
    Game& game = session.game();
    const std::string& command = words[0];
    if (command == "shift") {
        shift(session, words);
    } else if (command == "click" || command == "drop") {
        if (const int tile = cellTile(session, words); tile != 0) {
            if (command == "click")
                game.clickTile(tile);
            else
                game.dropPadlock(tile);
        }
    } else if (command == "wait") {
        wait(session, words);
    } else if (command == "set") {
        set(session, words);
    } else if (command == "lockall") {
        if (bare(session, words))
            game.lockAll();
    } else if (command == "clue") {
        if (bare(session, words))
            game.runClue(); // every step at once: the tool does not wait between them
    } else if (command == "solve") {
        if (bare(session, words))
            game.solve();
    } else if (command == "undo") {
        if (bare(session, words))
            game.undo();
    } else if (command == "pause") {
        if (bare(session, words))
            game.pauseContinue();
    } else if (command == "ok") {
        if (bare(session, words))
            game.bannerOk();
    } else {
        return false;
    }
    return true;
}

} // namespace quorvel::tool
