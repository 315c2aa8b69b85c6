// The tile-shape presets and the colour conversions of the tile appearance.
#include "TileStyle.h"

#include <array>

namespace {

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

QColor colourFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t colourToBgr(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<std::uint32_t>(rgb.red()) | (static_cast<std::uint32_t>(rgb.green()) << 8) |
           (static_cast<std::uint32_t>(rgb.blue()) << 16);
}
