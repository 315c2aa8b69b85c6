// The status bar's padlock labels: Lock and Label3 (drag sources) and LockAll (clicked).
#pragma once

#include <QWidget>

class QColor;
class QMimeData;
class QPainter;
class QRectF;

class PadlockLabel : public QWidget {
    Q_OBJECT
public:
    enum class Glyph { None, Closed, Open };

    explicit PadlockLabel(QWidget* parent = nullptr);

    // The closed padlock (true) or the open one (false). LockAll shows the open padlock while
    // all words are locked, inviting the click that unlocks them.
    void setLocked(bool closed);
    bool isLocked() const { return m_glyph == Glyph::Closed; }
    // Label3 shows no glyph at all.
    void setGlyphShown(bool shown);
    Glyph glyph() const { return m_glyph; }
    // A drag source starts a padlock drag as soon as it is pressed.
    void setDragSource(bool source) { m_dragSource = source; }
    bool isDragSource() const { return m_dragSource; }

    // The data a padlock drag carries; the board view accepts only this.
    static QMimeData* padlockMimeData();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override; // never squeezed by a narrow status line

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Glyph m_glyph = Glyph::Closed;
    bool m_lockedWhenShown = true;
    bool m_dragSource = false;
    bool m_pressed = false;
};

// Draws a padlock filling a box: the body in the lower part, the shackle above it, closed into
// the body or swung open on its right leg.
void paintPadlock(QPainter& painter, const QRectF& box, bool closed, const QColor& colour);
