// A front end's handler of a move's events, one call for each kind, and the loop that calls it.
#pragma once

#include "model/GameEvent.h"

#include <string>
#include <vector>

namespace quorvel {

// The game itself never calls it: a front end hands it the events that apply returned.
class GameListener {
public:
    virtual ~GameListener() = default;

    virtual void movesChanged(int /*shown*/, Colour /*background*/) {}
    virtual void buildStarted() {}
    virtual void buildFinished() {}
    virtual void playEffect(const std::string& /*name*/) {}
    virtual void playMusic(const std::string& /*name*/) {}
    virtual void showBanner(const std::string& /*text*/, int /*seconds*/, Colour /*colour*/) {}
    virtual void bannerHidden() {}
    virtual void flash(const std::string& /*text*/) {}
    virtual void message(const std::string& /*text*/) {}
    // By default its message alone.
    virtual void dictionaryFailed(const DictionaryError& error) { message(error.what()); }
    virtual void layoutsProblem(const LayoutsProblem& /*problem*/) {}
    virtual void status(const std::string& /*text*/) {}
    virtual void statusCompleted() {}
    virtual void record(const std::string& /*line*/) {}
    virtual void dailyFinished(const DailyResult& /*result*/) {}
    virtual void levelShown(int /*level*/) {}
    virtual void gameTimerChanged(bool /*enabled*/, int /*intervalMs*/) {}
    virtual void bannerTimerChanged(bool /*running*/) {}
    virtual void advanceTipBanner() {}
    virtual void traceCleared() {}
    virtual void traceLine(const std::string& /*text*/) {}
    virtual void stateChanged() {}
};

// Each event to its call, in order.
void tell(GameListener& listener, const std::vector<GameEvent>& events);

} // namespace quorvel
