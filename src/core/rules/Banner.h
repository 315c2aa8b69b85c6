// The message banner.
#pragma once

#include "rules/Play.h"

#include <string>

namespace quorvel {

void showBanner(Play& p, int seconds, Colour colour, const std::string& text);
void hideBanner(Play& p); // also when a timed banner's time is up
void bannerOk(Play& p);   // the banner's OK; after a win, Auto Advance builds next

} // namespace quorvel
