// The game's application object: an exception that reaches the event loop is shown, not fatal.
#pragma once

#include <QApplication>

#include <functional>

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // How an escaped exception is reported; a message box by default, replaceable in tests.
    void setErrorReporter(std::function<void(const QString&)> reporter);
    void reportError(const QString& message);

    // The program folder: the executable's folder with exactly one trailing '/'.
    static QString programFolder();

private:
    std::function<void(const QString&)> m_errorReporter;
};
