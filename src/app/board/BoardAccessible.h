// The board as assistive technology sees it: a table of tiles and the column arrows as buttons.
#pragma once

#include <QAccessibleWidget>

#include <map>
#include <vector>

class BoardView;

class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView* board);
    ~BoardAccessible() override;

    // Makes every BoardView answer with a BoardAccessible; the game calls it once at start.
    static void install();
    // Tells assistive technology that these tiles (numbers) read differently now, so a reader
    // that keeps their names asks again; nothing while no reader listens.
    static void tilesChanged(BoardView* board, const std::vector<int>& tiles);
    // Tells assistive technology that the tile under the keyboard cursor has the focus now (the
    // cursor moved, the board took the focus, a new puzzle started); nothing while the board
    // lacks the focus or no reader listens.
    static void cursorMoved(BoardView* board);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    QAccessibleInterface* focusChild() const override;

    BoardView* board() const;

private:
    // Children 0..TileCount-1 are the tiles, then the arrows above, then those below.
    mutable std::map<int, QAccessible::Id> m_children;
};
