// The board's layout at a scale, and the largest that fits a room.
#include "board/BoardLayout.h"

#include <algorithm>
#include <cmath>

namespace {

int scaled(int pixels, double scale) {
    return std::max(1, static_cast<int>(std::lround(pixels * scale)));
}

} // namespace

BoardLayout BoardLayout::atScale(quorvel::TileSize base, int columns, int rows, double scale) {
    BoardLayout layout;
    layout.m_scale = scale;
    layout.m_columns = columns;
    layout.m_rows = rows;
    layout.m_tile = {scaled(base.width, scale), scaled(base.height, scale)};
    // The arrows widen with the tiles, two fifths of a tile but never narrower than their own
    // box: a fixed arrow was a thin target beside the largest tiles.
    layout.m_arrowWidth =
        std::max(scaled(quorvel::ArrowWidth, scale), layout.m_tile.width * 2 / 5);
    layout.m_arrowHeight = scaled(quorvel::ArrowHeight, scale);
    layout.m_arrowsTop = scaled(quorvel::ArrowsAboveTop, scale);
    layout.m_tilesTop = scaled(quorvel::TilesTop, scale);
    layout.m_rowGap = scaled(quorvel::RowGap, scale);
    layout.m_belowGap = scaled(quorvel::ArrowsBelowGap, scale);
    return layout;
}

double BoardLayout::smallestScale(quorvel::TileSize base) {
    const int readable = quorvel::tileSizeFor(1, {}).height;
    return base.height > readable ? static_cast<double>(readable) / base.height : 1.0;
}

// The scale first guessed from the room is trimmed while whole pixels still overflow it.
BoardLayout BoardLayout::fitting(quorvel::TileSize base, int columns, int rows, QSize room,
                                 double minimumScale) {
    const QSize natural = atScale(base, columns, rows, 1.0).size();
    if (natural.isEmpty())
        return atScale(base, columns, rows, 1.0);
    double scale = std::min(static_cast<double>(room.width()) / natural.width(),
                            static_cast<double>(room.height()) / natural.height());
    scale = std::max(scale, minimumScale);
    BoardLayout layout = atScale(base, columns, rows, scale);
    constexpr double step = 0.995;
    while (scale > minimumScale &&
           (layout.size().width() > room.width() || layout.size().height() > room.height())) {
        scale = std::max(scale * step, minimumScale);
        layout = atScale(base, columns, rows, scale);
    }
    return layout;
}

int BoardLayout::rowsBottom(int rows) const {
    return m_tilesTop + rows * (m_tile.height + m_rowGap);
}

QSize BoardLayout::size() const {
    if (m_columns <= 0 || m_rows <= 0)
        return {};
    return {m_columns * m_tile.width + m_tile.width,
            rowsBottom(m_rows) + m_rowGap + m_arrowHeight + m_belowGap};
}

QRect BoardLayout::cell(int row, int column) const {
    return QRect(m_origin.x() + m_tile.width / 2 + (column - 1) * m_tile.width,
                 m_origin.y() + rowsBottom(row - 1), m_tile.width, m_tile.height);
}

// Column c's centre lies at c tile widths, so an arrow centred there starts half its width left.
QRect BoardLayout::arrowAbove(int column) const {
    return QRect(m_origin.x() + column * m_tile.width - m_arrowWidth / 2,
                 m_origin.y() + m_arrowsTop, m_arrowWidth, m_arrowHeight);
}

QRect BoardLayout::arrowBelow(int column) const {
    return QRect(m_origin.x() + column * m_tile.width - m_arrowWidth / 2,
                 m_origin.y() + rowsBottom(m_rows) + m_rowGap, m_arrowWidth, m_arrowHeight);
}
