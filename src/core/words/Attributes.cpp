// The 128 attribute names of knowledge-base items and their case-insensitive lookup.
#include "words/KnowledgeBase.h"

#include <array>
#include <cstdio>
#include <unordered_map>

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

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

} // namespace

std::string_view attributeName(int ordinal) {
    if (ordinal < 0 || ordinal >= kAttributeCount)
        return {};
    return names()[static_cast<std::size_t>(ordinal)];
}

std::optional<int> attributeOrdinal(std::string_view name) {
    static const auto index = [] {
        std::unordered_map<std::string, int> map;
        for (int i = 0; i < kAttributeCount; ++i)
            map.emplace(lowerAscii(names()[static_cast<std::size_t>(i)]), i);
        return map;
    }();
    if (name.empty() || name.size() > 16)
        return std::nullopt;
    const auto found = index.find(lowerAscii(name));
    if (found == index.end())
        return std::nullopt;
    return found->second;
}

} // namespace quorvel
