// The 128 attribute names of knowledge-base items and their case-insensitive lookup.
#include "words/Dictionary.h"

#include <array>
#include <cstdio>
#include <vector>

namespace quorvel {

namespace {

// Ordinals without a fixed meaning are named after their 1-based position ("Attr022" is 21).
std::array<std::string, kAttributeCount> makeNames() {
    const char* named[kAttributeCount] = {
        // 0..31
        "City", "ProvState", "Country", "Currency", "Landmark", "Landform", "Lake", "River",
        "OceanSea", "Capital", "Volcano", "Mountain", "MtnRange", "Desert", "Food", "Island",
        "Language", "CapitalPS", "GulfBayStrait", "Special", "Continent", nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        // 32..63
        "LastName", "FirstName", "FamousFor", "Nationality", "Occupation", nullptr, nullptr,
        nullptr, "English", "French", "German", "Spanish", "Italian", nullptr, nullptr, nullptr,
        nullptr, "BodyPart", "Disease", "Infestation", "Affliction", "Condition", "Defect",
        "Disability", "Medicine", "Treatment", nullptr, nullptr, "Song", "Novel", "Movie",
        "Artwork",
        // 64..95
        "TVShow", "Play", "Musical", "Genre", "Character", "Actor", "Host", "Director", "Artist",
        "Musician", "Playwright", "Author", "Composer", nullptr, nullptr, nullptr, "Species",
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr, "Category", "MemberOf", "T",
        // 96..99; 100..127 are User01..User28
        "DealsWith", "CommonTerm", "Classification", "RelatedTo"};
    std::array<std::string, kAttributeCount> names;
    char buffer[16];
    for (int i = 0; i < kAttributeCount; ++i) {
        if (named[i]) {
            names[i] = named[i];
        } else if (i >= 100) {
            std::snprintf(buffer, sizeof buffer, "User%02d", i - 99);
            names[i] = buffer;
        } else {
            std::snprintf(buffer, sizeof buffer, "Attr%03d", i + 1);
            names[i] = buffer;
        }
    }
    return names;
}

const std::array<std::string, kAttributeCount>& names() {
    static const auto table = makeNames();
    return table;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view attributeName(int ordinal) {
    if (ordinal < 0 || ordinal >= kAttributeCount)
        return {};
    return names()[static_cast<std::size_t>(ordinal)];
}

std::optional<int> attributeOrdinal(std::string_view name) {
    // Names grouped by length; a file's set names are looked up without any allocation.
    constexpr std::size_t kLongest = 16;
    static const auto byLength = [] {
        std::array<std::vector<int>, kLongest + 1> groups;
        for (int i = 0; i < kAttributeCount; ++i)
            groups[names()[static_cast<std::size_t>(i)].size()].push_back(i);
        return groups;
    }();
    if (name.empty() || name.size() > kLongest)
        return std::nullopt;
    for (int ordinal : byLength[name.size()]) {
        const std::string& candidate = names()[static_cast<std::size_t>(ordinal)];
        bool same = true;
        for (std::size_t i = 0; same && i < name.size(); ++i)
            same = lowerAscii(name[i]) == lowerAscii(candidate[i]);
        if (same)
            return ordinal;
    }
    return std::nullopt;
}

} // namespace quorvel
