// The board panel pGame: paints tiles, column arrows and the background, and turns mouse
// actions and padlock drops into signals. It reads the game and decides nothing.
#pragma once

#include "board/BoardLayout.h"
#include "board/TileStyle.h"
#include "model/Board.h"
#include "model/Geometry.h"

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <optional>

class QFont;
class QPainter;

namespace quorvel {
class Game;
}

class BoardView : public QWidget {
    Q_OBJECT
public:
    static constexpr int ArrowWidth = quorvel::ArrowWidth;
    static constexpr int ArrowHeight = quorvel::ArrowHeight;
    static constexpr const char* PadlockMimeType = "application/x-quorvel-padlock";

    explicit BoardView(const quorvel::Game& game, QWidget* parent = nullptr);

    // The tile size of the puzzle laid out (the template tile's size when it was built): the
    // board's own scale.
    void setTileSize(quorvel::TileSize size);
    quorvel::TileSize tileSize() const { return m_tileSize; }
    // Whether the board grows and shrinks to fill the panel, centred in it, or keeps its own
    // scale at the panel's top (a window that fits the board exactly).
    void setScalesToFit(bool fit);
    bool scalesToFit() const { return m_scalesToFit; }
    // The layout drawn now: its scale and its tile.
    const BoardLayout& layout() const;
    // The board at its own scale, and at the smallest scale a player can still read.
    QSize naturalBoardSize() const;
    QSize smallestBoardSize() const;
    void setTileAppearance(const TileAppearance& appearance);
    const TileAppearance& tileAppearance() const { return m_appearance; }
    // The letter colours of the three lock states: unlocked, locked, revealed.
    void setLetterColours(const QColor& unlocked, const QColor& locked, const QColor& revealed);
    QColor letterColour(quorvel::LetterColour state) const;
    void setBoardColour(const QColor& colour);
    QColor boardColour() const { return m_boardColour; }
    // The background picture Image2: shown at its own size from the top left, or stretched.
    void setBackground(const QPixmap& picture, bool stretched, bool visible);
    const QPixmap& backgroundPicture() const { return m_background; }
    bool isBackgroundStretched() const { return m_backgroundStretched; }
    bool isBackgroundVisible() const { return m_backgroundVisible; }
    // The board colour over `dirty` and, when shown, the picture over `area` (stretched to it or
    // from its top left). The panel paints its own part of its parent's area this way.
    void paintBackdrop(QPainter& painter, const QRect& area, const QRect& dirty) const;

    // Where things are drawn, in widget coordinates; empty rectangles for what is not shown.
    QRect tileRect(int tile) const;
    QRect arrowRect(int column, bool above) const;
    // What lies under a point: a shown tile (its number) or a shown arrow; 0 / nullopt for none.
    int tileAt(QPoint pos) const;
    struct ArrowHit {
        int column = 0;
        bool above = true; // an arrow above its column points down
    };
    std::optional<ArrowHit> arrowAt(QPoint pos) const;
    // The arrow drawn white under the mouse: 1..Columns above, Columns+1..2*Columns below; 0 none.
    int hotArrow() const { return m_hotShown ? m_hotArrow : 0; }
    // Whether a double-click at a point (which may lie outside the panel, in the board area
    // around it) asks for a new game: the bare panel does, a tile, an arrow or the shown
    // background picture does not.
    bool doubleClickStartsGame(QPoint pos) const;
    // The hint of what lies under a point: the arrows' help, or a tile's word definition while
    // definitions are shown; empty for none.
    QString toolTipAt(QPoint pos) const;

    // LayOutBoard's window size for the puzzle shown; the panel takes the same width.
    QSize windowSize() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The keyboard's tile: moved by the cursor keys, framed while the board has the focus.
    int cursorTile() const { return m_cursor; }
    void setCursorTile(int tile); // a tile that is not shown leaves the cursor where it is
    QRect cursorFrameRect() const;
    // The small mark on letters that are locked, so that a lock never shows by colour alone.
    void setLockMarksShown(bool shown);
    bool lockMarksShown() const { return m_lockMarks; }
    // What the board says to assistive technology about a tile and an arrow.
    QString tileDescription(int tile) const;
    // The row and the column through a tile, compactly: "Row 1: W A N C, I locked".
    QString rowDescription(int tile) const;
    QString columnDescription(int tile) const;
    static QString arrowDescription(int column, bool above);
    bool takesMoves() const { return acceptsInput(); }
    // A click without the mouse, for assistive technology's press and toggle: the same signal a
    // click on that arrow or tile sends, and nothing where such a click would change nothing.
    bool canPressArrows() const;
    bool canToggleTile(int tile) const;
    void pressArrow(int column, bool above);
    void toggleTile(int tile);
    const quorvel::Game& game() const { return m_game; }

public slots:
    // The game's board or commands changed: repaint the tiles and arrows that look different.
    void refresh();
    // A new puzzle forgets the highlighted arrow and starts the cursor on its first tile.
    void forgetHotArrow();

signals:
    void arrowClicked(int column, bool down);
    void tileClicked(int tile);
    void padlockDropped(int tile);
    void boardDoubleClicked();
    void lockAllRequested(); // the keyboard's stand-in for the lock-all padlock
    void readAloud(const QString& text); // the R and C keys' row or column, for a screen reader

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // What a tile looked like when last drawn, so a refresh repaints only the tiles that changed.
    struct DrawnTile {
        char caption = quorvel::GapChar;
        quorvel::LetterColour colour = quorvel::LetterColour::Unlocked;
        bool underlined = false;
        bool shown = false;
        friend bool operator==(const DrawnTile&, const DrawnTile&) = default;
    };
    // What the mouse is over: a tile or an arrow that takes clicks, or the bare panel.
    struct Target {
        int tile = 0;
        int arrow = 0; // 1..Columns above, Columns+1..2*Columns below
        friend bool operator==(const Target&, const Target&) = default;
    };

    QRect backdropRect() const;
    void updateBackdrop();
    bool isTileShown(int tile) const;
    bool arrowsShown() const;
    bool acceptsInput() const;
    bool isHiddenByPause() const;
    void paintPausedFace(QPainter& painter) const;
    bool pictureCovers(QPoint pos) const;
    void updateLayout() const;
    QRect cellRect(int row, int column) const;
    int arrowNumber(int column, bool above) const;
    QRect arrowRectByNumber(int arrow) const;
    Target targetAt(QPoint pos) const;
    int dropTileAt(QPoint pos) const;
    void setHotArrow(int arrow);
    void snapshot();

    void paintTile(QPainter& painter, const QRect& rect, const quorvel::Tile& tile,
                   const QFont& font, const QFont& underlinedFont) const;
    // A tile's face and letter as last drawn at this size, density and look: a large board
    // repaints by copying them instead of drawing every letter's outline again.
    const QPixmap& tileImage(const quorvel::Tile& tile, QSize size, qreal pixelRatio,
                             const QFont& font, const QFont& underlinedFont) const;
    void paintArrow(QPainter& painter, int arrow) const;
    void paintLockMark(QPainter& painter, const QRect& rect, const QRect& glyph) const;
    void paintCursorFrame(QPainter& painter) const;
    int firstShownTile() const;
    int tileBeside(int tile, int rowStep, int columnStep) const; // next shown tile that way
    int rowEnd(int tile, bool last) const;
    bool handleMoveKey(const QKeyEvent& event);
    void moveCursor(int tile);
    QString lineDescription(const QString& caption, const std::vector<int>& tiles) const;

    const quorvel::Game& m_game;
    quorvel::TileSize m_tileSize{18, 22};
    bool m_scalesToFit = false;
    mutable BoardLayout m_layout; // follows the board's shape and the panel's size
    TileAppearance m_appearance;
    std::array<QColor, 3> m_letterColours;
    QColor m_boardColour;
    QPixmap m_background;
    bool m_backgroundStretched = true;
    bool m_backgroundVisible = false;

    int m_hotArrow = 0; // highlighted by the mouse (white) while m_hotShown
    bool m_hotShown = false;
    Target m_pressed; // where the left button went down; a click needs the same release
    bool m_pressActive = false;

    // The picture on screen, for refresh().
    std::array<DrawnTile, quorvel::MaxTiles + 1> m_drawn{};
    int m_drawnRows = 0;
    int m_drawnColumns = 0;
    int m_drawnTileCount = 0;
    bool m_drawnArrowsEnabled = false;
    int m_drawnClueColumn = 0;
    bool m_drawnPaused = false;
    int m_cursor = 0; // 0 until a puzzle is shown
    bool m_lockMarks = true;

    // What the tile images were drawn for; any change draws them afresh.
    struct TileImageLook {
        QSize size;
        qreal pixelRatio = 0;
        TileAppearance appearance;
        std::array<QColor, 3> letterColours;
        bool lockMarks = true;
        friend bool operator==(const TileImageLook&, const TileImageLook&) = default;
    };
    mutable TileImageLook m_tileImageLook;
    mutable QHash<int, QPixmap> m_tileImages; // by caption, letter colour and underline
};
