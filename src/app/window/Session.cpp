// Start-up restores the settings into the main window, shut-down stores them, in a fixed order.
#include "window/Session.h"

#include "support/Dialogs.h"
#include "support/HintSwitch.h"
#include "dialogs/OptionsDialog.h"
#include "window/SessionHost.h"
#include "board/TileStyle.h"
#include "settings/Settings.h"
#include "support/StartupTrace.h"

#include "base/Files.h"
#include "base/ProgramFolder.h"
#include "records/DayNumber.h"

#include <algorithm>
#include <climits>

using quorvel::Colour;

namespace {

constexpr int kQuietestVolume = OptionsDialog::volumeForPosition(15);
constexpr int kFadeStep = 500;
constexpr int kExitFadeMs = 500; // how long the steps of the shut-down fade take together

// Colours are 0x00BBGGRR: a stored value with the top byte set is no colour of ours.
Colour readColour(const Settings& settings, Setting key) {
    return static_cast<Colour>(settings.readInteger(key)) & 0x00FFFFFFu;
}

Colour readColour(const Settings& settings, Setting key, Colour current) {
    return static_cast<Colour>(settings.readInteger(key, static_cast<int>(current))) &
           0x00FFFFFFu;
}

} // namespace

Session::Session(SessionHost& host, Settings& settings, OptionsDialog& options, HintSwitch& hints,
                 Today today, QObject* parent)
    : QObject(parent), m_host(host), m_settings(settings), m_options(options), m_hints(hints),
      m_today(std::move(today)) {
    connect(&options, &OptionsDialog::templateTileSizeChanged, this,
            [this](int width, int height, int points) {
                m_host.setTemplateTileSize(width, height, points);
            });
    connect(&options, &OptionsDialog::volumeChanged, this,
            [this](int volume) { m_host.setOutputVolume(volume); });
}

const QString& Session::newsQuestion() {
    static const QString text =
        QStringLiteral("Check our website via the internet for new announcements?");
    return text;
}

const QString& Session::updateReminder() {
    static const QString text = QStringLiteral(
        "Free updates and new word lists for Quorvel may be available.\n\n"
        "Please visit the Quorvel web site (https://www.quorvel.example) for free updates.");
    return text;
}

int Session::styleSample(const QString& style) {
    return tileStyleSample(style);
}

std::vector<int> Session::fadeSteps(int from) {
    // At least one step; the volume never goes below silence, so a start below one step ends.
    std::vector<int> steps;
    int volume = from;
    do {
        volume = std::max(volume - kFadeStep, 0);
        steps.push_back(volume);
    } while (volume > kQuietestVolume);
    return steps;
}

void Session::windowShown() {
    // The output starts at the volume the Sound Volume slider shows, so the two always agree.
    m_host.setOutputVolume(m_options.volume());
    m_host.setBannerTimerEnabled(true);
}

void Session::newsCommand() {
    if (m_host.dialogs().ask(m_host.window(), newsQuestion()))
        m_host.showNewsWindow();
}

void Session::startUp() {
    if (m_started)
        return;
    m_started = true;

    // The letter colours were read when the options dialog was created.
    m_host.setLetterColours(m_options.letterColours());

    const bool trace =
        quorvel::fileExists(m_options.files().shipped("trace.zq"));
    m_host.setTraceCommandsVisible(trace);
    m_options.setTraceAvailable(trace);

    restoreTileLook();
    quorvel::traceStartupStep("tile look restored");

    newsAndUpdates();
    m_host.loadLayouts();
    quorvel::traceStartupStep("layouts");
    if (!m_options.hasDictionary())
        m_options.selectDictionaryFallback();
    if (m_settings.readBool(Setting::Banner))
        m_host.advanceBanner();

    restoreMenusAndTips();
    restoreWindowPosition();
    restoreLevel();
    quorvel::traceStartupStep("position and level");

    m_host.loadSoundEffects();
    quorvel::traceStartupStep("sound effects");
    // On the board before the tip of the day, which then shows over the game it belongs to.
    m_host.resumeUnfinishedGame(m_options.resumesGames());
    quorvel::traceStartupStep("unfinished game");
    if (m_host.showTipsAtStartup())
        m_host.showTipOfTheDay();
}

// The style samples, the background, Game Size, then the template tile's look and shape. Game
// Size sets the tile's font size first; a stored FontSize then takes its place. Without one the
// tiles keep the Game Size's font, so a size looks after a restart as it did when chosen.
void Session::restoreTileLook() {
    const TileLook initial = m_host.templateTileLook();
    const int gameSize = m_settings.readInteger(Setting::GameSize);
    const int sizePoints = OptionsDialog::fontPointsForSize(gameSize);
    TileLook look;
    look.colour = readColour(m_settings, Setting::TileColour, initial.colour);
    look.fontName = m_settings.readText(Setting::FontName, initial.fontName);
    look.fontSize = m_settings.readInteger(Setting::FontSize, sizePoints);
    look.bold = m_settings.readBool(Setting::FontBold);
    m_host.setStyleSamples(look);

    const QString background = QString::fromStdString(m_options.files().toRead("zq/BG.bmp"));
    if (quorvel::fileExists(background.toStdString()))
        m_host.loadBackground(background); // a picture that fails to load is simply not shown
    m_host.setBackgroundStretched(m_settings.readBool(Setting::Stretch));
    m_host.setBackgroundVisible(m_settings.readBool(Setting::ImageVisible));
    m_host.setBoardColour(readColour(m_settings, Setting::BoardColour));

    m_options.setGameSize(gameSize);

    m_host.setTemplateTileLook(look);
    m_host.setTemplateTileStyle(
        styleSample(m_settings.readText(Setting::TileStyle)));
    m_options.setNewGameEnabled(true);
}

// The first run only notes its date. Later runs, on another day than the first, offer the news
// after 30 days without and remind of updates after 91 days without.
void Session::newsAndUpdates() {
    const QDate date = m_today();
    const int today = quorvel::dayNumber(date.year(), date.month(), date.day());
    const int installed = m_settings.readInteger(Setting::InstallDate);
    if (installed == 0) {
        m_settings.writeInteger(Setting::InstallDate, today);
        m_settings.writeInteger(Setting::NextUpdateDay, today + 30);
        return;
    }
    if (installed == today)
        return;
    // Stored dates are untrusted: the difference is taken without overflow.
    const auto daysSince = [&](Setting key) {
        return static_cast<long long>(today) - m_settings.readInteger(key);
    };
    if (daysSince(Setting::LastNewsDay) > 30) {
        newsCommand();
        m_settings.writeInteger(Setting::LastNewsDay, today);
    }
    if (daysSince(Setting::NextUpdateDay) > 91) {
        m_host.dialogs().inform(m_host.window(), updateReminder());
        m_settings.writeInteger(Setting::NextUpdateDay, today);
    }
}

void Session::restoreMenusAndTips() {
    m_host.setMenuChecked(MenuCheck::Music, m_settings.readBool(Setting::Music));
    m_host.setMenuChecked(MenuCheck::Sound, m_settings.readBool(Setting::Sound));
    m_host.setShowTipsAtStartup(m_settings.readBool(Setting::Tips));
    m_host.setTipCounter(m_settings.readInteger(Setting::LastTip));
    const bool hints = m_settings.readBool(Setting::Hints);
    m_host.setMenuChecked(MenuCheck::Hints, hints);
    m_hints.setEnabled(hints);
    const bool banner = m_settings.readBool(Setting::Banner);
    m_host.setMenuChecked(MenuCheck::Banner, banner);
    // The banner timer has run since the window was shown; with the banner off it would scroll
    // the level shown next off the status line, and leave the line blank.
    if (!banner)
        m_host.setBannerTimerEnabled(false);
    m_host.setMenuChecked(MenuCheck::LockMarks, m_settings.readBool(Setting::LockMarks));
}

void Session::restoreWindowPosition() {
    if (m_positionRestored)
        return;
    m_positionRestored = true;
    constexpr int kNotStored = INT_MIN; // also a value that is no number
    const int top = m_settings.readInteger(Setting::DesktopY, kNotStored);
    const int left = m_settings.readInteger(Setting::DesktopX, kNotStored);
    if (top == kNotStored || left == kNotStored) {
        m_host.centreWindow();
        return;
    }
    // The window goes where it was, unless that is off the usual screen area.
    QPoint position(left, top);
    if (top < 0 || top > 400)
        position.setY(10);
    if (left < 0 || left > 600)
        position.setX(10);
    m_host.setWindowPosition(position);
}

void Session::restoreLevel() {
    m_host.showLevel(m_settings.readInteger(Setting::Level));
    m_settings.writeInteger(Setting::Level, m_host.level());
}

void Session::shutDown() {
    // While the game timer still runs, so the time into its interval is kept with the game.
    m_host.keepUnfinishedGame(m_options.resumesGames());
    m_host.stopAndHide();
    const int kept = m_host.outputVolume();
    m_host.clearStatusLine();

    // Every key of the pass reaches the file in one replacement: all old or all new.
    m_settings.beginBatch();
    bool saved = m_options.saveControls();
    m_host.saveBackground(QString::fromStdString(m_options.files().toWrite("zq/BG.bmp")));
    saved = storeSettings() && saved;
    saved = m_settings.commitBatch() && saved;
    if (!saved)
        m_host.dialogs().warn(nullptr,
                              QStringLiteral("Your settings could not be saved.\n\n%1")
                                  .arg(m_settings.lastError()));

    // The fade steps the game's own output, spread over half a second so that it is heard.
    if (m_host.isMenuChecked(MenuCheck::Music)) {
        const std::vector<int> steps = fadeSteps(kept);
        const int pause = kExitFadeMs / static_cast<int>(steps.size());
        for (const int volume : steps) {
            m_host.setOutputVolume(volume);
            m_host.pauseDuringFade(pause);
        }
    }
    m_host.stopSoundEffects();
    // The music ends (fading out) before the start volume returns, or its tail would jump up.
    m_host.closeMusic();
    m_host.setOutputVolume(m_host.startVolume());
}

bool Session::storeSettings() {
    bool saved = true;
    // Booleans are stored as 1 and 0, colours as their decimal value.
    const auto store = [&](Setting key, auto value) {
        saved = m_settings.writeInteger(key, static_cast<int>(value)) && saved;
    };
    store(Setting::Music, m_host.isMenuChecked(MenuCheck::Music));
    store(Setting::Sound, m_host.isMenuChecked(MenuCheck::Sound));
    store(Setting::Tips, m_host.showTipsAtStartup());
    store(Setting::LastTip, m_host.tipCounter());
    store(Setting::Hints, m_host.isMenuChecked(MenuCheck::Hints));
    store(Setting::Banner, m_host.isMenuChecked(MenuCheck::Banner));
    store(Setting::LockMarks, m_host.isMenuChecked(MenuCheck::LockMarks));
    const LetterColours letters = m_host.letterColours();
    store(Setting::LetterRevealed, letters.revealed);
    store(Setting::LetterLocked, letters.locked);
    store(Setting::LetterUnlocked, letters.unlocked);
    const QPoint position = m_host.windowPosition();
    store(Setting::DesktopX, position.x());
    store(Setting::DesktopY, position.y());
    store(Setting::Level, m_host.level());
    store(Setting::ImageVisible, m_host.isBackgroundVisible());
    store(Setting::BoardColour, m_host.boardColour());
    store(Setting::GameSize, m_options.gameSize());
    return saved;
}
