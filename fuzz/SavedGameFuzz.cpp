// libFuzzer target: any bytes as a saved game are read or refused, and one that reads is resumed
// into a game over a tiny program folder: it is rebuilt with exactly its moves, or set aside and
// the game left as it was. An odd first byte has the rest checked as the game would have written
// it, and "code *" stands for a code of that folder, so the fuzzer reaches the replay.
#include "game/Game.h"
#include "model/SavedGame.h"
#include "words/Dictionary.h"

#include "base/Files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace quorvel;

// A program folder with three small levels and a dictionary of generated words.
std::string makeFolder() {
    const std::string folder = std::filesystem::temp_directory_path().string() +
                               "/quorvel-savedgame-fuzz-" + std::to_string(getpid()) + "/";
    std::filesystem::create_directories(folder + "zq");
    std::filesystem::create_directories(folder + "kbs");
    Dictionary dictionary;
    for (int n = 3; n <= 7; ++n)
        for (int i = 0; i < 30; ++i) {
            DictionaryItem& item = dictionary.items().add();
            for (int k = 0; k < n; ++k)
                item.word += static_cast<char>('A' + (i * 7 + k * (i % 5 + 1) + n) % 26);
            item.definition = "meaning";
        }
    writeWholeFile(folder + "kbs/Common Words.dic", writeDictionary(dictionary));
    const std::string body = "0404\r\n0505\r\nXXX-XXX\r\nXXXXXXX\r\n\r\n";
    writeWholeFile(folder + "zq/formats",
                   "LAYOU" + std::to_string(layoutsChecksum("x\r\n" + body)) + "\r\n" + body);
    return folder;
}

struct Fixture {
    std::string folder = makeFolder();
    std::string code;
    Fixture() {
            Random random(1);
        Game game(random, folder);
        game.loadLayouts();
        game.apply(Move::pickLevel(2, true));
        code = game.puzzleCode();
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

std::string prepared(std::string text, const std::string& code) {
    const std::size_t star = text.find("code *\n");
    if (star != std::string::npos)
        text.replace(star, 7, "code " + code + "\n");
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    if (size == 0)
        return 0;
    std::string text =
        prepared(std::string(reinterpret_cast<const char*>(data) + 1, size - 1), fixture.code);
    if (data[0] & 1) {
        char check[16];
        std::snprintf(check, sizeof check, "%08X", static_cast<unsigned>(dataCheckOf(text)));
        text += std::string("check ") + check + "\n";
    }
    const SavedGameRead read = parseSavedGame(text);
    if (read.game.has_value() == !read.problem.empty())
        std::abort();
    if (!read.game)
        return 0;
    if (!(parseSavedGame(formatSavedGame(*read.game)).game == read.game))
        std::abort();
    Random random(7);
    Game game(random, fixture.folder);
    game.loadLayouts();
    const GameState before = game.state();
    const ResumeResult resumed = game.resumeGame(*read.game);
    if (resumed.problem == ResumeProblem::None) {
        if (!game.state().isInPlay() || game.movesSincePuzzle() != read.game->moves ||
            resumed.message.size() != 0)
            std::abort();
    } else {
        // Left as it was, but for the name of the dictionary the attempt may have loaded.
        GameState expected = before;
        expected.loadedDictionary = game.state().loadedDictionary;
        if (resumed.message.empty() || !(game.state() == expected))
            std::abort();
    }
    return 0;
}
