// Painting the largest board over a stretched photo-sized picture, whole and one tile at a time:
// a click repaints one tile, and that must stay well within one frame (16 ms). The board drawn
// to fill a 3840 x 2160 window, and redrawn while the window's edge is dragged, must take at
// most 4 ms a frame.
#include "AppBenchSupport.h"
#include "board/BoardView.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "audio/SoundPlayer.h"
#include "settings/Settings.h"
#include "window/Session.h"

#include "model/Random.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace quorvel;

namespace {

struct BoardFixture {
    QTemporaryDir dir;
    SilentDialogs dialogs;
    Random random{14};
    std::unique_ptr<Settings> settings;
    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<MainWindow> window;

    explicit BoardFixture(bool picture) {
        const QString folder = dir.path() + '/';
        copyProgramFolder(QStringLiteral(QUORVEL_PROGRAM_DIR), folder);
        settings = std::make_unique<Settings>(folder);
        sound = std::make_unique<SoundPlayer>(folder);
        window = std::make_unique<MainWindow>(FileLocations(folder.toStdString()), *settings,
                                              dialogs, random, *sound);
        window->createWindows();
        window->show();
        window->session()->startUp();
        const LevelTable& levels = window->game().levelTable();
        int largest = 1;
        for (int level = 1; level <= levels.levelCount; ++level)
            if (levels.at(level).letterTotal > levels.at(largest).letterTotal)
                largest = level;
        window->play(Move::restoreLevel(largest));
        window->newGame();
        if (picture) {
            QPixmap photo(1920, 1080);
            QPainter painter(&photo);
            painter.fillRect(photo.rect(), QGradient(QGradient::NightFade));
            painter.end();
            window->boardView()->setBackground(photo, true, true);
        }
        QCoreApplication::processEvents();
    }
};

void paintWhole(benchmark::State& state, bool picture) {
    BoardFixture fixture(picture);
    BoardView* board = fixture.window->boardView();
    QPixmap target(board->size());
    for (auto _ : state) {
        board->render(&target);
        benchmark::DoNotOptimize(target);
    }
    state.counters["tiles"] = fixture.window->game().state().board.tileCount;
}

void paintOneTile(benchmark::State& state, bool picture) {
    BoardFixture fixture(picture);
    BoardView* board = fixture.window->boardView();
    const QRect tile = board->tileRect(fixture.window->game().state().board.tileCount);
    QPixmap target(board->size());
    for (auto _ : state) {
        board->render(&target, tile.topLeft(), QRegion(tile));
        benchmark::DoNotOptimize(target);
    }
}

// The window at 4K with the board filling it, as a player who maximised it sees it.
void fillUltraHd(BoardFixture& fixture) {
    fixture.window->resize(3840, 2160);
    fixture.window->boardView()->setScalesToFit(true);
    QCoreApplication::processEvents();
}

void paintUltraHd(benchmark::State& state, bool picture) {
    BoardFixture fixture(picture);
    fillUltraHd(fixture);
    BoardView* board = fixture.window->boardView();
    QPixmap target(board->size());
    for (auto _ : state) {
        board->render(&target);
        benchmark::DoNotOptimize(target);
    }
    state.counters["tile_px"] = board->layout().tile().height;
    state.counters["width"] = board->width();
    state.counters["height"] = board->height();
}

// Dragging the window's edge: each frame the board is laid out for a new width and painted.
void paintWhileResizing(benchmark::State& state) {
    BoardFixture fixture(false);
    fillUltraHd(fixture);
    BoardView* board = fixture.window->boardView();
    const QSize full = board->size();
    QPixmap target(full);
    int step = 0;
    for (auto _ : state) {
        board->resize(full.width() - (step++ % 64) * 8, full.height());
        board->render(&target);
        benchmark::DoNotOptimize(target);
    }
}

void BM_BoardPaint_Plain(benchmark::State& state) { paintWhole(state, false); }
void BM_BoardPaint_UltraHd(benchmark::State& state) { paintUltraHd(state, false); }
void BM_BoardPaint_UltraHdPicture(benchmark::State& state) { paintUltraHd(state, true); }
void BM_BoardPaint_UltraHdResizing(benchmark::State& state) { paintWhileResizing(state); }
void BM_BoardPaint_StretchedPicture(benchmark::State& state) { paintWhole(state, true); }
void BM_TilePaint_Plain(benchmark::State& state) { paintOneTile(state, false); }
void BM_TilePaint_StretchedPicture(benchmark::State& state) { paintOneTile(state, true); }

BENCHMARK(BM_BoardPaint_Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BoardPaint_StretchedPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BoardPaint_UltraHd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoardPaint_UltraHdPicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoardPaint_UltraHdResizing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TilePaint_Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TilePaint_StretchedPicture)->Unit(benchmark::kMicrosecond);

} // namespace
