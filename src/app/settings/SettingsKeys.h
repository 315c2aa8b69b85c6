// Every key of the settings file, declared once: its section, what it holds, what an absent key
// reads as and which stored numbers are accepted.
#pragma once

#include "support/Colours.h"

#include <array>
#include <climits>
#include <cstddef>
#include <optional>
#include <string_view>

// One per key, in the order of the table below. The order of writing is the code's, not this.
enum class Setting {
    // The options dialog's kept controls, each named after its key.
    Dictionary,
    Def,
    Timed,
    AutoAdvance,
    TimerPopSounds,
    LockVowels,
    LockFirst,
    LockNone,
    LockRandomly,
    UserLevel,
    Handicap,
    ResumeGames,
    // The menus' check marks and the tips.
    Music,
    Sound,
    Tips,
    LastTip,
    Hints,
    Banner,
    LockMarks,
    // Colours, window, level and size.
    LetterRevealed,
    LetterLocked,
    LetterUnlocked,
    DesktopX,
    DesktopY,
    Level,
    ImageVisible,
    BoardColour,
    GameSize,
    WindowWidth,
    WindowHeight,
    // The news and update reminders.
    InstallDate,
    LastNewsDay,
    NextUpdateDay,
    // The template tile's look and the board's picture.
    TileColour,
    FontName,
    FontSize,
    FontBold,
    TileStyle,
    Picture,
    Stretch,
    Count
};

enum class SettingType { Bool, Integer, Colour, Text };

// Fixed: an absent key reads as the table's fallback. Current: it reads as whatever is in force
// when it is read (the template tile's look), which the caller passes.
enum class SettingFallback { Fixed, Current };

// What a stored number outside [minimum, maximum] reads as.
enum class OutOfRange { Fallback, Clamped };

struct SettingEntry {
    Setting id;
    std::string_view section;
    std::string_view key;
    SettingType type;
    SettingFallback fallbackKind = SettingFallback::Fixed;
    long long fallback = 0;          // Bool, Integer, Colour
    std::string_view fallbackText{}; // Text
    int minimum = INT_MIN;
    int maximum = INT_MAX;
    OutOfRange outOfRange = OutOfRange::Fallback;
};

namespace settingsTable {

inline constexpr std::string_view kOptions = "Options";

constexpr SettingEntry flag(Setting id, std::string_view key, bool fallback) {
    return {id, kOptions, key, SettingType::Bool, SettingFallback::Fixed, fallback ? 1 : 0};
}

constexpr SettingEntry number(Setting id, std::string_view key, int fallback,
                              int minimum = INT_MIN, int maximum = INT_MAX,
                              OutOfRange outOfRange = OutOfRange::Fallback) {
    return {id,   kOptions, key,     SettingType::Integer, SettingFallback::Fixed,
            fallback, {},   minimum, maximum,              outOfRange};
}

constexpr SettingEntry colour(Setting id, std::string_view key, quorvel::Colour fallback) {
    return {id, kOptions, key, SettingType::Colour, SettingFallback::Fixed, fallback};
}

constexpr SettingEntry text(Setting id, std::string_view key, std::string_view fallback) {
    return {id, kOptions, key, SettingType::Text, SettingFallback::Fixed, 0, fallback};
}

constexpr SettingEntry current(SettingEntry entry) {
    entry.fallbackKind = SettingFallback::Current;
    return entry;
}

inline constexpr LetterColours kLetters{};

} // namespace settingsTable

inline constexpr std::array<SettingEntry, static_cast<std::size_t>(Setting::Count)> kSettings = [] {
    using namespace settingsTable;
    using S = Setting;
    return std::array<SettingEntry, static_cast<std::size_t>(Setting::Count)>{{
        text(S::Dictionary, "Dictionary", "Common Words"),
        flag(S::Def, "Def", false),
        flag(S::Timed, "Timed", false),
        flag(S::AutoAdvance, "AutoAdvance", false),
        flag(S::TimerPopSounds, "timerpopsounds", false),
        flag(S::LockVowels, "LockVowels", false),
        flag(S::LockFirst, "LockFirst", false),
        flag(S::LockNone, "LockNone", false),
        flag(S::LockRandomly, "LockRandomly", false),
        text(S::UserLevel, "UserLevel", ""),
        // A file from before the handicap was kept, or a number off the slider, plays Neutral.
        number(S::Handicap, "handicap", 0, -1, 1),
        // A game in play at shut-down comes back at the next start unless the player says no.
        flag(S::ResumeGames, "ResumeGames", true),
        flag(S::Music, "Music", false),
        flag(S::Sound, "Sound", true),
        flag(S::Tips, "TOTD", true),
        number(S::LastTip, "LastTip", 0, 0, 65535),
        flag(S::Hints, "Hints", true),
        flag(S::Banner, "Banner", true),
        flag(S::LockMarks, "LockMarks", true),
        colour(S::LetterRevealed, "Blue", kLetters.revealed),
        colour(S::LetterLocked, "Green", kLetters.locked),
        colour(S::LetterUnlocked, "Red", kLetters.unlocked),
        number(S::DesktopX, "DesktopX", 10),
        number(S::DesktopY, "DesktopY", 10),
        number(S::Level, "Level", 1),
        flag(S::ImageVisible, "ImageVisible", false),
        colour(S::BoardColour, "BGColor", DefaultBoardColour),
        // The Game Size slider's positions; a stored number beyond them takes the nearest.
        number(S::GameSize, "Size", 3, 1, 3, OutOfRange::Clamped),
        // The size the player gave the window (its inside, without the frame): -1 when none was
        // ever stored (the first start sizes it from the screen), 0 when it fits each board.
        number(S::WindowWidth, "WindowWidth", -1, -1, 100000),
        number(S::WindowHeight, "WindowHeight", -1, -1, 100000),
        number(S::InstallDate, "InstallDate", 0),
        number(S::LastNewsDay, "lnd", 0),
        number(S::NextUpdateDay, "lnu", 0),
        current(colour(S::TileColour, "Color", 0)),
        current(text(S::FontName, "FontName", "")),
        current(number(S::FontSize, "FontSize", 0, 1, 500)),
        flag(S::FontBold, "FontBold", false),
        text(S::TileStyle, "Style", "panel1"),
        text(S::Picture, "Picture", ""),
        flag(S::Stretch, "Stretch", true),
    }};
}();

constexpr const SettingEntry& settingEntry(Setting id) {
    return kSettings[static_cast<std::size_t>(id)];
}

// The entry whose key is key (as the file spells it), if any.
std::optional<Setting> settingNamed(std::string_view key);
