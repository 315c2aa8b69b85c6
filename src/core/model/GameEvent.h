// What a move asks its front end to show, play, record and time, as values in the move's order.
#pragma once

#include "model/Colour.h"
#include "model/Layouts.h"
#include "records/DailyRecords.h"
#include "words/DictionaryError.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

struct GameEvent {
    enum class Kind {
        MovesChanged,     // number: the counter's caption; colour: its background
        BuildStarted,     // a new puzzle was built: the board takes the size asked for now
        BuildFinished,    // the build is over, whether or not it placed a board
        Effect,           // text: "Shift", "OK", "Drop", "TimerStart", "TimerPop"
        Music,            // text: "zqStart.mp3", "zqWon.mp3", "zqOver.mp3"
        Banner,           // text, number: seconds (-1 stays, > 0 times out, 0 waits), colour
        BannerHidden,     //
        Flash,            // text: the flashing notice
        Message,          // text: a message box with OK
        DictionaryFailed, // dictionaryError: a dictionary could not be loaded for a new puzzle
        LayoutsProblem,   // layoutsProblem: the layouts file was not used as it stands
        Status,           // text: the status line's new text
        StatusCompleted,  // the status line turns maroon and upright: a puzzle was completed
        Record,           // text: a finished game's statistics line, without CR LF
        DailyFinished,    // dailyResult: a daily game has ended
        LevelShown,       // number: the level now shown
        GameTimer,        // on: running; number: the fresh interval in ms
        BannerTimer,      // on: the status line's scrolling runs
        TipBannerAdvance, // the rolling tip banner moves on
        TraceCleared,     //
        TraceLine,        // text
        StateChanged,     // tiles or commands changed: show the state afresh
    };

    Kind kind = Kind::StateChanged;
    std::string text;
    int number = 0;
    Colour colour = 0;
    bool on = false;
    std::optional<DictionaryError> dictionaryError;
    std::optional<LayoutsProblem> layoutsProblem;
    std::optional<DailyResult> dailyResult;
};

// Where the rules put what they ask for while a move runs. Values that a move changes several
// times (the counter, the state-changed notice) are kept once, with their final value, at the
// place of their last change.
class EventLog {
public:
    void movesChanged(int shown, Colour background);
    void buildStarted() { add(GameEvent::Kind::BuildStarted); }
    void buildFinished() { add(GameEvent::Kind::BuildFinished); }
    void playEffect(const std::string& name) { add(GameEvent::Kind::Effect, name); }
    void playMusic(const std::string& name) { add(GameEvent::Kind::Music, name); }
    void showBanner(const std::string& text, int seconds, Colour colour);
    void bannerHidden() { add(GameEvent::Kind::BannerHidden); }
    void flash(const std::string& text) { add(GameEvent::Kind::Flash, text); }
    void message(const std::string& text) { add(GameEvent::Kind::Message, text); }
    void dictionaryFailed(const DictionaryError& error);
    void layoutsProblem(const LayoutsProblem& problem);
    void status(const std::string& text) { add(GameEvent::Kind::Status, text); }
    void statusCompleted() { add(GameEvent::Kind::StatusCompleted); }
    void record(const std::string& line) { add(GameEvent::Kind::Record, line); }
    void dailyFinished(const DailyResult& result);
    void levelShown(int level);
    void gameTimerChanged(bool enabled, int intervalMs);
    void bannerTimerChanged(bool running);
    void advanceTipBanner() { add(GameEvent::Kind::TipBannerAdvance); }
    void traceCleared() { add(GameEvent::Kind::TraceCleared); }
    void traceLine(const std::string& text) { add(GameEvent::Kind::TraceLine, text); }
    void stateChanged();

    const std::vector<GameEvent>& events() const { return m_events; }
    std::vector<GameEvent> take();
    void clear() { m_events.clear(); }

private:
    GameEvent& add(GameEvent::Kind kind, std::string text = {});
    // The earlier event of this kind goes: only the last value counts.
    GameEvent& replace(GameEvent::Kind kind);

    std::vector<GameEvent> m_events;
};

} // namespace quorvel
