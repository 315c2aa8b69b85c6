// The real main window over a throw-away program folder: menus, keys, levels, banners and play.
#include "CopyTree.h"
#include "EveryWindow.h"
#include "support/Application.h"
#include "board/BoardView.h"
#include "support/Dialogs.h"
#include "FakeAudio.h"
#include "dialogs/LevelPicker.h"
#include "window/MainWindow.h"
#include "window/WindowSizing.h"

#include "game/Game.h"
#include "settings/Settings.h"
#include "window/MessagePanels.h"
#include "dialogs/OptionsDialog.h"
#include "board/PadlockLabel.h"
#include "ScriptedDialogs.h"
#include "WindowFixture.h"
#include "window/Session.h"
#include "audio/SoundPlayer.h"
#include "window/StatusBanner.h"
#include "support/Text.h"
#include "dialogs/TraceWindow.h"

#include "base/Files.h"
#include "model/Layouts.h"
#include "records/IniFile.h"
#include "words/Dictionary.h"
#include "words/WordLists.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSlider>
#include <QtTest/qtestspontaneevent.h>
#include <QToolTip>
#include <QTemporaryDir>
#include <QPlainTextEdit>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace quorvel;

namespace {


// A dictionary of distinct made-up words of every length the levels ask for.
void writeDictionary(const QString& path) {
    Dictionary dictionary;
    for (int n = 3; n <= 12; ++n)
        for (int i = 0; i < 80; ++i) {
            std::string word;
            for (int k = 0; k < n; ++k)
                word += static_cast<char>('A' + (i * 7 + k * (i % 5 + 1) + n) % 26);
            DictionaryItem& item = dictionary.items().add();
            item.word = word;
            item.definition = "meaning of " + word;
        }
    dictionary.saveToFile(path.toStdString());
}

// A control Tab can land on: it takes focus from the keyboard itself (not through another
// control), is enabled, is not hidden, and belongs to the dialog itself, not to a dialog it
// opens.
bool reachableByTab(const QWidget* w, const QWidget* dialog) {
    return w->window() == dialog && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
           w->isEnabled() && w->isVisibleTo(dialog);
}

} // namespace

class MainWindowTest : public QObject, private WindowFixture<ScriptedDialogs> {
    Q_OBJECT
private:

    Game& game() { return m_window->game(); }
    // The window given another size by the window system, as when the player drags its edge.
    // (The offscreen platform reports no resize of its own: the window's is told as the window
    // system tells it.)
    void resizeAsThePlayer(QSize size) {
        const QSize old = m_window->size();
        m_window->resize(size);
        QResizeEvent told(size, old);
        QSpontaneKeyEvent::setSpontaneous(&told);
        qApp->notify(m_window.get(), &told); // sendEvent would make it unprompted
        QCOMPARE(m_window->size(), size);
    }
    QAction* item(const char* name) { return m_window->findChild<QAction*>(QLatin1String(name)); }
    BoardView* board() { return m_window->boardView(); }
    OptionsDialog* options() { return m_window->optionsDialog(); }
    QString counterText() { return m_window->findChild<QLabel*>(QStringLiteral("Counter"))->text(); }

    // A program folder like the shipped one, with a dictionary when none is shipped.
    void makeFolder(bool withDictionary = true) {
        QVERIFY(makeEmptyFolder());
        const QString shipped = QStringLiteral(QUORVEL_PROGRAM_DIR);
        for (const char* sub : {"zq", "kbs", "sound"})
            copyTree(shipped + QLatin1String(sub) + '/', m_folder + QLatin1String(sub) + '/');
        QDir().mkpath(m_folder + QStringLiteral("kbs"));
        if (!withDictionary) {
            QDir(m_folder + QStringLiteral("kbs")).removeRecursively();
            QDir().mkpath(m_folder + QStringLiteral("kbs"));
        } else if (!QFile::exists(m_folder + QStringLiteral("kbs/Common Words.dic"))) {
            writeDictionary(m_folder + QStringLiteral("kbs/Common Words.dic"));
        }
        QVERIFY(keepWindowFittingBoards());
    }


    void openWindow() {
        makeWindow(20261207);
        m_sound->attach(std::make_unique<FakeAudio>()); // no audio system in these tests
        m_window->createWindows();
        m_window->show();
        m_window->session()->startUp();
        QCoreApplication::processEvents();
    }

    void start(bool withDictionary = true) {
        makeFolder(withDictionary);
        openWindow();
    }

    void press(int key) { QTest::keyClick(m_window.get(), static_cast<Qt::Key>(key)); }

    void clickArrow(int column, bool above) {
        QTest::mouseClick(board(), Qt::LeftButton, {}, board()->arrowRect(column, above).center());
    }
    void clickTile(int tile) {
        QTest::mouseClick(board(), Qt::LeftButton, {}, board()->tileRect(tile).center());
    }
    void dropPadlock(int tile) {
        QMimeData* data = PadlockLabel::padlockMimeData();
        const QPointF at = board()->tileRect(tile).center();
        QDragEnterEvent enter(at.toPoint(), Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton,
                              {});
        QCoreApplication::sendEvent(board(), &enter);
        QDropEvent drop(at, Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(board(), &drop);
        delete data;
    }

    int firstLetterTile() {
        const Board& b = game().state().board;
        for (int t = 1; t <= b.tileCount; ++t)
            if (b.tile(t).visible && b.tile(t).colour == LetterColour::Unlocked)
                return t;
        return 0;
    }

    // Plays the puzzle on the board with clicks alone: in each column, top to bottom, the
    // down arrow brings each free tile its own letter, and a click on the tile locks it.
    void playToCompletionWithTheMouse() {
        const int columns = game().state().board.columns;
        for (int c = 1; c <= columns && game().state().isInPlay(); ++c) {
            for (int r = 1; r <= game().state().board.rows && game().state().isInPlay(); ++r) {
                const int t = game().state().board.tileAt(r, c);
                const Tile& tile = game().state().board.tile(t);
                if (!tile.visible || tile.colour != LetterColour::Unlocked)
                    continue;
                for (int turns = 0; tile.caption != tile.solution && turns < MaxRows; ++turns)
                    clickArrow(c, true);
                QCOMPARE(tile.caption, tile.solution);
                clickTile(t);
            }
        }
    }

    // Picks a level in the level picker and starts a game there.
    void playLevel(int level) {
        m_window->setModalRunner([level](QDialog& dialog) {
            static_cast<LevelPicker&>(dialog).trackBar()->setValue(level);
            return LevelPicker::NewGameResult;
        });
        item("PickaLevel1")->trigger();
        QCOMPARE(game().state().values.level, level);
    }

    static int pixelsOf(QWidget* widget, const QColor& colour) {
        const QImage image = widget->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == colour ? 1 : 0;
        return count;
    }

    void endFlash() {
        while (m_window->findChild<quorvel::MessagePanels*>()->isFlashing())
            m_window->findChild<quorvel::MessagePanels*>()->flashStep();
    }

    void setOption(const char* name, bool on) {
        auto* box = options()->findChild<QCheckBox*>(QLatin1String(name));
        QVERIFY(box);
        box->setChecked(on);
    }

private slots:
    void init() { start(); }
    void cleanup() {
        m_window.reset();
        m_dir.reset();
    }

    void menusFollowTheTable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        const auto row = [](const char* name, const char* caption, QKeySequence key, bool visible,
                            bool enabled) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << key
                                << visible << enabled;
        };
        row("HonorRoll2", "&Statistics", {}, true, true);
        row("FreeWordLists2", "Get &Free Word Lists", {}, true, true);
        row("GetNewLayouts", "Get New &Layouts", {}, true, true);
        row("mExport", "&Export", {}, false, true);
        row("m345", "&345", {}, false, true);
        row("Exit1", "E&xit", {}, true, true);
        row("Game1", "&New", Qt::Key_F2, true, true);
        row("Random1", "&Random Level", Qt::Key_F3, true, true);
        row("PreviousLevel1", "&Previous Level", Qt::Key_F4, true, true);
        row("NextLevel1", "&Next Level", Qt::Key_F5, true, true);
        row("PickaLevel1", "Pick a &Level", Qt::Key_F6, true, true);
        row("PauseContinue", "&Pause", Qt::Key_F9, true, false);
        row("mUndo", "Un&do ", Qt::Key_F10, true, false);
        row("mClue", "Cl&ue", Qt::Key_F11, true, false);
        row("mSolve", "&Solve", Qt::Key_F12, true, false);
        row("mCopyCode", "&Copy Puzzle Code", {}, true, false); // no board built yet
        row("mPlayCode", "Play Puzzle C&ode...", {}, true, true);
        row("mDaily", "Da&ily Puzzle", {}, true, true);
        row("mDailyResults", "Daily &Results", {}, true, true);
        row("mSettings", "&Settings", Qt::Key_F7, true, true);
        row("Styles1", "St&yles", Qt::Key_F8, true, true);
        row("Banner", "&Banner", {}, true, true);
        row("mHints", "&Hover Hints", {}, true, true);
        row("mSOund", "Sound &Effects", {}, true, true);
        row("mMusic", "M&usic", {}, false, true);
        row("mTrace", "&Trace", {}, false, true);
        row("Contents1", "How to &Play", Qt::Key_F1, true, true);
        row("mTip", "&Tip of the Day", {}, true, true);
        row("ByEmail1", "&E-mail Support", {}, true, true);
        row("TryOtherGames1", "&News and New Games", {}, true, true);
        row("WebSite2", "&Web Site", {}, true, true);
        row("About3", "&About", {}, true, true);
    }

    void menusFollowTheTable() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        QAction* action = m_window->findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isVisible(), visible);
        if (visible) // Qt reports a hidden item as disabled
            QCOMPARE(action->isEnabled(), enabled);
    }

    // Alt with a menu's underlined letter opens it; every item has a letter of its own in its
    // menu, so the whole game can be played from the keyboard.
    void altLettersOpenTheMenusAndEveryItemHasItsOwnLetter() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        const struct {
            const char* menu;
            Qt::Key key;
        } menus[] = {{"File1", Qt::Key_F}, {"Game2", Qt::Key_G}, {"Options2", Qt::Key_O},
                     {"Help1", Qt::Key_H}};
        for (const auto& [name, key] : menus) {
            auto* menu = m_window->findChild<QMenu*>(QLatin1String(name));
            QVERIFY2(menu, name);
            QTest::keyClick(m_window.get(), key, Qt::AltModifier);
            QTRY_VERIFY2(menu->isVisible(), name);
            menu->close();
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
        for (QMenu* menu : m_window->menuBar()->findChildren<QMenu*>()) {
            QSet<QString> letters;
            for (QAction* item : menu->actions()) {
                if (item->isSeparator())
                    continue;
                const QKeySequence letter = QKeySequence::mnemonic(item->text());
                QVERIFY2(!letter.isEmpty(), qPrintable(item->text()));
                QVERIFY2(!letters.contains(letter.toString()), qPrintable(item->text()));
                letters.insert(letter.toString());
            }
        }
    }

    void levelMenuAndCounterStartAsTheyShould() {
        QCOMPARE(m_window->findChild<QMenu*>(QStringLiteral("mLevel"))->objectName(), QStringLiteral("mLevel"));
        QCOMPARE(m_window->findChild<QMenu*>(QStringLiteral("mLevel"))->title(), QStringLiteral("&Level (1)")); // shown at start-up
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("Counter"))->toolTip(),
                 QStringLiteral("Number of moves remaining - end of game at 0."));
        QVERIFY(item("Banner")->isChecked());
    }

    void traceMarkerShowsTheHiddenCommandsAndExportWritesTheLevels() {
        cleanup();
        makeFolder();
        QFile marker(m_folder + QStringLiteral("trace.zq"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        openWindow();
        QVERIFY(item("mExport")->isVisible());
        QVERIFY(item("m345")->isVisible());
        QVERIFY(item("mTrace")->isVisible());
        QVERIFY(!item("mMusic")->isVisible());
        item("mExport")->trigger();
        const std::string written = readWholeFile((m_folder + QStringLiteral("zqf")).toStdString());
        QCOMPARE(written, exportLevelTable(game().levelTable()));
        QVERIFY(written.rfind("\r\n", 0) == 0);

        // Before any game no dictionary is loaded: 345 refuses rather than wipe the lists.
        const std::string shippedW3 =
            readWholeFile((m_folder + QStringLiteral("zq/W3")).toStdString());
        item("m345")->trigger();
        QCOMPARE(m_dialogs->warned.size(), 1);
        QCOMPARE(readWholeFile((m_folder + QStringLiteral("zq/W3")).toStdString()), shippedW3);
        QCOMPARE(game().wordLists().words3, shippedW3);

        press(Qt::Key_F2); // loads the dictionary that 345 rebuilds the lists from
        item("m345")->trigger();
        const std::string w3 = readWholeFile((m_folder + QStringLiteral("zq/W3")).toStdString());
        QVERIFY(!w3.empty());
        QCOMPARE(w3.size() % 3, std::size_t(0));
        QCOMPARE(game().wordLists().words3, w3);
    }

    void f2BuildsALevelCentredInAWindowOnScreen() {
        press(Qt::Key_F2);
        const Board& b = game().state().board;
        QVERIFY(b.tileCount > 0);
        QCOMPARE(b.rows, int(game().levelTable().at(1).rows));
        QCOMPARE(counterText(), QString::number(game().state().values.movesLeft));
        QVERIFY(item("mSolve")->isEnabled());
        QVERIFY(item("mClue")->isEnabled());
        QVERIFY(item("mUndo")->isEnabled());
        QVERIFY(!item("PauseContinue")->isEnabled()); // untimed
        QVERIFY(m_window->findChild<PadlockLabel*>(QStringLiteral("Lock"))->isEnabled());
        QVERIFY(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        // The outer window is never narrower than 165 pixels.
        QVERIFY(m_window->frameGeometry().width() >= 165);
        // The board panel stands centred in the window, its tiles within it.
        const QWidget* area = m_window->centralWidget();
        QVERIFY(qAbs((area->width() - board()->width()) - 2 * board()->x()) <= 1);
        QVERIFY(board()->rect().contains(board()->tileRect(b.tileCount)));
        QVERIFY(board()->rect().contains(board()->arrowRect(b.columns, false)));
    }

    // Nothing stored on a first start: the window opens centred on the primary screen.
    void firstStartOpensCentredOnThePrimaryScreen() {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint off = m_window->frameGeometry().center() - available.center();
        // Start-up may grow the window a little after it was placed, from its top-left corner.
        QVERIFY2(qAbs(off.x()) <= 4 && qAbs(off.y()) <= 4,
                 qPrintable(QStringLiteral("off by %1,%2").arg(off.x()).arg(off.y())));
    }

    // From the keyboard every dialog is one pass of Tab: each control it can reach comes once,
    // the form's controls before its buttons, and Enter presses exactly one button.
    void dialogsTabThroughEveryControlOnceAndHaveOneDefaultButton() {
        makeEveryWindow(*m_window);
        const QList<QDialog*> dialogs = m_window->findChildren<QDialog*>();
        QVERIFY(dialogs.size() >= 8);
        for (QDialog* dialog : dialogs) {
            const char* name = dialog->metaObject()->className();
            QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
            buttons.removeIf([dialog](const QPushButton* b) { return b->window() != dialog; });
            const auto defaults = std::count_if(buttons.begin(), buttons.end(),
                                                [](const QPushButton* b) { return b->isDefault(); });
            // A window that is only a page to read has no button to press.
            QVERIFY2(defaults == (buttons.isEmpty() ? 0 : 1), name);

            QList<QWidget*> chain;
            for (QWidget* w = dialog->nextInFocusChain(); w != dialog && chain.size() < 2000;
                 w = w->nextInFocusChain()) {
                if (reachableByTab(w, dialog))
                    chain << w;
            }
            QList<QWidget*> expected;
            for (QWidget* w : dialog->findChildren<QWidget*>())
                if (reachableByTab(w, dialog))
                    expected << w;
            QCOMPARE(QSet<QWidget*>(chain.begin(), chain.end()).size(), chain.size());
            QCOMPARE(chain.size(), expected.size());

            bool inButtonRow = false;
            for (QWidget* w : chain) {
                const bool isButton = qobject_cast<QPushButton*>(w) != nullptr;
                QVERIFY2(isButton || !inButtonRow,
                         qPrintable(QStringLiteral("%1: %2 after the buttons")
                                        .arg(QLatin1String(name), w->objectName())));
                inButtonRow = inButtonRow || isButton;
            }
        }
    }

    // Window managers drew minimise and maximise buttons on the dialogs unless told otherwise.
    void dialogsHaveATitleAndACloseButtonOnly() {
        makeEveryWindow(*m_window);
        const QList<QDialog*> dialogs = m_window->findChildren<QDialog*>();
        QVERIFY(dialogs.size() >= 8);
        for (const QDialog* dialog : dialogs) {
            const Qt::WindowFlags flags = dialog->windowFlags();
            QVERIFY2(flags.testFlag(Qt::CustomizeWindowHint) &&
                         flags.testFlag(Qt::WindowCloseButtonHint) &&
                         !flags.testAnyFlags(Qt::WindowMinMaxButtonsHint),
                     qPrintable(dialog->objectName()));
        }
    }

    // The stored position once drifted a pixel a run (9, 8, 7, 6) with the title bar above
    // the screen; it comes back exactly, and the file keeps it.
    void storedPositionComesBackExactlyAfterThreeRestarts() {
        const QPoint where(123, 87);
        m_window->move(where);
        for (int restart = 1; restart <= 3; ++restart) {
            m_window->close();
            openWindow();
            QCOMPARE(m_window->pos(), where);
        }
        const IniFile ini((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QCOMPARE(ini.readInteger("Options", "DesktopX", -1), where.x());
        QCOMPARE(ini.readInteger("Options", "DesktopY", -1), where.y());
    }

    void aBoardBeyondTheScreenMovesBackOntoIt() {
        const QRect available = m_window->screen()->availableGeometry();
        m_window->move(available.right() - 20, available.bottom() - 20);
        press(Qt::Key_F2);
        QCOMPARE(m_window->pos(), available.topLeft() + QPoint(1, 1));
        // The trace window got the new game's one line: pop, timer interval, clues.
        QCOMPARE(m_window->findChild<quorvel::TraceWindow*>()->text(),
                 QStringLiteral("10 10000 %1").arg(game().state().values.clueAllowance));
    }

    void doubleClickOnTheBoardStartsAGame() {
        QTest::mouseDClick(board(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(game().state().board.tileCount > 0);
    }

    // Before the first game the puzzle takes almost no room: the board colour around it is the
    // board too, and a double-click there starts a game.
    void doubleClickAroundTheBoardPanelStartsAGame() {
        QWidget* area = m_window->centralWidget();
        const QPoint below(area->width() / 2, board()->geometry().bottom() + 10);
        QVERIFY(area->rect().contains(below));
        QTest::mouseDClick(area, Qt::LeftButton, {}, below);
        QVERIFY(game().state().board.tileCount > 0);
    }

    // The background picture lies over the board: a double-click on it starts nothing (and so
    // abandons nothing).
    void doubleClickOnTheShownPictureStartsNothing() {
        QPixmap picture(40, 30);
        picture.fill(Qt::darkGreen);
        board()->setBackground(picture, false, true); // at its own size, at the area's top left
        QWidget* area = m_window->centralWidget();
        QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(game().state().board.tileCount, 0);
        QTest::mouseDClick(area, Qt::LeftButton, {}, QPoint(area->width() - 5, area->height() - 5));
        QVERIFY(game().state().board.tileCount > 0); // beside the unstretched picture

        press(Qt::Key_F2);
        clickArrow(1, true);
        const int moves = game().state().values.movesLeft;
        board()->setBackground(picture, true, true);
        QTest::mouseDClick(board(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(game().state().values.movesLeft, moves); // the game in progress goes on
        QVERIFY(!QFile::exists(m_folder + QStringLiteral("zq/stats.zq")));
    }

    // From the largest level back to a small one, the window is the small level's again.
    void theWindowShrinksForASmallLevelAfterALargeOne() {
        press(Qt::Key_F2);
        const QSize small = m_window->size();
        playLevel(game().state().values.levelCount);
        QVERIFY(m_window->width() > small.width());
        QVERIFY(m_window->height() > small.height());
        playLevel(1);
        QCOMPARE(m_window->size(), small);
        QCOMPARE(m_window->minimumSize().boundedTo(small), m_window->minimumSize());
    }

    // The player drags the window to another size: the board grows and shrinks with it, and a
    // new puzzle of another shape keeps the player's size (grown only if the board cannot fit).
    void aWindowThePlayerSizesKeepsItsSizeAndTheBoardFillsIt() {
        press(Qt::Key_F2);
        const int first = game().state().board.tileCount;
        const int natural = board()->tileRect(first).height();
        QVERIFY(!board()->scalesToFit());
        const QSize large(760, 560);
        resizeAsThePlayer(large);
        QVERIFY(board()->scalesToFit());
        const int grown = board()->tileRect(first).height();
        QVERIFY2(grown > natural, qPrintable(QStringLiteral("%1 / %2").arg(grown).arg(natural)));
        QVERIFY(board()->rect().contains(board()->arrowRect(game().state().board.columns, false)));

        playLevel(game().state().values.levelCount);
        QCOMPARE(m_window->size(), large.expandedTo(m_window->minimumSizeHint()));
        playLevel(1);
        QCOMPARE(m_window->size(), large);

        const QSize small = m_window->minimumSizeHint().expandedTo(m_window->minimumSize());
        resizeAsThePlayer(small);
        QVERIFY(board()->tileRect(1).height() < grown);
        QVERIFY(board()->rect().contains(board()->arrowRect(game().state().board.columns, false)));
    }

    // Moving Game Size in a game shows the board at the new size at once, in a window fitted
    // to it, also after the player had sized the window.
    void theGameSizeSliderResizesTheBoardInAGame() {
        press(Qt::Key_F2);
        auto* slider = options()->findChild<QSlider*>(QStringLiteral("tbSize"));
        slider->setValue(1);
        QCOMPARE(board()->tileRect(1).size(), QSize(15, 18));
        slider->setValue(2);
        QCOMPARE(board()->tileRect(1).size(), QSize(18, 22));
        const QSize fitted = m_window->size();
        resizeAsThePlayer(fitted + QSize(200, 200));
        QVERIFY(board()->scalesToFit());
        slider->setValue(1);
        QVERIFY(!board()->scalesToFit());
        QCOMPARE(board()->tileRect(1).size(), QSize(15, 18));
        slider->setValue(2);
        QCOMPARE(m_window->size(), fitted);
    }

    // The size the player gave the window comes back at the next start, the board filling it;
    // a window that fits its boards keeps doing so.
    void aSizeThePlayerGaveTheWindowComesBack() {
        const auto stored = [this](const char* key) {
            const IniFile ini((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
            return ini.readInteger("Options", key, -5);
        };
        m_window->close();
        QCOMPARE(stored("WindowWidth"), 0);
        openWindow();
        QVERIFY(!board()->scalesToFit());
        const QSize chosen(700, 520);
        resizeAsThePlayer(chosen);
        m_window->close();
        QCOMPARE(stored("WindowWidth"), chosen.width());
        QCOMPARE(stored("WindowHeight"), chosen.height());
        openWindow();
        QCOMPARE(m_window->size(), chosen);
        QVERIFY(board()->scalesToFit());
        press(Qt::Key_F2);
        QCOMPARE(m_window->size(), chosen);
    }

    // With no size stored, the first window is sized from its screen, and the first board fills
    // it: about half the screen's height.
    void theFirstStartGivesTheBoardHalfTheScreen() {
        cleanup();
        makeFolder();
        QVERIFY(keepWindowFittingBoards(false));
        openWindow();
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        if (available.height() < ComfortableScreenHeight)
            QSKIP("the test screen is lower than a laptop's");
        QVERIFY(board()->scalesToFit());
        press(Qt::Key_F2);
        const Board& b = game().state().board;
        const QRect drawn = board()->arrowRect(1, true) | board()->arrowRect(b.columns, false);
        QVERIFY2(drawn.height() > available.height() * 2 / 5 &&
                     drawn.height() <= available.height() * 11 / 20,
                 qPrintable(QStringLiteral("%1 of %2").arg(drawn.height()).arg(available.height())));
        // The status line shows at least 40 characters of its message at once.
        const QLabel* line = m_window->statusBanner().label();
        QVERIFY(line->width() >= line->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('m'))) * 3 / 4);
    }

    // The first window on a laptop's or a desktop's screen gives the board about half the
    // screen's height; a stored size is kept within the screen it comes back to.
    void windowSizesFromTheScreen() {
        const QSize desktop = firstStartSize(QRect(0, 0, 1920, 1050), 60, QSize(2, 24));
        QCOMPARE(desktop.height() - 60, 525);
        QVERIFY(desktop.width() > desktop.height() - 60);
        const QSize laptop = firstStartSize(QRect(0, 0, 1366, 740), 60, QSize(2, 24));
        QCOMPARE(laptop.height() - 60, 370);
        QVERIFY(laptop.width() < 1366);
        QVERIFY(firstStartSize(QRect(0, 0, 1024, 600), 60, {}).isEmpty()); // fits each board
        QCOMPARE(restoredSize({5000, 4000}, {200, 150}, QRect(0, 0, 1366, 740), {0, 20}),
                 QSize(1366, 720));
        QCOMPARE(restoredSize({10, 10}, {200, 150}, QRect(0, 0, 1366, 740), {}), QSize(200, 150));
        QVERIFY(restoredSize({0, 0}, {200, 150}, QRect(0, 0, 1366, 740), {}).isEmpty());
        QVERIFY(restoredSize({-1, 300}, {200, 150}, QRect(0, 0, 1366, 740), {}).isEmpty());
    }

    // A display name would be added to every title by the window system ("Select Level —
    // Quorvel"); without one each title reads exactly as its caption.
    void windowTitlesAreTheirOwnCaptions() {
        const QString name = QCoreApplication::applicationName();
        QCOMPARE(name, QStringLiteral("Quorvel"));
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        const QString shown = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(name);
        QCOMPARE(shown, QStringLiteral("probe"));
        QCOMPARE(options()->windowTitle(), QStringLiteral("Quorvel - Options"));
        QCOMPARE(m_window->findChild<quorvel::LevelPicker*>()->windowTitle(), QStringLiteral("Select Level"));
    }

    // The levels are loaded after the picker is made: opened at level 1, where the track bar
    // has not moved since, it still shows level 1's layout.
    // The preview's fixed-pitch font is loaded when the picker shows, not at start-up; shown,
    // the rows line up in it.
    void pickerOpenedAtLevelOneShowsItsLayout() {
        QStringList shown;
        bool fixedPitch = false;
        m_window->setModalRunner([&](QDialog& dialog) {
            dialog.show();
            auto* picker = m_window->findChild<quorvel::LevelPicker*>();
            shown = picker->previewLines();
            fixedPitch = picker->findChild<QPlainTextEdit*>(QStringLiteral("v"))->font().fixedPitch();
            dialog.hide();
            return int(LevelPicker::CancelResult);
        });
        press(Qt::Key_F6);
        QCOMPARE(shown.size(), int(game().levelTable().at(1).rows));
        QVERIFY(shown.join(QString()).contains(QChar(0x2588)));
        QVERIFY(fixedPitch);
    }

    // Hints show while the mouse rests, also over a window that is not the active one (a desktop
    // without a window manager never activates it).
    void hoverHintsShowOnTheCounter() {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!m_window->isActiveWindow());
        QLabel* counter = m_window->findChild<QLabel*>(QStringLiteral("Counter"));
        // Through the window, as the window system delivers it (a widget's mouseMove only
        // moves the cursor).
        QTest::mouseMove(m_window->windowHandle(),
                         counter->mapTo(m_window.get(), counter->rect().center()));
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 3000);
        QCOMPARE(QToolTip::text(),
                 QStringLiteral("Number of moves remaining - end of game at 0."));
        QToolTip::hideText();
    }

    // Options changed while playing survive a crash: they are stored when the dialog closes.
    void optionsAreStoredWhenTheDialogCloses() {
        m_window->setModalRunner([&](QDialog&) {
            setOption("Timed", true);
            options()->findChild<QSlider*>(QStringLiteral("tbSize"))->setValue(1);
            return 0;
        });
        press(Qt::Key_F7);
        IniFile settings((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QVERIFY(settings.readBool("Options", "Timed", false));
        QCOMPARE(settings.readInteger("Options", "Size", -1), 1);
    }

    // A statistics file that cannot be written is said once a run, naming it; play goes on.
    void aFileThatCannotBeWrittenIsReportedOncePerRun() {
        QVERIFY(QDir().mkpath(m_folder + QStringLiteral("zq/stats.zq"))); // a folder in its way
        const int before = m_dialogs->warned.size();
        press(Qt::Key_F2);
        for (int abandoned = 0; abandoned < 2; ++abandoned) {
            clickArrow(1, true);
            press(Qt::Key_F2); // the touched game is recorded as given up
        }
        QCOMPARE(m_dialogs->warned.size(), before + 1);
        QVERIFY2(m_dialogs->warned.last().contains(QStringLiteral("stats.zq")),
                 qPrintable(m_dialogs->warned.last()));
        QVERIFY(game().state().isInPlay());
    }

    // With the banner off nothing scrolls the level off the status line at start.
    void withTheBannerOffTheStatusLineShowsTheLevel() {
        cleanup();
        makeFolder();
        IniFile settings((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QVERIFY(settings.writeBool("Options", "Banner", false));
        QVERIFY(settings.writeInteger("Options", "Level", 3));
        openWindow();
        QCOMPARE(m_window->statusBanner().text(), QStringLiteral("Level 3"));
        QVERIFY(!m_window->statusBanner().scrollTimer().isActive());
        QTest::qWait(3 * StatusBanner::TickMs);
        QCOMPARE(m_window->statusBanner().text(), QStringLiteral("Level 3"));
    }

    void arrowsLettersAndThePadlockPlayAsTheCoreSays() {
        press(Qt::Key_F2);
        const Board& b = game().state().board;
        const int moves = game().state().values.movesLeft;

        const ColumnGather before = b.gatherColumn(1);
        clickArrow(1, true); // the arrow above shifts down: the last free letter comes first
        const ColumnGather after = b.gatherColumn(1);
        if (before.letters.size() > 1) {
            QCOMPARE(after.letters,
                     before.letters.back() + before.letters.substr(0, before.letters.size() - 1));
        }
        QCOMPARE(counterText(), QString::number(moves - 1));
        clickArrow(1, false); // and the arrow below takes it back
        QCOMPARE(b.gatherColumn(1).letters, before.letters);

        const int tile = firstLetterTile();
        clickTile(tile);
        QCOMPARE(b.tile(tile).colour, LetterColour::Locked);
        QVERIFY(b.tile(tile).locked);
        QCOMPARE(counterText(), QString::number(game().state().values.movesLeft));
        clickTile(tile);
        QCOMPARE(b.tile(tile).colour, LetterColour::Unlocked);

        const int shown = game().state().values.movesLeft;
        dropPadlock(tile);
        QCOMPARE(b.tile(tile).colour == LetterColour::Locked ||
                     b.tile(tile).colour == LetterColour::Revealed,
                 true);
        QVERIFY(game().state().values.movesLeft <= shown - 2 + int(b.wordList.front().size()));
        QCOMPARE(counterText(), QString::number(game().state().values.movesLeft));
        // The counter's colour is the game's.
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("Counter"))->palette().color(QPalette::Window),
                 colourFromWindows(game().state().counterColour));
    }

    void completingALevelShowsTheBannerAndAutoAdvanceBuildsTheNext() {
        setOption("AutoAdvance", true);
        options()->findChild<QSlider*>(QStringLiteral("handicap"))->setValue(-1);
        press(Qt::Key_F2);
        const int level = game().state().values.level;
        playToCompletionWithTheMouse();
        QVERIFY(!game().state().isInPlay());
        // The notice comes first; the banner waits for it, and no key confirms it unseen.
        QVERIFY(m_window->findChild<quorvel::MessagePanels*>()->isFlashing()); // "Puzzle completed"
        QVERIFY(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        press(Qt::Key_Return);
        QVERIFY(m_window->findChild<quorvel::MessagePanels*>()->isBannerPending());
        QVERIFY(!game().state().isInPlay());
        endFlash();
        QVERIFY(m_window->findChild<quorvel::MessagePanels*>()->isWaiting());
        const QString text = m_window->findChild<quorvel::MessagePanels*>()->bannerText();
        QVERIFY2(text.startsWith(QStringLiteral("Advance to level")) ||
                     text.startsWith(QStringLiteral("Continue at level")),
                 qPrintable(text));
        QVERIFY(!board()->isEnabled()); // the board waits for the banner's OK
        const bool advanced = text.startsWith(QStringLiteral("Advance"));
        QVERIFY(!m_window->statusBanner().label()->font().italic()); // maroon and upright now
        const QString stats = m_folder + QStringLiteral("zq/stats.zq");
        QVERIFY(QFile::exists(stats));

        press(Qt::Key_Return);
        QVERIFY(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        QVERIFY(game().state().isInPlay());
        QVERIFY(board()->isEnabled());
        QCOMPARE(game().state().values.level, advanced ? level + 1 : level);
    }

    void completedLevelWithoutAutoAdvanceStaysOnTheBoard() {
        options()->findChild<QSlider*>(QStringLiteral("handicap"))->setValue(-1);
        press(Qt::Key_F2);
        playToCompletionWithTheMouse();
        endFlash();
        QVERIFY(m_window->findChild<quorvel::MessagePanels*>()->isWaiting());
        QTest::mouseClick(m_window->findChild<quorvel::MessagePanels*>()->okButton(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        QVERIFY(!game().state().isInPlay());
        QVERIFY(game().state().board.tileCount > 0);
    }

    void previousLevelAtLevelOneShowsZeroAndBuildsLevelOne() {
        press(Qt::Key_F4);
        QCOMPARE(m_window->findChild<QMenu*>(QStringLiteral("mLevel"))->title(), QStringLiteral("&Level (0)"));
        IniFile settings((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QCOMPARE(settings.readInteger("Options", "Level", -5), 0);
        QCOMPARE(game().state().values.level, 1);
        QCOMPARE(game().state().board.rows, int(game().levelTable().at(1).rows));
        QCOMPARE(game().state().board.columns, int(game().levelTable().at(1).columns));
    }

    void pickerCancelKeepsTheChosenLevelWithoutAGame() {
        const int chosen = std::min(3, game().state().values.levelCount);
        m_window->setModalRunner([&](QDialog& dialog) {
            auto* picker = qobject_cast<LevelPicker*>(&dialog);
            if (!picker)
                return 0;
            picker->trackBar()->setValue(chosen);
            return LevelPicker::CancelResult;
        });
        press(Qt::Key_F6);
        QCOMPARE(m_window->findChild<QMenu*>(QStringLiteral("mLevel"))->title(), QStringLiteral("&Level (%1)").arg(chosen));
        QCOMPARE(game().state().board.tileCount, 0);
        press(Qt::Key_F2);
        QCOMPARE(game().state().values.level, chosen);
        QCOMPARE(game().state().board.rows, int(game().levelTable().at(chosen).rows));
    }

    void pickerNewGameBuildsThePickedLevel() {
        const int chosen = game().state().values.levelCount;
        m_window->setModalRunner([&](QDialog& dialog) {
            static_cast<LevelPicker&>(dialog).trackBar()->setValue(chosen);
            return LevelPicker::NewGameResult;
        });
        item("PickaLevel1")->trigger();
        QCOMPARE(game().state().values.level, chosen);
        QVERIFY(game().state().isInPlay());
    }

    void enterHidesPleaseWaitAndOpensTheBoard() {
        press(Qt::Key_F2);
        m_window->play(Move::banner(-1, 0x800000, "Please Wait"));
        QVERIFY(m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        press(Qt::Key_Return);
        QVERIFY(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        QVERIFY(board()->isEnabled());
    }

    void timedBannerHidesItselfAfterItsSeconds() {
        m_window->play(Move::banner(1, 0xFF0000, "Please try again"));
        QVERIFY(m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible(), 3000);
        QVERIFY(!game().state().banner.visible);
    }

    void pausingDisablesTheBoardAndStopsTheGameTimer() {
        setOption("Timed", true);
        press(Qt::Key_F2);
        QVERIFY(m_window->idleTimer().isActive());
        QVERIFY(item("PauseContinue")->isEnabled());
        const QColor letters = board()->letterColour(LetterColour::Unlocked);
        QVERIFY(pixelsOf(board(), letters) > 0);
        item("PauseContinue")->trigger();
        QVERIFY(!board()->isEnabled());
        QVERIFY(!m_window->idleTimer().isActive());
        QCOMPARE(item("PauseContinue")->text(), QStringLiteral("&Continue"));
        // The letters are hidden while paused: a pause buys no time to study the board.
        QCOMPARE(pixelsOf(board(), letters), 0);
        const int moves = game().state().values.movesLeft;
        clickArrow(1, true); // nothing on the board reacts
        QCOMPARE(game().state().values.movesLeft, moves);
        item("PauseContinue")->trigger();
        QVERIFY(board()->isEnabled());
        QVERIFY(m_window->idleTimer().isActive());
        QVERIFY(pixelsOf(board(), letters) > 0);
    }

    // Behind the "Paused" cover a clue once ran and charged its price; F9 pauses and continues.
    void pausedGameTakesNoClueOrUndo() {
        setOption("Timed", true);
        press(Qt::Key_F2);
        press(Qt::Key_F9);
        QVERIFY(game().state().timer.paused);
        const int moves = game().state().values.movesLeft;
        const auto letters = [this] {
            std::string captions;
            for (int t = 1; t <= game().state().board.tileCount; ++t)
                captions += game().state().board.tile(t).caption;
            return captions;
        };
        const std::string before = letters();
        press(Qt::Key_F11);
        press(Qt::Key_F10);
        QVERIFY(!game().state().clueRunning);
        QVERIFY(!m_window->clueStepTimer().isActive());
        QCOMPARE(game().state().values.movesLeft, moves);
        QCOMPARE(letters(), before);
        press(Qt::Key_F9);
        QVERIFY(!game().state().timer.paused);
        QVERIFY(board()->isEnabled());
    }

    void gameTimerTicksCostMovesAfterTheGrace() {
        setOption("Timed", true);
        press(Qt::Key_F2);
        const int moves = game().state().values.movesLeft;
        QCOMPARE(m_window->idleTimer().interval(), game().state().values.delay * 1000);
        m_window->idleTimerTick(); // the grace ends: a warning, no cost
        QCOMPARE(m_window->idleTimer().interval(), game().state().values.pop * 1000);
        QCOMPARE(game().state().values.movesLeft, moves);
        m_window->idleTimerTick();
        QCOMPARE(counterText(), QString::number(moves + game().state().values.penalty));
    }

    // A timed game past its grace, its clock on a short interval standing in for the game's
    // ten seconds, part of which has passed; the moves left then.
    int timedGameWithShortInterval(int intervalMs, int passedMs) {
        setOption("Timed", true);
        press(Qt::Key_F2);
        m_window->idleTimerTick(); // the grace ends: every interval from now on costs moves
        m_window->idleTimer().start(intervalMs);
        QTest::qWait(passedMs);
        return game().state().values.movesLeft;
    }

    // Reading a dialog is not idling on the board: the clock stands still while one of the
    // game's modal windows is open (About took 3 moves in 25 s), then runs out the rest of
    // its interval, and the intervals after that are full ones again.
    void modalWindowHoldsTheGameTimer() {
        const int moves = timedGameWithShortInterval(1500, 300);
        QTimer& clock = m_window->idleTimer();
        bool runningWhileOpen = true;
        m_window->setModalRunner([&](QDialog& dialog) {
            QTimer::singleShot(2500, &dialog, [&] {
                runningWhileOpen = clock.isActive();
                dialog.reject();
            });
            return dialog.exec();
        });
        item("About3")->trigger();
        QVERIFY(!runningWhileOpen);
        QCOMPARE(game().state().values.movesLeft, moves);
        QVERIFY(clock.isActive());
        QVERIFY(clock.interval() < 1500); // the rest of the interval, not a fresh one
        QTRY_COMPARE_WITH_TIMEOUT(game().state().values.movesLeft, moves + game().state().values.penalty, 3000);
        QCOMPARE(clock.interval(), game().state().values.pop * 1000);
    }

    // Any modal window holds the clock, also one no command knows of, and one over another
    // keeps it held until the last of them closes.
    void nestedModalWindowsHoldTheGameTimerUntilTheLastCloses() {
        const int moves = timedGameWithShortInterval(800, 0);
        QTimer& clock = m_window->idleTimer();
        QMessageBox outer(QMessageBox::Information, QStringLiteral("Quorvel"),
                          QStringLiteral("outer"), QMessageBox::Ok, m_window.get());
        bool runningBetween = true;
        QTimer::singleShot(100, &outer, [&] {
            QMessageBox inner(QMessageBox::Information, QStringLiteral("Quorvel"),
                              QStringLiteral("inner"), QMessageBox::Ok, &outer);
            QTimer::singleShot(1000, &inner, [&] { inner.accept(); });
            inner.exec();
            runningBetween = clock.isActive();
            QTimer::singleShot(1000, &outer, [&] { outer.accept(); });
        });
        outer.exec();
        QVERIFY(!runningBetween);
        QCOMPARE(game().state().values.movesLeft, moves);
        QVERIFY(clock.isActive());
    }

    void clueStepsOnItsTimerAndLocksTheLetter() {
        press(Qt::Key_F2);
        const int moves = game().state().values.movesLeft;
        press(Qt::Key_F11);
        QVERIFY(game().state().clueRunning);
        QVERIFY(m_window->clueStepTimer().isActive());
        QCOMPARE(m_window->clueStepTimer().interval(), 250);
        QVERIFY(game().state().clueColumn > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!game().state().clueRunning, 10000);
        QVERIFY(!m_window->clueStepTimer().isActive());
        QVERIFY(game().state().values.movesLeft < moves);
        QVERIFY(item("mClue")->text().startsWith(QStringLiteral("Cl&ue")));
    }

    // The Clue item's words come from what the game says is left: a count after a build, and
    // "No more" once the last clue has been used.
    void clueCaptionCountsTheCluesLeft() {
        QCOMPARE(item("mClue")->text(), QStringLiteral("Cl&ue"));
        press(Qt::Key_F2);
        const int allowed = game().state().commands.cluesLeft;
        QVERIFY(allowed >= 2);
        QCOMPARE(item("mClue")->text(), QStringLiteral("Cl&ue (%1)").arg(allowed));
        for (int used = 1; used <= allowed && game().state().isInPlay(); ++used) {
            press(Qt::Key_F11);
            QTRY_VERIFY_WITH_TIMEOUT(!game().state().clueRunning, 10000);
            if (!game().state().isInPlay())
                return; // the clues' cost ended the game first
            const QString left = used == allowed ? QStringLiteral("Cl&ue (No more)")
                                                 : QStringLiteral("Cl&ue (%1)").arg(allowed - used);
            QCOMPARE(item("mClue")->text(), left);
        }
    }

    // Solve in the middle of a clue must not leave the clue running into the next game.
    void solveDuringAClueLeavesTheNextGamesClueWorking() {
        press(Qt::Key_F2);
        press(Qt::Key_F11);
        QVERIFY(game().state().clueRunning);
        press(Qt::Key_F12);
        QTRY_VERIFY_WITH_TIMEOUT(!game().state().clueRunning, 3000);
        press(Qt::Key_F2);
        press(Qt::Key_F11);
        QVERIFY(game().state().clueRunning);
    }

    void f12SolvesAndTheTryAgainBannerOnlyHides() {
        press(Qt::Key_F2);
        press(Qt::Key_F12);
        QVERIFY(!game().state().isInPlay());
        QCOMPARE(m_window->findChild<quorvel::MessagePanels*>()->bannerText(), QStringLiteral("Try again"));
        QVERIFY(m_window->findChild<quorvel::MessagePanels*>()->isWaiting());
        QCOMPARE(counterText(), QStringLiteral("0"));
        press(Qt::Key_Space);
        QVERIFY(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        QVERIFY(!game().state().isInPlay());
        press(Qt::Key_F12); // Solve is disabled now: nothing happens
        QVERIFY(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
    }

    void f2WhileACompletionBannerWaitsHidesItForTheNewBoard() {
        press(Qt::Key_F2);
        m_window->play(Move::banner(0, 0xFF0000, "Advance to level 2"));
        QVERIFY(!board()->isEnabled());
        press(Qt::Key_F2);
        QVERIFY(!m_window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
        QVERIFY(board()->isEnabled());
        QVERIFY(game().state().isInPlay());
    }

    void undoBelowTenMovesFlashesInsufficientPoints() {
        press(Qt::Key_F2);
        while (game().state().values.movesLeft >= 10)
            clickArrow(1, true);
        QVERIFY(game().state().isInPlay());
        press(Qt::Key_F10);
        QVERIFY(m_window->findChild<quorvel::MessagePanels*>()->isFlashing());
    }

    void bannerSwitchStopsAndRestartsTheStatusLine() {
        item("Banner")->trigger();
        QVERIFY(!item("Banner")->isChecked());
        QCOMPARE(m_window->statusBanner().text(), QString());
        QVERIFY(!m_window->statusBanner().scrollTimer().isActive());
        item("Banner")->trigger();
        QCOMPARE(m_window->statusBanner().index(), 1);
        QVERIFY(m_window->statusBanner().scrollTimer().isActive());
    }

    void aMissingDictionaryEndsTheBuildWithAMessageAndAnEmptyBoard() {
        cleanup();
        start(false);
        const int before = m_dialogs->warned.size();
        press(Qt::Key_F2);
        QCOMPARE(m_dialogs->warned.size(), before + 1);
        QCOMPARE(game().state().board.tileCount, 0);
        QVERIFY(item("Game1")->isEnabled());
        QVERIFY(!item("mSolve")->isEnabled());
        QVERIFY(item("mSettings")->isEnabled());
    }

    void levelShownIsStoredAtOnce() {
        press(Qt::Key_F5);
        IniFile settings((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QCOMPARE(settings.readInteger("Options", "Level", -5), 2);
        QCOMPARE(m_window->findChild<QMenu*>(QStringLiteral("mLevel"))->title(), QStringLiteral("&Level (2)"));
        QCOMPARE(m_window->findChild<quorvel::LevelPicker*>()->position(), 2);
    }

    void settingsNewGameStartsAGameAndExitStoresTheSettings() {
        int shown = 0;
        m_window->setModalRunner([&](QDialog& dialog) {
            shown += qobject_cast<OptionsDialog*>(&dialog) != nullptr;
            return OptionsDialog::NewGameResult;
        });
        press(Qt::Key_F7);
        QCOMPARE(shown, 1);
        QVERIFY(game().state().isInPlay());
        press(Qt::Key_F5);
        item("Exit1")->trigger();
        QVERIFY(!m_window->isVisible());
        IniFile settings((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QCOMPARE(settings.readInteger("Options", "Level", -5), 2);
        QVERIFY(settings.readBool("Options", "Banner", false));
    }

    void everyOptionChangeReachesTheGame() {
        setOption("Def", true);
        QVERIFY(game().options().definitions);
        setOption("Timed", true);
        QVERIFY(game().options().timed);
        setOption("AutoAdvance", true);
        QVERIFY(game().options().autoAdvance);
        options()->findChild<QSlider*>(QStringLiteral("handicap"))->setValue(1);
        QCOMPARE(game().options().handicap, 1);
        setOption("Def", false);
        QVERIFY(!game().options().definitions);
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_mainwindow.moc"
