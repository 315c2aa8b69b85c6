// The game's application object: an exception that reaches the event loop is shown, not fatal.
#pragma once

#include "base/FileLocations.h"

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

    // The program folder with exactly one trailing '/': the installed data folder for an
    // installed game, else the executable's folder.
    static QString programFolder();
    // Where the game's files are for a program folder: the player's files stay beside the
    // program when it may write there, and go to the player's data folder when it may not or
    // when the game is installed.
    static quorvel::FileLocations fileLocations(const QString& programFolder);

private:
    std::function<void(const QString&)> m_errorReporter;
};
