// libFuzzer target: any bytes as a typed puzzle code read or are refused with a message; a code
// that reads is the code of what it read, and any spec made from the bytes round-trips.
#include "model/PuzzleCode.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

const std::vector<std::string> Installed = {"Common Words", "Animals", "Food", "Geography"};

void specRoundTrips(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    if (size < 12)
        return;
    PuzzleSpec spec;
    std::uint32_t words[3];
    std::memcpy(words, data, sizeof words);
    spec.level = 1 + static_cast<int>(words[0] % MaxCodeLevel);
    spec.handicap = static_cast<int>(words[0] >> 16) % 3 - 1;
    spec.lock = static_cast<LockRule>((words[0] >> 20) % 4);
    spec.timed = (words[0] >> 24) & 1;
    spec.dictionary = Installed[(words[0] >> 25) % Installed.size()];
    spec.seed = words[1];
    spec.dataCheck = words[2] & CodeDataCheckMask;
    const std::string code = encodePuzzleCode(spec);
    const CodeRead read = decodePuzzleCode(code, Installed);
    if (code.size() > 24 || !read.spec || !(*read.spec == spec))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    const CodeRead read = decodePuzzleCode(typed, Installed);
    if (read.spec.has_value() != (read.problem == CodeProblem::None) ||
        read.spec.has_value() == !read.message.empty())
        std::abort();
    if (read.spec) {
        const CodeRead again = decodePuzzleCode(encodePuzzleCode(*read.spec), Installed);
        if (!again.spec || !(*again.spec == *read.spec))
            std::abort();
    }
    specRoundTrips(data, size);
    return 0;
}
