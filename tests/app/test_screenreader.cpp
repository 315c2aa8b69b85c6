// The game through a screen reader's eyes and hands: the counter and messages read by name,
// the arrows pressed and the tiles toggled by their standard actions, exactly as clicks.
#include "EveryWindow.h"
#include "GameTwin.h"

#include "board/BoardView.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/TipDialog.h"
#include "support/Announcer.h"
#include "support/Speech.h"
#include "dialogs/StatisticsWindow.h"
#include "window/MessagePanels.h"
#include "window/StatusBanner.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <algorithm>

#if __has_include(<QtGui/private/qguiapplication_p.h>)
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#define QUORVEL_ACCESSIBILITY_EVENTS 1
#endif

using namespace quorvel;

namespace {

// The names given by the name-changed events raised, in order, while a recorder lives.
class EventRecorder {
public:
    EventRecorder() {
        names().clear();
        QAccessible::installUpdateHandler(&EventRecorder::record);
    }
    ~EventRecorder() { QAccessible::installUpdateHandler(nullptr); }
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;

    static QStringList& names() {
        static QStringList recorded;
        return recorded;
    }
    // The recorded names that begin with caption, such as "Notice: ".
    static QStringList namesStartingWith(const QString& caption) {
        QStringList found;
        for (const QString& name : names())
            if (name.startsWith(caption))
                found << name;
        return found;
    }

private:
    static void record(QAccessibleEvent* event) {
        if (event->type() != QAccessible::NameChanged)
            return;
        if (QAccessibleInterface* target = event->accessibleInterface())
            names() << target->text(QAccessible::Name);
    }
};

QAccessibleInterface* boardItem(const Twin& game, int index) {
    return QAccessible::queryAccessibleInterface(game.board())->child(index);
}

QAccessibleInterface* tileItem(const Twin& game, int tile) {
    return boardItem(game, tile - 1);
}

QAccessibleInterface* arrowItem(const Twin& game, int column, bool above) {
    const Board& model = game.model();
    return boardItem(game, model.tileCount + (above ? 0 : model.columns) + column - 1);
}

QStringList actionsOf(QAccessibleInterface* item) {
    return item->actionInterface() ? item->actionInterface()->actionNames() : QStringList{};
}

// Every control a reader can reach under item (shown, focusable) that has no name, described
// by its window, class and object name.
void collectUnnamed(QAccessibleInterface* item, const QString& window, QStringList& unnamed) {
    for (int index = 0; index < item->childCount(); ++index) {
        QAccessibleInterface* child = item->child(index);
        if (!child || child->state().invisible)
            continue;
        if (child->state().focusable && child->text(QAccessible::Name).trimmed().isEmpty()) {
            QObject* object = child->object();
            unnamed << QStringLiteral("%1: %2 '%3' (role %4)")
                           .arg(window, object ? QString::fromLatin1(object->metaObject()->className()) : QString(),
                                object ? object->objectName() : QString())
                           .arg(child->role());
        }
        collectUnnamed(child, window, unnamed);
    }
}

int firstFreeTile(const Twin& game) {
    for (int tile = 1; tile <= game.model().tileCount; ++tile)
        if (game.model().tile(tile).colour == LetterColour::Unlocked &&
            game.model().tile(tile).caption != GapChar)
            return tile;
    return 0;
}

// Whether the arrow above column and the tile say they are disabled, offer no action, and
// leave the board as it was when their actions are asked for all the same.
bool offersNothing(const Twin& game, int column, int tile) {
    const QString before = game.picture();
    for (QAccessibleInterface* item : {arrowItem(game, column, true), tileItem(game, tile)}) {
        if (!item->state().disabled || !actionsOf(item).isEmpty())
            return false;
        item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    }
    return game.picture() == before;
}

} // namespace

class ScreenReaderTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void arrowPressShiftsTheColumnAsAClick();
    void tileToggleLocksAndFreesAsAClick();
    void actionsAreWithheldWhereAClickDoesNothing();
    void actionsAreWithheldWhilePaused();
    void aLevelPlayedByActionsIsToldOnceEachStep();
    void statusLineSaysEachMessageOnceNotEachScrolledStep();
    void everyControlOfTheWindowsHasAName();
    void foundWordsAreToldByTheirWords();
    void theCursorsTileIsTheFocus();
    void eachMoveIsAnnouncedOnceInOneMessage();
    void rowAndColumnAreReadCompactly();
    void slidersSayWhatTheirPositionMeans();
    void returnPressesTheTipsFocusedButton();
};

// Offscreen, Qt raises accessibility events only once something says a reader listens.
void ScreenReaderTest::initTestCase() {
#ifdef QUORVEL_ACCESSIBILITY_EVENTS
    if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(true);
#endif
}

void ScreenReaderTest::arrowPressShiftsTheColumnAsAClick() {
    Twin reader(11), mouse(11);
    QAccessibleInterface* arrow = arrowItem(reader, 1, true);
    QCOMPARE(arrow->text(QAccessible::Name), QStringLiteral("Shift column 1 down"));
    QCOMPARE(actionsOf(arrow), QStringList{QAccessibleActionInterface::pressAction()});
    const int before = reader.window->findChild<QLabel*>(QStringLiteral("Counter"))->text().toInt();
    QCOMPARE(reader.window->findChild<QLabel*>(QStringLiteral("Counter"))->accessibleName(), QStringLiteral("Moves left: %1").arg(before));

    arrow->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTest::mouseClick(mouse.board(), Qt::LeftButton, {}, mouse.board()->arrowRect(1, true).center());
    QCOMPARE(reader.picture(), mouse.picture());
    QCOMPARE(reader.window->findChild<QLabel*>(QStringLiteral("Counter"))->text().toInt(), before - 1);
    QCOMPARE(reader.window->findChild<QLabel*>(QStringLiteral("Counter"))->accessibleName(),
             QStringLiteral("Moves left: %1").arg(before - 1));
    // The arrow below presses up, and an unknown action does nothing.
    arrowItem(reader, 1, false)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTest::mouseClick(mouse.board(), Qt::LeftButton, {}, mouse.board()->arrowRect(1, false).center());
    arrow->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(reader.picture(), mouse.picture());
}

void ScreenReaderTest::tileToggleLocksAndFreesAsAClick() {
    Twin reader(7), mouse(7);
    const int tile = firstFreeTile(reader);
    QVERIFY(tile != 0);
    QAccessibleInterface* cell = tileItem(reader, tile);
    QVERIFY(cell->text(QAccessible::Name).endsWith(QLatin1String(", free")));
    QCOMPARE(actionsOf(cell), QStringList{QAccessibleActionInterface::toggleAction()});
    QVERIFY(!cell->state().checked);

    cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QTest::mouseClick(mouse.board(), Qt::LeftButton, {}, mouse.board()->tileRect(tile).center());
    QCOMPARE(reader.picture(), mouse.picture());
    QVERIFY(cell->text(QAccessible::Name).endsWith(QLatin1String(", locked")));
    QVERIFY(cell->state().checked);

    cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); // not a tile's
    cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QTest::mouseClick(mouse.board(), Qt::LeftButton, {}, mouse.board()->tileRect(tile).center());
    QCOMPARE(reader.picture(), mouse.picture());
    QVERIFY(cell->text(QAccessible::Name).endsWith(QLatin1String(", free")));
}

// Given up, the game waits under its banner: nothing is offered and nothing moves.
void ScreenReaderTest::actionsAreWithheldWhereAClickDoesNothing() {
    Twin game(3);
    const int tile = firstFreeTile(game);
    game.window->solve();
    QVERIFY(game.window->findChild<quorvel::MessagePanels*>()->isWaiting());
    QVERIFY(offersNothing(game, 1, tile));
    // Confirmed, the banner goes, but between games the board still takes no click.
    game.window->findChild<quorvel::MessagePanels*>()->okButton()->clicked();
    QVERIFY(!game.window->findChild<quorvel::MessagePanels*>()->isBannerVisible());
    QVERIFY(arrowItem(game, 1, true)->state().disabled);
    QVERIFY(tileItem(game, tile)->state().disabled);
}

void ScreenReaderTest::actionsAreWithheldWhilePaused() {
    Twin game(4);
    auto* timed = game.window->optionsDialog()->findChild<QCheckBox*>(QStringLiteral("Timed"));
    QVERIFY(timed);
    timed->setChecked(true);
    game.window->newGame();
    const int tile = firstFreeTile(game);
    QVERIFY(!arrowItem(game, 2, true)->state().disabled);
    game.window->pauseContinue();
    QVERIFY(game.window->game().state().timer.paused);
    QVERIFY(offersNothing(game, 2, tile));
    game.window->pauseContinue();
    QCOMPARE(actionsOf(tileItem(game, tile)), QStringList{QAccessibleActionInterface::toggleAction()});
}

// The keyboard test's way through a level, by actions alone: each column shifted until its
// letters stand right, each letter locked. Each word found is said once by the notice, the
// completion once, the banner that follows once, and the counter once a move.
void ScreenReaderTest::aLevelPlayedByActionsIsToldOnceEachStep() {
#ifndef QUORVEL_ACCESSIBILITY_EVENTS
    QSKIP("Qt's private headers (qt6-base-private-dev) are needed to switch events on offscreen");
#else
    Twin game(11);
    QVERIFY(QAccessible::isActive());
    EventRecorder recorder;
    const Board& model = game.model();
    const auto counterEvents = [] {
        return EventRecorder::namesStartingWith(QStringLiteral("Moves left: ")).size();
    };
    int mostPerAction = 0; // counter events a single action raised, at most
    const auto act = [&](QAccessibleInterface* item, const QString& action) {
        const auto before = counterEvents();
        item->actionInterface()->doAction(action);
        mostPerAction = std::max(mostPerAction, static_cast<int>(counterEvents() - before));
    };
    for (int column = 1; column <= model.columns && game.board()->takesMoves(); ++column) {
        for (int row = 1; row <= model.rows && game.board()->takesMoves(); ++row) {
            const int tile = model.tileAt(row, column);
            for (int turn = 0; turn < model.rows && model.tile(tile).caption != model.tile(tile).solution &&
                               game.board()->takesMoves();
                 ++turn)
                act(arrowItem(game, column, true), QAccessibleActionInterface::pressAction());
            if (game.board()->canToggleTile(tile) && model.tile(tile).colour == LetterColour::Unlocked)
                act(tileItem(game, tile), QAccessibleActionInterface::toggleAction());
        }
    }
    QVERIFY2(!game.window->game().state().isInPlay(), "the level was not finished");
    const QStringList notices = EventRecorder::namesStartingWith(QStringLiteral("Notice: "));
    QVERIFY2(!notices.isEmpty(), qPrintable(EventRecorder::names().join(QLatin1Char('\n'))));
    QCOMPARE(notices.last(), QStringLiteral("Notice: Puzzle completed"));
    QCOMPARE(notices.count(QStringLiteral("Notice: Puzzle completed")), 1);
    QStringList found = notices.mid(0, notices.size() - 1);
    QVERIFY(!found.isEmpty());
    for (const QString& notice : found)
        QVERIFY2(notice.startsWith(QLatin1String("Notice: Word found: ")) ||
                     notice.startsWith(QLatin1String("Notice: Words found: ")),
                 qPrintable(notice));
    QCOMPARE(found.removeDuplicates(), 0); // each word once
    // The banner waits for the completion notice to end, then says itself once.
    for (int step = 0; step < MessagePanels::FlashSwitches; ++step)
        game.window->findChild<quorvel::MessagePanels*>()->flashStep();
    const QStringList banners = EventRecorder::namesStartingWith(QStringLiteral("Message: "));
    QCOMPARE(banners.size(), 1);
    QVERIFY2(banners.first().contains(QLatin1String("level")), qPrintable(banners.first()));
    // The counter is told once a move at most, where the move left it, not at each step of a
    // found word's reward.
    QVERIFY(counterEvents() > 0);
    QCOMPARE(mostPerAction, 1);
#endif
}

void ScreenReaderTest::statusLineSaysEachMessageOnceNotEachScrolledStep() {
    Twin game(5);
    StatusBanner& status = game.window->statusBanner();
    status.setText(QStringLiteral("   Level 3   "));
    QCOMPARE(status.label()->accessibleName(), QStringLiteral("Status line: Level 3"));
#ifdef QUORVEL_ACCESSIBILITY_EVENTS
    EventRecorder recorder;
    status.setText(QStringLiteral("Level 4"));
    for (int step = 0; step < 5; ++step)
        status.tick();
    status.setText(QStringLiteral("Level 4")); // the game says it again: nothing new to hear
    QCOMPARE(EventRecorder::names(), QStringList{QStringLiteral("Status line: Level 4")});
#else
    status.setText(QStringLiteral("Level 4"));
#endif
    QCOMPARE(status.label()->accessibleName(), QStringLiteral("Status line: Level 4"));
}

// The options, styles, background, statistics, level picker, tips and about windows: each
// control is named, and the statistics chart says its totals.
void ScreenReaderTest::everyControlOfTheWindowsHasAName() {
    Twin game(5);
    makeEveryWindow(*game.window);
    const QList<QDialog*> dialogs = game.window->findChildren<QDialog*>();
    QStringList walked;
    QStringList unnamed;
    for (QDialog* dialog : dialogs) {
        dialog->show();
        walked << QString::fromLatin1(dialog->metaObject()->className()).remove(QLatin1String("quorvel::"));
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        collectUnnamed(QAccessible::queryAccessibleInterface(dialog),
                       QString::fromLatin1(dialog->metaObject()->className()), unnamed);
        dialog->hide();
    }
    for (const QString& control : unnamed)
        qWarning("unnamed: %s", qPrintable(control));
    QVERIFY2(unnamed.isEmpty(), "some controls have no name");
    for (const char* window : {"OptionsDialog", "StyleDialog", "BackgroundDialog", "StatisticsWindow",
                               "LevelPicker", "TipDialog", "AboutBox"})
        QVERIFY2(walked.contains(QLatin1String(window)), window);

    game.window->findChild<quorvel::StatisticsWindow*>()->show();
    QWidget* chart = game.window->findChild<quorvel::StatisticsWindow*>()->findChild<QWidget*>(QStringLiteral("H"));
    QVERIFY(chart);
    const QString said = QAccessible::queryAccessibleInterface(chart)->text(QAccessible::Name);
    QVERIFY2(said.startsWith(QLatin1String("Chart: ")) && said.contains(QLatin1String("games played")) &&
                 said.contains(QLatin1String("success rate")),
             qPrintable(said));
}

// Row 1 holds CAT and DOG apart by a gap; only the words found since the last look are told.
void ScreenReaderTest::foundWordsAreToldByTheirWords() {
    Board board;
    const auto place = [&](const char* letters, int row, int column) {
        for (int i = 0; letters[i] != 0; ++i)
            board.setTile(letters[i], row, column + i, i == 0);
    };
    place("CAT", 1, 1);
    board.setTile(GapChar, 1, 4, false);
    place("DOG", 1, 5);
    const auto find = [&](int first) {
        for (int tile = first; tile < first + 3; ++tile)
            board.tile(tile).found = true;
    };
    QCOMPARE(newWordsText({}, board), QString());
    const std::set<int> none = foundWordStarts(board);
    find(5);
    QCOMPARE(newWordsText(none, board), QStringLiteral("Word found: DOG"));
    const std::set<int> dog = foundWordStarts(board);
    QCOMPARE(newWordsText(dog, board), QString()); // found before: not news
    find(1);
    QCOMPARE(newWordsText(dog, board), QStringLiteral("Word found: CAT"));
    QCOMPARE(newWordsText(none, board), QStringLiteral("Words found: CAT, DOG"));
    // A word of the lists that the puzzle lacks is underlined, and said to be the player's own.
    for (int tile = 1; tile <= 3; ++tile)
        board.tile(tile).underlined = true;
    QCOMPARE(newWordsText(dog, board), QStringLiteral("Word found: CAT (a word of your own)"));
}

namespace {

// The names of the objects that took the focus or showed, while a recorder lives.
class FocusAndShowRecorder {
public:
    FocusAndShowRecorder() {
        focused().clear();
        shown().clear();
        QAccessible::installUpdateHandler(&FocusAndShowRecorder::record);
    }
    ~FocusAndShowRecorder() { QAccessible::installUpdateHandler(nullptr); }
    FocusAndShowRecorder(const FocusAndShowRecorder&) = delete;
    FocusAndShowRecorder& operator=(const FocusAndShowRecorder&) = delete;
    static QStringList& focused() {
        static QStringList names;
        return names;
    }
    static QStringList& shown() {
        static QStringList names;
        return names;
    }

private:
    static void record(QAccessibleEvent* event) {
        QAccessibleInterface* target = event->accessibleInterface();
        if (!target)
            return;
        if (event->type() == QAccessible::Focus)
            focused() << target->text(QAccessible::Name);
        else if (event->type() == QAccessible::ObjectShow && target->role() == QAccessible::Notification)
            shown() << target->text(QAccessible::Name);
    }
};

} // namespace

// Orca follows focus events: the tile under the keyboard cursor is focused as the cursor moves
// and as the board takes the focus, and it is the board's focused child for "where am I".
void ScreenReaderTest::theCursorsTileIsTheFocus() {
#ifndef QUORVEL_ACCESSIBILITY_EVENTS
    QSKIP("Qt's private headers (qt6-base-private-dev) are needed to switch events on offscreen");
#else
    Twin game(7);
    game.window->activateWindow();
    FocusAndShowRecorder recorder;
    game.board()->setFocus();
    QTRY_VERIFY(game.board()->hasFocus());
    const QString first = game.board()->tileDescription(game.board()->cursorTile());
    QVERIFY(first.startsWith(QLatin1String("Row 1, column 1: ")));
    QTRY_COMPARE(FocusAndShowRecorder::focused().last(), first); // after the board's own
    QTest::keyClick(game.board(), Qt::Key_Right);
    QVERIFY(FocusAndShowRecorder::focused().last().startsWith(QLatin1String("Row 1, column 2: ")));
    QTest::keyClick(game.board(), Qt::Key_Down);
    QVERIFY(FocusAndShowRecorder::focused().last().startsWith(QLatin1String("Row 2, column 2: ")));
    QAccessibleInterface* focusChild = QAccessible::queryAccessibleInterface(game.board())->focusChild();
    QVERIFY(focusChild);
    QCOMPARE(focusChild->text(QAccessible::Name), FocusAndShowRecorder::focused().last());
    QVERIFY(focusChild->state().focused);
    // At the board's edge the cursor stays, and no focus event says the same tile again.
    const auto count = FocusAndShowRecorder::focused().size();
    QTest::keyClick(game.board(), Qt::Key_Home);
    QTest::keyClick(game.board(), Qt::Key_Home);
    QCOMPARE(FocusAndShowRecorder::focused().size(), count + 1);
#endif
}

// A lock under the cursor, a word found and the moves left come as one notification a move;
// a pause says so.
void ScreenReaderTest::eachMoveIsAnnouncedOnceInOneMessage() {
#ifndef QUORVEL_ACCESSIBILITY_EVENTS
    QSKIP("Qt's private headers (qt6-base-private-dev) are needed to switch events on offscreen");
#else
    Twin game(7);
    game.window->activateWindow();
    game.board()->setFocus();
    QTRY_VERIFY(game.board()->hasFocus());
    auto* announcer = game.window->findChild<Announcer*>();
    QVERIFY(announcer);
    announcer->flush(); // the opening status, said before the recorder listens
    FocusAndShowRecorder recorder;
    const int tile = firstFreeTile(game);
    game.board()->setCursorTile(tile);
    const QChar letter = QLatin1Char(game.model().tile(tile).caption);
    const auto counter = [&] { return game.window->findChild<QLabel*>(QStringLiteral("Counter"))->text(); };
    QTest::keyClick(game.board(), Qt::Key_Space);
    QTRY_COMPARE(FocusAndShowRecorder::shown().size(), 1);
    QCOMPARE(FocusAndShowRecorder::shown().last(),
             QStringLiteral("%1, locked. %2 moves left.").arg(letter).arg(counter()));
    QTest::keyClick(game.board(), Qt::Key_PageDown); // the locked tile stays: only the count
    QTRY_COMPARE(FocusAndShowRecorder::shown().size(), 2);
    QCOMPARE(FocusAndShowRecorder::shown().last(), QStringLiteral("%1 moves left.").arg(counter()));
    QCOMPARE(announcer->lastSpoken(), FocusAndShowRecorder::shown().last());
    // Nothing queued, nothing said: the rolling status line never reaches the notification.
    announcer->say(QString());
    game.window->statusBanner().tick();
    QTest::qWait(1);
    QCOMPARE(FocusAndShowRecorder::shown().size(), 2);
    // An untimed game does not pause, and says nothing of it; a timed one says so.
    game.window->pauseContinue();
    QTest::qWait(1);
    QCOMPARE(FocusAndShowRecorder::shown().size(), 2);
    game.window->optionsDialog()->findChild<QCheckBox*>(QStringLiteral("Timed"))->setChecked(true);
    game.window->newGame();
    announcer->flush();
    game.window->pauseContinue();
    announcer->flush();
    QCOMPARE(FocusAndShowRecorder::shown().last(), QStringLiteral("Paused."));
#endif
}

// R and C say the cursor's row and column, letters of one state together and that state once.
void ScreenReaderTest::rowAndColumnAreReadCompactly() {
    Twin game(7);
    BoardView* board = game.board();
    QSignalSpy said(board, &BoardView::readAloud);
    board->setFocus();
    board->setCursorTile(game.model().tileAt(1, 3));
    board->toggleTile(board->cursorTile());
    const Board& model = game.model();
    const QString before = game.picture();
    const auto letter = [&](int row, int column) {
        return QString(QLatin1Char(model.tile(model.tileAt(row, column)).caption));
    };
    QTest::keyClick(board, Qt::Key_R);
    QCOMPARE(said.takeFirst().at(0).toString(),
             QStringLiteral("Row 1: %1 %2, %3 locked, %4")
                 .arg(letter(1, 1), letter(1, 2), letter(1, 3), letter(1, 4)));
    QTest::keyClick(board, Qt::Key_C);
    QCOMPARE(said.takeFirst().at(0).toString(),
             QStringLiteral("Column 3: %1 locked, %2 %3 %4")
                 .arg(letter(1, 3), letter(2, 3), letter(3, 3), letter(4, 3)));
    QCOMPARE(game.picture(), before); // reading makes no move
}

void ScreenReaderTest::slidersSayWhatTheirPositionMeans() {
    Twin game(5);
    OptionsDialog* options = game.window->optionsDialog();
    auto* handicap = options->findChild<QSlider*>(QStringLiteral("handicap"));
    auto* size = options->findChild<QSlider*>(QStringLiteral("tbSize"));
    QVERIFY(handicap && size);
    handicap->setValue(0);
    QCOMPARE(handicap->accessibleName(), QStringLiteral("Handicap Level: Neutral penalties"));
    handicap->setValue(1);
    QCOMPARE(handicap->accessibleName(), QStringLiteral("Handicap Level: Higher penalties"));
    size->setValue(2);
    QCOMPARE(size->accessibleName(), QStringLiteral("Game Size: Medium"));
    size->setValue(size->minimum());
    QCOMPARE(size->accessibleName(), QStringLiteral("Game Size: Smallest"));
}

// The focused OK closes the tip as it says; Next Tip, focused, shows and announces the next one.
void ScreenReaderTest::returnPressesTheTipsFocusedButton() {
    Twin game(5);
    makeEveryWindow(*game.window);
    auto* tips = game.window->findChild<TipDialog*>();
    QVERIFY(tips);
    tips->show();
    QVERIFY(QTest::qWaitForWindowExposed(tips));
    tips->nextButton()->setFocus();
    const QString before = tips->text();
    QTest::keyClick(tips->nextButton(), Qt::Key_Return);
    QVERIFY(tips->isVisible());
    QVERIFY(tips->text() != before);
    auto* announcer = tips->findChild<Announcer*>();
    QVERIFY(announcer);
    announcer->flush();
    QVERIFY2(announcer->lastSpoken().contains(tips->text().left(20).simplified()),
             qPrintable(announcer->lastSpoken()));
    auto* ok = tips->findChild<QPushButton*>(QStringLiteral("Button1"));
    QVERIFY(ok);
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    QVERIFY(!tips->isVisible());
    QCOMPARE(tips->result(), int(QDialog::Accepted));
}

QTEST_MAIN(ScreenReaderTest)

#include "test_screenreader.moc"
