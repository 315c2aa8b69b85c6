// The colour and font choosers of the style dialog, behind one seam so tests can choose for the player.
#pragma once

#include <QColor>
#include <QFont>

#include <optional>

class QWidget;

class StylePickers {
public:
    virtual ~StylePickers() = default;
    // The colour the player chose, starting from `initial`; nothing when the player cancelled.
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) = 0;
    // The font the player chose, starting from `initial`; nothing when the player cancelled.
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
};

// The game's own choosers: the toolkit's colour and font dialogs.
class DialogStylePickers : public StylePickers {
public:
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
};
