// Hands a move's events to a front end's listener, one call each.
#include "game/GameListener.h"

namespace quorvel {

namespace {

void tellOne(GameListener& l, const GameEvent& e) {
    using Kind = GameEvent::Kind;
    switch (e.kind) {
    case Kind::MovesChanged: l.movesChanged(e.number, e.colour); break;
    case Kind::BuildStarted: l.buildStarted(); break;
    case Kind::BuildFinished: l.buildFinished(); break;
    case Kind::Effect: l.playEffect(e.text); break;
    case Kind::Music: l.playMusic(e.text); break;
    case Kind::Banner: l.showBanner(e.text, e.number, e.colour); break;
    case Kind::BannerHidden: l.bannerHidden(); break;
    case Kind::Flash: l.flash(e.text); break;
    case Kind::Message: l.message(e.text); break;
    case Kind::DictionaryFailed:
        if (e.dictionaryError)
            l.dictionaryFailed(*e.dictionaryError);
        break;
    case Kind::LayoutsProblem:
        if (e.layoutsProblem)
            l.layoutsProblem(*e.layoutsProblem);
        break;
    case Kind::Status: l.status(e.text); break;
    case Kind::StatusCompleted: l.statusCompleted(); break;
    case Kind::Record: l.record(e.text); break;
    case Kind::DailyFinished:
        if (e.dailyResult)
            l.dailyFinished(*e.dailyResult);
        break;
    case Kind::LevelShown: l.levelShown(e.number); break;
    case Kind::GameTimer: l.gameTimerChanged(e.on, e.number); break;
    case Kind::BannerTimer: l.bannerTimerChanged(e.on); break;
    case Kind::TipBannerAdvance: l.advanceTipBanner(); break;
    case Kind::TraceCleared: l.traceCleared(); break;
    case Kind::TraceLine: l.traceLine(e.text); break;
    case Kind::StateChanged: l.stateChanged(); break;
    }
}

} // namespace

void tell(GameListener& listener, const std::vector<GameEvent>& events) {
    for (const GameEvent& event : events)
        tellOne(listener, event);
}

} // namespace quorvel
