// Keeping the game in play between two runs, and bringing it back.
#include "window/UnfinishedGame.h"

#include "base/Files.h"
#include "game/Game.h"
#include "model/SavedGame.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace quorvel {

namespace {

// A larger file is no game of ours, and is not read into memory at all.
constexpr std::uintmax_t kLargestKeptGame = MaxSavedGameBytes;

// Why a kept game did not come back, in the player's words; detail says what the reader saw.
std::string damaged(const std::string& detail) {
    std::string text = "The file it was kept in is damaged.";
    if (!detail.empty())
        text += "\n(" + detail + ")";
    return text;
}

const std::string kDataChanged = "It was made with word lists or levels that have changed since.";

} // namespace

void UnfinishedGame::keep(const Game& game, int msIntoInterval) const {
    writeWholeFile(m_files.toWrite(FileName), formatSavedGame(game.saveGame(msIntoInterval)));
}

void UnfinishedGame::forget() const {
    std::error_code ignored; // a file that is not there is forgotten already
    std::filesystem::remove(m_files.toRead(FileName), ignored);
}

bool UnfinishedGame::exists() const {
    return fileExists(m_files.toRead(FileName));
}

UnfinishedGame::Outcome UnfinishedGame::resumeInto(Game& game) const {
    const std::string path = m_files.toRead(FileName);
    if (!fileExists(path))
        return {};
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kLargestKeptGame)
        return setAside(damaged(error ? "It cannot be read." : "It is far too large."));
    std::string text;
    try {
        text = readWholeFile(path);
    } catch (const FileError&) {
        return setAside(damaged("It cannot be read."));
    }
    // Aside before the rebuild: a file that brings the game down is not tried again.
    const Outcome aside = setAside({});
    const SavedGameRead read = parseSavedGame(text);
    if (!read.game)
        return {Outcome::Kind::SetAside, damaged(read.problem), aside.setAsideAt, 0};
    const ResumeResult resumed = game.resumeGame(*read.game);
    if (resumed.problem == ResumeProblem::DataChanged)
        return {Outcome::Kind::SetAside, kDataChanged, aside.setAsideAt, 0};
    if (resumed.problem != ResumeProblem::None)
        return {Outcome::Kind::SetAside, damaged({}), aside.setAsideAt, 0};
    if (!aside.setAsideAt.empty())
        std::filesystem::remove(aside.setAsideAt, error); // rebuilt: nothing left to look at
    return {Outcome::Kind::Resumed, {}, {}, read.game->msIntoInterval};
}

// Renamed over an older set-aside file; when even that fails the file is removed, so that it
// cannot stop every later start.
UnfinishedGame::Outcome UnfinishedGame::setAside(const std::string& problem) const {
    const std::string from = m_files.toRead(FileName);
    const std::string to = m_files.toWrite(SetAsideName);
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (!error)
        return {Outcome::Kind::SetAside, problem, to, 0};
    std::filesystem::remove(from, error);
    return {Outcome::Kind::SetAside, problem, {}, 0};
}

} // namespace quorvel
