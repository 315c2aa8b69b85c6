// Quorvel: the desktop word puzzle.
#include "support/Application.h"
#include "support/Dialogs.h"
#include "window/MainWindow.h"
#include "window/SessionEnd.h"
#include "settings/Settings.h"
#include "audio/SoundPlayer.h"
#include "support/SignalQuit.h"
#include "support/SingleInstance.h"
#include "support/StartupTrace.h"

#include "model/Random.h"

#include <QDateTime>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool hasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int main(int argc, char** argv) {
    quorvel::traceStartupStep("main");
    if (!hasDisplay()) {
        std::fputs("Quorvel needs a graphical display, and none was found "
                   "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n",
                   stderr);
        return 1;
    }
    Application app(argc, argv);
    quorvel::traceStartupStep("application");
    // The one place that picks a seed: every game of a run draws from it.
    quorvel::Random random(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));
    MessageBoxDialogs dialogs;
    const quorvel::FileLocations files = Application::fileLocations(Application::programFolder());
    // One copy owns the player's files: a second start shows the first copy's window instead
    // of playing beside it, where the last one closed would decide what is kept.
    SingleInstance instance(QString::fromStdString(files.playerFolder()));
    if (instance.claim() != SingleInstance::Claim::Owner) {
        const bool raised = instance.claim() == SingleInstance::Claim::OtherRaised;
        std::fputs(raised ? "Quorvel is already open on this folder; its window was brought to "
                            "the front.\n"
                          : "Quorvel is already open on this folder.\n",
                   stderr);
        if (!raised)
            dialogs.inform(nullptr, QStringLiteral("Quorvel is already open on this folder, "
                                                   "and its window could not be brought to the "
                                                   "front."));
        return 0;
    }
    // The player's settings file, shared by the main window, its dialogs and start-up and
    // shut-down for the whole run.
    Settings settings(files);
    quorvel::traceStartupStep("settings");
    // Effects and music; the window attaches the system's audio once it is first shown.
    SoundPlayer sound(QString::fromStdString(files.programFolder()));
    quorvel::MainWindow window(files, settings, dialogs, random, sound);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &window,
                     &quorvel::MainWindow::bringToFront);
    // Every end the player can cause keeps the game, which is also saved as it goes.
    SignalQuit signalQuit;
    quorvel::keepGameAtEveryEnd(app, window, signalQuit);
    quorvel::traceStartupStep("main window");
    window.createWindows();
    quorvel::traceStartupStep("windows");
    window.show();
    quorvel::traceStartupStep("shown");
    return app.exec();
}
