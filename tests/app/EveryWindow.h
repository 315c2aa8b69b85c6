// Some windows are made on first use: tests that walk every window of the game make them first.
#pragma once

#include "window/HelpCommands.h"
#include "window/MainWindow.h"

inline void makeEveryWindow(quorvel::MainWindow& window) {
    window.styleDialog();
    window.help()->aboutBox();
    window.help()->newsWindow();
    window.help()->wordPicker();
    window.puzzleCodeDialog();
    window.dailyResultsWindow();
}
