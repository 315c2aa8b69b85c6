// Where the board's tiles and arrows stand when it is drawn at a scale: the Game Size's own
// tile at scale 1, larger or smaller to fill the room the window gives the board.
#pragma once

#include "model/Geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class BoardLayout {
public:
    BoardLayout() = default;
    // The board of columns x rows with the base tile scaled by scale; every band scales with
    // the tiles and whole pixels are kept, so scale 1 is the Game Size's layout exactly.
    static BoardLayout atScale(quorvel::TileSize base, int columns, int rows, double scale);
    // The largest layout whose box fits room, never smaller than minimumScale (the board may
    // then overflow a room too small for it).
    static BoardLayout fitting(quorvel::TileSize base, int columns, int rows, QSize room,
                               double minimumScale);
    // The scale at which the base tile is the smallest a player can read (Game Size 1's
    // height), and never above 1: a board can always be shown at its own size.
    static double smallestScale(quorvel::TileSize base);

    double scale() const { return m_scale; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    quorvel::TileSize tile() const { return m_tile; }
    int arrowWidth() const { return m_arrowWidth; }
    int arrowHeight() const { return m_arrowHeight; }
    // The board's own box: half a tile either side of the columns, the arrow bands above and
    // below the rows.
    QSize size() const;
    // The board's top-left corner in the panel.
    QPoint origin() const { return m_origin; }
    void setOrigin(QPoint origin) { m_origin = origin; }

    QRect cell(int row, int column) const;
    QRect arrowAbove(int column) const;
    QRect arrowBelow(int column) const;

private:
    int rowsBottom(int rows) const;

    double m_scale = 1.0;
    int m_columns = 0;
    int m_rows = 0;
    quorvel::TileSize m_tile;
    int m_arrowWidth = quorvel::ArrowWidth;
    int m_arrowHeight = quorvel::ArrowHeight;
    int m_arrowsTop = quorvel::ArrowsAboveTop;
    int m_tilesTop = quorvel::TilesTop;
    int m_rowGap = quorvel::RowGap;
    int m_belowGap = quorvel::ArrowsBelowGap;
    QPoint m_origin;
};
