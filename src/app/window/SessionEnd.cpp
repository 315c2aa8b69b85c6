// The desktop session's save requests and the quit signals, wired to the main window.
#include "window/SessionEnd.h"

#include "support/SignalQuit.h"
#include "window/MainWindow.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace quorvel {

void keepGameAtEveryEnd(QGuiApplication& app, MainWindow& window, SignalQuit& signalQuit) {
    QObject::connect(&signalQuit, &SignalQuit::quitRequested, &window, [&window] {
        window.closeForSessionEnd();
        QCoreApplication::quit();
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.saveBeforeSessionEnd(); });
    QObject::connect(&app, &QGuiApplication::saveStateRequest, &window,
                     [&window](QSessionManager&) { window.saveBeforeSessionEnd(); });
}

} // namespace quorvel
