// What the core asks a front end to show, play and record. Texts are Windows-1252 bytes.
#pragma once

#include "words/DictionaryError.h"

#include <cstdint>
#include <string>

namespace quorvel {

struct LayoutsProblem;
struct DailyResult;

// Colours are Windows colour values 0x00BBGGRR, converted only when drawn.
using Colour = std::uint32_t;

class GameListener {
public:
    virtual ~GameListener() = default;

    // The counter's caption and background changed (every change after a build).
    virtual void movesChanged(int /*shown*/, Colour /*background*/) {}
    // A new puzzle is being built: the counter counts the words drawn and the columns
    // scrambled. Unless a front end shows it otherwise, the counter shows it.
    virtual void buildStarted() {}
    virtual void buildProgress(int shown, Colour background) { movesChanged(shown, background); }
    // The build is over, whether or not it placed a board; the counter shows the moves again.
    virtual void buildFinished() {}
    // A sound effect by name: "Shift", "OK", "Drop", "TimerStart", "TimerPop".
    virtual void playEffect(const std::string& /*name*/) {}
    // A music file by name: "zqStart.mp3", "zqWon.mp3", "zqOver.mp3".
    virtual void playMusic(const std::string& /*name*/) {}
    // The message banner: seconds -1 stays until hidden, > 0 hides itself after that time
    // (the front end then calls Game::hideBanner), 0 waits for its OK.
    virtual void showBanner(const std::string& /*text*/, int /*seconds*/, Colour /*colour*/) {}
    virtual void bannerHidden() {}
    // The flashing notice ("Puzzle completed", "Insufficient points").
    virtual void flash(const std::string& /*text*/) {}
    // A message box with OK (warnings, the trace line, the layouts checksum in trace mode).
    virtual void message(const std::string& /*text*/) {}
    // A dictionary could not be loaded for a new puzzle: by default its message alone.
    virtual void dictionaryFailed(const DictionaryError& error) { message(error.what()); }
    // The layouts file was not used as it stands (told at every load): why, and what is played.
    virtual void layoutsProblem(const LayoutsProblem& /*problem*/) {}
    // The status line's text was replaced.
    virtual void status(const std::string& /*text*/) {}
    // A puzzle was completed: the status line turns maroon (0x000080) and upright until the
    // rolling banner takes it again.
    virtual void statusCompleted() {}
    // A finished game's statistics line, without CR LF; the front end appends it to the file.
    virtual void record(const std::string& /*line*/) {}
    // A daily game has ended: it has no statistics line, its result goes to the daily records.
    virtual void dailyFinished(const DailyResult& /*result*/) {}
    // The level display changed; the front end stores "Level" in the settings at once.
    virtual void levelShown(int /*level*/) {}
    // The game timer was stopped, or (re)started with a fresh interval.
    virtual void gameTimerChanged(bool /*enabled*/, int /*intervalMs*/) {}
    // The banner timer that scrolls the status line was started or stopped.
    virtual void bannerTimerChanged(bool /*running*/) {}
    // A new puzzle asks for the rolling tip banner to advance.
    virtual void advanceTipBanner() {}
    // The trace window: cleared by every build, then given one line.
    virtual void traceCleared() {}
    virtual void traceLine(const std::string& /*text*/) {}
    // Tiles or commands changed: show the game's state afresh. A move through Game::apply
    // gives exactly one notice, at its end.
    virtual void stateChanged() {}
};

} // namespace quorvel
