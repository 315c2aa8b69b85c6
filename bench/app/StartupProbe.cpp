// Start-up probe: the time from the process's start to the main window's first paint, and the
// process's peak memory a second later, with the game's audio or without it (--no-audio),
// over a program folder given as the last argument (the game writes its settings there).
// bench/app/startup.sh runs both side by side.
#include "AppBenchSupport.h"
#include "support/Application.h"
#include "window/MainWindow.h"
#include "settings/Settings.h"
#include "audio/SoundPlayer.h"
#include "support/StartupTrace.h"

#include "model/Random.h"

#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget& window) : m_window(window) {}
    double at = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (at < 0 && event->type() == QEvent::Paint && widget && widget->window() == &m_window)
            at = quorvel::msSinceProcessStart();
        return false;
    }

private:
    QWidget& m_window;
};

} // namespace

int main(int argc, char** argv) {
    const bool audio = !(argc > 2 && qstrcmp(argv[1], "--no-audio") == 0);
    Application app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: quorvel_startup_probe [--no-audio] PROGRAM_FOLDER\n", stderr);
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
    window.show();
    QTimer::singleShot(1000, &app, [&] { window.close(); });
    app.exec();
    // One line: audio or no-audio, milliseconds to the first paint, peak memory in kB.
    std::printf("%s %.1f %ld\n", audio ? "audio" : "no-audio", paint.at,
                quorvel::peakResidentKb());
    return 0;
}
