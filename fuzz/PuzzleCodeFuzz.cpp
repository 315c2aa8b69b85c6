// libFuzzer target: any bytes as a typed puzzle code read or are refused with a message; a code
// that reads is the code of what it read, and any puzzle made from the bytes round-trips.
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
    PuzzleSpec puzzleSpec;
    std::uint32_t words[3];
    std::memcpy(words, data, sizeof words);
    puzzleSpec.level = 1 + static_cast<int>(words[0] % MaxCodeLevel);
    puzzleSpec.handicap = static_cast<int>(words[0] >> 16) % 3 - 1;
    puzzleSpec.lock = static_cast<LockRule>((words[0] >> 20) % 4);
    puzzleSpec.timed = (words[0] >> 24) & 1;
    puzzleSpec.dictionary = Installed[(words[0] >> 25) % Installed.size()];
    puzzleSpec.seed = words[1];
    puzzleSpec.dataCheck = words[2] & CodeDataCheckMask;
    const std::string code = encodePuzzleCode(puzzleSpec);
    const CodeRead read = decodePuzzleCode(code, Installed);
    if (code.size() > 24 || !read.puzzleSpec || !(*read.puzzleSpec == puzzleSpec))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    const CodeRead read = decodePuzzleCode(typed, Installed);
    if (read.puzzleSpec.has_value() != (read.problem == CodeProblem::None) ||
        read.puzzleSpec.has_value() == !read.message.empty())
        std::abort();
    if (read.puzzleSpec) {
        const CodeRead again = decodePuzzleCode(encodePuzzleCode(*read.puzzleSpec), Installed);
        if (!again.puzzleSpec || !(*again.puzzleSpec == *read.puzzleSpec))
            std::abort();
    }
    specRoundTrips(data, size);
    return 0;
}
