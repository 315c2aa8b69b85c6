// From a click on a column's arrow to the game's request for the shift effect, through the real
// main window, board view and core: the request must come well within one frame (16 ms). The
// audio back end does nothing here, so that the tunes of the many new puzzles cost no time.
#include "AppBenchSupport.h"
#include "support/Application.h"
#include "board/BoardView.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "settings/Settings.h"
#include "window/Session.h"
#include "audio/SoundPlayer.h"

#include "model/Random.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

using namespace quorvel;

namespace {

struct Fixture {
    QTemporaryDir dir;
    SilentDialogs dialogs;
    Random random{20261207};
    std::unique_ptr<Settings> settings;
    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<MainWindow> window;

    Fixture() {
        const QString folder = dir.path() + '/';
        copyProgramFolder(QStringLiteral(QUORVEL_PROGRAM_DIR), folder);
        settings = std::make_unique<Settings>(folder);
        sound = std::make_unique<SoundPlayer>(folder);
        sound->attach(std::make_unique<NoAudio>());
        window = std::make_unique<MainWindow>(FileLocations(folder.toStdString()), *settings,
                                              dialogs, random, *sound);
        window->createWindows();
        window->show();
        window->session()->startUp();
        QCoreApplication::processEvents();
    }

    // A fresh puzzle whenever the moves run low, so every click shifts.
    void ensurePlayable() {
        if (!window->game().state().isInPlay() || window->game().state().values.movesLeft < 5) {
            window->newGame();
            QCoreApplication::processEvents();
        }
    }
};

void BM_ClickToShiftEffectRequest(benchmark::State& state) {
    Fixture fixture;
    BoardView* board = fixture.window->boardView();
    QElapsedTimer clock;
    qint64 requestedAt = -1;
    QObject::connect(fixture.window.get(), &MainWindow::effectRequested, [&](const QString& name) {
        if (name == QLatin1String("Shift"))
            requestedAt = clock.nsecsElapsed();
    });
    long long requests = 0;
    for (auto _ : state) {
        fixture.ensurePlayable();
        const QPoint arrow = board->arrowRect(1, true).center();
        QTest::mousePress(board, Qt::LeftButton, {}, arrow);
        requestedAt = -1;
        clock.start();
        QTest::mouseRelease(board, Qt::LeftButton, {}, arrow);
        const qint64 handled = clock.nsecsElapsed();
        if (requestedAt >= 0)
            ++requests;
        // Time to the request when it came; otherwise (a guard said no) the whole click.
        state.SetIterationTime(static_cast<double>(requestedAt >= 0 ? requestedAt : handled) / 1e9);
        QCoreApplication::processEvents(); // the repaint the click asked for, untimed
    }
    state.counters["requests"] = static_cast<double>(requests);
}
BENCHMARK(BM_ClickToShiftEffectRequest)
    ->UseManualTime()
    ->Iterations(5000)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
