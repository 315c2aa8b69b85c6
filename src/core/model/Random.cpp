// Uniform draws by rejection, so a seed gives the same game whatever the standard library.
#include "model/Random.h"

namespace quorvel {

int Random::uniform(int lo, int hi) {
    if (hi <= lo)
        return lo;
    const std::uint64_t range = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    const std::uint64_t limit = (std::uint64_t{1} << 32) - ((std::uint64_t{1} << 32) % range);
    std::uint64_t draw;
    do {
        draw = m_engine();
    } while (draw >= limit);
    return static_cast<int>(lo + static_cast<std::int64_t>(draw % range));
}

} // namespace quorvel
