// What every rule shares: the notice that the state changed.
#include "rules/Play.h"

namespace quorvel {

void notifyChanged(Play& p) {
    p.events.stateChanged();
}

} // namespace quorvel
