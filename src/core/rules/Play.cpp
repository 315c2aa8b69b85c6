// What every rule shares: the notice that the state changed.
#include "rules/Play.h"

namespace quorvel {

void notifyChanged(Play& p) {
    if (p.noticesHeld == 0)
        p.listener.stateChanged();
}

} // namespace quorvel
