// Start-up and shut-down: what the settings restore, and what they keep for the next run.
#include "support/Dialogs.h"
#include "support/HintSwitch.h"
#include "dialogs/OptionsDialog.h"
#include "ScriptedDialogs.h"
#include "window/Session.h"
#include "window/SessionHost.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <map>
#include <memory>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QDate kToday(2026, 12, 7);
const QPoint kCentred(-100, -100); // where the fake host's window goes when it is centred
constexpr int kTodayNumber = 46363; // days since 1899-12-30

// The main window as the sequences see it; `calls` records which of its hooks they used.
class FakeHost : public SessionHost {
public:
    QWidget* window() override { return nullptr; }
    Dialogs& dialogs() override { return scripted; }

    void setTraceCommandsVisible(bool visible) override {
        log("trace");
        traceVisible = visible;
    }
    TileLook templateTileLook() const override { return initialLook; }
    void setTemplateTileLook(const TileLook& look) override {
        log("tileLook");
        tileLook = look;
    }
    // As on the real board, the Game Size's font applies to the tile at once.
    void setTemplateTileSize(int width, int height, int points) override {
        log("tileSize");
        tileSize = {width, height, points};
        tileLook.fontSize = points;
    }
    void setTemplateTileStyle(int sample) override {
        log("tileStyle");
        styleSample = sample;
    }
    void setStyleSamples(const TileLook& look) override {
        log("styleSamples");
        sampleLook = look;
    }
    LetterColours letterColours() const override { return letters; }
    void setLetterColours(const LetterColours& colours) override {
        log("letterColours");
        letters = colours;
    }
    bool loadBackground(const QString& path) override {
        log("loadBackground");
        loadedBackground = path;
        return false;
    }
    void saveBackground(const QString& path) override {
        log("saveBackground");
        savedBackground = path;
    }
    void setBackgroundStretched(bool stretched) override {
        log("stretch");
        backgroundStretched = stretched;
    }
    bool isBackgroundVisible() const override { return backgroundVisible; }
    void setBackgroundVisible(bool visible) override {
        log("backgroundVisible");
        backgroundVisible = visible;
    }
    quorvel::Colour boardColour() const override { return board; }
    void setBoardColour(quorvel::Colour colour) override {
        log("boardColour");
        board = colour;
    }
    void loadLayouts() override { log("layouts"); }
    void advanceBanner() override { log("advanceBanner"); }
    void setBannerTimerEnabled(bool enabled) override { bannerTimer = enabled; }
    bool isMenuChecked(MenuCheck item) const override { return checks.at(item); }
    void setMenuChecked(MenuCheck item, bool checked) override {
        log("menu");
        checks[item] = checked;
    }
    int tipCounter() const override { return tips; }
    void setTipCounter(int counter) override { tips = counter; }
    bool showTipsAtStartup() const override { return showTips; }
    void setShowTipsAtStartup(bool show) override { showTips = show; }
    void showTipOfTheDay() override { log("tipOfTheDay"); }
    QPoint windowPosition() const override { return position; }
    void setWindowPosition(QPoint at) override {
        log("position");
        position = at;
    }
    void centreWindow() override {
        log("centre");
        position = kCentred;
    }
    int level() const override { return currentLevel; }
    void showLevel(int level) override {
        log("showLevel");
        currentLevel = level < 0 ? 1 : level;
    }
    void showNewsWindow() override { log("news"); }
    void loadSoundEffects() override { log("soundEffects"); }
    void resumeUnfinishedGame(bool resume) override { log(resume ? "resumeGame" : "forgetGame"); }
    void keepUnfinishedGame(bool keep) override { log(keep ? "keepGame" : "forgetGame"); }
    void stopAndHide() override { log("stopAndHide"); }
    void clearStatusLine() override { log("clearStatus"); }
    int outputVolume() const override { return volume; }
    void setOutputVolume(int value) override {
        volume = value;
        volumes << value;
        log("volume");
    }
    void pauseDuringFade(int ms) override { fadeMs += ms; }
    int startVolume() const override { return 50000; }
    void stopSoundEffects() override { log("stopEffects"); }
    void closeMusic() override { log("closeMusic"); }

    void log(const char* call) { calls << QLatin1String(call); }

    ScriptedDialogs scripted{true}; // yes to every question unless a test says no
    QStringList calls;
    TileLook initialLook{0xF0F0F0, QStringLiteral("Tahoma"), 10, false};
    TileLook tileLook, sampleLook;
    std::tuple<int, int, int> tileSize{0, 0, 0};
    int styleSample = 0;
    LetterColours letters;
    QString loadedBackground, savedBackground;
    bool traceVisible = false, backgroundStretched = false, backgroundVisible = false;
    quorvel::Colour board = 0;
    bool bannerTimer = false;
    std::map<MenuCheck, bool> checks{{MenuCheck::Music, false},
                                     {MenuCheck::Sound, true},
                                     {MenuCheck::Hints, true},
                                     {MenuCheck::Banner, true},
                                     {MenuCheck::LockMarks, true}};
    int tips = 0;
    bool showTips = true;
    QPoint position{0, 0};
    int currentLevel = 1;
    int volume = 4096;
    QList<int> volumes;
    int fadeMs = 0; // time the shut-down fade took between its steps
};

// A program folder in a temporary directory with kbs/ and zq/, and a run of the game in it.
class Folder {
public:
    Folder() {
        QDir(m_dir.path()).mkpath(QStringLiteral("kbs"));
        QDir(m_dir.path()).mkpath(QStringLiteral("zq"));
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile out(path() + name);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile in(path() + name);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    void writeIni(const QByteArray& options) const {
        write(QStringLiteral("RQN_ZQ.INI"), "[Options]\r\n" + options);
    }
    QByteArray ini() const { return read(QStringLiteral("RQN_ZQ.INI")); }
    void addDictionaries() const {
        for (const char* name : {"Birds.dic", "Common Words.dic", "Zoo Animals.dic"})
            write(QString::fromLatin1("kbs/") + QLatin1String(name), "x");
    }

private:
    QTemporaryDir m_dir;
};

struct Run {
    explicit Run(const Folder& folder, QDate today = kToday)
        : settings(folder.path()), options(folder.path(), settings),
          session(host, settings, options, hints, [today] { return today; }) {}
    FakeHost host;
    Settings settings;
    OptionsDialog options;
    HintSwitch hints;
    Session session;
};

// The keys of the [Options] section in file order.
QStringList keysOf(const QByteArray& ini) {
    QStringList keys;
    for (const QByteArray& line : ini.split('\n'))
        if (const int equals = line.indexOf('='); equals > 0)
            keys << QString::fromLatin1(line.left(equals));
    return keys;
}

int intValue(const Folder& folder, const char* key) {
    const quorvel::IniFile file(Settings(folder.path()).path().toStdString());
    return file.readInteger("Options", key, -999);
}

// Everything of a run that the settings keep, as the host and the options dialog hold it.
struct Kept {
    std::map<MenuCheck, bool> checks;
    bool showTips;
    int tips;
    LetterColours letters;
    QPoint position;
    int level;
    bool backgroundVisible;
    quorvel::Colour board;
    int gameSize;
    std::string dictionary;
    bool timed;
    quorvel::LockRule lock;

    explicit Kept(const Run& run)
        : checks(run.host.checks), showTips(run.host.showTips), tips(run.host.tips),
          letters(run.host.letters), position(run.host.position), level(run.host.currentLevel),
          backgroundVisible(run.host.backgroundVisible), board(run.host.board),
          gameSize(run.options.gameSize()), dictionary(run.options.gameOptions().dictionary),
          timed(run.options.gameOptions().timed), lock(run.options.gameOptions().lock) {}
    bool operator==(const Kept& other) const {
        return checks == other.checks && showTips == other.showTips && tips == other.tips &&
               letters.unlocked == other.letters.unlocked &&
               letters.locked == other.letters.locked &&
               letters.revealed == other.letters.revealed && position == other.position &&
               level == other.level && backgroundVisible == other.backgroundVisible &&
               board == other.board && gameSize == other.gameSize &&
               dictionary == other.dictionary && timed == other.timed && lock == other.lock;
    }
};

} // namespace

class SessionTest : public QObject {
    Q_OBJECT
private slots:
    // Every activation of the window asks for a start-up; a second one restoring the settings
    // would put the player's window and level back where the run began.
    void startUpRestoresOnlyOnce() {
        Folder folder;
        folder.writeIni("InstallDate=46000\r\nlnd=46360\r\nlnu=46360\r\nLevel=5\r\n"
                        "DesktopX=50\r\nDesktopY=60\r\n");
        Run run(folder);
        run.session.startUp();
        QVERIFY(run.session.hasStarted());
        QCOMPARE(run.host.currentLevel, 5);
        QCOMPARE(run.host.position, QPoint(50, 60));
        for (const char* step : {"layouts", "advanceBanner", "soundEffects", "tipOfTheDay"})
            QVERIFY2(run.host.calls.contains(QLatin1String(step)), step);

        run.host.showLevel(8);
        run.host.position = QPoint(70, 80);
        const QStringList calls = run.host.calls;
        const QByteArray file = folder.ini();
        run.session.startUp();
        QCOMPARE(run.host.calls, calls);
        QCOMPARE(run.host.currentLevel, 8);
        QCOMPARE(run.host.position, QPoint(70, 80));
        QCOMPARE(folder.ini(), file);
    }

    void firstRunNotesTheDatesWithoutAsking() {
        Folder folder;
        QFile::copy(QStringLiteral(QUORVEL_SOURCE_DIR "/data/zq/RQN_ZQ.DEF"),
                    folder.path() + QStringLiteral("zq/RQN_ZQ.DEF"));
        folder.addDictionaries();
        Run run(folder);
        run.session.startUp();
        QCOMPARE(intValue(folder, "InstallDate"), kTodayNumber);
        QCOMPARE(intValue(folder, "lnu"), kTodayNumber + 30);
        QCOMPARE(intValue(folder, "lnd"), -999);
        QVERIFY(run.host.scripted.asked.isEmpty());
        QVERIFY(run.host.scripted.informed.isEmpty());
        // The shipped first-run values are in force.
        QCOMPARE(run.options.gameOptions().dictionary, std::string("Common Words"));
        QCOMPARE(run.options.gameSize(), 2);
        QVERIFY(run.options.gameOptions().timerPopSounds);
        QCOMPARE(run.host.currentLevel, 1);
    }

    void nextDayWithoutNewsAsksForNews() {
        Folder folder;
        folder.writeIni("InstallDate=46362\r\nlnu=46392\r\n");
        Run run(folder);
        run.session.startUp();
        QCOMPARE(run.host.scripted.asked, QStringList{Session::newsQuestion()});
        QVERIFY(run.host.calls.contains(QStringLiteral("news")));
        QVERIFY(run.host.scripted.informed.isEmpty());
        QCOMPARE(intValue(folder, "lnd"), kTodayNumber);

        Folder declined; // No: no news window, and the prompt still counts as shown
        declined.writeIni("InstallDate=46362\r\n");
        Run second(declined);
        second.host.scripted.answer = false;
        second.session.startUp();
        QCOMPARE(second.host.scripted.asked.size(), 1);
        QVERIFY(!second.host.calls.contains(QStringLiteral("news")));
        QCOMPARE(intValue(declined, "lnd"), kTodayNumber);
    }

    void newsAndUpdateReminderFollowTheirIntervals_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("news");
        QTest::addColumn<bool>("reminder");
        QTest::newRow("install day") << QByteArray("InstallDate=46363\r\n") << false << false;
        QTest::newRow("30 days") << QByteArray("InstallDate=1\r\nlnd=46333\r\nlnu=46300\r\n")
                                 << false << false;
        QTest::newRow("31 and 92 days")
            << QByteArray("InstallDate=1\r\nlnd=46332\r\nlnu=46271\r\n") << true << true;
        QTest::newRow("91 days") << QByteArray("InstallDate=1\r\nlnd=46363\r\nlnu=46272\r\n")
                                 << false << false;
        QTest::newRow("dates far out")
            << QByteArray("InstallDate=5\r\nlnd=-2147483648\r\nlnu=2147483647\r\n") << true
            << false;
    }
    void newsAndUpdateReminderFollowTheirIntervals() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, news);
        QFETCH(bool, reminder);
        Folder folder;
        folder.writeIni(ini);
        Run run(folder);
        run.session.startUp();
        QCOMPARE(run.host.scripted.asked.size(), news ? 1 : 0);
        QCOMPARE(run.host.scripted.informed.size(), reminder ? 1 : 0);
        if (reminder)
            QCOMPARE(intValue(folder, "lnu"), kTodayNumber);
    }

    void windowPositionKeepsWithinBounds_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("left 700") << QByteArray("DesktopX=700\r\nDesktopY=20\r\n")
                                  << QPoint(10, 20);
        QTest::newRow("at the limits")
            << QByteArray("DesktopX=600\r\nDesktopY=400\r\n") << QPoint(600, 400);
        QTest::newRow("off the top")
            << QByteArray("DesktopX=0\r\nDesktopY=-1\r\n") << QPoint(0, 10);
        QTest::newRow("too low") << QByteArray("DesktopX=-5\r\nDesktopY=401\r\n") << QPoint(10, 10);
        // Nothing stored, or nothing usable: centred on the primary screen.
        QTest::newRow("absent") << QByteArray() << kCentred;
        QTest::newRow("only one edge") << QByteArray("DesktopX=20\r\n") << kCentred;
        QTest::newRow("not numbers")
            << QByteArray("DesktopX=wide\r\nDesktopY=12px\r\n") << kCentred;
    }
    void windowPositionKeepsWithinBounds() {
        QFETCH(QByteArray, ini);
        QFETCH(QPoint, expected);
        Folder folder;
        folder.writeIni(ini);
        Run run(folder);
        run.session.startUp();
        QCOMPARE(run.host.position, expected);
    }

    // The window is placed before it is first shown, so the window manager frames it there;
    // start-up moving it again, with the frame not yet known, once put the title bar off the
    // screen and made the position drift.
    void windowPlacedBeforeShowingIsNotMovedAgainAtStartUp() {
        Folder folder;
        folder.writeIni("DesktopX=30\r\nDesktopY=40\r\n");
        Run run(folder);
        run.session.restoreWindowPosition();
        QCOMPARE(run.host.position, QPoint(30, 40));
        run.host.calls.clear();
        run.session.startUp();
        QVERIFY(!run.host.calls.contains(QStringLiteral("position")));
    }

    void styleNamesSelectTheirSample() {
        const std::pair<const char*, int> cases[] = {
            {"Panel7", 7}, {"panel21", 21}, {"PANEL1", 1}, {"panel22", 1},
            {"Panel0", 1}, {"panel07", 1},  {"", 1},       {"Wooden", 1}};
        for (const auto& [style, sample] : cases)
            QCOMPARE(Session::styleSample(QLatin1String(style)), sample);

        Folder folder;
        folder.writeIni("Style=Panel7\r\n");
        Run run(folder);
        run.session.startUp();
        QCOMPARE(run.host.styleSample, 7);
    }

    // Game Size sets the tile's size and font size; the stored tile font then takes its place.
    void templateTileFromGameSizeAndStoredFont() {
        Folder folder;
        folder.writeIni("Size=3\r\nColor=255\r\nFontName=Courier New\r\nFontSize=14\r\n"
                        "FontBold=1\r\nBGColor=x\r\nImageVisible=1\r\nStretch=0\r\n");
        Run run(folder);
        run.session.startUp();
        QCOMPARE(run.host.tileSize, std::make_tuple(45, 57, 36));
        QCOMPARE(run.host.tileLook.colour, quorvel::Colour(255));
        QCOMPARE(run.host.tileLook.fontName, QStringLiteral("Courier New"));
        QCOMPARE(run.host.tileLook.fontSize, 14);
        QVERIFY(run.host.tileLook.bold);
        QCOMPARE(run.host.sampleLook.fontName, QStringLiteral("Courier New"));
        QCOMPARE(run.host.board, quorvel::Colour(15966408));
        QVERIFY(run.host.backgroundVisible);
        QVERIFY(!run.host.backgroundStretched);
        QVERIFY(run.options.findChild<QWidget*>(QStringLiteral("bNewWords"))->isEnabled());

        // No usable keys: the tile's own look, and Game Size 3 with the font that size gives, as
        // when it is chosen in the options (not the template's 10 points in 45 x 57 tiles).
        Folder defaults;
        defaults.writeIni("FontSize=0\r\nColor=-1\r\n");
        Run second(defaults);
        second.session.startUp();
        QCOMPARE(second.host.tileLook.fontName, QStringLiteral("Tahoma"));
        QCOMPARE(second.host.tileLook.fontSize, 36);
        QCOMPARE(second.host.tileLook.colour, quorvel::Colour(0xFFFFFF));
        QCOMPARE(second.options.gameSize(), 3);
        QCOMPARE(second.host.styleSample, 1);
    }

    // A stored Game Size beyond the slider takes the nearest position, its font with it.
    void gameSizeOutsideTheSliderTakesTheNearestPosition() {
        const struct {
            const char* stored;
            int size;
        } cases[] = {{"Size=0\r\n", 1}, {"Size=-7\r\n", 1}, {"Size=9\r\n", 3}, {"Size=x\r\n", 3}};
        for (const auto& c : cases) {
            Folder folder;
            folder.writeIni(c.stored);
            Run run(folder);
            run.session.startUp();
            QVERIFY2(run.options.gameSize() == c.size, c.stored);
            QVERIFY2(run.host.tileLook.fontSize == c.size * 12, c.stored);
        }
    }

    // The file keeps one value per key: no two entries of the table may share a name.
    void everyKeyIsDeclaredOnce() {
        QSet<QString> names;
        for (const SettingEntry& entry : kSettings) {
            const QString name = QString::fromLatin1(entry.key.data(), qsizetype(entry.key.size()));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            QCOMPARE(settingNamed(entry.key), std::optional<Setting>(entry.id));
        }
        QVERIFY(!settingNamed("size")); // a control is named exactly after its key
    }

    void backgroundPictureIsLoadedWhenPresent() {
        Folder folder;
        folder.write(QStringLiteral("zq/BG.bmp"), "not really a picture");
        Run run(folder);
        run.session.startUp();
        QCOMPARE(run.host.loadedBackground, folder.path() + QStringLiteral("zq/BG.bmp"));
        run.session.shutDown();
        QCOMPARE(run.host.savedBackground, folder.path() + QStringLiteral("zq/BG.bmp"));
    }

    void unknownDictionaryFallsBackToTheSecondEntry() {
        Folder folder;
        folder.addDictionaries();
        folder.writeIni("Dictionary=Gone Away\r\n");
        Run run(folder);
        QVERIFY(!run.options.hasDictionary());
        run.session.startUp();
        QCOMPARE(run.options.gameOptions().dictionary, std::string("Common Words"));
    }

    void menuChecksTipsAndHintsAreRestored() {
        Folder folder;
        folder.writeIni("Music=1\r\nSound=0\r\nTOTD=0\r\nLastTip=5\r\nHints=0\r\nBanner=0\r\n");
        Run run(folder);
        run.session.startUp();
        QVERIFY(run.host.checks[MenuCheck::Music]);
        QVERIFY(!run.host.checks[MenuCheck::Sound]);
        QVERIFY(!run.host.checks[MenuCheck::Hints]);
        QVERIFY(!run.host.checks[MenuCheck::Banner]);
        QVERIFY(!run.hints.isEnabled());
        QCOMPARE(run.host.tips, 5);
        QVERIFY(!run.host.showTips);
        QVERIFY(!run.host.calls.contains(QStringLiteral("advanceBanner")));
        QVERIFY(!run.host.calls.contains(QStringLiteral("tipOfTheDay")));

        Folder odd;
        odd.writeIni("LastTip=70000\r\n");
        Run second(odd);
        second.host.tips = 3;
        second.session.startUp();
        QCOMPARE(second.host.tips, 0); // out of the counter's range
        QVERIFY(second.hints.isEnabled());
    }

    void storedLevelIsShownAndWrittenBack() {
        Folder folder;
        folder.writeIni("Level=-3\r\n");
        Run run(folder);
        run.session.startUp();
        QCOMPARE(run.host.currentLevel, 1);
        QCOMPARE(intValue(folder, "Level"), 1);
    }

    void hoverHintsSwitchDropsTooltips() {
        HintSwitch hints;
        QWidget widget;
        widget.setToolTip(QStringLiteral("a hint"));
        widget.resize(50, 50);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        const auto hover = [&] {
            QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), widget.mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(&widget, &event);
        };
        hints.setEnabled(false);
        hover();
        QVERIFY(!QToolTip::isVisible());
        hints.setEnabled(true);
        hover();
        QVERIFY(QToolTip::isVisible()); // shown at once, so the check above means something
        QCOMPARE(widget.toolTipDuration(), HintSwitch::kDurationMs);
        hints.setEnabled(false); // switching off hides the one showing
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    // A new file holds the keys in the order players' files have always had them.
    void shutDownWritesTheKeysInTheirUsualOrder() {
        Folder folder;
        Run run(folder);
        run.session.shutDown();
        const QStringList expected = {
            "Dictionary",     "handicap",    "Def",        "Timed",     "AutoAdvance",
            "timerpopsounds", "ResumeGames", "LockVowels", "LockFirst", "LockNone",
            "LockRandomly",   "UserLevel",   "Music",      "Sound",     "TOTD",
            "LastTip",        "Hints",       "Banner",     "LockMarks", "Blue",
            "Green",          "Red",         "DesktopX",   "DesktopY",  "Level",
            "ImageVisible",   "BGColor",     "Size"};
        QCOMPARE(keysOf(folder.ini()), expected);
        for (const char* step : {"stopAndHide", "clearStatus", "stopEffects", "closeMusic"})
            QVERIFY2(run.host.calls.contains(QLatin1String(step)), step);
        QVERIFY(run.host.scripted.warned.isEmpty());
    }

    // Save, load, compare: what one run leaves, the next start-up restores, and that run's own
    // shut-down writes the file back byte for byte.
    void shutDownThenStartUpKeepsTheRunAsItWas() {
        Folder folder;
        folder.addDictionaries();
        QByteArray saved;
        std::unique_ptr<Kept> left;
        {
            Run run(folder);
            run.session.startUp();
            run.options.findChild<QComboBox*>(QStringLiteral("Dictionary"))->setCurrentIndex(0);
            run.options.findChild<QCheckBox*>(QStringLiteral("Timed"))->setChecked(true);
            run.options.findChild<QRadioButton*>(QStringLiteral("LockRandomly"))->setChecked(true);
            run.options.setGameSize(3);
            run.host.checks = {{MenuCheck::Music, true},
                               {MenuCheck::Sound, false},
                               {MenuCheck::Hints, true},
                               {MenuCheck::Banner, false},
                               {MenuCheck::LockMarks, false}};
            run.host.showTips = false;
            run.host.tips = 65535;
            run.host.letters = {0x0000FF, 0x00FF00, 0xFF0000};
            run.host.position = QPoint(600, 400);
            run.host.showLevel(12);
            run.host.backgroundVisible = true;
            run.host.board = 0x123456;
            run.session.shutDown();
            left = std::make_unique<Kept>(run);
            saved = folder.ini();
        }
        Run next(folder);
        next.session.startUp();
        QVERIFY(Kept(next) == *left);
        next.session.shutDown();
        QCOMPARE(folder.ini(), saved);
    }

    // A shut-down once replaced the file key by key, so an interrupted one left a mix of old
    // and new values; now every key arrives in one replacement.
    void shutDownReplacesTheSettingsFileOnce() {
        Folder folder;
        folder.writeIni("Level=3\r\n");
        Run run(folder);
        run.host.currentLevel = 12;
        const int watch = inotify_init1(IN_NONBLOCK);
        QVERIFY(watch >= 0);
        QVERIFY(inotify_add_watch(watch, QFile::encodeName(folder.path()).constData(),
                                  IN_MOVED_TO) >= 0);
        run.session.shutDown();
        int replacements = 0;
        alignas(inotify_event) char events[16384];
        for (ssize_t got = 0; (got = ::read(watch, events, sizeof events)) > 0;)
            for (char* at = events; at < events + got;) {
                const auto* event = reinterpret_cast<inotify_event*>(at);
                replacements += event->len && QByteArray(event->name) == "RQN_ZQ.INI";
                at += sizeof(inotify_event) + event->len;
            }
        ::close(watch);
        QCOMPARE(replacements, 1);
        QCOMPARE(intValue(folder, "Level"), 12);
        QCOMPARE(keysOf(folder.ini()).size(), 28); // every key shut-down keeps, Lock Marks included
    }

    // The unfinished game is kept while the game timer still runs (before the window stops
    // it), and comes back after the level is restored but before the tip of the day shows over
    // it. With the option off the kept game is only forgotten, at both ends.
    void unfinishedGameIsKeptBeforeTheTimerStopsAndResumedBeforeTheTip() {
        Folder folder;
        {
            Run run(folder);
            run.session.startUp();
            const QStringList& calls = run.host.calls;
            QVERIFY(calls.indexOf(QStringLiteral("resumeGame")) > calls.indexOf("showLevel"));
            QVERIFY(calls.indexOf(QStringLiteral("resumeGame")) < calls.indexOf("tipOfTheDay"));
            run.host.calls.clear();
            run.session.shutDown();
            QCOMPARE(calls.indexOf(QStringLiteral("keepGame")), 0);
            QVERIFY(!calls.contains(QStringLiteral("forgetGame")));
        }
        folder.writeIni("ResumeGames=0\r\n");
        Run run(folder);
        run.session.startUp();
        run.session.shutDown();
        QCOMPARE(run.host.calls.count(QStringLiteral("forgetGame")), 2);
        QVERIFY(!run.host.calls.contains(QStringLiteral("resumeGame")));
        QVERIFY(!run.host.calls.contains(QStringLiteral("keepGame")));
    }

    void musicFadesOutOnlyWhenMusicIsOn() {
        QCOMPARE(Session::fadeSteps(4096), std::vector<int>{3596}); // always one step
        QCOMPARE(Session::fadeSteps(4596), std::vector<int>{4096});
        QCOMPARE(Session::fadeSteps(300), std::vector<int>{0}); // never below silence
        const std::vector<int> steps = Session::fadeSteps(32768);
        QCOMPARE(steps.size(), std::size_t(58));
        QCOMPARE(steps.back(), 3768);

        Folder folder;
        Run quiet(folder);
        quiet.host.volume = 32768;
        quiet.session.shutDown();
        QCOMPARE(quiet.host.volumes, QList<int>{50000}); // straight back to the start volume
        QCOMPARE(quiet.host.fadeMs, 0);

        Run loud(folder);
        loud.host.checks[MenuCheck::Music] = true;
        loud.host.volume = 32768;
        loud.session.shutDown();
        QCOMPARE(loud.host.volumes.size(), 59);
        QCOMPARE(loud.host.volumes.first(), 32268);
        QCOMPARE(loud.host.volumes.at(57), 3768);
        QCOMPARE(loud.host.volumes.last(), 50000);
        // Spread over about half a second so that it is heard, and the music closed (fading
        // out) before the start volume returns, or its tail would jump up.
        QVERIFY(loud.host.fadeMs >= 400 && loud.host.fadeMs <= 500);
        QCOMPARE(loud.host.calls.mid(loud.host.calls.size() - 3),
                 (QStringList{"stopEffects", "closeMusic", "volume"}));
    }

    // Regression: the output started at the quietest volume while the slider showed position 8.
    void windowShownSetsTheSlidersVolumeAndOptionsReachTheHost() {
        Folder folder;
        Run run(folder);
        run.session.windowShown();
        QCOMPARE(run.host.volume, 32768);
        QCOMPARE(run.host.volume, run.options.volume());
        QVERIFY(run.host.bannerTimer);
        run.options.findChild<QSlider*>(QStringLiteral("tbSound"))->setValue(1);
        QCOMPARE(run.host.volume, 61440);
        run.options.setGameSize(1);
        QCOMPARE(run.host.tileSize, std::make_tuple(15, 19, 12));
    }

    void handWrittenSettingsSurviveTheGamesWrites() {
        const QByteArray handWritten = "; written by hand\r\n"
                                       "[options]\r\n"
                                       "LEVEL=7\r\n"
                                       "music=1\r\n"
                                       "; colours below\r\n"
                                       "BgColor=255\r\n"
                                       "MyOwnKey=kept\r\n"
                                       "\r\n"
                                       "[Scores]\r\n"
                                       "Best=12\r\n"
                                       "Level=99\r\n";
        Folder folder;
        folder.write(QStringLiteral("RQN_ZQ.INI"), handWritten);
        {
            Run run(folder);
            run.session.startUp();
            QCOMPARE(run.host.currentLevel, 7);
            QVERIFY(run.host.checks[MenuCheck::Music]);
            QCOMPARE(run.host.board, quorvel::Colour(255));
            run.session.shutDown();
        }
        const QByteArray after = folder.ini();
        QVERIFY(after.startsWith("; written by hand\r\n[options]\r\nLEVEL=7\r\nmusic=1\r\n"
                                 "; colours below\r\nBgColor=255\r\nMyOwnKey=kept\r\n"));
        QVERIFY(after.endsWith("\r\n\r\n[Scores]\r\nBest=12\r\nLevel=99\r\n"));
        QCOMPARE(after.count("\r\n"), after.count('\n')); // every line still ends in CR LF
        QStringList lowered;
        for (const QString& key : keysOf(after))
            lowered << key.toLower();
        QCOMPARE(lowered.count(QStringLiteral("music")), 1);
        QCOMPARE(lowered.count(QStringLiteral("level")), 2); // ours, and the one in [Scores]
        QCOMPARE(lowered.count(QStringLiteral("bgcolor")), 1);
    }

    // A new player's run: change everything, quit, start again.
    void everyKeptOptionComesBack() {
        Folder folder;
        QFile::copy(QStringLiteral(QUORVEL_SOURCE_DIR "/data/zq/RQN_ZQ.DEF"),
                    folder.path() + QStringLiteral("zq/RQN_ZQ.DEF"));
        folder.addDictionaries();
        {
            Run run(folder);
            run.session.windowShown();
            run.session.startUp();
            OptionsDialog& o = run.options;
            o.findChild<QComboBox*>(QStringLiteral("Dictionary"))->setCurrentIndex(2);
            o.findChild<QCheckBox*>(QStringLiteral("Timed"))->setChecked(true);
            o.findChild<QCheckBox*>(QStringLiteral("Def"))->setChecked(true);
            o.findChild<QCheckBox*>(QStringLiteral("timerpopsounds"))->setChecked(false);
            o.findChild<QRadioButton*>(QStringLiteral("LockFirst"))->setChecked(true);
            o.findChild<QComboBox*>(QStringLiteral("UserLevel"))->setEditText("My own mix");
            o.findChild<QSlider*>(QStringLiteral("handicap"))->setValue(1);
            o.findChild<QSlider*>(QStringLiteral("tbSound"))->setValue(15);
            o.setGameSize(1);
            run.host.position = QPoint(120, 80);
            run.host.showLevel(9);
            run.host.checks = {{MenuCheck::Music, true},
                               {MenuCheck::Sound, false},
                               {MenuCheck::Hints, false},
                               {MenuCheck::Banner, false},
                               {MenuCheck::LockMarks, false}};
            run.host.showTips = false;
            run.host.tips = 4;
            run.host.letters = {1, 2, 3};
            run.host.backgroundVisible = true;
            run.host.board = 123;
            run.session.shutDown();
        }
        Run run(folder, kToday.addDays(1));
        run.session.startUp();
        const quorvel::GameOptions options = run.options.gameOptions();
        QCOMPARE(options.dictionary, std::string("Zoo Animals"));
        QVERIFY(options.timed);
        QVERIFY(options.definitions);
        QVERIFY(!options.timerPopSounds);
        QVERIFY(!options.autoAdvance);
        QCOMPARE(options.lock, quorvel::LockRule::First);
        QCOMPARE(run.options.findChild<QComboBox*>(QStringLiteral("UserLevel"))->currentText(),
                 QStringLiteral("My own mix"));
        QCOMPARE(options.handicap, 1); // kept, so the game plays the handicap the dialog shows
        QCOMPARE(run.options.volume(), 32768); // Sound Volume is not kept
        QCOMPARE(run.options.gameSize(), 1);
        QCOMPARE(run.host.tileSize, std::make_tuple(15, 19, 12));
        QCOMPARE(run.host.position, QPoint(120, 80));
        QCOMPARE(run.host.currentLevel, 9);
        QVERIFY(run.host.checks[MenuCheck::Music]);
        QVERIFY(!run.host.checks[MenuCheck::Sound]);
        QVERIFY(!run.host.checks[MenuCheck::Hints]);
        QVERIFY(!run.hints.isEnabled());
        QVERIFY(!run.host.checks[MenuCheck::Banner]);
        QVERIFY(!run.host.checks[MenuCheck::LockMarks]); // Lock Marks is kept as switched off
        QVERIFY(!run.host.showTips);
        QCOMPARE(run.host.tips, 4);
        QCOMPARE(run.host.letters.unlocked, quorvel::Colour(1));
        QCOMPARE(run.host.letters.locked, quorvel::Colour(2));
        QCOMPARE(run.host.letters.revealed, quorvel::Colour(3));
        QVERIFY(run.host.backgroundVisible);
        QCOMPARE(run.host.board, quorvel::Colour(123));
        QCOMPARE(run.host.scripted.asked.size(), 1); // the day after the first run: news
    }

    void settingsThatCannotBeSavedAreReported() {
        Folder folder;
        folder.writeIni("Level=4\r\n");
        QFile ini(folder.path() + QStringLiteral("RQN_ZQ.INI"));
        QVERIFY(ini.resize(qint64(quorvel::IniFile::kMaxSize) + 1)); // no settings file of ours
        Run run(folder);
        run.session.shutDown();
        QCOMPARE(run.host.scripted.warned.size(), 1);
        QCOMPARE(QFileInfo(ini).size(), qint64(quorvel::IniFile::kMaxSize) + 1);
    }
};

QTEST_MAIN(SessionTest)
#include "test_session.moc"
