// The game's default colours, as Windows colour values 0x00BBGGRR, defined here only.
#pragma once

#include "model/Colour.h"

// The board's background until the settings or the style dialog say otherwise.
constexpr quorvel::Colour DefaultBoardColour = 0xF3A0C8;

// The three letter colours, stored under the keys Red, Green and Blue.
struct LetterColours {
    quorvel::Colour unlocked = 0x5A0EDA; // Red: a free letter
    quorvel::Colour locked = 0x66AA00;   // Green: a letter locked in place
    quorvel::Colour revealed = 0xEC0000; // Blue: the solution shown at the end
};
