// Drawing the histogram's bars and passing the mouse on to the statistics window.
#include "dialogs/HistogramView.h"

#include "support/Text.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvel {

HistogramView::HistogramView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("H"));
    setFixedSize(kHistogramWidth, kHistogramHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HistogramView::setBarSource(std::function<std::vector<HistogramBar>()> source) {
    m_bars = std::move(source);
    update();
}

void HistogramView::setHoverHandlers(std::function<void(QPoint)> moved,
                                     std::function<void()> left) {
    m_moved = std::move(moved);
    m_left = std::move(left);
}

void HistogramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_bars)
        return;
    // A bar's rows run from its top down to the bottom row; a bar of no height covers nothing.
    for (const HistogramBar& bar : m_bars()) {
        const int height = kHistogramHeight - bar.top;
        if (height > 0)
            painter.fillRect(bar.x, bar.top, bar.width, height, colourFromWindows(bar.colour));
    }
}

void HistogramView::mouseMoveEvent(QMouseEvent* event) {
    if (m_moved)
        m_moved(event->position().toPoint());
}

void HistogramView::leaveEvent(QEvent*) {
    if (m_left)
        m_left();
}

} // namespace quorvel
