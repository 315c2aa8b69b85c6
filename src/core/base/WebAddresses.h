// Every web and mail address the game opens, in one place, and the addresses built from them.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::web {

// The maker's site is not online yet; the example domain keeps every link harmless until it is.
inline constexpr std::string_view Site = "https://www.quorvel.example";
inline constexpr std::string_view SupportMail = "support@quorvel.example";
inline constexpr std::string_view NewsPage = "https://www.quorvel.example/news.htm";
inline constexpr std::string_view FreeWordListsPage =
    "https://www.quorvel.example/lumira/FreeLists.htm";
inline constexpr std::string_view NewLayoutsPage =
    "https://www.quorvel.example/lumira/FreeZQLayouts.htm";

// The online dictionary: its home page, the name the Help menu shows, and its search path.
inline constexpr std::string_view DictionarySite = "https://www.dictionary.com";
inline constexpr std::string_view DictionarySiteName = "Dictionary.com";
inline constexpr std::string_view DictionarySearchPath = "/search?q=";

// Every byte but the unreserved A-Z a-z 0-9 - . _ ~ as %XX (upper-case hex).
std::string percentEncode(std::string_view utf8);

// The dictionary's page for a word in Windows-1252 bytes, or its home page for an empty word.
// The word is sent as UTF-8 and percent-encoded, so a space, '&' or '#' stays part of the word
// instead of starting another parameter or a fragment.
std::string dictionaryPage(std::string_view word);

// A mailto address of the support mail with the subject (Windows-1252) percent-encoded.
std::string supportMailTo(std::string_view subject);

} // namespace quorvel::web
