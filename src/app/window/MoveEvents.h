// What a move asked for (sounds, banners, messages, records, timers), carried out on the main
// window once the move is over.
#pragma once

#include "game/GameListener.h"

#include <vector>

namespace quorvel {

class MainWindow;

class MoveEvents : private GameListener {
public:
    explicit MoveEvents(MainWindow& window) : m_window(window) {}

    // Each event in the order the move asked for it. A message box opened here runs after the
    // move: a timer it lets fire starts a move of its own, never one inside another.
    void handle(const std::vector<GameEvent>& events) { tell(*this, events); }
    // The counter's number and colour, also for a game brought back without its events.
    void showCounter(int shown, Colour background) { movesChanged(shown, background); }

private:
    void movesChanged(int shown, Colour background) override;
    void playEffect(const std::string& name) override;
    void playMusic(const std::string& name) override;
    void showBanner(const std::string& text, int seconds, Colour colour) override;
    void bannerHidden() override;
    void flash(const std::string& text) override;
    void message(const std::string& text) override;
    void dictionaryFailed(const DictionaryError& error) override;
    void layoutsProblem(const LayoutsProblem& problem) override;
    void status(const std::string& text) override;
    void statusCompleted() override;
    void record(const std::string& line) override;
    void dailyFinished(const DailyResult& result) override;
    void levelShown(int level) override;
    void gameTimerChanged(bool enabled, int intervalMs) override;
    void bannerTimerChanged(bool running) override;
    void advanceTipBanner() override;
    void traceCleared() override;
    void traceLine(const std::string& text) override;
    void buildStarted() override;
    void buildFinished() override;
    void stateChanged() override;

    MainWindow& m_window;
    bool m_layoutsWarned = false; // a layouts file that cannot be used is told once a run
};

} // namespace quorvel
