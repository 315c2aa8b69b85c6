// The player's settings file, RQN_ZQ.INI: every option the game keeps, under [Options].
#pragma once

#include "base/FileLocations.h"
#include "records/IniFile.h"

#include <QString>

#include <string_view>

// One per run: main() makes it before any window and hands it to each part that keeps a
// setting, so every part reads and writes the same file through the same object. Texts are
// kept in Windows-1252, as the file has always held them.
class Settings {
public:
    static constexpr const char* kSection = "Options";

    // The settings file where files says the player's files live. The first run makes it from
    // the shipped zq/RQN_ZQ.DEF; without either file the game runs on defaults and the file
    // appears at the first write.
    explicit Settings(const quorvel::FileLocations& files);
    // The same, with every file in the program folder (which ends in '/').
    explicit Settings(const QString& programFolder);

    QString path() const;

    // An absent or unreadable value reads as the fallback (see IniFile).
    int readInteger(std::string_view key, int fallback) const;
    bool readBool(std::string_view key, bool fallback) const;
    QString readText(std::string_view key, const QString& fallback) const;

    // False when the file could not be replaced; lastError() then says why.
    bool writeInteger(std::string_view key, int value);
    bool writeBool(std::string_view key, bool value);
    bool writeText(std::string_view key, const QString& value);
    QString lastError() const;

    // Writes between these two calls reach the file in one replacement: all old or all new.
    void beginBatch();
    bool commitBatch();

private:
    quorvel::IniFile m_file;
};
