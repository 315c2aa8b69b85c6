// The tip of the day dialog: a light bulb, the tip's title and text, "Next Tip" and the start-up box.
#pragma once

#include "records/Tips.h"

#include <QDialog>

class QCheckBox;
namespace quorvel {
class Announcer;
}
class QHBoxLayout;
class QLabel;
class QPushButton;

class TipDialog : public QDialog {
    Q_OBJECT
public:
    // folder: the program folder with its trailing '/', where zq/TIPS.TXT is read.
    explicit TipDialog(const QString& folder, QWidget* parent = nullptr);

    // Each showing moves on to the next tip. False when the tip file cannot be read: the
    // dialog is then not shown at all.
    bool advance();
    void nextTip(); // "Next Tip"

    int counter() const { return m_tips.state().counter; }
    void setCounter(int counter);
    bool showAtStartup() const { return m_tips.state().showAtStartup; }
    void setShowAtStartup(bool show);

    QString title() const;
    QString text() const;
    QPushButton* nextButton() const { return m_next; }
    QCheckBox* showTipsBox() const { return m_showTips; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createTipPanel();
    void createTipLabels(QWidget* panel);
    QHBoxLayout* createButtons();
    void connectButtons();
    void refresh();

    quorvel::TipOfTheDay m_tips;
    QLabel* m_bulb = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_text = nullptr;
    QCheckBox* m_showTips = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_next = nullptr;
    quorvel::Announcer* m_announcer = nullptr; // a new tip's words, for a screen reader
};
