// The board's whole area around the board panel, painted with the board's colour and picture.
#pragma once

#include <QWidget>

class BoardView;

// The board panel keeps its puzzle's size in the middle of this area; the picture covers the
// whole area, so the panel and this backdrop each paint their part of it.
class BoardBackdrop : public QWidget {
    Q_OBJECT
public:
    BoardBackdrop(BoardView& board, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    BoardView& m_board;
};
