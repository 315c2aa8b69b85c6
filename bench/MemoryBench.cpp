// Peak memory of quorvel-tool over large and hostile files: the layouts file the game reads at
// every start, a dictionary of empty items, and the input of a dictionary build. The counters
// give the file size, the peak and the peak per byte of file (the aim: at most 4 per byte
// plus a few megabytes). The time is that of the whole run, process start included.
#include "PeakMemory.h"

#include "base/Files.h"
#include "words/ComponentStream.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>

using namespace quorvel;

namespace {

const std::string kTool = QUORVEL_PROGRAM_DIR "quorvel-tool";

// A file of about `megabytes` made of one repeated piece after a head, written once per run.
std::string generated(const std::string& name, const std::string& head, const std::string& piece,
                      const std::string& tail, int megabytes) {
    const auto path = std::filesystem::temp_directory_path() / ("quorvel-bench-" + name);
    if (!std::filesystem::exists(path)) {
        std::string text = head;
        const std::size_t size = static_cast<std::size_t>(megabytes) << 20;
        text.reserve(size + tail.size());
        while (text.size() + piece.size() <= size)
            text += piece;
        text += tail;
        writeWholeFile(path.string(), text);
    }
    return path.string();
}

std::string emptyItemsDictionary(int megabytes) {
    ComponentWriter head;
    head.signature();
    head.shortString("Dictionary");
    head.shortString("Empty");
    head.shortString("Items");
    head.tag(ValueTag::Collection);
    // Each item is a list tag and the end of its properties; three ends close the file.
    return generated("empty-items.dic", head.bytes, std::string("\x01\x00", 2),
                     std::string(3, '\0'), megabytes);
}

void measure(benchmark::State& state, const std::string& file,
             const std::vector<std::string>& arguments) {
    const double megabytes = static_cast<double>(std::filesystem::file_size(file)) / (1 << 20);
    long peak = 0;
    for (auto _ : state)
        peak = std::max(peak, measure::runMeasured(arguments).peakKilobytes);
    state.counters["file_MB"] = megabytes;
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024;
    state.counters["peak_per_byte"] = static_cast<double>(peak) / 1024 / megabytes;
}

void BM_MemoryLayoutsCheckNumeric66MB(benchmark::State& state) {
    const std::string file = generated("numeric.formats", "LAYOU0\r\n", "0404\r\n", "", 66);
    measure(state, file, {kTool, "layouts", "check", file});
}

void BM_MemoryLayoutsCheckTiny66MB(benchmark::State& state) {
    const std::string file = generated("tiny.formats", "LAYOU0\n", "0\n", "", 66);
    measure(state, file, {kTool, "layouts", "check", file});
}

void BM_MemoryLayoutsFixNumeric66MB(benchmark::State& state) {
    const std::string file = generated("numeric.formats", "LAYOU0\r\n", "0404\r\n", "", 66);
    const std::string copy = file + ".fix";
    std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing);
    measure(state, copy, {kTool, "layouts", "fix", copy});
}

void BM_MemoryDictionaryDumpEmptyItems5MB(benchmark::State& state) {
    const std::string file = emptyItemsDictionary(5);
    measure(state, file, {kTool, "dic", "dump", file});
}

void BM_MemoryDictionaryBuildShortLines10MB(benchmark::State& state) {
    const std::string file = generated("short-lines.txt", "", "a\tb\n", "", 10);
    const std::string output = file + ".dic";
    measure(state, file, {kTool, "dic", "build", file, output});
}

} // namespace

BENCHMARK(BM_MemoryLayoutsCheckNumeric66MB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryLayoutsCheckTiny66MB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryLayoutsFixNumeric66MB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryDictionaryDumpEmptyItems5MB)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryDictionaryBuildShortLines10MB)->Unit(benchmark::kMillisecond)->Iterations(1);
