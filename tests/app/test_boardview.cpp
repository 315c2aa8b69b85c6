// The board view: where tiles and arrows are drawn, what clicks and drops mean, how states look.
#include "board/BoardView.h"
#include "board/PadlockLabel.h"
#include "support/Text.h"
#include "board/TileStyle.h"

#include "../core/GameTestSupport.h"
#include "model/Geometry.h"

#include <QApplication>
#include <QtMath>

#include <algorithm>
#include <QDropEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using quorvel::TestGame;

namespace {

const QColor Aqua(0x00, 0xFF, 0xFF);

// Remembers the region of every paint the view receives.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

int countPixels(const QImage& image, const QRect& rect, const QColor& colour) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                         ? Qt::NoButton
                                         : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget* widget, QPoint pos) {
    sendMouse(widget, QEvent::MouseButtonPress, pos);
    sendMouse(widget, QEvent::MouseButtonRelease, pos);
}

void doubleClick(QWidget* widget, QPoint pos) {
    click(widget, pos);
    sendMouse(widget, QEvent::MouseButtonDblClick, pos);
    sendMouse(widget, QEvent::MouseButtonRelease, pos);
}

// A synthetic drop, as the padlock's drag would deliver it; true when the view took it.
bool drop(QWidget* widget, QPoint pos, const QString& format = BoardView::PadlockMimeType) {
    QMimeData data;
    data.setData(format, QByteArray("padlock"));
    QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QDragMoveEvent move(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QDropEvent dropEvent(QPointF(pos), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &dropEvent);
    return dropEvent.isAccepted();
}

} // namespace

class BoardViewTest : public QObject {
    Q_OBJECT

    quorvel::RecordingListener listener;
    quorvel::Random random{7};
    std::unique_ptr<quorvel::HeardGame> game;
    std::unique_ptr<BoardView> view;

    quorvel::HeardGame& g() { return *game; }
    const quorvel::Board& board() { return game->state().board; }
    void edit(const std::function<void(quorvel::GameState&)>& change) {
        TestGame::edit(*game, change);
    }
    int tileAtCell(int row, int column) { return board().tileAt(row, column); }
    QPoint cellCentre(int row, int column) {
        return view->tileRect(tileAtCell(row, column)).center();
    }
    QRect gapRect() { return view->tileRect(3).translated(30, 0); } // row 1, column 4

    // Two rows of seven: a three-letter word, a gap, another three-letter word.
    void setUp(std::vector<std::string> states = {}) {
        TestGame::setUpBoard(g(), {"CAT-DOG", "EMU-ANT"}, {}, std::move(states));
        view->refresh();
    }

private slots:
    void init() {
        game = std::make_unique<quorvel::HeardGame>(listener, random, QUORVEL_PROGRAM_DIR);
        view = std::make_unique<BoardView>(*game);
        view->setTileSize({30, 36});
        TileAppearance look;
        look.fontFamily = QStringLiteral("DejaVu Sans");
        look.pointSize = 16;
        view->setTileAppearance(look);
        setUp();
        view->resize(view->sizeHint());
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }
    void cleanup() {
        view.reset();
        game.reset();
    }

    void tilesStandInTheirCellsAndArrowsAreCentredOverTheirColumns() {
        QCOMPARE(view->objectName(), QStringLiteral("pGame"));
        // Tile numbers run in reading order with the gaps: row 2, column 5 is tile 12.
        QCOMPARE(tileAtCell(2, 5), 12);
        // The columns stand in the middle of the panel; rows keep their pitch of height + 2.
        const int left = (view->width() - 7 * 30) / 2;
        QCOMPARE(view->tileRect(1), QRect(left, 40, 30, 36));
        QCOMPARE(view->tileRect(12), QRect(left + 4 * 30, 40 + 38, 30, 36));
        QVERIFY(view->tileRect(4).isEmpty()); // the gap
        QCOMPARE(view->tileAt(view->tileRect(12).center()), 12);
        QCOMPARE(view->tileAt(gapRect().center()), 0);

        for (int column = 1; column <= 7; ++column) {
            const QRect above = view->arrowRect(column, true);
            const QRect below = view->arrowRect(column, false);
            const QRect cell = view->tileRect(1).translated((column - 1) * 30, 0);
            QCOMPARE(above.width(), 12); // two fifths of a 30-pixel tile
            QVERIFY(qAbs(above.center().x() - cell.center().x()) <= 1);
            QCOMPARE(below.left(), above.left());
            QVERIFY(above.bottom() < 40);
            QVERIFY(below.top() > view->tileRect(8).bottom());
            QVERIFY(below.bottom() < view->height());
        }
        QVERIFY(view->arrowRect(8, true).isEmpty());
        QCOMPARE(view->windowSize(), QSize(7 * 30 + 40, 2 * 38 + 150));
    }

    void aNarrowBoardStandsInTheMiddleOfTheWidenedWindow() {
        TestGame::setUpBoard(g(), {"CAT"});
        view->setTileSize({15, 18});
        view->refresh();
        QCOMPARE(view->windowSize().width(), 165); // 3 x 15 + 40 is widened
        view->resize(view->sizeHint());
        const int left = view->tileRect(1).left();
        const int right = view->width() - 1 - view->tileRect(3).right();
        QVERIFY2(qAbs(left - right) <= 1,
                 qPrintable(QStringLiteral("%1 / %2").arg(left).arg(right)));
        QVERIFY(qAbs(view->arrowRect(2, true).center().x() - view->tileRect(2).center().x()) <= 1);
        QCOMPARE(view->tileAt(view->tileRect(2).center()), 2);
    }

    void clicksBecomeArrowAndTileSignals() {
        QSignalSpy arrows(view.get(), &BoardView::arrowClicked);
        QSignalSpy tiles(view.get(), &BoardView::tileClicked);
        click(view.get(), view->arrowRect(2, true).center());
        click(view.get(), view->arrowRect(6, false).center());
        click(view.get(), cellCentre(2, 5));
        click(view.get(), cellCentre(1, 3));
        click(view.get(), gapRect().center()); // the gap: nothing
        QCOMPARE(arrows.size(), 2);
        QCOMPARE(arrows[0], (QVariantList{2, true}));  // above points down
        QCOMPARE(arrows[1], (QVariantList{6, false})); // below points up
        QCOMPARE(tiles.size(), 2);
        QCOMPARE(tiles[0].first().toInt(), 12);
        QCOMPARE(tiles[1].first().toInt(), 3);

        // A press on one tile released on another is no click.
        sendMouse(view.get(), QEvent::MouseButtonPress, cellCentre(1, 1));
        sendMouse(view.get(), QEvent::MouseButtonRelease, cellCentre(1, 2));
        QCOMPARE(tiles.size(), 2);
    }

    void nothingReactsWhileThePanelOrTheControlsAreDisabled() {
        QSignalSpy arrows(view.get(), &BoardView::arrowClicked);
        QSignalSpy tiles(view.get(), &BoardView::tileClicked);
        QSignalSpy drops(view.get(), &BoardView::padlockDropped);
        QSignalSpy doubles(view.get(), &BoardView::boardDoubleClicked);

        edit([](quorvel::GameState& s) { s.commands.boardPanel = false; }); // a banner, or Pause
        click(view.get(), view->arrowRect(1, true).center());
        click(view.get(), cellCentre(1, 1));
        doubleClick(view.get(), QPoint(5, 5));
        QVERIFY(!drop(view.get(), cellCentre(1, 1)));
        QCOMPARE(arrows.size() + tiles.size() + drops.size() + doubles.size(), 0);

        // Between games tiles and arrows are disabled; the board still takes its double-click,
        // also on a tile, which lets the mouse through.
        edit([](quorvel::GameState& s) {
            s.commands.boardPanel = true;
            s.commands.arrows = false;
            for (int t = 1; t <= s.board.tileCount; ++t)
                s.board.tile(t).enabled = false;
        });
        click(view.get(), view->arrowRect(1, true).center());
        click(view.get(), cellCentre(1, 1));
        QVERIFY(!drop(view.get(), cellCentre(1, 1)));
        QCOMPARE(arrows.size() + tiles.size() + drops.size(), 0);
        doubleClick(view.get(), cellCentre(1, 1));
        QCOMPARE(doubles.size(), 1);
    }

    void doubleClickOnTheBarePanelAsksForAGame() {
        QSignalSpy doubles(view.get(), &BoardView::boardDoubleClicked);
        QSignalSpy tiles(view.get(), &BoardView::tileClicked);
        doubleClick(view.get(), QPoint(3, view->height() - 3));
        QCOMPARE(doubles.size(), 1);
        // On a tile each press of a double-click is a click, and no game is asked for.
        doubleClick(view.get(), cellCentre(1, 2));
        QCOMPARE(doubles.size(), 1);
        QCOMPARE(tiles.size(), 2);
    }

    void padlockDropsOnAnyLetterOfAWord() {
        QSignalSpy drops(view.get(), &BoardView::padlockDropped);
        QVERIFY(drop(view.get(), cellCentre(2, 6)));
        QVERIFY(!drop(view.get(), gapRect().center())); // the gap
        QVERIFY(!drop(view.get(), QPoint(3, 3)));       // the bare panel
        QVERIFY(!drop(view.get(), cellCentre(1, 1), QStringLiteral("text/plain"))); // not ours
        QCOMPARE(drops.size(), 1);
        QCOMPARE(drops[0].first().toInt(), 13);

        // The padlock labels carry what the board accepts.
        std::unique_ptr<QMimeData> data(PadlockLabel::padlockMimeData());
        QVERIFY(data->hasFormat(BoardView::PadlockMimeType));
    }

    void lettersTakeTheColourOfTheirStateAndGapsAreNotDrawn() {
        setUp({"rGB-rrr", "rrr-rrr"});
        edit([](quorvel::GameState& s) { s.board.tile(3).underlined = true; });
        view->refresh();
        const QImage image = view->grab().toImage();
        const QColor unlocked = view->letterColour(quorvel::LetterColour::Unlocked);
        const QColor locked = view->letterColour(quorvel::LetterColour::Locked);
        const QColor revealed = view->letterColour(quorvel::LetterColour::Revealed);
        QCOMPARE(locked, QColor(0x00, 0xAA, 0x66)); // 0x66AA00 as 0x00BBGGRR
        QVERIFY(countPixels(image, view->tileRect(2), locked) > 10);
        QCOMPARE(countPixels(image, view->tileRect(2), unlocked), 0);
        QVERIFY(countPixels(image, view->tileRect(1), unlocked) > 10);
        QCOMPARE(countPixels(image, view->tileRect(1), locked), 0);
        QVERIFY(countPixels(image, view->tileRect(3), revealed) > 10);
        // An underlined letter draws a line across most of its tile's width, below the letter.
        const QRect t3 = view->tileRect(3);
        int longestRun = 0;
        for (int y = t3.center().y(); y < t3.bottom(); ++y)
            longestRun =
                qMax(longestRun, countPixels(image, QRect(t3.left(), y, t3.width(), 1), revealed));
        QVERIFY(longestRun >= 10);

        const QRect gap = gapRect();
        QCOMPARE(countPixels(image, gap, view->boardColour()), gap.width() * gap.height());
        QCOMPARE(view->boardColour(), QColor(0xC8, 0xA0, 0xF3));
    }

    void theBackgroundPictureShowsOnlyWhileVisible() {
        QPixmap picture(8, 8);
        picture.fill(QColor(10, 20, 30));
        const QPoint gap = gapRect().center();
        view->setBackground(picture, true, true);
        QCOMPARE(view->grab().toImage().pixelColor(gap), QColor(10, 20, 30)); // stretched
        view->setBackground(picture, false, true);
        QCOMPARE(view->grab().toImage().pixelColor(gap), view->boardColour()); // its own size
        QCOMPARE(view->grab().toImage().pixelColor(3, 3), QColor(10, 20, 30));
        view->setBackground(picture, true, false);
        QCOMPARE(view->grab().toImage().pixelColor(gap), view->boardColour());
    }

    void theArrowUnderTheMouseAndTheCluesArrowAreWhite() {
        const QRect arrow = view->arrowRect(3, false);
        const QPoint shaft(arrow.center().x(), arrow.top() + 6);
        const QPoint otherShaft(view->arrowRect(4, false).center().x(), arrow.top() + 6);
        QCOMPARE(view->grab().toImage().pixelColor(shaft), Aqua);

        sendMouse(view.get(), QEvent::MouseMove, arrow.center());
        QCOMPARE(view->hotArrow(), 7 + 3);
        QImage image = view->grab().toImage();
        QCOMPARE(image.pixelColor(shaft), QColor(Qt::white));
        QCOMPARE(image.pixelColor(otherShaft), Aqua);

        sendMouse(view.get(), QEvent::MouseMove, cellCentre(1, 1)); // over a tile: reset
        QCOMPARE(view->hotArrow(), 0);
        QCOMPARE(view->grab().toImage().pixelColor(shaft), Aqua);

        QVERIFY(g().apply(quorvel::Move::of(quorvel::Move::Kind::Clue)) != quorvel::MoveResult::NoEffect);
        view->refresh();
        const int column = g().state().clueColumn;
        QVERIFY(column >= 1 && column <= 7);
        const QRect clue = view->arrowRect(column, true);
        image = view->grab().toImage();
        QCOMPARE(image.pixelColor(clue.center().x(), clue.top() + 4), QColor(Qt::white));
    }

    void aRefreshRepaintsOnlyTheTilesThatChanged() {
        PaintRecorder recorder;
        view->installEventFilter(&recorder);
        QCoreApplication::processEvents();
        recorder.painted = QRegion();
        edit([](quorvel::GameState& s) { s.board.tile(9).colour = quorvel::LetterColour::Locked; });
        view->refresh();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        QVERIFY(view->tileRect(9).contains(recorder.painted.boundingRect()));
        view->removeEventFilter(&recorder);
    }

    void hintsShowDefinitionsOnlyWhenDefinitionsAreOn() {
        QCOMPARE(view->toolTipAt(view->arrowRect(1, false).center()),
                 QStringLiteral("Click to shift column"));
        QCOMPARE(view->toolTipAt(cellCentre(1, 2)), QString());
        quorvel::GameOptions options = g().options();
        options.definitions = true;
        g().setOptions(options);
        QCOMPARE(view->toolTipAt(cellCentre(1, 2)), QStringLiteral("definition of CAT"));
        QCOMPARE(view->toolTipAt(cellCentre(2, 7)), QStringLiteral("definition of ANT"));
        QCOMPARE(view->toolTipAt(gapRect().center()), QString()); // the gap
        edit([](quorvel::GameState& s) {
            s.board.wordEntries[0].definition = "small feline, caf\xE9 \x93"
                                                "cat\x94"; // Windows-1252 bytes
        });
        QCOMPARE(view->toolTipAt(cellCentre(1, 1)),
                 QString::fromUtf8("small feline, caf\u00E9 \u201Ccat\u201D"));
    }

    // LockAll is clicked; its two glyphs and Label3's empty face must look different.
    void padlockLabelsClickAndShowTheirGlyph() {
        PadlockLabel lockAll;
        lockAll.resize(24, 24);
        QSignalSpy clicks(&lockAll, &PadlockLabel::clicked);
        click(&lockAll, QPoint(12, 12));
        sendMouse(&lockAll, QEvent::MouseButtonPress, QPoint(12, 12));
        sendMouse(&lockAll, QEvent::MouseButtonRelease, QPoint(40, 40)); // released outside
        QCOMPARE(clicks.size(), 1);

        const QImage closed = lockAll.grab().toImage();
        lockAll.setLocked(false);
        const QImage open = lockAll.grab().toImage();
        lockAll.setGlyphShown(false);
        const QImage empty = lockAll.grab().toImage();
        QVERIFY(closed != open);
        QVERIFY(open != empty);
        lockAll.setGlyphShown(true);
        QCOMPARE(lockAll.glyph(), PadlockLabel::Glyph::Open); // the state survives hiding
    }

    // A puzzle the game builds itself shows every letter and arrow; once solved, every letter is
    // in the revealed colour and the arrows are greyed.
    void aBuiltPuzzleIsShownAndItsEndIsShown() {
        quorvel::TempProgramFolder folder;
        quorvel::HeardGame built(listener, random, folder.folder());
        std::vector<std::pair<std::string, std::string>> words;
        for (const char* w : {"COLD", "WARM", "HEAT", "SNOW", "RAIN", "WIND", "MIST", "HAIL"})
            words.push_back({w, std::string("weather ") + w});
        TestGame::setDictionary(built, words);
        built.setLevelTable(quorvel::builtInLayouts()); // level 1 is 4 x 4
        built.apply(quorvel::Move::pickerLevel(1));
        built.apply(quorvel::Move::of(quorvel::Move::Kind::NewPuzzle));
        QCOMPARE(built.state().board.tileCount, 16);

        BoardView shown(built);
        shown.setTileSize({30, 36});
        shown.resize(shown.sizeHint());
        shown.refresh();
        QImage image = shown.grab().toImage();
        for (int t = 1; t <= 16; ++t) {
            const quorvel::Tile& tile = built.state().board.tile(t);
            QVERIFY(!shown.tileRect(t).isEmpty());
            // Antialiased, a round letter such as C has only a few pixels of the exact colour.
            QVERIFY2(countPixels(image, shown.tileRect(t), shown.letterColour(tile.colour)) > 4,
                     qPrintable(QString::number(t)));
        }
        const QRect arrow = shown.arrowRect(4, false);
        QCOMPARE(image.pixelColor(arrow.center().x(), arrow.top() + 6), Aqua);

        built.apply(quorvel::Move::of(quorvel::Move::Kind::Solve));
        shown.refresh();
        image = shown.grab().toImage();
        const QColor revealed = shown.letterColour(quorvel::LetterColour::Revealed);
        for (int t = 1; t <= 16; ++t)
            QVERIFY(countPixels(image, shown.tileRect(t), revealed) > 4);
        QCOMPARE(image.pixelColor(arrow.center().x(), arrow.top() + 6), QColor(0x80, 0x80, 0x80));
    }

    void tileStylePresetsMatchWithoutRegardToCase() {
        QCOMPARE(tileStylePreset(QStringLiteral("PANEL21")),
                 (TileStyle{Bevel::Raised, Bevel::None, 3, false, 0}));
        QCOMPARE(tileStylePreset(QStringLiteral("panel1")),
                 (TileStyle{Bevel::Lowered, Bevel::None, 3, false, 0}));
        QCOMPARE(tileStylePreset(QStringLiteral("pAnEl16")),
                 (TileStyle{Bevel::Raised, Bevel::Raised, 1, true, 2}));
        QCOMPARE(tileStylePreset(QStringLiteral("Panel18")),
                 (TileStyle{Bevel::Lowered, Bevel::Raised, 2, false, 2}));
        QVERIFY(!tileStylePreset(QStringLiteral("panel22")));
        QVERIFY(!tileStylePreset(QStringLiteral("panel")));
        QVERIFY(!tileStylePreset(QString()));
        QSet<QString> names;
        for (int i = 0; i < TileStylePresetCount; ++i)
            names.insert(QString::fromLatin1(tileStylePresets()[i].name).toUpper());
        QCOMPARE(names.size(), TileStylePresetCount);
        QCOMPARE(defaultTileStyle(), (TileStyle{Bevel::Raised, Bevel::None, 1, false, 0}));
        QCOMPARE(quorvel::colourToWindows(quorvel::colourFromWindows(0x5A0EDA)), 0x5A0EDAu);
    }

    // The arrows were about 10 pixels wide beside 55-pixel tiles at Maximum size: thin targets.
    void arrowsGrowWithTheTiles() {
        for (const quorvel::TileSize tile :
             {quorvel::tileSizeFor(1, {}), quorvel::tileSizeFor(2, {}), quorvel::maxTileSize(1000)}) {
            view->setTileSize(tile);
            view->resize(view->sizeHint());
            const QRect arrow = view->arrowRect(2, true);
            QVERIFY(arrow.width() >= BoardView::ArrowWidth);
            QVERIFY(arrow.width() >= tile.width * 2 / 5);
            const QRect column = view->tileRect(2);
            QVERIFY(column.left() <= arrow.left() && arrow.right() <= column.right());
            const auto hit = view->arrowAt(QPoint(arrow.right(), arrow.center().y()));
            QVERIFY(hit && hit->column == 2 && hit->above);
        }
    }

    // The lock notch once covered the top of A and turned I into a hook at the smaller sizes:
    // at every Game Size its pixels fall only on the bare tile face, never on a letter's ink.
    void lockNotchNeverCoversALetter() {
        TestGame::setUpBoard(g(), {"ABCDEFGHIJKLM", "NOPQRSTUVWXYZ"}, {},
                             {"GGGGGGGGGGGGG", "GGGGGGGGGGGGG"});
        view->refresh();
        const struct {
            quorvel::TileSize tile;
            int points;
        } sizes[] = {{quorvel::tileSizeFor(1, {}), 12},
                     {quorvel::tileSizeFor(2, {}), 24},
                     {quorvel::maxTileSize(1000), 36}};
        int notchPixels = 0;
        for (const auto& [tile, points] : sizes)
            for (const bool bold : {false, true}) {
                view->setTileSize(tile);
                TileAppearance look = view->tileAppearance();
                look.pointSize = points;
                look.bold = bold;
                view->setTileAppearance(look);
                view->resize(view->sizeHint());
                view->setLockMarksShown(false);
                const QImage bare = view->grab().toImage();
                view->setLockMarksShown(true);
                const QImage marked = view->grab().toImage();
                for (int t = 1; t <= board().tileCount; ++t) {
                    const QRect rect = view->tileRect(t);
                    for (int y = rect.top(); y <= rect.bottom(); ++y)
                        for (int x = rect.left(); x <= rect.right(); ++x) {
                            if (marked.pixel(x, y) == bare.pixel(x, y))
                                continue;
                            ++notchPixels;
                            QVERIFY2(bare.pixelColor(x, y) == look.colour,
                                     qPrintable(QStringLiteral("%1 at %2x%3%4")
                                                    .arg(QChar::fromLatin1(board().tile(t).solution))
                                                    .arg(tile.width)
                                                    .arg(tile.height)
                                                    .arg(bold ? " bold" : "")));
                        }
                }
            }
        QVERIFY(notchPixels > 0);
    }

    // Filling panels of many sizes, the board keeps its shape and stands in the middle: tiles
    // grow and shrink with the panel, never overlap each other or the arrows, and every letter
    // stays inside its tile.
    void theBoardScalesWithItsPanelAndNothingOverlaps() {
        view->setScalesToFit(true);
        const QColor unlocked = view->letterColour(quorvel::LetterColour::Unlocked);
        int lastTile = 0;
        for (const QSize panel : {QSize(150, 170), QSize(260, 230), QSize(640, 400),
                                  QSize(1200, 900), QSize(3840, 2100)}) {
            view->resize(panel);
            const QString at = QStringLiteral("%1x%2").arg(panel.width()).arg(panel.height());
            const QRect first = view->tileRect(1);
            QVERIFY2(first.height() >= lastTile, qPrintable(at));
            lastTile = first.height();
            QVERIFY2(qAbs(first.width() * 36 - first.height() * 30) <= 36, qPrintable(at));
            QVector<QRect> shown;
            for (int tile = 1; tile <= board().tileCount; ++tile)
                if (!view->tileRect(tile).isEmpty())
                    shown << view->tileRect(tile);
            for (int column = 1; column <= 7; ++column)
                shown << view->arrowRect(column, true) << view->arrowRect(column, false);
            QRect bounds;
            for (int i = 0; i < shown.size(); ++i) {
                QVERIFY2(view->rect().contains(shown[i]), qPrintable(at));
                bounds |= shown[i];
                for (int j = i + 1; j < shown.size(); ++j)
                    QVERIFY2(!shown[i].intersects(shown[j]), qPrintable(at));
            }
            // Centred both ways, within a pixel of rounding and the half-tile margins.
            const int left = bounds.left(), right = view->width() - 1 - bounds.right();
            QVERIFY2(qAbs(left - right) <= first.width() / 2 + 1, qPrintable(at));
            const int top = bounds.top(), bottom = view->height() - 1 - bounds.bottom();
            QVERIFY2(qAbs(top - bottom) <= first.height() + 2, qPrintable(at));

            const QImage image = view->grab().toImage();
            int letterPixels = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    if (image.pixelColor(x, y) != unlocked)
                        continue;
                    ++letterPixels;
                    const bool inTile = std::any_of(shown.begin(), shown.end(),
                                                    [&](const QRect& r) { return r.contains(x, y); });
                    QVERIFY2(inTile, qPrintable(at + QStringLiteral(" at %1,%2").arg(x).arg(y)));
                }
            QVERIFY2(letterPixels > 12, qPrintable(at));
        }
    }

    // A panel smaller than the board's least size draws it at its smallest readable scale, and
    // says so as its least size; at its own size it is the Game Size's layout exactly.
    void theBoardNeverShrinksBelowReadableTiles() {
        view->setScalesToFit(true);
        view->resize(view->naturalBoardSize());
        QCOMPARE(view->tileRect(1).size(), QSize(30, 36));
        view->resize(40, 40);
        QCOMPARE(view->tileRect(1).height(), 18); // the smallest Game Size's tile
        QCOMPARE(view->minimumSizeHint(), view->smallestBoardSize());
        QVERIFY(view->smallestBoardSize().width() < view->naturalBoardSize().width());
    }

    // Drawn for denser screens, the arrows' shafts and the padlock's body have sharp sides:
    // across each, the colour turns from the background's to the glyph's within one device pixel
    // (a picture drawn at the widget's own pixels and enlarged would blend over two or more).
    void arrowsAndPadlocksAreSharpOnDenseScreens() {
        for (const qreal ratio : {2.0, 1.5}) {
            QImage board(view->size() * ratio, QImage::Format_ARGB32_Premultiplied);
            board.setDevicePixelRatio(ratio);
            view->render(&board);
            const QRect arrow = view->arrowRect(3, true);
            const int y = qRound((arrow.top() + 4) * ratio);
            int glyph = 0, blended = 0;
            for (int x = qFloor((arrow.left() - 1) * ratio); x <= qCeil((arrow.right() + 2) * ratio); ++x) {
                const QColor c = board.pixelColor(x, y);
                glyph += c == Aqua ? 1 : 0;
                blended += c != Aqua && c != view->boardColour() ? 1 : 0;
            }
            QVERIFY2(glyph >= 4 && blended == 0,
                     qPrintable(QStringLiteral("ratio %1: %2 arrow, %3 blended").arg(ratio).arg(glyph).arg(blended)));

            PadlockLabel padlock;
            padlock.resize(20, 20);
            QImage lock(padlock.size() * ratio, QImage::Format_ARGB32_Premultiplied);
            lock.setDevicePixelRatio(ratio);
            lock.fill(Qt::white);
            padlock.render(&lock, {}, {}, QWidget::DrawChildren);
            const QColor ink = padlock.palette().color(QPalette::WindowText);
            const int row = qRound(16 * ratio); // through the body, below the shackle
            int inked = 0, edges = 0;
            for (int x = 0; x < lock.width(); ++x) {
                const QColor c = lock.pixelColor(x, row);
                inked += c == ink ? 1 : 0;
                edges += c != ink && c != QColor(Qt::white) ? 1 : 0;
            }
            QVERIFY2(inked >= 8 && edges == 0,
                     qPrintable(QStringLiteral("ratio %1: %2 inked, %3 blended").arg(ratio).arg(inked).arg(edges)));
        }
    }

    void everyPresetLeavesTheLetterLegibleOnTheSmallestTile() {
        view->setTileSize({15, 18});
        for (int i = 0; i < TileStylePresetCount; ++i) {
            TileAppearance look = view->tileAppearance();
            look.style = tileStylePresets()[i].style;
            look.pointSize = 9;
            view->setTileAppearance(look);
            const QImage image = view->grab().toImage();
            QVERIFY2(countPixels(image, view->tileRect(1),
                                 view->letterColour(quorvel::LetterColour::Unlocked)) > 3,
                     tileStylePresets()[i].name);
        }
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BoardViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_boardview.moc"
