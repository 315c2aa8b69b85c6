// Tile shapes (bevels and borders), the 21 shape presets, and the tile's colour and font.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

class QPainter;

enum class Bevel { None, Lowered, Raised };

// The five shape properties a tile takes from the template tile.
struct TileStyle {
    Bevel bevelInner = Bevel::Raised;
    Bevel bevelOuter = Bevel::None;
    int bevelWidth = 1;
    bool borderSingle = false; // a one-pixel dark frame around the tile
    int borderWidth = 0;       // a band of tile colour between the outer and the inner bevel

    friend bool operator==(const TileStyle&, const TileStyle&) = default;
};

// Device pixels to one of the painter's own: the screen's density times any scaling, so that
// straight edges can be laid on the device's pixels and stay sharp.
qreal devicePixelScale(const QPainter& painter);
// x moved to the nearest device pixel boundary.
qreal snapToDevicePixels(qreal x, qreal scale);

// Paints a tile's face in its colour: the optional dark frame, the outer bevel, the band of tile
// colour and the inner bevel. Returns what is left inside them for the letter.
QRect paintTileFace(QPainter& painter, const QRect& rect, const TileStyle& style,
                    const QColor& colour);

// The template tile's own shape: raised inner bevel, no outer bevel, width 1, no border.
TileStyle defaultTileStyle();

struct TileStylePreset {
    const char* name; // the sample's name, stored as the "Style" setting
    TileStyle style;
};
constexpr int TileStylePresetCount = 21;

// The 21 samples in the style dialog's order: three rows of seven, row by row.
const TileStylePreset* tileStylePresets();

// The preset of a sample name ("panel21", "Panel1", ...), matched without regard to case.
std::optional<TileStyle> tileStylePreset(const QString& name);

// The sample number a Style value names: "panel1".."panel21" in any case; 1 for any other.
int tileStyleSample(const QString& name);

// How tiles are dressed: colour, font and shape. The letter colour comes from the tile's state.
struct TileAppearance {
    QColor colour = QColor(0xF0, 0xF0, 0xF0); // the button-face colour
    QString fontFamily = QStringLiteral("Tahoma");
    int pointSize = 10;
    bool bold = true;
    TileStyle style = defaultTileStyle();

    friend bool operator==(const TileAppearance&, const TileAppearance&) = default;
};
