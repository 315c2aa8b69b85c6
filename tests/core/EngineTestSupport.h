// Fixtures for the engine tests: a game over a throw-away program folder, with levels and a
// small in-memory dictionary of generated words.
#pragma once

#include "GameTestSupport.h"

#include "model/Layouts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// A layouts file whose header checksum matches its lines.
inline std::string layoutsFile(const std::string& body) {
    return "LAYOU" + std::to_string(layoutsChecksum("x\r\n" + body)) + "\r\n" + body;
}

inline LevelTable levelsFrom(const std::string& body) {
    LevelTable table;
    loadLayouts(layoutsFile(body), table);
    return table;
}

// Distinct words of every length 3..12, spelled from a rotating alphabet.
inline std::vector<std::pair<std::string, std::string>> generatedWords(int perLength = 60) {
    std::vector<std::pair<std::string, std::string>> items;
    for (int n = 3; n <= 12; ++n)
        for (int i = 0; i < perLength; ++i) {
            std::string w;
            for (int k = 0; k < n; ++k)
                w += static_cast<char>('A' + (i * 7 + k * (i % 5 + 1) + n) % 26);
            items.push_back({w, "meaning " + std::to_string(n) + "/" + std::to_string(i)});
        }
    return items;
}

// A game of its own over a program folder, as a session of the game starts it: its layouts
// read, its own listener and random source.
struct GameInFolder {
    RecordingListener events;
    Random random;
    HeardGame game;
    GameInFolder(const std::string& folder, std::uint32_t seed)
        : random(seed), game(events, random, folder) {
        game.loadLayouts();
    }
    void options(const std::function<void(GameOptions&)>& change) {
        GameOptions o = game.options();
        change(o);
        game.setOptions(o);
    }
    void build(int level) {
        game.apply(Move::pickerLevel(level));
        game.apply(Move::of(Move::Kind::NewPuzzle));
    }
};

class EngineTest : public ::testing::Test {
protected:
    TempProgramFolder dir;
    RecordingListener events;
    Random random{12345};
    HeardGame game{events, random, dir.folder()};

    void SetUp() override {
        TestGame::setDictionary(game, generatedWords());
        useLevels("0404\r\n0505\r\n0606\r\n");
    }
    void useLevels(const std::string& body) { game.setLevelTable(levelsFrom(body)); }
    void setOptions(const std::function<void(GameOptions&)>& change) {
        GameOptions o = game.options();
        change(o);
        game.setOptions(o);
    }
    void buildLevel(int level) {
        game.apply(Move::pickerLevel(level));
        game.apply(Move::of(Move::Kind::NewPuzzle));
    }
    const Board& board() { return game.state().board; }
    void edit(const std::function<void(GameState&)>& change) { TestGame::edit(game, change); }
};

} // namespace quorvel
