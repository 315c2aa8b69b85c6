// What the style and background dialogs read and change on the board: the template tile, the
// letter and board colours and the background picture. The window implements it.
#pragma once

#include "support/Colours.h"

#include <QString>

// The tile colour and font that the style samples and the template tile carry.
struct TileLook {
    quorvel::Colour colour = 0;
    QString fontName;
    int fontSize = 10; // points
    bool bold = false;
};

// Pure functions are state the dialogs read or restore; the virtual functions with a body are
// hooks a board may not have, and may keep doing nothing.
class BoardLook {
public:
    virtual ~BoardLook() = default;

    // The template tile's look before any setting applies (the defaults of Color, FontName and
    // FontSize; the system button-face colour, "Tahoma", 10).
    virtual TileLook templateTileLook() const = 0;
    virtual void setTemplateTileLook(const TileLook& look) = 0;
    // The shape of style sample N (1..21, "panelN") copied onto the template tile.
    virtual void setTemplateTileStyle(int sample) = 0;

    virtual LetterColours letterColours() const = 0;
    virtual void setLetterColours(const LetterColours& colours) = 0;

    // The board's background picture; a picture that fails to load leaves the board as it was.
    virtual bool loadBackground(const QString& /*path*/) { return false; }
    virtual void setBackgroundStretched(bool /*stretched*/) {}
    virtual bool isBackgroundVisible() const = 0;
    virtual void setBackgroundVisible(bool visible) = 0;
    virtual quorvel::Colour boardColour() const = 0;
    virtual void setBoardColour(quorvel::Colour colour) = 0;
};
