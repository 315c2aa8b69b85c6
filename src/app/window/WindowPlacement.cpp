// Keeping windows on the screens there are.
#include "window/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace quorvel {

namespace {

QRect primaryWorkArea() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry() : QRect();
}

} // namespace

QPoint fitWithin(const QRect& frame, const QRect& available) {
    if (available.isEmpty())
        return frame.topLeft();
    // Right and bottom first, so that the left and top edges win when the frame is too large.
    const int left =
        std::max(std::min(frame.left(), available.right() - frame.width() + 1), available.left());
    const int top =
        std::max(std::min(frame.top(), available.bottom() - frame.height() + 1), available.top());
    return {left, top};
}

QPoint frameOnScreen(QPoint topLeft, QSize frameSize) {
    const QScreen* screen = QGuiApplication::screenAt(topLeft);
    const QRect available = screen ? screen->availableGeometry() : primaryWorkArea();
    return fitWithin(QRect(topLeft, frameSize), available);
}

QPoint frameCentredOnPrimaryScreen(QSize frameSize) {
    const QRect available = primaryWorkArea();
    QRect frame(QPoint(0, 0), frameSize);
    frame.moveCenter(available.center());
    return fitWithin(frame, available);
}

QPoint besideOrBelowMenu(const QRect& mainFrame, int belowMenu, QSize dialogSize,
                         const QRect& available) {
    constexpr int gap = 8;
    QRect dialog(QPoint(0, 0), dialogSize);
    if (mainFrame.right() + gap + dialogSize.width() <= available.right()) {
        dialog.moveTopLeft({mainFrame.right() + 1 + gap, mainFrame.top()});
    } else if (mainFrame.left() - gap - dialogSize.width() >= available.left()) {
        dialog.moveTopLeft({mainFrame.left() - gap - dialogSize.width(), mainFrame.top()});
    } else {
        dialog.moveCenter(mainFrame.center());
        dialog.moveTop(std::max(dialog.top(), belowMenu));
    }
    return fitWithin(dialog, available);
}

} // namespace quorvel
