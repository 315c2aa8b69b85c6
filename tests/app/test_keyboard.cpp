// The board without a mouse: every key gives the mouse's move, the cursor walks the tiles, a
// locked letter carries a mark, and a screen reader finds the tiles and arrows by name.
#include "GameTwin.h"

#include <QAccessible>
#include <QAction>
#include <QtTest>

using namespace quorvel;

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void keysPlayALevelExactlyAsTheMouseDoes();
    void cursorSkipsGapsAndStopsAtTheEdges();
    void keysDoNothingWhileTheBoardTakesNoMoves();
    void lockedLettersCarryAMarkThatCanBeSwitchedOff();
    void screenReadersFindTilesAndArrowsByName();
};

// The keyboard game and its mouse twin start alike; after every key the boards and counters
// must still be alike, and the key game ends completed.
void KeyboardTest::keysPlayALevelExactlyAsTheMouseDoes() {
    Twin keys(11), mouse(11);
    QCOMPARE(keys.picture(), mouse.picture());
    BoardView* board = keys.board();
    board->setFocus();
    QCOMPARE(board->cursorTile(), 1); // a new puzzle starts the cursor on its first tile

    const auto step = [&](Qt::Key key, auto mouseAction) {
        QTest::keyClick(board, key);
        mouseAction();
        QCOMPARE(keys.picture(), mouse.picture());
    };
    const int rows = keys.model().rows;
    for (int column = 1; column <= keys.model().columns && board->takesMoves(); ++column) {
        for (int row = 1; row <= rows && board->takesMoves(); ++row) {
            const int tile = keys.model().tileAt(row, column);
            board->setCursorTile(tile);
            for (int turn = 0; turn < rows && keys.model().tile(tile).caption != keys.model().tile(tile).solution &&
                               board->takesMoves();
                 ++turn) {
                step(Qt::Key_PageDown, [&] {
                    QTest::mouseClick(mouse.board(), Qt::LeftButton, {},
                                      mouse.board()->arrowRect(column, true).center());
                });
            }
            if (board->takesMoves() && keys.model().tile(tile).colour == LetterColour::Unlocked)
                step(Qt::Key_Space, [&] {
                    QTest::mouseClick(mouse.board(), Qt::LeftButton, {},
                                      mouse.board()->tileRect(tile).center());
                });
        }
    }
    QVERIFY2(!keys.window->game().state().isInPlay(), "the level was not finished");
    QVERIFY(keys.window->game().state().values.movesLeft > 0);
}

void KeyboardTest::cursorSkipsGapsAndStopsAtTheEdges() {
    Twin game(5);
    BoardView* board = game.board();
    const Board& model = game.model();
    board->setCursorTile(1);
    QTest::keyClick(board, Qt::Key_Left);
    QCOMPARE(board->cursorTile(), 1); // the edge holds it
    QTest::keyClick(board, Qt::Key_Up);
    QCOMPARE(board->cursorTile(), 1);
    QTest::keyClick(board, Qt::Key_End);
    QCOMPARE(model.tile(board->cursorTile()).column, model.columns);
    QTest::keyClick(board, Qt::Key_Down);
    QCOMPARE(model.tile(board->cursorTile()).row, 2);
    QTest::keyClick(board, Qt::Key_Home);
    QCOMPARE(model.tile(board->cursorTile()).column, 1);
    // No key that moves the cursor costs a move.
    QCOMPARE(game.window->game().state().values.moveMade, false);
}

void KeyboardTest::keysDoNothingWhileTheBoardTakesNoMoves() {
    Twin game(3);
    game.window->solve(); // the solution is shown and the board is closed
    QVERIFY(!game.board()->takesMoves());
    const QString before = game.picture();
    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_L, Qt::Key_W, Qt::Key_A})
        QTest::keyClick(game.board(), key);
    QCOMPARE(game.picture(), before);
}

void KeyboardTest::lockedLettersCarryAMarkThatCanBeSwitchedOff() {
    Twin game(7);
    BoardView* board = game.board();
    // The notch stands in a right-hand corner, beside the letter: dark pixels there.
    QRect rect;
    const auto darkPixels = [&] {
        const QImage image = board->grab(rect).toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = image.width() * 2 / 3; x < image.width(); ++x)
                dark += image.pixelColor(x, y).lightness() < 40 ? 1 : 0;
        return dark;
    };
    // A wide letter leaves no room for the notch: free letters are locked until one has
    // room, on further boards when this one's letters are all too wide.
    int marked = 0;
    for (int round = 0; round < 20 && marked == 0; ++round) {
        if (round > 0)
            game.window->newGame();
        for (int tile = 1; tile <= game.model().tileCount && marked == 0; ++tile) {
            if (game.model().tile(tile).colour != LetterColour::Unlocked)
                continue;
            board->setCursorTile(tile);
            QTest::keyClick(board, Qt::Key_L);
            QCOMPARE(game.model().tile(tile).colour, LetterColour::Locked);
            rect = board->tileRect(tile);
            marked = darkPixels();
        }
    }
    QVERIFY(marked > 0);
    QAction* marks = game.window->menuItems().lockMarks;
    QVERIFY(marks && marks->isChecked());
    marks->trigger();
    QVERIFY(!board->lockMarksShown());
    QVERIFY(darkPixels() < marked);
}

void KeyboardTest::screenReadersFindTilesAndArrowsByName() {
    Twin game(9);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(game.board());
    QVERIFY(table);
    QCOMPARE(table->role(), QAccessible::Table);
    const Board& model = game.model();
    QCOMPARE(table->childCount(), model.tileCount + 2 * model.columns);
    QAccessibleInterface* first = table->child(0);
    const QString expected = QStringLiteral("Row 1, column 1: %1, %2")
                                 .arg(QLatin1Char(model.tile(1).caption))
                                 .arg(model.tile(1).colour == LetterColour::Unlocked ? "free" : "locked");
    QCOMPARE(first->text(QAccessible::Name), expected);
    QCOMPARE(first->role(), QAccessible::Cell);
    QAccessibleInterface* arrow = table->child(model.tileCount + 2);
    QCOMPARE(arrow->text(QAccessible::Name), QStringLiteral("Shift column 3 down"));
    QCOMPARE(arrow->role(), QAccessible::Button);
    QVERIFY(!arrow->state().disabled);
    QCOMPARE(table->child(model.tileCount + model.columns)->text(QAccessible::Name),
             QStringLiteral("Shift column 1 up"));
    QCOMPARE(table->indexOfChild(arrow), model.tileCount + 2);
    game.window->solve();
    QVERIFY(table->child(model.tileCount)->state().disabled);
    QCOMPARE(game.window->findChild<QLabel*>(QStringLiteral("Counter"))->accessibleName(),
             QStringLiteral("Moves left: ") +
                 game.window->findChild<QLabel*>(QStringLiteral("Counter"))->text());
}

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
