// Test support for the words tests: a scratch folder per test and small dictionary builders.
#pragma once

#include "base/SystemCalls.h"
#include "words/Dictionary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace quorvel::test {

// A fresh folder under the system's temporary folder, removed when the test ends.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name =
            std::string("quorvel-words-") + info->test_suite_name() + "-" + info->name() + "-" +
            std::to_string(currentProcessId()) + "-" + // two runs of the suite at once keep apart,
            std::to_string(std::random_device()());     // and Windows soon gives an id again
        for (char& c : name)
            if (c == '/')
                c = '_';
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const std::string& name) const { return (m_path / name).string(); }
    std::string folder() const { return m_path.string() + "/"; }

private:
    std::filesystem::path m_path;
};

inline DictionaryItem& addItem(Dictionary& dictionary, std::string word, std::string definition) {
    DictionaryItem& item = dictionary.items().add();
    item.word = std::move(word);
    item.definition = std::move(definition);
    return item;
}

// A small dictionary that uses every kind of value the writer produces.
inline Dictionary sampleDictionary() {
    Dictionary dictionary;
    dictionary.name = "Sample";
    dictionary.quickDestroy = true;
    dictionary.tag = -300;
    DictionaryItem& first = addItem(dictionary, "CAT", "A small animal, kept as a pet");
    first.extraA = "a";
    first.extraF = "f";
    first.extraS = "s";
    first.extraJ = "j";
    first.extraP = "p";
    first.extraR = "r";
    first.set(0);
    first.set(33);
    first.set(95);
    first.set(127);
    addItem(dictionary,
            "\xC9"
            "CLAIR",
            std::string(300, 'x')); // a long string
    addItem(dictionary, "DOG", "");
    return dictionary;
}

} // namespace quorvel::test
