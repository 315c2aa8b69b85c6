// The two in-board messages: the banner pPenalty (with its OK button pOK) and the flashing pWrong.
#pragma once

#include "model/Colour.h"

#include <QFrame>
#include <QLabel>
#include <QObject>
#include <QTimer>

#include <optional>

namespace quorvel {

// A small raised panel that reports clicks; the banner's OK button is one.
class ClickPanel : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class MessagePanels : public QObject {
    Q_OBJECT
public:
    static constexpr int FlashStepMs = 200;
    static constexpr int FlashSwitches = 6;

    // window: the main window, parent of both panels so they stay usable over a disabled board.
    explicit MessagePanels(QWidget* window);

    // The banner: seconds -1 stays, > 0 asks to be hidden after that time (timeUp), 0 shows OK.
    // Asked for while the notice flashes, it appears when the notice has ended, so the player
    // reads the two in turn and no key confirms a banner that cannot be seen.
    void showBanner(const QString& text, int seconds, Colour colour);
    bool isBannerPending() const { return m_pending.has_value(); }
    void hideBanner();
    bool isBannerVisible() const { return !m_penalty->isHidden(); }
    bool isWaiting() const { return isBannerVisible() && !m_ok->isHidden(); }
    QString bannerText() const { return m_penaltyLabel->text(); }

    // A short message centred on the board, blinking green and yellow for a fixed number of
    // switches; a banner that came meanwhile shows after it.
    void flash(const QString& text);
    // Says text to a screen reader through the notice, without showing it: news the board shows
    // by itself, such as a word found.
    void announce(const QString& text);
    bool isFlashing() const { return !m_wrong->isHidden(); }
    QColor flashColour() const;

    // Steps the timers' work at once, for tests and for the shut-down.
    void finishBannerTime();
    void flashStep();

    QFrame* banner() const { return m_penalty; }
    QFrame* notice() const { return m_wrong; }
    ClickPanel* okButton() const { return m_ok; }

    // Keeps a shown panel centred when the window's size changes.
    void recentre();
    // The panels grow with the board drawn larger (scale above 1), and keep their own size
    // otherwise.
    void setScale(double scale);

signals:
    void okClicked();    // the banner's OK button
    void bannerTimeUp(); // a timed banner's seconds have passed

private:
    struct Banner {
        QString text;
        int seconds = 0;
        Colour colour = 0;
    };
    void showBannerNow(const Banner& banner);
    void centre(QWidget* panel);
    void setLabelColour(QLabel* label, Colour colour);

    QWidget* m_window;
    QFrame* m_penalty;
    QLabel* m_penaltyLabel;
    ClickPanel* m_ok;
    QFrame* m_wrong;
    QLabel* m_wrongLabel;
    double m_scale = 0; // 0 until the panels are laid out
    QTimer m_bannerTimer;
    QTimer m_flashTimer;
    std::optional<Banner> m_pending;
    int m_flashSwitches = 0;
    Colour m_flashColour = 0;
};

} // namespace quorvel
