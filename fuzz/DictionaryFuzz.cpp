// libFuzzer target: any bytes given to the dictionary loader load or fail with its message,
// and what loads writes back and loads again to the same items.
#include "words/ComponentStream.h"
#include "words/Dictionary.h"
#include "words/EncryptedStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Dictionary dictionary;
    try {
        dictionary.loadFromBytes(bytes);
    } catch (const DictionaryError& error) {
        if (std::strcmp(error.what(), kUnableToLoadKnowledgeBase) != 0)
            std::abort();
        if (dictionary.items().count() != 0)
            std::abort();
        return 0;
    }
    // Short strings cut names beyond 255 bytes, so only the items are compared.
    Dictionary again;
    again.loadFromBytes(writeDictionary(dictionary));
    if (again.items().count() != dictionary.items().count())
        std::abort();
    for (int i = 0; i < again.items().count(); ++i)
        if (!(again.items()[i] == dictionary.items()[i]))
            std::abort();
    // The same bytes through the scrambling filter come back unchanged.
    if (size > 0 && size < 4096 &&
        unscrambleBytes(scrambleBytes(bytes, "fuzz", data[0]), "fuzz") != bytes)
        std::abort();
    return 0;
}
