// The colour type of the game's values: a Windows colour value 0x00BBGGRR.
#pragma once

#include <cstdint>

namespace quorvel {

// Kept as the files write it and converted only when drawn.
using Colour = std::uint32_t;

} // namespace quorvel
