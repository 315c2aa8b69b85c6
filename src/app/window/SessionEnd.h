// Every end of the program a player can cause keeps the game: log-out, shut-down and signals.
#pragma once

class QGuiApplication;
class SignalQuit;

namespace quorvel {

class MainWindow;

// The session manager's requests (commitDataRequest, saveStateRequest) save the game and the
// waiting records; SIGTERM and SIGHUP close the window as a close would, without questions,
// and end the program.
void keepGameAtEveryEnd(QGuiApplication& app, MainWindow& window, SignalQuit& signalQuit);

} // namespace quorvel
