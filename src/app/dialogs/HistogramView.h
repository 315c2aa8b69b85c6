// The statistics window's paint box: white, with the bars it is handed at paint time.
#pragma once

#include "records/StatisticsHistogram.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace quorvel {

class HistogramView : public QWidget {
public:
    explicit HistogramView(QWidget* parent = nullptr);

    // Called on every paint: the window counts the file again and hands back what to draw.
    void setBarSource(std::function<std::vector<HistogramBar>()> source);
    // The mouse at a point of the box, and the mouse gone from it.
    void setHoverHandlers(std::function<void(QPoint)> moved, std::function<void()> left);

    QSize sizeHint() const override { return {kHistogramWidth, kHistogramHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::function<std::vector<HistogramBar>()> m_bars;
    std::function<void(QPoint)> m_moved;
    std::function<void()> m_left;
};

} // namespace quorvel
