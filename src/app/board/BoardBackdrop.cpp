// Painting of the area around the board panel.
#include "board/BoardBackdrop.h"

#include "board/BoardView.h"

#include <QPaintEvent>
#include <QPainter>

BoardBackdrop::BoardBackdrop(BoardView& board, QWidget* parent)
    : QWidget(parent), m_board(board) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardBackdrop::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_board.paintBackdrop(painter, rect(), event->rect());
}

// A stretched picture changes under the panel too when the area changes size.
void BoardBackdrop::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_board.isBackgroundVisible() && m_board.isBackgroundStretched())
        m_board.update();
}
