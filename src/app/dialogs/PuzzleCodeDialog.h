// The dialog that takes a puzzle code from the player, and says what is wrong with it.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel {

class PuzzleCodeDialog : public QDialog {
    Q_OBJECT
public:
    // What is wrong with a code, in the player's words; empty when it can be played.
    using Checker = std::function<QString(const QString& code)>;

    explicit PuzzleCodeDialog(Checker checker, QWidget* parent = nullptr);

    // Text a player may have copied as a code: one short run of letters, digits and dashes.
    // Anything else on the clipboard (a sentence, a web address) is not offered.
    static bool looksLikeCode(const QString& text);

    // A fresh start: the given code (or none) and no message.
    void start(const QString& code);
    QString code() const; // as typed, without blanks
    QString problem() const;

    QLineEdit* codeBox() const { return m_code; }

public slots:
    // OK plays the code only when it can be played; otherwise the dialog stays open with the
    // reason beside the code, which is selected to be typed over.
    void accept() override;

private:
    Checker m_checker;
    QLineEdit* m_code = nullptr;
    QLabel* m_problem = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace quorvel
