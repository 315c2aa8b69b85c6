// Conversion between the core's Windows-1252 text and QString, and core colours to QColor.
#pragma once

#include "model/Colour.h"

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

namespace quorvel {

// Game texts: words, definitions, banners, tips and the settings file's texts.
QString fromCp1252(std::string_view bytes);

// File paths, and the file errors that name them, in the file system's encoding (UTF-8 here),
// never as game text: a folder named "zo\u00EB" must not read "zo\u00C3\u00AB".
QString fromFileSystem(std::string_view bytes);

// Characters Windows-1252 cannot hold become '?', so the result is always usable by the core.
std::string toCp1252(const QString& text);

// Windows colour values 0x00BBGGRR, as the settings and the core keep them, to and from QColor.
QColor colourFromWindows(Colour colour);
Colour colourToWindows(const QColor& colour);

} // namespace quorvel
