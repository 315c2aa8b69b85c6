// quorvel-tool: dictionary commands (dic dump, dic build) and the word-list rebuild.
#include "Tool.h"

#include "base/Cp1252.h"
#include "base/FilePaths.h"
#include "base/Files.h"
#include "words/Dictionary.h"
#include "words/DictionaryText.h"
#include "words/EncryptedStream.h"
#include "words/WordLists.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace quorvel::tool {

namespace {

struct DictionaryOptions {
    std::string file;
    std::string output;
    std::string key;
};

// Keys are given in UTF-8 and used as the Windows-1252 bytes the dictionary works in.
std::string keyBytes(const std::string& key) {
    auto bytes = utf8ToCp1252(key);
    if (!bytes)
        throw ExitStatus{1, "The key holds a character that Windows-1252 cannot hold"};
    return *bytes;
}

// The game's load message, after the file's name and followed by the system's reason if any.
std::string loadFailure(const std::string& path, const DictionaryError& error) {
    std::string message = path + ": " + error.what();
    if (error.fault == DictionaryFault::Missing)
        message += ": no such file";
    else if (error.error)
        message += ": " + error.error.message();
    return message;
}

void loadOrExit(Dictionary& dictionary, const std::string& path) {
    try {
        dictionary.loadFromFile(path);
    } catch (const DictionaryError& error) {
        throw ExitStatus{1, loadFailure(path, error)};
    }
}

void dump(const DictionaryOptions& options) {
    Dictionary dictionary;
    dictionary.setKey(keyBytes(options.key));
    loadOrExit(dictionary, options.file);
    std::string out;
    dictionary.items().forEach([&out](const DictionaryItem& item) {
        out += dumpLine(item);
        out += '\n';
        if (out.size() > (1 << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    });
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

// The items go straight from the input to the file's bytes, so memory follows the input's size.
void build(const DictionaryOptions& options) {
    const std::string key = keyBytes(options.key);
    try {
        std::string bytes = buildDictionaryStream(readWholeFile(options.file), "RQNDictionary");
        if (!key.empty())
            bytes = scrambleBytes(bytes, key, TEncryptedStream::clockSeeds()());
        writeWholeFile(options.output, bytes);
    } catch (const DictionaryTextError& error) {
        throw ExitStatus{1, options.file + ": " + error.what()};
    } catch (const FileError& error) {
        throw ExitStatus{1, error.what()};
    }
}

void rebuildWordLists(const DictionaryOptions& options) {
    Dictionary dictionary;
    loadOrExit(dictionary, options.file);
    WordLists lists;
    lists.rebuild(dictionary);
    std::error_code ignored;
    std::filesystem::create_directories(filePath(options.output), ignored);
    try {
        lists.saveTo(options.output);
    } catch (const FileError& error) {
        throw ExitStatus{1, error.what()};
    }
}

} // namespace

void addDictionaryCommands(CLI::App& app) {
    auto options = std::make_shared<DictionaryOptions>();

    CLI::App* dic = app.add_subcommand("dic", "Dump or build knowledge-base dictionary files");
    dic->require_subcommand(1);

    CLI::App* dumpCommand =
        dic->add_subcommand("dump", "Print every item: n, d, a, f, s, j, p, r, attributes");
    dumpCommand->add_option("FILE", options->file, "Dictionary file")->required();
    dumpCommand->add_option("--key", options->key, "Key of a scrambled dictionary");
    dumpCommand->callback([options] { dump(*options); });

    CLI::App* buildCommand = dic->add_subcommand(
        "build", "Build a dictionary from UTF-8 lines: word, tab, definition[, tab, attributes]");
    buildCommand->add_option("INPUT", options->file, "UTF-8 text input")->required();
    buildCommand->add_option("OUTPUT", options->output, "Dictionary file to write")->required();
    buildCommand->add_option("--key", options->key, "Scramble the file with this key");
    buildCommand->callback([options] { build(*options); });

    CLI::App* lists = app.add_subcommand(
        "wordlists", "Rebuild the 3-, 4- and 5-letter word lists W3, W4, W5 from a dictionary");
    lists->add_option("DIC", options->file, "Dictionary file")->required();
    lists->add_option("OUTDIR", options->output, "Folder for W3, W4 and W5")->required();
    lists->callback([options] { rebuildWordLists(*options); });
}

} // namespace quorvel::tool
