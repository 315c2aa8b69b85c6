// The start-up and shut-down sequences of the main window, between the settings and the game.
#pragma once

#include <QDate>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class HintSwitch;
class OptionsDialog;
class SessionHost;
class Settings;

// The main window calls windowShown() when it is first shown, startUp() on its first
// activation and shutDown() when it closes. Start-up reads the settings into the host and the
// options dialog, shut-down writes them back. The session also carries the options dialog's
// Game Size and Sound Volume changes to the host for the whole run.
class Session : public QObject {
    Q_OBJECT
public:
    using Today = std::function<QDate()>;

    Session(SessionHost& host, Settings& settings, OptionsDialog& options, HintSwitch& hints,
            Today today = &QDate::currentDate, QObject* parent = nullptr);

    // The output starts at the quietest Sound Volume position and the banner timer runs.
    void windowShown();
    // Puts the window where the settings say before it is first shown, so that the window
    // manager frames it there, or centres it where none is stored. Only the first call of a
    // run does anything; start-up makes it when nothing did before.
    void restoreWindowPosition();
    // FormActivate: restores the settings; only the first call of a run does anything.
    void startUp();
    bool hasStarted() const { return m_started; }
    // Stores the settings and fades the music out as the window closes.
    void shutDown();
    // News and New Games: asks first, and shows the news window only on Yes.
    void newsCommand();

    // The style sample a Style value names: "panel1".."panel21" in any case; 1 for any other.
    static int styleSample(const QString& style);
    // The output volumes the shut-down fade sets, from the volume it starts at.
    static std::vector<int> fadeSteps(int from);

    static const QString& newsQuestion();
    static const QString& updateReminder();

private:
    void restoreTileLook();
    void newsAndUpdates();
    void restoreMenusAndTips();
    void restoreLevel();
    bool storeSettings(); // false when a key could not be written

    SessionHost& m_host;
    Settings& m_settings;
    OptionsDialog& m_options;
    HintSwitch& m_hints;
    Today m_today;
    bool m_started = false;
    bool m_positionRestored = false;
};
