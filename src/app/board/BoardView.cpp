// The board panel: painting, hit-testing, hover highlight, padlock drops and hints.
#include "board/BoardView.h"

#include "board/BoardAccessible.h"
#include "support/Colours.h"
#include "support/Text.h"

#include "game/Game.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <vector>

using quorvel::LetterColour;

namespace {

const QColor ArrowColour(0x00, 0xFF, 0xFF); // aqua, the arrow prototype's colour
const QColor HighlightColour(Qt::white);
const QColor BevelLight(Qt::white);
const QColor DisabledText(0x80, 0x80, 0x80);

// A filled arrow (shaft and head) in its box, pointing down or up; the shaft keeps its share of
// the width. Its straight edges lie on the device's pixels (pixelRatio device pixels to one of
// the widget's), so they stay sharp at any density; only the slanted head is smoothed.
QPainterPath arrowGlyph(const QRectF& box, bool down, qreal pixelRatio) {
    const auto snap = [pixelRatio](qreal x) { return snapToDevicePixels(x, pixelRatio); };
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal shaftHalf = std::max(2.5, w * 2.5 / quorvel::ArrowWidth);
    const qreal shaftLeft = snap(box.left() + w / 2 - shaftHalf) - box.left();
    const qreal shaftRight = snap(box.left() + w / 2 + shaftHalf) - box.left();
    const qreal headBase = snap(box.top() + h * 0.5) - box.top();
    const qreal tip = h - 1;
    QPolygonF shape;
    shape << QPointF(shaftLeft, 1) << QPointF(shaftRight, 1) << QPointF(shaftRight, headBase)
          << QPointF(w, headBase) << QPointF(w / 2, tip) << QPointF(0, headBase)
          << QPointF(shaftLeft, headBase);
    if (!down) {
        for (QPointF& point : shape)
            point.setY(h - point.y());
    }
    QPainterPath path;
    path.addPolygon(shape.translated(box.topLeft()));
    path.closeSubpath();
    return path;
}

// The pixels a letter's ink covers, drawn as a line of text whose box is lineBox; a pixel of
// margin takes in the edge smoothing.
QRect glyphInk(const QFont& font, const QString& letter, const QRect& lineBox) {
    const QFontMetrics metrics(font);
    QRect ink = metrics.tightBoundingRect(letter);
    if (font.underline())
        ink |= QRect(0, metrics.underlinePos(), metrics.horizontalAdvance(letter),
                     metrics.lineWidth());
    const QPoint baseline(lineBox.left(), lineBox.top() + metrics.ascent());
    return ink.translated(baseline).adjusted(-1, -1, 1, 1);
}

// The tile font, made smaller when a letter would not fit in the tile; a size the player chose
// for larger tiles would otherwise cut the letters off.
QFont fittedFont(QFont font, QSize tile) {
    const QRectF letter = QFontMetricsF(font).tightBoundingRect(QStringLiteral("W"));
    const qreal room =
        qMin((tile.width() - 4) / letter.width(), (tile.height() - 4) / letter.height());
    if (room >= 1.0 || room <= 0.0)
        return font;
    font.setPixelSize(qMax(6, static_cast<int>(QFontInfo(font).pixelSize() * room)));
    return font;
}

} // namespace

BoardView::BoardView(const quorvel::Game& game, QWidget* parent)
    : QWidget(parent), m_game(game), m_boardColour(quorvel::colourFromWindows(DefaultBoardColour)) {
    setObjectName(QStringLiteral("pGame"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // the keyboard plays on the board too
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const LetterColours defaults;
    setLetterColours(quorvel::colourFromWindows(defaults.unlocked),
                     quorvel::colourFromWindows(defaults.locked),
                     quorvel::colourFromWindows(defaults.revealed));
    snapshot();
    updateLayout();
}

void BoardView::setTileSize(quorvel::TileSize size) {
    m_tileSize = size;
    updateLayout();
    updateGeometry();
    update();
}

void BoardView::setScalesToFit(bool fit) {
    if (fit == m_scalesToFit)
        return;
    m_scalesToFit = fit;
    updateLayout();
    update();
}

QSize BoardView::naturalBoardSize() const {
    const quorvel::Board& board = m_game.state().board;
    return BoardLayout::atScale(m_tileSize, board.columns, board.rows, 1.0).size();
}

QSize BoardView::smallestBoardSize() const {
    const quorvel::Board& board = m_game.state().board;
    return BoardLayout::atScale(m_tileSize, board.columns, board.rows,
                                BoardLayout::smallestScale(m_tileSize))
        .size();
}

// Filling the panel, the board stands in its middle both ways. At its own scale it keeps the
// layout it has always had: the columns in the middle of the panel, the arrows at its top (a
// panel too narrow for the margin keeps the layout as it is).
void BoardView::updateLayout() const {
    const quorvel::Board& board = m_game.state().board;
    if (m_scalesToFit) {
        m_layout = BoardLayout::fitting(m_tileSize, board.columns, board.rows, size(),
                                        BoardLayout::smallestScale(m_tileSize));
        const QSize box = m_layout.size();
        m_layout.setOrigin(
            QPoint(qMax(0, (width() - box.width()) / 2), qMax(0, (height() - box.height()) / 2)));
        return;
    }
    m_layout = BoardLayout::atScale(m_tileSize, board.columns, board.rows, 1.0);
    const int columnsWidth = board.columns * m_tileSize.width;
    m_layout.setOrigin(QPoint(qMax(0, (width() - columnsWidth) / 2 - m_tileSize.width / 2), 0));
}

// A board of another shape is laid out afresh when first asked for.
const BoardLayout& BoardView::layout() const {
    const quorvel::Board& board = m_game.state().board;
    if (m_layout.columns() != board.columns || m_layout.rows() != board.rows)
        updateLayout();
    return m_layout;
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateLayout();
}

void BoardView::setTileAppearance(const TileAppearance& appearance) {
    m_appearance = appearance;
    update();
}

void BoardView::setLetterColours(const QColor& unlocked, const QColor& locked,
                                 const QColor& revealed) {
    m_letterColours = {unlocked, locked, revealed};
    update();
}

QColor BoardView::letterColour(LetterColour state) const {
    return m_letterColours.at(static_cast<std::size_t>(state));
}

void BoardView::setBoardColour(const QColor& colour) {
    m_boardColour = colour;
    updateBackdrop();
}

void BoardView::setBackground(const QPixmap& picture, bool stretched, bool visible) {
    m_background = picture;
    m_backgroundStretched = stretched;
    m_backgroundVisible = visible;
    updateBackdrop();
}

void BoardView::updateBackdrop() {
    update();
    if (parentWidget())
        parentWidget()->update();
}

// The board's area is the parent's, when there is one: the picture lies behind both.
QRect BoardView::backdropRect() const {
    const QWidget* area = parentWidget();
    return area ? QRect(-pos(), area->size()) : rect();
}

void BoardView::paintBackdrop(QPainter& painter, const QRect& area, const QRect& dirty) const {
    painter.fillRect(dirty, m_boardColour);
    if (!m_backgroundVisible || m_background.isNull())
        return;
    if (m_backgroundStretched)
        painter.drawPixmap(area, m_background);
    else
        painter.drawPixmap(area.topLeft(), m_background);
}

// --- geometry ------------------------------------------------------------------------------

bool BoardView::isTileShown(int tile) const {
    const quorvel::Board& board = m_game.state().board;
    if (tile < 1 || tile > board.tileCount)
        return false;
    const quorvel::Tile& t = board.tile(tile);
    return t.visible && t.caption != quorvel::GapChar;
}

bool BoardView::arrowsShown() const {
    const quorvel::Board& board = m_game.state().board;
    return board.tileCount > 0 && board.columns > 0;
}

bool BoardView::acceptsInput() const {
    return isEnabled() && m_game.state().commands.boardPanel;
}

int BoardView::arrowNumber(int column, bool above) const {
    return above ? column : m_game.state().board.columns + column;
}

QRect BoardView::cellRect(int row, int column) const {
    return layout().cell(row, column);
}

QRect BoardView::tileRect(int tile) const {
    if (!isTileShown(tile))
        return {};
    const quorvel::Tile& t = m_game.state().board.tile(tile);
    return cellRect(t.row, t.column);
}

QRect BoardView::arrowRect(int column, bool above) const {
    if (!arrowsShown() || column < 1 || column > m_game.state().board.columns)
        return {};
    return arrowRectByNumber(arrowNumber(column, above));
}

QRect BoardView::arrowRectByNumber(int arrow) const {
    const quorvel::Board& board = m_game.state().board;
    const bool above = arrow <= board.columns;
    const int column = above ? arrow : arrow - board.columns;
    return above ? layout().arrowAbove(column) : layout().arrowBelow(column);
}

int BoardView::tileAt(QPoint pos) const {
    for (int tile = 1; tile <= m_game.state().board.tileCount; ++tile) {
        if (tileRect(tile).contains(pos))
            return tile;
    }
    return 0;
}

std::optional<BoardView::ArrowHit> BoardView::arrowAt(QPoint pos) const {
    if (!arrowsShown())
        return std::nullopt;
    const int columns = m_game.state().board.columns;
    for (int arrow = 1; arrow <= 2 * columns; ++arrow) {
        if (arrowRectByNumber(arrow).contains(pos))
            return ArrowHit{arrow <= columns ? arrow : arrow - columns, arrow <= columns};
    }
    return std::nullopt;
}

// Disabled tiles and arrows let the mouse through to the panel, as a disabled control would.
BoardView::Target BoardView::targetAt(QPoint pos) const {
    if (const auto arrow = arrowAt(pos); arrow && m_game.state().commands.arrows)
        return Target{0, arrowNumber(arrow->column, arrow->above)};
    if (const int tile = tileAt(pos); tile != 0 && m_game.state().board.tile(tile).enabled)
        return Target{tile, 0};
    return Target{};
}

int BoardView::dropTileAt(QPoint pos) const {
    if (!acceptsInput())
        return 0;
    const int tile = tileAt(pos);
    return tile != 0 && m_game.state().board.tile(tile).enabled ? tile : 0;
}

QSize BoardView::windowSize() const {
    const quorvel::Board& board = m_game.state().board;
    const quorvel::WindowSize size =
        quorvel::boardWindowSize(board.columns, board.rows, m_tileSize);
    return QSize(size.width, size.height);
}

// The panel spans the window's width and reaches a little below the arrows under the board.
QSize BoardView::sizeHint() const {
    const int rows = m_game.state().board.rows;
    return QSize(windowSize().width(), rows * (m_tileSize.height + 2) + 70);
}

// A board that fills the window may shrink with it down to its smallest readable scale.
QSize BoardView::minimumSizeHint() const {
    return smallestBoardSize();
}

QString BoardView::toolTipAt(QPoint pos) const {
    if (isHiddenByPause())
        return {}; // a definition would tell what the hidden board holds
    if (arrowAt(pos))
        return QStringLiteral("Click to shift column");
    const int tile = tileAt(pos);
    if (tile == 0 || !m_game.options().definitions)
        return {};
    const quorvel::Board& board = m_game.state().board;
    const int word = board.tile(tile).wordIndex;
    if (word < 0 || word >= static_cast<int>(board.wordEntries.size()))
        return {};
    return quorvel::fromCp1252(board.wordEntries[static_cast<std::size_t>(word)].definition);
}

// --- repainting ------------------------------------------------------------------------------

void BoardView::snapshot() {
    const quorvel::Board& board = m_game.state().board;
    m_drawnRows = board.rows;
    m_drawnColumns = board.columns;
    m_drawnTileCount = board.tileCount;
    for (int tile = 1; tile <= board.tileCount; ++tile) {
        const quorvel::Tile& t = board.tile(tile);
        m_drawn[static_cast<std::size_t>(tile)] =
            DrawnTile{t.caption, t.colour, t.underlined, isTileShown(tile)};
    }
    m_drawnArrowsEnabled = m_game.state().commands.arrows;
    m_drawnClueColumn = m_game.state().clueColumn;
    m_drawnPaused = isHiddenByPause();
}

void BoardView::refresh() {
    const quorvel::Board& board = m_game.state().board;
    if (board.rows != m_drawnRows || board.columns != m_drawnColumns ||
        board.tileCount != m_drawnTileCount || isHiddenByPause() != m_drawnPaused) {
        if (board.columns != m_drawnColumns)
            m_hotShown = false;
        m_cursor = firstShownTile(); // a new puzzle starts the cursor on its first tile
        snapshot();
        updateLayout();
        updateGeometry();
        update();
        BoardAccessible::cursorMoved(this);
        return;
    }
    std::vector<int> changed;
    for (int tile = 1; tile <= board.tileCount; ++tile) {
        const quorvel::Tile& t = board.tile(tile);
        const DrawnTile now{t.caption, t.colour, t.underlined, isTileShown(tile)};
        if (now == m_drawn[static_cast<std::size_t>(tile)])
            continue;
        // A tile that was hidden has no rectangle now; its cell is the same either way.
        update(cellRect(t.row, t.column));
        changed.push_back(tile);
    }
    BoardAccessible::tilesChanged(this, changed);
    if (m_game.state().commands.arrows != m_drawnArrowsEnabled) {
        for (int arrow = 1; arrow <= 2 * board.columns; ++arrow)
            update(arrowRectByNumber(arrow));
    }
    const int clue = m_game.state().clueColumn;
    if (clue != m_drawnClueColumn) {
        update(arrowRect(m_drawnClueColumn, true));
        update(arrowRect(clue, true));
    }
    snapshot();
}

void BoardView::forgetHotArrow() {
    setHotArrow(0);
    moveCursor(firstShownTile());
}

void BoardView::setHotArrow(int arrow) {
    const bool shown = arrow != 0;
    if (shown == m_hotShown && arrow == m_hotArrow)
        return;
    if (m_hotShown && arrowsShown())
        update(arrowRectByNumber(m_hotArrow));
    if (shown) {
        m_hotArrow = arrow;
        update(arrowRectByNumber(arrow));
    }
    m_hotShown = shown;
}

// A timed game's clock stops while paused; the letters are hidden too, so a pause never buys
// time to study the board.
bool BoardView::isHiddenByPause() const {
    return m_game.state().timer.paused && m_game.state().isInPlay();
}

void BoardView::paintPausedFace(QPainter& painter) const {
    painter.fillRect(rect(), m_boardColour);
    QFont font(m_appearance.fontFamily);
    font.setBold(true);
    font.setPixelSize(qBound(12, height() / 5, qMax(48, height() / 8)));
    painter.setFont(font);
    painter.setPen(DisabledText);
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Paused"));
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (isHiddenByPause()) {
        paintPausedFace(painter);
        return;
    }
    paintBackdrop(painter, backdropRect(), event->rect());

    // The letters grow and shrink with the tiles.
    QFont font(m_appearance.fontFamily);
    font.setPointSizeF((m_appearance.pointSize > 0 ? m_appearance.pointSize : 10) *
                       layout().scale());
    font.setBold(m_appearance.bold);
    const quorvel::TileSize tile = layout().tile();
    font = fittedFont(font, QSize(tile.width, tile.height));
    QFont underlinedFont = font;
    underlinedFont.setUnderline(true);

    const quorvel::Board& board = m_game.state().board;
    for (int tile = 1; tile <= board.tileCount; ++tile) {
        const QRect rect = tileRect(tile);
        if (!rect.isEmpty() && event->region().intersects(rect))
            painter.drawPixmap(rect.topLeft(), tileImage(board.tile(tile), rect.size(),
                                                         devicePixelScale(painter), font,
                                                         underlinedFont));
    }
    paintCursorFrame(painter);
    if (arrowsShown()) {
        painter.setRenderHint(QPainter::Antialiasing);
        for (int arrow = 1; arrow <= 2 * board.columns; ++arrow) {
            if (event->region().intersects(arrowRectByNumber(arrow)))
                paintArrow(painter, arrow);
        }
    }
}

const QPixmap& BoardView::tileImage(const quorvel::Tile& tile, QSize size, qreal pixelRatio,
                                    const QFont& font, const QFont& underlinedFont) const {
    const TileImageLook look{size, pixelRatio, m_appearance, m_letterColours, m_lockMarks};
    if (!(look == m_tileImageLook)) {
        m_tileImages.clear();
        m_tileImageLook = look;
    }
    const int key = static_cast<unsigned char>(tile.caption) |
                    static_cast<int>(tile.colour) << 8 | (tile.underlined ? 1 << 12 : 0);
    auto found = m_tileImages.find(key);
    if (found != m_tileImages.end())
        return *found;
    // Drawn at the device's own pixels, so the copy is as sharp as drawing in place.
    QPixmap image(size * pixelRatio);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintTile(painter, QRect(QPoint(0, 0), size), tile, font, underlinedFont);
    painter.end();
    return *m_tileImages.insert(key, image);
}

// The tile as a panel: an optional dark frame, the outer bevel, a band of tile colour, the inner
// bevel, and the letter centred in what remains (clipped to the tile, not to the bevels, so that a
// heavy style on a small tile still shows its letter).
void BoardView::paintTile(QPainter& painter, const QRect& rect, const quorvel::Tile& tile,
                          const QFont& font, const QFont& underlinedFont) const {
    const QRect inner = paintTileFace(painter, rect, m_appearance.style, m_appearance.colour);

    const QString letter = quorvel::fromCp1252(std::string(1, tile.caption));
    const QFont& letterFont = tile.underlined ? underlinedFont : font;
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(letterFont);
    painter.setPen(letterColour(tile.colour));
    QRect drawn;
    painter.drawText(inner, Qt::AlignCenter | Qt::TextDontClip, letter, &drawn);
    painter.restore();
    if (m_lockMarks && tile.colour != quorvel::LetterColour::Unlocked)
        paintLockMark(painter, inner, glyphInk(letterFont, letter, drawn));
}

// Arrows are aqua; the one under the mouse and the clue's arrow are white; disabled arrows are
// grey with a light edge, the way a disabled label looks.
void BoardView::paintArrow(QPainter& painter, int arrow) const {
    const int columns = m_game.state().board.columns;
    const bool above = arrow <= columns;
    const int column = above ? arrow : arrow - columns;
    const QPainterPath glyph =
        arrowGlyph(arrowRectByNumber(arrow), above, devicePixelScale(painter));
    if (!m_game.state().commands.arrows) {
        painter.fillPath(glyph.translated(1, 1), BevelLight);
        painter.fillPath(glyph, DisabledText);
        return;
    }
    const bool white =
        (m_hotShown && arrow == m_hotArrow) || (above && column == m_game.state().clueColumn);
    painter.fillPath(glyph, white ? HighlightColour : ArrowColour);
}

// --- input ---------------------------------------------------------------------------------

bool BoardView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            // Rich text wraps a long definition instead of making one very wide line.
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()), this);
        }
        return true;
    }
    return QWidget::event(event);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    m_pressActive = event->button() == Qt::LeftButton && acceptsInput();
    if (m_pressActive)
        m_pressed = targetAt(event->position().toPoint());
}

// A click is a press and a release on the same tile or arrow.
void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressActive)
        return;
    m_pressActive = false;
    if (!acceptsInput() || targetAt(event->position().toPoint()) != m_pressed)
        return;
    if (m_pressed.arrow != 0) {
        const int columns = m_game.state().board.columns;
        const bool above = m_pressed.arrow <= columns;
        emit arrowClicked(above ? m_pressed.arrow : m_pressed.arrow - columns, above);
    } else if (m_pressed.tile != 0) {
        emit tileClicked(m_pressed.tile);
    }
}

// On a tile or an arrow the second press of a double-click is one more click; on the bare panel
// (or a disabled tile, which lets the mouse through) it asks for a new game.
void BoardView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !acceptsInput())
        return;
    const QPoint pos = event->position().toPoint();
    if (targetAt(pos) == Target{}) {
        m_pressActive = false;
        if (doubleClickStartsGame(pos))
            emit boardDoubleClicked();
        return;
    }
    mousePressEvent(event);
}

bool BoardView::doubleClickStartsGame(QPoint pos) const {
    return acceptsInput() && targetAt(pos) == Target{} && !pictureCovers(pos);
}

// The picture lies over the panel where it is drawn; a double-click there is the picture's.
bool BoardView::pictureCovers(QPoint pos) const {
    if (!m_backgroundVisible || m_background.isNull())
        return false;
    const QRect area = backdropRect();
    const QRect picture =
        m_backgroundStretched ? area : QRect(area.topLeft(), m_background.size());
    return picture.contains(pos);
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    if (!acceptsInput())
        return;
    setHotArrow(targetAt(event->position().toPoint()).arrow);
}

void BoardView::leaveEvent(QEvent* event) {
    setHotArrow(0);
    QWidget::leaveEvent(event);
}

void BoardView::dragEnterEvent(QDragEnterEvent* event) {
    // Taking the enter lets the moves follow; each move then says whether a drop would lock.
    if (event->mimeData()->hasFormat(QLatin1String(PadlockMimeType)) && acceptsInput())
        event->acceptProposedAction();
}

void BoardView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(QLatin1String(PadlockMimeType)) &&
        dropTileAt(event->position().toPoint()) != 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

// Moved within its area, the panel shows another part of the picture.
void BoardView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (m_backgroundVisible && !m_background.isNull())
        update();
}

void BoardView::dropEvent(QDropEvent* event) {
    const int tile = event->mimeData()->hasFormat(QLatin1String(PadlockMimeType))
                         ? dropTileAt(event->position().toPoint())
                         : 0;
    if (tile == 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit padlockDropped(tile);
}
