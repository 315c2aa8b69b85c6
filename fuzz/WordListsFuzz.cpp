// libFuzzer target: any bytes as the word lists answer every membership question safely, and
// a word is listed exactly when it first occurs on a word boundary.
#include "words/WordLists.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    WordLists lists;
    const std::size_t third = size / 3;
    lists.words3 = bytes.substr(0, third);
    lists.words4 = bytes.substr(third, third);
    lists.words5 = bytes.substr(2 * third);
    for (std::size_t length = 0; length <= 6 && length <= size; ++length) {
        for (std::size_t at = 0; at + length <= size; at += 1 + size / 16) {
            const std::string_view word = bytes.substr(at, length);
            const bool listed = lists.isListedWord(word);
            const std::string* list = length == 3   ? &lists.words3
                                      : length == 4 ? &lists.words4
                                      : length == 5 ? &lists.words5
                                                    : nullptr;
            const std::size_t first = list ? list->find(word) : std::string::npos;
            if (listed != (first != std::string::npos && first % length == 0))
                std::abort();
        }
    }
    return 0;
}
