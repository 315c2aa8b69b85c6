// Windows-1252 text and Windows colour values seen from Qt.
#include "support/Text.h"

#include "base/Cp1252.h"

#include <QFile>

namespace quorvel {

QString fromCp1252(std::string_view bytes) {
    const std::string utf8 = cp1252ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString fromFileSystem(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string toCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    // Character by character, so one character outside the code page costs only itself.
    for (const QChar c : text) {
        const QByteArray utf8 = QString(c).toUtf8();
        const auto byte = utf8ToCp1252(std::string_view(utf8.constData(), utf8.size()));
        out += (byte && byte->size() == 1) ? *byte : std::string("?");
    }
    return out;
}

QColor colourFromWindows(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Colour colourToWindows(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<Colour>(rgb.red()) | (static_cast<Colour>(rgb.green()) << 8) |
           (static_cast<Colour>(rgb.blue()) << 16);
}

} // namespace quorvel
