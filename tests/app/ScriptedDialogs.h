// The app tests' answers to the game's questions: one fixed answer, and a note of all that was
// said.
#pragma once

#include "support/Dialogs.h"

#include <QStringList>

class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(bool answer = false) : answer(answer) {}

    bool ask(QWidget*, const QString& text) override {
        asked << text;
        return answer;
    }
    void warn(QWidget*, const QString& text) override { warned << text; }
    void inform(QWidget*, const QString& text) override { informed << text; }

    bool answer;
    QStringList asked, warned, informed;
};
