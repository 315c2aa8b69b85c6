// The game's application object.
#include "support/Application.h"

#include "base/ProgramFolder.h"

#include <QIcon>
#include <QStandardPaths>
#include <QMessageBox>

#include <exception>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // The name only: a display name would be added to every window title that does not end
    // with it ("Select Level — Quorvel"), and each window's title is its own caption.
    setApplicationName(QStringLiteral("Quorvel"));
    // The desktop entry's name, so that window managers match the window to its entry and icon.
    setDesktopFileName(QStringLiteral("example.quorvel.Quorvel"));
    QIcon icon;
    for (const char* size : {"48x48", "256x256"})
        icon.addFile(QStringLiteral(":/icons/%1/example.quorvel.Quorvel.png").arg(QLatin1String(size)));
    setWindowIcon(icon);
    m_errorReporter = [](const QString& message) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Quorvel"), message);
    };
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportError(QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

void Application::setErrorReporter(std::function<void(const QString&)> reporter) {
    m_errorReporter = std::move(reporter);
}

void Application::reportError(const QString& message) {
    if (m_errorReporter)
        m_errorReporter(message);
}

QString Application::programFolder() {
    return QString::fromStdString(
        quorvel::locateProgramFolder(QCoreApplication::applicationDirPath().toStdString()));
}

quorvel::FileLocations Application::fileLocations(const QString& programFolder) {
    const QString playerFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return quorvel::FileLocations::choose(programFolder.toStdString(), playerFolder.toStdString());
}
