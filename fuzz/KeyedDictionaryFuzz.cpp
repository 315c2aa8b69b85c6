// libFuzzer target: any bytes read through the scrambling filter with a key load as a
// dictionary or fail with the loader's message; a loaded one saves and loads back the same.
#include "words/Dictionary.h"
#include "words/EncryptedStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    if (size < 1)
        return 0;
    // The first byte says how long the key is; the key comes next, then the stored file.
    const std::size_t keyLength = std::min<std::size_t>(data[0] % 8, size - 1);
    const std::string key(reinterpret_cast<const char*>(data + 1), keyLength);
    const std::string_view stored(reinterpret_cast<const char*>(data + 1 + keyLength),
                                  size - 1 - keyLength);
    Dictionary dictionary;
    try {
        dictionary.loadFromBytes(unscrambleBytes(stored, key));
    } catch (const DictionaryError& error) {
        if (std::strcmp(error.what(), kUnableToLoadKnowledgeBase) != 0 ||
            dictionary.items().count() != 0)
            std::abort();
        return 0;
    }
    const std::string plain = writeDictionary(dictionary);
    Dictionary again;
    again.loadFromBytes(unscrambleBytes(scrambleBytes(plain, key, 7), key));
    if (again.items().count() != dictionary.items().count() || writeDictionary(again) != plain)
        std::abort();
    return 0;
}
