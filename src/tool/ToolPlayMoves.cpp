// quorvel-tool play: the moves of a game read as text and applied, options changed mid-game too.
#include "PlaySession.h"

#include "base/Text.h"
#include "model/Move.h"

namespace quorvel::tool {

namespace {

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
    session.play(move);
    // The tool has no clock between a clue's steps: they all follow at once.
    if (move.kind == Move::Kind::Clue)
        while (session.game().state().clueRunning)
            session.play(Move::of(Move::Kind::ClueStep));
    return true;
}

} // namespace quorvel::tool
