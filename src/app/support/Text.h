// Conversion between the core's Windows-1252 text and QString, and core colours to QColor.
#pragma once

#include "model/Colour.h"

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

namespace quorvel {

QString fromCp1252(std::string_view bytes);

// Characters Windows-1252 cannot hold become '?', so the result is always usable by the core.
std::string toCp1252(const QString& text);

// Windows colour values 0x00BBGGRR, as the settings and the core keep them, to and from QColor.
QColor colourFromWindows(Colour colour);
Colour colourToWindows(const QColor& colour);

} // namespace quorvel
