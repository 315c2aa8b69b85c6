// How large the main window opens: sized from its screen at the first start, or as the player
// left it, kept within the screen it opens on.
#pragma once

#include <QRect>
#include <QSize>

namespace quorvel {

// The screens a first window is sized for: a laptop's or a desktop's. On a lower screen the
// window fits each board exactly, as large as that screen allows.
constexpr int ComfortableScreenHeight = 700;

// The inside size of the first window on a screen with the work area available, where chrome
// is the height the menu and status bars take and frame what the window manager's frame adds:
// the board's area about half the screen high and a third wider than high. Empty on a screen
// lower than ComfortableScreenHeight.
QSize firstStartSize(const QRect& available, int chrome, QSize frame);

// A stored inside size as the window takes it: never below minimum, never beyond the work
// area (less the frame). Empty when stored is not a size (nothing kept, or "fits the board").
QSize restoredSize(QSize stored, QSize minimum, const QRect& available, QSize frame);

} // namespace quorvel
