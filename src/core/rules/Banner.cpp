// The message banner: shown for a time, until hidden, or until its OK.
#include "rules/Banner.h"

#include "rules/NewPuzzle.h"

namespace quorvel {

void showBanner(Play& p, int seconds, Colour colour, const std::string& text) {
    p.state.banner.visible = true;
    p.state.banner.seconds = seconds;
    p.state.banner.colour = colour;
    p.state.banner.text = text;
    // A banner that waits for its OK keeps the board from being used until it is confirmed.
    p.state.banner.waiting = seconds == 0;
    if (p.state.banner.waiting)
        p.state.commands.boardPanel = false;
    p.events.showBanner(text, seconds, colour);
    if (p.state.banner.waiting)
        notifyChanged(p);
}

void hideBanner(Play& p) {
    const bool wasVisible = p.state.banner.visible;
    p.state.banner.visible = false;
    p.state.banner.waiting = false;
    // However the banner goes, the board panel is usable again (a pause disables it anew).
    p.state.commands.boardPanel = true;
    if (wasVisible) {
        p.events.bannerHidden();
        notifyChanged(p);
    }
}

void bannerOk(Play& p) {
    if (!p.state.banner.visible)
        return;
    const std::string text = p.state.banner.text;
    hideBanner(p);
    // Only the completion banners name a level; their OK moves on with Auto Advance.
    if (text.find("level") != std::string::npos && p.options.autoAdvance)
        newPuzzle(p);
}

} // namespace quorvel
