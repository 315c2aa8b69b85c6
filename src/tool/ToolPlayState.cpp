// quorvel-tool play: the dump, the whole state of the game as one JSON line.
#include "PlaySession.h"

#include "base/Cp1252.h"

namespace quorvel::tool {

using nlohmann::json;

namespace {

std::string utf8(std::string_view bytes) {
    return cp1252ToUtf8(bytes);
}

// The board's rows as the letters shown, the solution and the state letters, and the cells of
// the alternative words' letters.
json boardRows(const Board& b) {
    json board = json::array(), solution = json::array(), state = json::array(),
         underlined = json::array();
    for (int r = 1; r <= b.rows; ++r) {
        std::string letters, solved, states;
        for (int c = 1; c <= b.columns; ++c) {
            const Tile& t = b.tile(b.tileAt(r, c));
            letters += t.caption;
            solved += t.solution;
            states += stateLetter(t);
            if (t.underlined)
                underlined.push_back({r, c});
        }
        board.push_back(utf8(letters));
        solution.push_back(utf8(solved));
        state.push_back(states);
    }
    return {{"rows", b.rows},          {"columns", b.columns}, {"tileCount", b.tileCount},
            {"board", board},          {"solution", solution}, {"state", state},
            {"underlined", underlined}};
}

json puzzleWords(const Board& b) {
    json words = json::array(), definitions = json::array();
    for (const auto& w : b.wordList)
        words.push_back(utf8(w));
    for (const auto& e : b.wordEntries)
        definitions.push_back(utf8(e.definition));
    return {{"words", words}, {"definitions", definitions}};
}

// What the puzzle's level and handicap made of the counter: its start and every price.
json prices(const GameValues& v) {
    return {{"start", v.start},
            {"delay", v.delay},
            {"pop", v.pop},
            {"penalty", v.penalty},
            {"good", v.good},
            {"bad", v.bad},
            {"word", v.word},
            {"shiftCost", v.shiftCost},
            {"tileClickCost", v.tileClickCost},
            {"clueCost", v.clueCost},
            {"lockAllCost", v.lockAllCost},
            {"advanceMinimum", v.advanceMinimum},
            {"clueAllowance", v.clueAllowance}};
}

json progress(const GameState& g, const LevelTable& levels) {
    const GameValues& v = g.values;
    return {{"level", v.level},
            {"levelCount", v.levelCount},
            {"letterTotal", levels.at(v.level).letterTotal},
            {"inPlay", g.isInPlay()},
            {"moveMade", v.moveMade},
            {"movesLeft", v.movesLeft},
            {"counterColour", g.counterColour},
            {"timerPhase", v.timerPhase == TimerPhase::Grace ? "W" : "G"},
            {"timerEnabled", g.timer.enabled},
            {"timerIntervalMs", g.timer.intervalMs},
            {"lockAll", g.commands.lockAllShowsLocked ? "locked" : "unlocked"}};
}

} // namespace

json PlaySession::state() const {
    const GameState& g = m_game.state();
    json event = {{"event", "state"}};
    event.update(progress(g, m_game.levelTable()));
    event.update(prices(g.values));
    event.update(boardRows(g.board));
    event.update(puzzleWords(g.board));
    event["code"] = m_game.puzzleCode();
    if (g.daily)
        event["daily"] = isoDate(*g.daily);
    return event;
}

} // namespace quorvel::tool
