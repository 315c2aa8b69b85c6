// quorvel-tool: the command-line companion over the game's core.
#include "ProcessSetup.h"
#include "Tool.h"
#include "base/ProgramFolder.h"

#include <iostream>
#include <vector>

namespace quorvel::tool {

namespace {
std::string g_toolFolder;
}

const std::string& toolFolder() {
    return g_toolFolder;
}

} // namespace quorvel::tool

int main(int argc, char** argv) {
    using namespace quorvel::tool;
    useBinaryStandardStreams();
    g_toolFolder = quorvel::locateProgramFolder(executableFolder(argc > 0 ? argv[0] : nullptr));
    std::vector<std::string> arguments = utf8Arguments(argc, argv);
    std::vector<char*> argumentPointers;
    for (std::string& argument : arguments)
        argumentPointers.push_back(argument.data());

    CLI::App app{"quorvel-tool: dictionaries, layouts and headless play for Quorvel"};
    // A path such as /tmp/words.dic is a file, never an option, on Windows too. Subcommands
    // take this from the app when they are made, so it comes first.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", std::string("quorvel-tool ") + QUORVEL_VERSION);
    app.require_subcommand(0, 1);
    addDictionaryCommands(app);
    addLayoutCommands(app);
    addPlayCommand(app);
    addDailyCommand(app);
    addStatsCommand(app);

    try {
        app.parse(static_cast<int>(argumentPointers.size()), argumentPointers.data());
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    } catch (const ExitStatus& status) {
        if (!status.message.empty())
            std::cerr << status.message << '\n';
        return status.code;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    if (app.get_subcommands().empty()) {
        std::cout << app.help();
    }
    return 0;
}
