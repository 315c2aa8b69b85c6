// The tile-shape presets and the colour conversions of the tile appearance.
#include "board/TileStyle.h"

#include <QPainter>

#include <array>
#include <cmath>

namespace {

const QColor BevelLight(Qt::white);
const QColor BevelShadow(0x80, 0x80, 0x80);
const QColor BorderColour(Qt::black);

// One bevel: light top and left, dark bottom and right when raised; the other way round when
// lowered. Each pixel of width takes one pixel off every side of the rectangle.
void paintBevel(QPainter& painter, QRect& rect, Bevel bevel, int width) {
    if (bevel == Bevel::None)
        return;
    const QColor& topLeft = bevel == Bevel::Raised ? BevelLight : BevelShadow;
    const QColor& bottomRight = bevel == Bevel::Raised ? BevelShadow : BevelLight;
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        painter.fillRect(rect.left(), rect.top(), rect.width(), 1, topLeft);
        painter.fillRect(rect.left(), rect.top(), 1, rect.height(), topLeft);
        painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
        painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
}

constexpr Bevel N = Bevel::None;
constexpr Bevel L = Bevel::Lowered;
constexpr Bevel R = Bevel::Raised;

// Fields: inner bevel, outer bevel, bevel width, single border, border width.
constexpr std::array<TileStylePreset, TileStylePresetCount> Presets{{
    {"panel21", {R, N, 3, false, 0}}, {"Panel1", {L, N, 3, false, 0}},
    {"Panel4", {R, L, 1, false, 0}},  {"Panel12", {R, N, 1, false, 2}},
    {"Panel8", {R, N, 3, true, 0}},   {"Panel16", {R, R, 1, true, 2}},
    {"Panel7", {L, R, 1, false, 2}},  {"Panel2", {R, N, 2, false, 0}},
    {"Panel3", {L, N, 2, false, 0}},  {"Panel10", {R, L, 1, false, 1}},
    {"Panel17", {L, N, 1, false, 1}}, {"Panel13", {R, N, 2, true, 0}},
    {"Panel15", {R, R, 1, false, 1}}, {"Panel19", {L, R, 1, false, 1}},
    {"Panel5", {R, N, 1, false, 0}},  {"Panel6", {L, N, 1, false, 0}},
    {"Panel9", {R, L, 1, false, 2}},  {"Panel20", {L, N, 1, false, 2}},
    {"Panel14", {R, N, 1, true, 0}},  {"Panel11", {R, R, 1, false, 2}},
    {"Panel18", {L, R, 2, false, 2}},
}};

} // namespace

QRect paintTileFace(QPainter& painter, const QRect& rect, const TileStyle& style,
                    const QColor& colour) {
    painter.fillRect(rect, colour);
    QRect inner = rect;
    if (style.borderSingle) {
        painter.save();
        painter.setPen(BorderColour);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        painter.restore();
        inner.adjust(1, 1, -1, -1);
    }
    paintBevel(painter, inner, style.bevelOuter, style.bevelWidth);
    inner.adjust(style.borderWidth, style.borderWidth, -style.borderWidth, -style.borderWidth);
    paintBevel(painter, inner, style.bevelInner, style.bevelWidth);
    return inner;
}

TileStyle defaultTileStyle() {
    return TileStyle{Bevel::Raised, Bevel::None, 1, false, 0};
}

const TileStylePreset* tileStylePresets() {
    return Presets.data();
}

std::optional<TileStyle> tileStylePreset(const QString& name) {
    for (const TileStylePreset& preset : Presets) {
        if (name.compare(QLatin1String(preset.name), Qt::CaseInsensitive) == 0)
            return preset.style;
    }
    return std::nullopt;
}

int tileStyleSample(const QString& name) {
    const QString upper = name.toUpper();
    for (int sample = 1; sample <= TileStylePresetCount; ++sample)
        if (upper == QStringLiteral("PANEL%1").arg(sample))
            return sample;
    return 1;
}

qreal devicePixelScale(const QPainter& painter) {
    const qreal scale = painter.deviceTransform().m11();
    return scale > 0 ? scale : 1.0;
}

qreal snapToDevicePixels(qreal x, qreal scale) {
    return std::round(x * scale) / scale;
}
