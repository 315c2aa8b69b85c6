// Looking a key up by the name the file gives it.
#include "settings/SettingsKeys.h"

namespace {

constexpr bool entriesStandInTheirOwnPlace() {
    for (std::size_t i = 0; i < kSettings.size(); ++i)
        if (static_cast<std::size_t>(kSettings[i].id) != i)
            return false;
    return true;
}
static_assert(entriesStandInTheirOwnPlace(), "each entry stands at its Setting's index");

} // namespace

std::optional<Setting> settingNamed(std::string_view key) {
    for (const SettingEntry& entry : kSettings)
        if (entry.key == key)
            return entry.id;
    return std::nullopt;
}
