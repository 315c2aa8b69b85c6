// The toolkit's colour and font dialogs as the style dialog's choosers.
#include "dialogs/StylePickers.h"

#include <QColorDialog>
#include <QFontDialog>

std::optional<QColor> DialogStylePickers::chooseColour(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> DialogStylePickers::chooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return chosen;
}
