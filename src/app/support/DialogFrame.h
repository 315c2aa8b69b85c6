// The frame every dialog of the game asks of the window manager.
#pragma once

#include <QDialog>

// A title and a close button, and no button to minimise or maximise it apart from the game.
// Set before the dialog is first shown, whenever it is made.
inline QDialog* frameAsDialog(QDialog* dialog) {
    const Qt::WindowFlags kept =
        dialog->windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint);
    dialog->setWindowFlags(kept | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    return dialog;
}
