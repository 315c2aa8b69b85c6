// Building the dictionary's search address and the support mail address safely.
#include "base/WebAddresses.h"

#include "base/Cp1252.h"

namespace quorvel::web {

namespace {

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

std::string percentEncode(std::string_view utf8) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 0x0F];
        }
    }
    return out;
}

std::string dictionaryPage(std::string_view word) {
    std::string address(DictionarySite);
    if (!word.empty()) {
        address += DictionarySearchPath;
        address += percentEncode(cp1252ToUtf8(word));
    }
    return address;
}

std::string supportMailTo(std::string_view subject) {
    std::string address = "mailto:";
    address += SupportMail;
    address += "?subject=";
    address += percentEncode(cp1252ToUtf8(subject));
    return address;
}

} // namespace quorvel::web
