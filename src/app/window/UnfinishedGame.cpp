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
    const std::string path = m_files.toRead(FileName);
    std::error_code error; // a file that is not there is forgotten already
    std::filesystem::remove(path, error);
    if (!error || isNoGame(path))
        return;
    // A folder that will not let the file go (read-only): a file where the game writes says
    // "no game", so a finished game is never offered again. Where nothing can be written at
    // all, there is nothing more to do.
    try {
        writeWholeFile(m_files.toWrite(FileName), NoGameText);
    } catch (const FileError&) {
    }
}

bool UnfinishedGame::isNoGame(const std::string& path) {
    if (!fileExists(path))
        return true;
    std::error_code error;
    if (std::filesystem::file_size(path, error) != NoGameText.size() || error)
        return false;
    try {
        return readWholeFile(path) == NoGameText;
    } catch (const FileError&) {
        return false;
    }
}

bool UnfinishedGame::exists() const {
    adoptLeftoverCopy();
    return !isNoGame(m_files.toRead(FileName));
}

// A kill between the write of a new copy and its rename leaves the copy beside the old file.
// The newest one that reads as a whole saved game (its check line holds) is newer than the
// file, and takes its place; the others are cut short or older, and go.
void UnfinishedGame::adoptLeftoverCopy() const {
    const std::string target = m_files.toWrite(FileName);
    std::error_code error;
    const auto kept = std::filesystem::last_write_time(target, error);
    const bool hasKept = !error;
    bool adopted = false;
    for (const std::string& copy : leftoverCopies(target)) {
        const bool newer = !hasKept || std::filesystem::last_write_time(copy, error) >= kept;
        if (!adopted && newer && std::filesystem::file_size(copy, error) <= kLargestKeptGame &&
            !error) {
            try {
                if (parseSavedGame(readWholeFile(copy)).game) {
                    std::filesystem::rename(copy, target, error);
                    adopted = !error;
                    if (adopted)
                        continue;
                }
            } catch (const FileError&) {
            }
        }
        std::filesystem::remove(copy, error);
    }
}

UnfinishedGame::Outcome UnfinishedGame::resumeInto(Game& game) const {
    if (!exists())
        return {};
    const std::string path = m_files.toRead(FileName);
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
    // Rebuilt: the file goes back, and stays until a newer copy replaces it or the game ends,
    // so a crash from here on still finds the game.
    if (!aside.setAsideAt.empty())
        std::filesystem::rename(aside.setAsideAt, m_files.toWrite(FileName), error);
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
