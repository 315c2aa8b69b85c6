// libFuzzer target: any layouts file loads or is refused, every level it keeps can be shown,
// checked and exported, and the checksum alone agrees with the one the load computed.
#include "model/Layouts.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LevelTable table = builtInLayouts();
    const LayoutsLoad load = loadLayouts(text, table);
    if (!load.headerRead)
        return table.levelCount == 4 ? 0 : (std::abort(), 0);
    if (load.computed != layoutsChecksum(text) || load.computed < 0)
        std::abort();
    const auto kept = static_cast<long long>(table.records.size()) - 1;
    if (table.levelCount < 0 || table.levelCount > kept || kept > LevelTable::kMaxLevels ||
        kept > load.levelsRead)
        std::abort();
    for (int level = 0; level <= kept + 1; ++level) {
        const LayoutRecord& layout = table.at(level);
        const std::string problem = levelProblem(layout, level);
        const std::string pattern = lengthPattern(layout);
        if (problem.empty() &&
            (pattern.size() != static_cast<std::size_t>(layout.rows) * layout.columns ||
             pattern.size() > 300))
            std::abort();
        layoutPreview(layout);
    }
    exportLevelTable(table);
    return 0;
}
