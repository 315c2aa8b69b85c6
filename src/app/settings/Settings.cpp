// The player's settings file: the [Options] section of the core's INI file, in Qt's terms.
#include "settings/Settings.h"

#include "support/Text.h"

#include <algorithm>

using quorvel::fromCp1252;
using quorvel::toCp1252;

namespace {

std::string openSettingsFile(const quorvel::FileLocations& files) {
    const std::string path = files.toWrite("RQN_ZQ.INI");
    quorvel::IniFile::createFromTemplate(path, files.shipped("zq/RQN_ZQ.DEF"));
    return path;
}

} // namespace

Settings::Settings(const quorvel::FileLocations& files) : m_file(openSettingsFile(files)) {}

Settings::Settings(const QString& programFolder)
    : Settings(quorvel::FileLocations(programFolder.toStdString())) {}

QString Settings::path() const {
    return QString::fromStdString(m_file.path());
}

QString Settings::keyName(Setting id) {
    const std::string_view key = settingEntry(id).key;
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

int Settings::readInteger(Setting id) const {
    return readInteger(id, static_cast<int>(settingEntry(id).fallback));
}

int Settings::readInteger(Setting id, int current) const {
    const SettingEntry& entry = settingEntry(id);
    const int value = m_file.readInteger(entry.section, entry.key, current);
    if (value >= entry.minimum && value <= entry.maximum)
        return value;
    return entry.outOfRange == OutOfRange::Clamped ? std::clamp(value, entry.minimum, entry.maximum)
                                                   : current;
}

bool Settings::readBool(Setting id) const {
    const SettingEntry& entry = settingEntry(id);
    return m_file.readBool(entry.section, entry.key, entry.fallback != 0);
}

QString Settings::readText(Setting id) const {
    const std::string_view fallback = settingEntry(id).fallbackText;
    const auto size = static_cast<qsizetype>(fallback.size());
    return readText(id, QString::fromLatin1(fallback.data(), size));
}

QString Settings::readText(Setting id, const QString& current) const {
    const SettingEntry& entry = settingEntry(id);
    return fromCp1252(m_file.readString(entry.section, entry.key, toCp1252(current)));
}

bool Settings::writeInteger(Setting id, int value) {
    const SettingEntry& entry = settingEntry(id);
    return m_file.writeInteger(entry.section, entry.key, value);
}

bool Settings::writeBool(Setting id, bool value) {
    const SettingEntry& entry = settingEntry(id);
    return m_file.writeBool(entry.section, entry.key, value);
}

bool Settings::writeText(Setting id, const QString& value) {
    const SettingEntry& entry = settingEntry(id);
    return m_file.writeString(entry.section, entry.key, toCp1252(value));
}

QString Settings::lastError() const {
    return QString::fromStdString(m_file.lastError());
}

void Settings::beginBatch() {
    m_file.beginBatch();
}

bool Settings::commitBatch() {
    return m_file.commitBatch();
}
