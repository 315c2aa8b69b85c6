// Questions, warnings and notices go through one small interface, so tests can answer them.
#pragma once

#include <QString>

class QWidget;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A warning-type question with Yes and No; true for Yes.
    virtual bool ask(QWidget* parent, const QString& text) = 0;
    // A warning with OK.
    virtual void warn(QWidget* parent, const QString& text) = 0;
    // An information message with OK.
    virtual void inform(QWidget* parent, const QString& text) = 0;
};

// The game's own implementation: message boxes titled "Quorvel".
class MessageBoxDialogs : public Dialogs {
public:
    bool ask(QWidget* parent, const QString& text) override;
    void warn(QWidget* parent, const QString& text) override;
    void inform(QWidget* parent, const QString& text) override;
};
