// The log a move's rules write their requests to.
#include "model/GameEvent.h"

#include <algorithm>
#include <utility>

namespace quorvel {

GameEvent& EventLog::add(GameEvent::Kind kind, std::string text) {
    GameEvent& event = m_events.emplace_back();
    event.kind = kind;
    event.text = std::move(text);
    return event;
}

GameEvent& EventLog::replace(GameEvent::Kind kind) {
    std::erase_if(m_events, [kind](const GameEvent& e) { return e.kind == kind; });
    return add(kind);
}

void EventLog::movesChanged(int shown, Colour background) {
    GameEvent& event = replace(GameEvent::Kind::MovesChanged);
    event.number = shown;
    event.colour = background;
}

void EventLog::showBanner(const std::string& text, int seconds, Colour colour) {
    GameEvent& event = add(GameEvent::Kind::Banner, text);
    event.number = seconds;
    event.colour = colour;
}

void EventLog::dictionaryFailed(const DictionaryError& error) {
    add(GameEvent::Kind::DictionaryFailed, error.what()).dictionaryError = error;
}

void EventLog::layoutsProblem(const LayoutsProblem& problem) {
    add(GameEvent::Kind::LayoutsProblem).layoutsProblem = problem;
}

void EventLog::dailyFinished(const DailyResult& result) {
    add(GameEvent::Kind::DailyFinished).dailyResult = result;
}

void EventLog::levelShown(int level) {
    add(GameEvent::Kind::LevelShown).number = level;
}

void EventLog::gameTimerChanged(bool enabled, int intervalMs) {
    GameEvent& event = add(GameEvent::Kind::GameTimer);
    event.on = enabled;
    event.number = intervalMs;
}

void EventLog::bannerTimerChanged(bool running) {
    add(GameEvent::Kind::BannerTimer).on = running;
}

void EventLog::stateChanged() {
    replace(GameEvent::Kind::StateChanged);
}

std::vector<GameEvent> EventLog::take() {
    return std::exchange(m_events, {});
}

} // namespace quorvel
