// The player's settings file, RQN_ZQ.INI: every option the game keeps, under [Options].
#pragma once

#include "base/FileLocations.h"
#include "records/IniFile.h"
#include "settings/SettingsKeys.h"

#include <QString>

// One per run: main() makes it before any window and hands it to each part that keeps a
// setting, so every part reads and writes the same file through the same object. Texts are
// kept in Windows-1252, as the file has always held them.
class Settings {
public:
    // The settings file where files says the player's files live. The first run makes it from
    // the shipped zq/RQN_ZQ.DEF; without either file the game runs on defaults and the file
    // appears at the first write.
    explicit Settings(const quorvel::FileLocations& files);
    // The same, with every file in the program folder (which ends in '/').
    explicit Settings(const QString& programFolder);

    QString path() const;

    // The file's name for a key, as the options dialog names its kept controls.
    static QString keyName(Setting id);

    // An absent or unreadable value reads as the key's fallback in the table (see IniFile); a
    // number outside the key's range reads as the table says. Keys whose fallback is the value
    // in force take it as current.
    int readInteger(Setting id) const;
    int readInteger(Setting id, int current) const;
    bool readBool(Setting id) const;
    QString readText(Setting id) const;
    QString readText(Setting id, const QString& current) const;

    // False when the file could not be replaced; lastError() then says why.
    bool writeInteger(Setting id, int value);
    bool writeBool(Setting id, bool value);
    bool writeText(Setting id, const QString& value);
    QString lastError() const;

    // Writes between these two calls reach the file in one replacement: all old or all new.
    void beginBatch();
    bool commitBatch();

private:
    quorvel::IniFile m_file;
};
