// Runs quorvel-tool from a test: arguments, optional standard input, exit status and output.
#pragma once

#include "EngineTestSupport.h"
#include "GameTestSupport.h"
#include "ProcessSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace quorvel {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;

    // The output's lines as JSON values (a line that is not JSON fails the parse).
    std::vector<nlohmann::json> jsonLines() const {
        std::vector<nlohmann::json> lines;
        std::size_t begin = 0;
        while (begin < out.size()) {
            const std::size_t end = out.find('\n', begin);
            lines.push_back(nlohmann::json::parse(out.substr(begin, end - begin)));
            if (end == std::string::npos)
                break;
            begin = end + 1;
        }
        return lines;
    }
};

// Runs the tool in a scratch folder that holds its standard input and error.
inline ToolRun runTool(const TempProgramFolder& scratch, const std::string& arguments,
                       const std::string& input = "") {
    scratch.write("stdin.txt", input);
    const std::string command = shellQuoted(QUORVEL_TOOL) + " " + arguments + " <" +
                                shellQuoted(scratch.path("stdin.txt")) + " 2>" +
                                shellQuoted(scratch.path("stderr.txt"));
    ToolRun run;
    CommandOutput output = runCommand(command);
    run.status = output.status;
    run.out = std::move(output.out);
    run.err = scratch.read("stderr.txt");
    return run;
}

// A program folder with a small dictionary and word lists, for `quorvel-tool play` sessions.
class ToolPlayFixture : public ::testing::Test {
protected:
    TempProgramFolder root;

    void setUpFolder(const std::string& layouts) {
        root.write("zq/formats", layoutsFile(layouts));
        root.writeDictionary("Common Words", generatedWords(30));
        root.write("zq/W3", "CATDOG");
        root.write("zq/W4", "");
        root.write("zq/W5", "");
    }
    ToolRun play(const std::string& options, const std::string& commands) {
        return runTool(root, "play --root " + shellQuoted(root.folder()) + " " + options, commands);
    }
    static std::vector<nlohmann::json> ofEvent(const std::vector<nlohmann::json>& lines,
                                               const std::string& event) {
        std::vector<nlohmann::json> out;
        for (const nlohmann::json& j : lines)
            if (j.at("event") == event)
                out.push_back(j);
        return out;
    }
};

} // namespace quorvel
