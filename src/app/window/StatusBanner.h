// The status line LB and its rolling help banner, scrolled one character every 100 ms by bTimer.
#pragma once

#include <QLabel>
#include <QObject>
#include <QTimer>

namespace quorvel {

class StatusBanner : public QObject {
    Q_OBJECT
public:
    static constexpr int MessageCount = 16;
    static constexpr int TickMs = 100;

    explicit StatusBanner(QWidget* parent);

    QLabel* label() const { return m_label; }       // the status line LB
    QTimer& scrollTimer() { return m_scrollTimer; } // moves the line on by one character
    int index() const { return m_index; }           // BannerIndex, 0 before the first message
    QString text() const { return m_label->text(); }
    static QString message(int number); // 1..16

    // The Banner menu switch: while off the banner neither starts nor runs.
    bool isOn() const { return m_on; }
    void setOn(bool on) { m_on = on; }

    void advance(); // the next help message, when a new puzzle starts
    void tick();    // one character further; the scroll timer calls it
    // The Banner menu item was checked or cleared: the line starts or stops rolling.
    void toggle();
    void setText(const QString& text); // any other text on the status line scrolls away too
    void setPlain(bool plain);         // the completion colour and style, or the banner's

private:
    QLabel* m_label;
    QTimer m_scrollTimer;
    quint16 m_index = 0;
    bool m_on = true;
};

} // namespace quorvel
