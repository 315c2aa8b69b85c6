// The main window's size: fitted to each board until the player sizes it, then the player's,
// kept over restarts; the board drawn to fill it.
#include "window/MainWindow.h"

#include "board/BoardView.h"
#include "window/MessagePanels.h"
#include "window/WindowSizing.h"
#include "settings/Settings.h"
#include "game/Game.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>

#include <algorithm>

namespace quorvel {

// --- board and window size -------------------------------------------------------------

void MainWindow::layOutWindow() {
    const Board& board = m_game->state().board;
    const TileSize tile = tileForScreen(board.columns, board.rows);
    m_board->setTileSize(tile);
    setBoardFillsArea(m_playerSized);
    if (m_playerSized)
        keepPlayersSize();
    else
        fitWindowToBoard(tile);
    m_messages->setScale(m_board->layout().scale());
    m_messages->recentre();
    keepMenuBarOnOneLine();
}

// The window the player never sized fits the board at the Game Size's scale.
void MainWindow::fitWindowToBoard(TileSize tile) {
    const Board& board = m_game->state().board;
    const QSize panel = m_board->naturalBoardSize();
    const WindowSize wanted = boardWindowSize(board.columns, board.rows, tile);
    const QSize frame = frameGeometry().size() - size();
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    // Wide enough for the board and for the menu bar on one line.
    const int width =
        std::max({wanted.width - frame.width(), panel.width(), menuBar()->sizeHint().width()});
    const int height = std::max(wanted.height - frame.height(), panel.height() + chrome);
    // The window's layout keeps the minimum size it worked out for the previous board, and its
    // next pass would put that size back: a small board after a large one needs it recomputed.
    m_boardArea->layout()->invalidate();
    layout()->invalidate();
    layout()->activate();
    setMinimumSize(0, 0);
    m_sizeAsked = QSize(width, height);
    resize(width, height);
    keepOnScreen();
}

// The player's size stays for a board of any shape, grown only when the board cannot fit it
// even at its smallest (and back to it for a board that fits again).
void MainWindow::keepPlayersSize() {
    m_boardArea->layout()->invalidate();
    layout()->invalidate();
    layout()->activate();
    setMinimumSize(0, 0);
    const QSize needed = m_chosenSize.expandedTo(minimumSizeHint());
    if (needed != size()) {
        m_sizeAsked = needed;
        resize(needed);
        keepOnScreen();
    }
}

// Moving the Game Size slider shows the board at once at the size it asks for, in a window that
// fits it: the player chose the board's size over the window's.
void MainWindow::gameSizeMoved() {
    if (!m_startUpDone)
        return; // start-up restores the slider; the stored window size stays
    m_buildTile = tileSizeFor(gameSize(), m_maxTile);
    m_playerSized = false;
    if (m_game->state().board.tileCount > 0)
        layOutWindow();
    else
        setBoardFillsArea(false);
}

// Filling, the board panel takes the whole area and draws the board to fit it. Otherwise the
// panel has the board's own size, centred at the area's top, and gives way only to a window
// made smaller than that (the player's size, which then fills).
void MainWindow::setBoardFillsArea(bool fills) {
    m_board->setScalesToFit(fills);
    const QSize natural = m_board->naturalBoardSize(); // none before the first board
    m_board->setMinimumSize(m_board->smallestBoardSize().expandedTo(QSize(0, 0)));
    m_board->setMaximumSize(fills || natural.isEmpty() ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)
                                                       : natural);
    m_boardArea->layout()->setAlignment(
        m_board, fills ? Qt::Alignment() : Qt::AlignHCenter | Qt::AlignTop);
    m_boardArea->layout()->activate(); // the board takes its place before the next paint
    keepMenuBarOnOneLine();
}

// However small the player makes the window, its menus and its status line's counter and
// padlocks stay whole.
void MainWindow::keepMenuBarOnOneLine() {
    setMinimumWidth(std::max(menuBar()->sizeHint().width(),
                             statusBar()->minimumSizeHint().width()));
}

// The stored size, or on a first start one from the screen; a window that fitted its boards
// stored none and fits them again.
void MainWindow::restoreWindowSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QSize frame = frameGeometry().size() - size();
    const QSize stored(m_settings.readInteger(Setting::WindowWidth),
                       m_settings.readInteger(Setting::WindowHeight));
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    const bool neverStored = stored.width() < 0 || stored.height() < 0;
    const QSize size = neverStored ? firstStartSize(available, chrome, frame)
                                   : restoredSize(stored, minimumSizeHint(), available, frame);
    if (size.isEmpty())
        return;
    m_playerSized = true;
    setBoardFillsArea(true);
    m_sizeAsked = size;
    m_chosenSize = size;
    resize(size);
}

// Written at once (not with shut-down's other settings) while the window still has its size.
void MainWindow::storeWindowSize() {
    const QSize kept = m_playerSized ? m_chosenSize : QSize(0, 0);
    m_settings.writeInteger(Setting::WindowWidth, kept.width());
    m_settings.writeInteger(Setting::WindowHeight, kept.height());
}

// The Game Size's tile, made smaller when the board's window would not fit the screen.
TileSize MainWindow::tileForScreen(int columns, int rows) const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return m_buildTile;
    const QRect available = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    // The window also needs room for its menu and status bars beyond the board's own allowance.
    const int spare = std::max(0, chrome - windowAllowanceBeyondPanel());
    return fittedTileSize(m_buildTile, columns, rows, available.width() - frame.width(),
                          available.height() - frame.height() - spare);
}

void MainWindow::keepOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect outer = frameGeometry();
    outer.setSize(size() + (frameGeometry().size() - geometry().size()));
    QPoint position = pos();
    if (outer.right() > available.right())
        position.setX(available.left() + 1);
    if (outer.bottom() > available.bottom())
        position.setY(available.top() + 1);
    if (position != pos())
        move(position);
}

// A size that the window system brings and the window did not ask for is the player's: dragged,
// maximised or tiled. (The window's own resizes and its layout's arrive unprompted.)
void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (event->spontaneous() && m_painted && event->size() != m_sizeAsked) {
        m_playerSized = true;
        m_chosenSize = event->size();
        setBoardFillsArea(true);
    }
    if (m_messages) {
        m_messages->setScale(m_board->layout().scale());
        m_messages->recentre();
    }
}

} // namespace quorvel
