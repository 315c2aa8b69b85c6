// quorvel-tool play: one headless game that reads commands and answers in JSON Lines.
#pragma once

#include "game/Game.h"
#include "game/GameListener.h"
#include "model/Random.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace quorvel::tool {

struct PlayOptions {
    std::string root; // the program folder, with its trailing '/'
    // Where finished games are appended; empty for none. Only a folder named on the command
    // line gets records: replays run beside an installed game must not join its player's history.
    std::string statsPath;
    std::uint32_t seed = 1;
    int level = 1;    // the level picker's position at the start
    GameOptions game; // handicap, lock rule, dictionary, timed, definitions, ...
};

// Prints every event of a move as one JSON line, in order, and appends each finished game's
// record to the statistics file, when there is one.
class JsonListener : public GameListener {
public:
    JsonListener(std::ostream& out, std::string statsPath)
        : m_out(out), m_statsPath(std::move(statsPath)) {}

    void print(const nlohmann::json& event); // one line, flushed
    void error(const std::string& text);     // {"event":"error","text":...}

    void movesChanged(int shown, Colour background) override;
    void playEffect(const std::string& name) override;
    void playMusic(const std::string& name) override;
    void showBanner(const std::string& text, int seconds, Colour colour) override;
    void flash(const std::string& text) override;
    void message(const std::string& text) override;
    void status(const std::string& text) override;
    void record(const std::string& line) override;
    // {"event":"daily", ...} with the shared summary; kept in dailyPath when there is one.
    void dailyFinished(const DailyResult& result) override;
    std::string dailyPath;

private:
    std::ostream& m_out;
    std::string m_statsPath;
};

class PlaySession {
public:
    PlaySession(const PlayOptions& options, std::ostream& out);

    Game& game() { return m_game; }
    JsonListener& listener() { return m_listener; }
    // A move applied, its events printed once it is over.
    MoveResult play(const Move& move);

    // One command line; false after "quit".
    bool handle(const std::string& line);
    // Reads commands until end of input or "quit"; the exit status.
    int run(std::istream& in);

    nlohmann::json state() const; // the dump's {"event":"state", ...}
    void error(const std::string& text) { m_listener.error(text); }

private:
    void afterCommand();

    PlayOptions m_start;
    JsonListener m_listener;
    Random m_random;
    Game m_game;
};

// A move in its text form (see model/Move.h, "set" for an option), applied to the game.
// words is the command line split at blanks. True when words[0] is one of these commands (a
// malformed one has printed its error); false when it is not a move at all.
bool handlePlayMove(PlaySession& session, const std::vector<std::string>& words);

// How a play session starts and ends besides its commands: a code's or a date's board first,
// or a saved game resumed; the game still in play saved at the end.
struct PlayStart {
    std::string code;
    std::string daily;  // YYYY-MM-DD
    std::string resume; // a saved game's file
    std::string save;
};
void addPlayStartOptions(CLI::App& play, PlayStart& start);
// Throw ExitStatus (2 for a code, date or saved game that does not read).
void startPlay(PlaySession& session, const PlayStart& start);
void endPlay(PlaySession& session, const PlayStart& start);

} // namespace quorvel::tool
