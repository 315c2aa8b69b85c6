// Start-up probe: the time from the process's start to the main window's first paint, and the
// process's peak memory a second later, with the game's own audio start or with a silent back
// end handed in from the start (--no-audio), over a program folder given as the last argument
// (the game writes its settings there).
// With --f2 it times the first new puzzle instead: F2 pressed half a second after the first
// paint, as a player would, to the board drawn with the puzzle, and the peak memory a second
// after that. bench/app/startup.sh runs them side by side.
#include "AppBenchSupport.h"
#include "support/Application.h"
#include "window/MainWindow.h"
#include "settings/Settings.h"
#include "audio/SoundPlayer.h"
#include "support/StartupTrace.h"

#include "model/Random.h"

#include <QKeyEvent>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget& window) : m_window(window) {}
    double at = -1;
    std::function<void()> then; // runs once, after the first paint's event

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (at < 0 && event->type() == QEvent::Paint && widget && widget->window() == &m_window) {
            at = quorvel::msSinceProcessStart();
            if (then)
                QTimer::singleShot(0, this, then);
        }
        return false;
    }

private:
    QWidget& m_window;
};

// The first paint of the board after F2, and the time the event loop is back from drawing and
// showing it (a zero timer runs once the whole window has been painted and flushed).
class BoardDrawn : public QObject {
public:
    explicit BoardDrawn(QWidget& board) : m_board(board) {}
    double pressed = -1;
    double at = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (pressed >= 0 && at < 0 && !m_painted && watched == &m_board &&
            event->type() == QEvent::Paint) {
            m_painted = true;
            QTimer::singleShot(0, this, [this] { at = quorvel::msSinceProcessStart(); });
        }
        return false;
    }

private:
    QWidget& m_board;
    bool m_painted = false;
};

constexpr int F2AfterPaintMs = 500;
constexpr int PeakAfterMs = 1000;

bool hasFlag(int argc, char** argv, const char* flag) {
    for (int i = 1; i < argc - 1; ++i)
        if (qstrcmp(argv[i], flag) == 0)
            return true;
    return false;
}

// Half a second after the first paint, F2 as the keyboard sends it; the window closes a second
// after the board is drawn.
void pressF2Later(QWidget& window, QWidget& board, BoardDrawn& drawn) {
    QTimer::singleShot(F2AfterPaintMs, &window, [&] {
        drawn.pressed = quorvel::msSinceProcessStart();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
        QCoreApplication::sendEvent(&board, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_F2, Qt::NoModifier);
        QCoreApplication::sendEvent(&board, &release);
        auto* wait = new QTimer(&window);
        QObject::connect(wait, &QTimer::timeout, &window, [&window, &drawn, wait] {
            if (drawn.at < 0)
                return;
            wait->stop();
            QTimer::singleShot(PeakAfterMs, &window, [&window] { window.close(); });
        });
        wait->start(5);
    });
}

} // namespace

int main(int argc, char** argv) {
    const bool audio = !hasFlag(argc, argv, "--no-audio");
    const bool firstPuzzle = hasFlag(argc, argv, "--f2");
    Application app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: quorvel_startup_probe [--no-audio] [--f2] PROGRAM_FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[argc - 1]) + '/';
    SilentDialogs dialogs;
    quorvel::Random random(1);
    Settings settings(folder);
    SoundPlayer sound(folder);
    if (!audio)
        sound.attach(std::make_unique<NoAudio>());
    quorvel::MainWindow window(quorvel::FileLocations(folder.toStdString()), settings, dialogs,
                               random, sound);
    window.createWindows();
    FirstPaint paint(window);
    app.installEventFilter(&paint);
    auto* board = window.findChild<QWidget*>(QStringLiteral("pGame"));
    BoardDrawn drawn(*board);
    board->installEventFilter(&drawn);
    window.show();
    if (firstPuzzle)
        paint.then = [&] { pressF2Later(window, *board, drawn); };
    else
        QTimer::singleShot(PeakAfterMs, &app, [&] { window.close(); });
    app.exec();
    // One line: what was timed, its milliseconds (to the first paint, or from F2 to the board
    // drawn), and the peak memory in kB.
    if (firstPuzzle)
        std::printf("%s %.1f %ld\n", audio ? "f2" : "f2-no-audio", drawn.at - drawn.pressed,
                    quorvel::peakResidentKb());
    else
        std::printf("%s %.1f %ld\n", audio ? "audio" : "no-audio", paint.at,
                    quorvel::peakResidentKb());
    return 0;
}
