// The player's settings file: the [Options] section of the core's INI file, in Qt's terms.
#include "settings/Settings.h"

#include "support/Text.h"

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

int Settings::readInteger(std::string_view key, int fallback) const {
    return m_file.readInteger(kSection, key, fallback);
}

bool Settings::readBool(std::string_view key, bool fallback) const {
    return m_file.readBool(kSection, key, fallback);
}

QString Settings::readText(std::string_view key, const QString& fallback) const {
    return fromCp1252(m_file.readString(kSection, key, toCp1252(fallback)));
}

bool Settings::writeInteger(std::string_view key, int value) {
    return m_file.writeInteger(kSection, key, value);
}

bool Settings::writeBool(std::string_view key, bool value) {
    return m_file.writeBool(kSection, key, value);
}

bool Settings::writeText(std::string_view key, const QString& value) {
    return m_file.writeString(kSection, key, toCp1252(value));
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
