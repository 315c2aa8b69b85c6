// The main window's first size and the size it comes back at.
#include "window/WindowSizing.h"

#include <algorithm>

namespace quorvel {

QSize firstStartSize(const QRect& available, int chrome, QSize frame) {
    if (available.height() < ComfortableScreenHeight)
        return {};
    const int boardArea = available.height() / 2;
    const int width = std::min(boardArea * 4 / 3, available.width() - frame.width());
    const int height = std::min(boardArea + chrome, available.height() - frame.height());
    return {width, height};
}

QSize restoredSize(QSize stored, QSize minimum, const QRect& available, QSize frame) {
    if (stored.width() <= 0 || stored.height() <= 0)
        return {};
    QSize size = stored.expandedTo(minimum);
    if (!available.isEmpty())
        size = size.boundedTo(available.size() - frame).expandedTo(QSize(1, 1));
    return size;
}

} // namespace quorvel
