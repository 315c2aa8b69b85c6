// Peak memory of recording a game over a large statistics file: quorvel-tool play ends one game
// (a line appended, as the game appends it) with an empty file and with a 100 MB one. The two
// peaks should be the same: the file is appended to, never read into memory.
#include "PeakMemory.h"

#include "base/Files.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace quorvel;
namespace fs = std::filesystem;

namespace {

const std::string kTool = QUORVEL_PROGRAM_DIR "quorvel-tool";

// A program folder with the shipped levels, word lists and dictionary, and a statistics file of
// about `megabytes`.
std::string folderWithStatistics(int megabytes) {
    const fs::path root =
        fs::temp_directory_path() / ("quorvel-bench-stats-" + std::to_string(megabytes));
    const fs::path shipped = QUORVEL_PROGRAM_DIR;
    fs::create_directories(root / "zq");
    fs::create_directories(root / "kbs");
    for (const char* name : {"zq/formats", "zq/W3", "zq/W4", "zq/W5", "kbs/Common Words.dic"})
        fs::copy_file(shipped / name, root / name, fs::copy_options::overwrite_existing);
    const std::string piece = "2026-12-07,W,13,0,37,25,D,V,T,\r\n";
    std::string text;
    text.reserve((static_cast<std::size_t>(megabytes) << 20) + piece.size());
    while (text.size() + piece.size() <= static_cast<std::size_t>(megabytes) << 20)
        text += piece;
    writeWholeFile((root / "zq/stats.zq").string(), text);
    writeWholeFile((root / "commands.txt").string(), "new\nshift 1 down\nnew\n");
    return root.string() + "/";
}

void measureGameRecorded(benchmark::State& state, int megabytes) {
    const std::string root = folderWithStatistics(megabytes);
    long peak = 0;
    for (auto _ : state)
        peak = std::max(peak, measure::runMeasured({kTool, "play", "--seed", "1", "--root", root},
                                                   0, root + "commands.txt")
                                  .peakKilobytes);
    state.counters["file_MB"] = static_cast<double>(fs::file_size(root + "zq/stats.zq")) / (1 << 20);
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024;
    fs::remove_all(root);
}

void BM_MemoryStatisticsAppendEmpty(benchmark::State& state) {
    measureGameRecorded(state, 0);
}

void BM_MemoryStatisticsAppend100MB(benchmark::State& state) {
    measureGameRecorded(state, 100);
}

} // namespace

BENCHMARK(BM_MemoryStatisticsAppendEmpty)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryStatisticsAppend100MB)->Unit(benchmark::kMillisecond)->Iterations(1);
