// Fixture for the play tests: a game with a board set up from text rows and helpers to read it.
#pragma once

#include "GameTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quorvel {

// The result letter of a statistics line ("2026-12-07,W,...").
inline char recordResult(const std::string& event) {
    const auto comma = event.find(',');
    return comma == std::string::npos || comma + 1 >= event.size() ? '?' : event[comma + 1];
}

class PlayTest : public ::testing::Test {
protected:
    TempProgramFolder dir;
    RecordingListener events;
    Random random{2024};
    HeardGame game{events, random, dir.folder()};

    void options(const std::function<void(GameOptions&)>& change) {
        GameOptions o = game.options();
        change(o);
        game.setOptions(o);
    }
    // A board in play (see TestGame::setUpBoard), with the event log emptied.
    void setUp(const std::vector<std::string>& solution, std::vector<std::string> captions = {},
               std::vector<std::string> states = {}) {
        TestGame::setUpBoard(game, solution, std::move(captions), std::move(states));
        events.clear();
    }
    const Board& board() { return game.state().board; }
    const GameValues& values() { return game.state().values; }
    void edit(const std::function<void(GameState&)>& change) { TestGame::edit(game, change); }
    int moves() { return game.state().values.movesLeft; }
    void setMoves(int m) { TestGame::setMoves(game, m); }
    int tile(int row, int column) { return board().tileAt(row, column); }
    const Tile& at(int row, int column) { return board().tile(tile(row, column)); }
    std::vector<std::string> states() { return TestGame::stateRows(game); }
    std::vector<std::string> captions() { return TestGame::captionRows(game); }
    // A column's letters top to bottom, gaps as '-'.
    std::string column(int c) {
        std::string s;
        for (const std::string& row : captions())
            s += row[static_cast<std::size_t>(c - 1)];
        return s;
    }
    // A whole clue, its steps following at once as the tool plays them.
    void runClue() {
        game.apply(Move::of(Move::Kind::Clue));
        while (game.state().clueRunning)
            game.apply(Move::of(Move::Kind::ClueStep));
    }
    std::vector<char> records() {
        std::vector<char> out;
        for (const std::string& e : events.withPrefix("record "))
            out.push_back(recordResult(e));
        return out;
    }
};

} // namespace quorvel
