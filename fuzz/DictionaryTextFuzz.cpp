// libFuzzer target: any build input becomes a dictionary or a message naming its line, and the
// dictionary built without holding items is the one built through items.
#include "words/Dictionary.h"
#include "words/DictionaryText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Dictionary parsed;
    parsed.name = "Fuzz";
    std::string built;
    try {
        built = buildDictionaryStream(text, "Fuzz");
    } catch (const DictionaryTextError& error) {
        if (std::string_view(error.what()).substr(0, 5) != "Line ")
            std::abort();
        try {
            parseDictionaryText(text, parsed);
        } catch (const DictionaryTextError&) {
            return 0;
        }
        std::abort(); // one reader refused what the other took
    }
    parseDictionaryText(text, parsed);
    if (writeDictionary(parsed) != built)
        std::abort();
    Dictionary loaded;
    loaded.loadFromBytes(built);
    if (loaded.items().count() != parsed.items().count())
        std::abort();
    return 0;
}
