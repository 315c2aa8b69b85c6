// Where a top-level window's frame may stand: wholly on a screen that exists.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvel {

// The top-left corner nearest to frame's that keeps it within available; a frame larger than
// available keeps its top-left corner (title bar and menu) inside.
QPoint fitWithin(const QRect& frame, const QRect& available);

// A frame of frameSize at topLeft, moved onto the screen under its top-left corner (the
// primary screen when no screen is there) so that all of it shows.
QPoint frameOnScreen(QPoint topLeft, QSize frameSize);

// The top-left corner of a frame of frameSize centred on the primary screen's work area.
QPoint frameCentredOnPrimaryScreen(QSize frameSize);

// Where a dialog of dialogSize that keeps the main window company goes: beside the main
// window's frame where the screen has room, else centred over it but no higher than belowMenu,
// the screen row under the main window's menu bar, so its title and menus stay in sight.
QPoint besideOrBelowMenu(const QRect& mainFrame, int belowMenu, QSize dialogSize,
                         const QRect& available);

} // namespace quorvel
