// The main window as the window tests open it, with everything it is handed: a program folder
// of the test's own, scripted dialogs, a seeded random source, the settings file and the sound
// player. The test keeps its own references to them.
#pragma once

#include "audio/SoundPlayer.h"
#include "settings/Settings.h"
#include "window/MainWindow.h"

#include "model/Random.h"
#include "records/IniFile.h"

#include <QFile>

#include <QTemporaryDir>

#include <cstdint>
#include <memory>

template <class Scripted>
class WindowFixture {
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder; // ends in '/'
    std::unique_ptr<Scripted> m_dialogs;
    std::unique_ptr<quorvel::Random> m_random;
    std::unique_ptr<Settings> m_settings; // made with each window, and outlives it
    std::unique_ptr<SoundPlayer> m_sound; // likewise
    std::unique_ptr<quorvel::MainWindow> m_window;

    // A new empty program folder; false when none could be made.
    bool makeEmptyFolder() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = m_dir->path() + QLatin1Char('/');
        return m_dir->isValid();
    }

    // Most window tests play in a window that fits each board, as the player has it until they
    // size it; without the stored setting a first start on a tall enough screen sizes the
    // window from the screen. Made before the window, from the shipped first-run settings.
    bool keepWindowFittingBoards(bool fitting = true) {
        const QString ini = m_folder + QStringLiteral("RQN_ZQ.INI");
        if (!QFile::exists(ini) &&
            !QFile::copy(m_folder + QStringLiteral("zq/RQN_ZQ.DEF"), ini))
            return false;
        QFile::setPermissions(ini, QFile::ReadOwner | QFile::WriteOwner);
        quorvel::IniFile settings(ini.toStdString());
        return settings.writeInteger("Options", "WindowWidth", fitting ? 0 : -1) &&
               settings.writeInteger("Options", "WindowHeight", fitting ? 0 : -1);
    }

    // A new window over the folder, drawing from a random source seeded with seed.
    void makeWindow(std::uint32_t seed) {
        m_window.reset();
        m_random = std::make_unique<quorvel::Random>(seed);
        remakeWindow();
    }

    // A new window that draws on from the random source the last one used. The old window
    // goes first, so nothing it was handed is replaced under it.
    void remakeWindow() {
        m_window.reset();
        m_dialogs = std::make_unique<Scripted>();
        m_settings = std::make_unique<Settings>(m_folder);
        m_sound = std::make_unique<SoundPlayer>(m_folder);
        m_window = std::make_unique<quorvel::MainWindow>(
            quorvel::FileLocations(m_folder.toStdString()), *m_settings, *m_dialogs, *m_random,
            *m_sound);
    }
};
