// Loading dictionaries against merely reading the same file into memory: loading must run at
// no less than a third of the reading speed. Both "Common Words" (when staged) and a generated
// dictionary of 1,000,000 items are measured.
#include "base/Files.h"
#include "words/Dictionary.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

using namespace quorvel;

namespace {

// Word-like items with definitions of typical length, written once per run by our writer.
const std::string& generatedDictionary() {
    static const std::string path = [] {
        std::mt19937 random(20261207);
        auto letters = [&](int count) {
            std::string text;
            for (int i = 0; i < count; ++i)
                text += static_cast<char>('A' + random() % 26);
            return text;
        };
        Dictionary dictionary;
        for (int i = 0; i < 1'000'000; ++i) {
            DictionaryItem& item = dictionary.items().add();
            item.word = letters(3 + static_cast<int>(random() % 10));
            const int words = 4 + static_cast<int>(random() % 10);
            for (int w = 0; w < words; ++w) {
                if (w)
                    item.definition += w % 5 == 0 ? ", " : " ";
                item.definition += letters(2 + static_cast<int>(random() % 7));
            }
            if (i % 10 == 0)
                item.set(static_cast<int>(random() % kAttributeCount));
        }
        const auto file =
            std::filesystem::temp_directory_path() / "quorvel-bench-generated-1000000.dic";
        writeWholeFile(file.string(), writeDictionary(dictionary));
        return file.string();
    }();
    return path;
}

std::string commonWords() {
    return QUORVEL_PROGRAM_DIR "kbs/Common Words.dic";
}

void readFile(benchmark::State& state, const std::string& path) {
    if (!fileExists(path)) {
        state.SkipWithError(("not staged yet: " + path).c_str());
        return;
    }
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const std::string data = readWholeFile(path);
        benchmark::DoNotOptimize(data.data());
        bytes += static_cast<std::int64_t>(data.size());
    }
    state.SetBytesProcessed(bytes);
}

// The game keeps one dictionary and loads into it, so each load also clears the last one.
// Items are decoded when first used, so this is the file read, the check of every byte and
// the item index.
void loadFile(benchmark::State& state, const std::string& path) {
    if (!fileExists(path)) {
        state.SkipWithError(("not staged yet: " + path).c_str());
        return;
    }
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    Dictionary dictionary;
    for (auto _ : state) {
        dictionary.loadFromFile(path);
        benchmark::DoNotOptimize(dictionary.items().count());
    }
    state.counters["items"] = dictionary.items().count();
    state.SetBytesProcessed(size * static_cast<std::int64_t>(state.iterations()));
}

// Loading and then using every item once: what a caller pays that reads the whole dictionary.
void loadAndUseAll(benchmark::State& state, const std::string& path) {
    if (!fileExists(path)) {
        state.SkipWithError(("not staged yet: " + path).c_str());
        return;
    }
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    Dictionary dictionary;
    for (auto _ : state) {
        dictionary.loadFromFile(path);
        std::size_t letters = 0;
        for (int i = 0; i < dictionary.items().count(); ++i)
            letters += dictionary.items()[i].word.size();
        benchmark::DoNotOptimize(letters);
    }
    state.SetBytesProcessed(size * static_cast<std::int64_t>(state.iterations()));
}

// A first load into a new dictionary; dropping the items afterwards is not timed.
void loadFresh(benchmark::State& state, const std::string& path) {
    if (!fileExists(path)) {
        state.SkipWithError(("not staged yet: " + path).c_str());
        return;
    }
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        auto dictionary = std::make_unique<Dictionary>();
        dictionary->loadFromFile(path);
        benchmark::DoNotOptimize(dictionary->items().count());
        state.PauseTiming();
        dictionary.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(size * static_cast<std::int64_t>(state.iterations()));
}

void BM_ReadCommonWords(benchmark::State& state) {
    readFile(state, commonWords());
}
void BM_LoadCommonWords(benchmark::State& state) {
    loadFile(state, commonWords());
}
void BM_LoadAndUseCommonWords(benchmark::State& state) {
    loadAndUseAll(state, commonWords());
}
void BM_ReadGenerated(benchmark::State& state) {
    readFile(state, generatedDictionary());
}
void BM_LoadGenerated(benchmark::State& state) {
    loadFile(state, generatedDictionary());
}
void BM_LoadGeneratedFresh(benchmark::State& state) {
    loadFresh(state, generatedDictionary());
}
void BM_LoadAndUseGenerated(benchmark::State& state) {
    loadAndUseAll(state, generatedDictionary());
}

} // namespace

BENCHMARK(BM_ReadCommonWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCommonWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndUseCommonWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGenerated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGenerated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGeneratedFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndUseGenerated)->Unit(benchmark::kMillisecond);
