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

std::string damagedText(const std::string& why) {
    std::string text = "The file it was kept in is damaged";
    if (!why.empty())
        text += " (" + why + ")";
    return text + ".";
}

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
        return failed(damagedText(error ? "it cannot be read" : "it is far too large"));
    std::string text;
    try {
        text = readWholeFile(path);
    } catch (const FileError&) {
        return failed(damagedText("it cannot be read"));
    }
    const std::string asideAt = setAside();
    const SavedGameRead read = parseSavedGame(text);
    if (!read.game)
        return {Outcome::Kind::SetAside, damagedText(read.problem), 0};
    const ResumeResult resumed = game.resumeGame(*read.game);
    if (resumed.problem == ResumeProblem::DataChanged)
        return {Outcome::Kind::SetAside,
                "It was made with other word lists or levels than the ones installed now.", 0};
    if (resumed.problem != ResumeProblem::None)
        return {Outcome::Kind::SetAside, damagedText(resumed.message), 0};
    std::filesystem::remove(asideAt, error); // rebuilt: nothing is left to look at
    return {Outcome::Kind::Resumed, {}, read.game->msIntoInterval};
}

UnfinishedGame::Outcome UnfinishedGame::failed(const std::string& problem) const {
    setAside();
    return {Outcome::Kind::SetAside, problem, 0};
}

// Renamed over an older set-aside file; when even that fails the file is removed, so that it
// cannot stop every later start.
std::string UnfinishedGame::setAside() const {
    const std::string from = m_files.toRead(FileName);
    const std::string to = m_files.toWrite(SetAsideName);
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (!error)
        return to;
    std::filesystem::remove(from, error);
    return {};
}

} // namespace quorvel
