// The game's application object.
#include "Application.h"

#include "ProgramFolder.h"

#include <QMessageBox>

#include <exception>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Quorvel"));
    setApplicationDisplayName(QStringLiteral("Quorvel"));
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
        quorvel::programFolder(QCoreApplication::applicationDirPath().toStdString()));
}
