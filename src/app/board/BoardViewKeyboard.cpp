// The board without a mouse: the keyboard's tile cursor, the keys that make moves, the lock
// marks that do not depend on colour, and the words said to assistive technology.
#include "board/BoardView.h"

#include "board/BoardAccessible.h"

#include "game/Game.h"
#include "support/Text.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

namespace {

// Black and white together stay visible on any tile colour, board colour or picture.
const QColor FrameDark(0, 0, 0);
const QColor FrameLight(255, 255, 255);

} // namespace

// --- the cursor ----------------------------------------------------------------------------

int BoardView::firstShownTile() const {
    for (int tile = 1; tile <= m_game.state().board.tileCount; ++tile)
        if (isTileShown(tile))
            return tile;
    return 0;
}

// The next shown tile from tile in one direction, skipping gaps; 0 at the board's edge.
int BoardView::tileBeside(int tile, int rowStep, int columnStep) const {
    const quorvel::Board& board = m_game.state().board;
    const quorvel::Tile& from = board.tile(tile);
    for (int row = from.row + rowStep, column = from.column + columnStep;
         row >= 1 && row <= board.rows && column >= 1 && column <= board.columns;
         row += rowStep, column += columnStep) {
        const int next = board.tileAt(row, column);
        if (isTileShown(next))
            return next;
    }
    return 0;
}

int BoardView::rowEnd(int tile, bool last) const {
    int end = tile;
    for (int next = tileBeside(end, 0, last ? 1 : -1); next != 0;
         next = tileBeside(end, 0, last ? 1 : -1))
        end = next;
    return end;
}

void BoardView::setCursorTile(int tile) {
    if (isTileShown(tile))
        moveCursor(tile);
}

void BoardView::moveCursor(int tile) {
    if (tile == m_cursor)
        return;
    update(cursorFrameRect());
    m_cursor = tile;
    update(cursorFrameRect());
    BoardAccessible::cursorMoved(this);
}

QRect BoardView::cursorFrameRect() const {
    return isTileShown(m_cursor) ? tileRect(m_cursor) : QRect();
}

void BoardView::focusInEvent(QFocusEvent* event) {
    if (!isTileShown(m_cursor))
        m_cursor = firstShownTile();
    update(cursorFrameRect());
    QWidget::focusInEvent(event);
    // Qt tells assistive technology that the board has the focus after this handler returns;
    // the tile's focus follows it, or a screen reader would stop at "Board".
    QMetaObject::invokeMethod(this, [this] { BoardAccessible::cursorMoved(this); }, Qt::QueuedConnection);
}

void BoardView::focusOutEvent(QFocusEvent* event) {
    update(cursorFrameRect());
    QWidget::focusOutEvent(event);
}

// --- the keys ------------------------------------------------------------------------------

// Cursor keys move between tiles; Home and End go to the ends of the row.
bool BoardView::handleMoveKey(const QKeyEvent& event) {
    if (event.modifiers() & Qt::ShiftModifier)
        return false; // Shift+Up and Shift+Down rotate the column
    int target = 0;
    switch (event.key()) {
    case Qt::Key_Left:
        target = tileBeside(m_cursor, 0, -1);
        break;
    case Qt::Key_Right:
        target = tileBeside(m_cursor, 0, 1);
        break;
    case Qt::Key_Up:
        target = tileBeside(m_cursor, -1, 0);
        break;
    case Qt::Key_Down:
        target = tileBeside(m_cursor, 1, 0);
        break;
    case Qt::Key_Home:
        target = rowEnd(m_cursor, false);
        break;
    case Qt::Key_End:
        target = rowEnd(m_cursor, true);
        break;
    default:
        return false;
    }
    if (target != 0)
        moveCursor(target); // at an edge the cursor stays
    return true;
}

// Each key makes the very move its mouse action makes, and only while the board takes moves
// from the mouse; the window's own shortcuts (the banner's Enter and Space, the function keys,
// the menus) are handled before the board sees a key.
void BoardView::keyPressEvent(QKeyEvent* event) {
    if (!isTileShown(m_cursor))
        m_cursor = firstShownTile();
    if (m_cursor == 0 || !acceptsInput() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (handleMoveKey(*event))
        return;
    const int column = m_game.state().board.tile(m_cursor).column;
    const bool shifted = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_PageUp: // the arrow below the column
        emit arrowClicked(column, false);
        return;
    case Qt::Key_PageDown: // the arrow above the column
        emit arrowClicked(column, true);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (shifted) {
            emit arrowClicked(column, event->key() == Qt::Key_Down);
            return;
        }
        break;
    case Qt::Key_Space:
    case Qt::Key_L:
        emit tileClicked(m_cursor);
        return;
    case Qt::Key_W:
        emit padlockDropped(m_cursor);
        return;
    case Qt::Key_A:
        emit lockAllRequested();
        return;
    case Qt::Key_R:
        emit readAloud(rowDescription(m_cursor));
        return;
    case Qt::Key_C:
        emit readAloud(columnDescription(m_cursor));
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

// --- clicks from assistive technology -------------------------------------------------------

// Between games, while paused and under a banner waiting for its OK, the game ignores a click.
bool BoardView::canPressArrows() const {
    return acceptsInput() && m_game.state().isInPlay() && arrowsShown() && m_game.state().commands.arrows;
}

// A found word's letters and the letters a level disables do not answer a click.
bool BoardView::canToggleTile(int tile) const {
    if (!acceptsInput() || !m_game.state().isInPlay() || !isTileShown(tile))
        return false;
    const quorvel::Tile& t = m_game.state().board.tile(tile);
    return t.enabled && t.colour != quorvel::LetterColour::Revealed;
}

void BoardView::pressArrow(int column, bool above) {
    if (canPressArrows() && column >= 1 && column <= m_game.state().board.columns)
        emit arrowClicked(column, above);
}

void BoardView::toggleTile(int tile) {
    if (canToggleTile(tile))
        emit tileClicked(tile);
}

// --- what is drawn for the keyboard and for locks ------------------------------------------

void BoardView::setLockMarksShown(bool shown) {
    if (shown == m_lockMarks)
        return;
    m_lockMarks = shown;
    update();
}

// A small corner notch, dark with a light edge, in proportion to the tile, in the top or the
// bottom right-hand corner, whichever has more room beside the letter's ink: it never covers
// any of the letter. Where the letter leaves no room, the letter's colour alone says locked.
void BoardView::paintLockMark(QPainter& painter, const QRect& rect, const QRect& glyph) const {
    // The notch's corner triangle holds the pixels whose distances from the two edges add up to
    // no more than its size; its light edge is one pixel more.
    const int across = rect.right() - glyph.right();
    const int roomAbove = qMax(0, across) + qMax(0, glyph.top() - (rect.top() + 1));
    const int roomBelow = qMax(0, across) + qMax(0, rect.bottom() - glyph.bottom());
    const bool above = roomAbove >= roomBelow;
    const int wanted = qMax(5, qMin(rect.width(), rect.height()) / 4);
    const int size = qMin(wanted, (above ? roomAbove : roomBelow) - 2);
    if (size < 2)
        return;
    const int edge = above ? rect.top() + 1 : rect.bottom();
    const int inward = above ? size : -size;
    QPainterPath notch;
    notch.moveTo(rect.right() - size, edge);
    notch.lineTo(rect.right(), edge);
    notch.lineTo(rect.right(), edge + inward);
    notch.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(FrameLight, 1));
    painter.setBrush(FrameDark);
    painter.drawPath(notch);
    painter.restore();
}

void BoardView::paintCursorFrame(QPainter& painter) const {
    const QRect frame = cursorFrameRect();
    if (frame.isEmpty() || !hasFocus())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(FrameDark, 1));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(FrameLight, 2));
    painter.drawRect(frame.adjusted(2, 2, -2, -2));
    painter.setPen(QPen(FrameDark, 1));
    painter.drawRect(frame.adjusted(3, 3, -4, -4));
    painter.restore();
}

// --- words for assistive technology --------------------------------------------------------

QString BoardView::tileDescription(int tile) const {
    if (!isTileShown(tile))
        return {};
    const quorvel::Tile& t = m_game.state().board.tile(tile);
    const char* state = t.colour == quorvel::LetterColour::Revealed ? "found"
                        : t.colour == quorvel::LetterColour::Locked ? "locked"
                                                                     : "free";
    return QStringLiteral("Row %1, column %2: %3, %4")
        .arg(t.row)
        .arg(t.column)
        .arg(quorvel::fromCp1252(std::string(1, t.caption)))
        .arg(QLatin1String(state));
}

// Letters in a row of the same state are said together, the state once after them, and free
// letters need no word: "Row 1: W A N C, I locked".
QString BoardView::lineDescription(const QString& caption, const std::vector<int>& tiles) const {
    QStringList groups;
    QString letters;
    const char* groupState = nullptr;
    auto close = [&] {
        if (!letters.isEmpty())
            groups << (groupState ? letters + QLatin1Char(' ') + QLatin1String(groupState) : letters);
        letters.clear();
    };
    for (const int tile : tiles) {
        const quorvel::Tile& t = m_game.state().board.tile(tile);
        const char* state = t.colour == quorvel::LetterColour::Revealed ? "found"
                            : t.colour == quorvel::LetterColour::Locked ? "locked"
                                                                         : nullptr;
        if (!letters.isEmpty() && state != groupState)
            close();
        groupState = state;
        if (!letters.isEmpty())
            letters += QLatin1Char(' ');
        letters += quorvel::fromCp1252(std::string(1, t.caption));
    }
    close();
    return caption + QStringLiteral(": ") + groups.join(QStringLiteral(", "));
}

QString BoardView::rowDescription(int tile) const {
    if (!isTileShown(tile))
        return {};
    const quorvel::Tile& t = m_game.state().board.tile(tile);
    std::vector<int> tiles{rowEnd(tile, false)};
    for (int next = tileBeside(tiles.back(), 0, 1); next != 0; next = tileBeside(tiles.back(), 0, 1))
        tiles.push_back(next);
    return lineDescription(QStringLiteral("Row %1").arg(t.row), tiles);
}

QString BoardView::columnDescription(int tile) const {
    if (!isTileShown(tile))
        return {};
    const quorvel::Tile& t = m_game.state().board.tile(tile);
    std::vector<int> tiles;
    for (int row = 1; row <= m_game.state().board.rows; ++row)
        if (const int at = m_game.state().board.tileAt(row, t.column); isTileShown(at))
            tiles.push_back(at);
    return lineDescription(QStringLiteral("Column %1").arg(t.column), tiles);
}

QString BoardView::arrowDescription(int column, bool above) {
    return QStringLiteral("Shift column %1 %2").arg(column).arg(above ? "down" : "up");
}
