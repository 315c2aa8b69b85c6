// Why a dictionary could not be loaded: the game's own message, and the file and fault behind it.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <system_error>

namespace quorvel {

inline constexpr const char* kUnableToCreateStream = "Unable to create stream";
inline constexpr const char* kUnableToLoadKnowledgeBase = "Unable to load the Knowledge Base";

enum class DictionaryFault {
    Missing,        // no file at the path
    CannotOpen,     // there is one, but it cannot be opened (error says why)
    CannotRead,     // opened, but reading it failed (error says why)
    NotADictionary, // it does not begin with the stream signature
    CutShort,       // it ends in the middle of the stream, at offset
    Damaged,        // a value at offset that the format does not allow
    TooLarge,       // more than memory holds
};

// A failed load. what() is exactly one of the two messages above: a file that cannot be opened
// gives the first, every other fault the second. The rest says what a player can mend.
struct DictionaryError : std::runtime_error {
    explicit DictionaryError(DictionaryFault why, std::size_t at = 0, std::error_code system = {})
        : std::runtime_error(why == DictionaryFault::Missing || why == DictionaryFault::CannotOpen
                                 ? kUnableToCreateStream
                                 : kUnableToLoadKnowledgeBase),
          fault(why), offset(at), error(system) {}

    DictionaryFault fault;
    std::size_t offset = 0; // bytes from the start of the file, for CutShort and Damaged
    std::error_code error;  // the system's reason, for CannotOpen and CannotRead
    std::string path;       // the file, when the dictionary was loaded from one
};

} // namespace quorvel
