// quorvel-tool: the command-line companion over the game's core.
#include "Tool.h"
#include "base/ProgramFolder.h"

#include <filesystem>
#include <iostream>

namespace quorvel::tool {

namespace {
std::string g_toolFolder;
}

const std::string& toolFolder() {
    return g_toolFolder;
}

} // namespace quorvel::tool

namespace {

std::string executableFolder(const char* argv0) {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        self = std::filesystem::absolute(argv0 ? argv0 : ".", error);
    return self.parent_path().string();
}

} // namespace

int main(int argc, char** argv) {
    using namespace quorvel::tool;
    g_toolFolder = quorvel::locateProgramFolder(executableFolder(argc > 0 ? argv[0] : nullptr));

    CLI::App app{"quorvel-tool: dictionaries, layouts and headless play for Quorvel"};
    app.set_version_flag("--version", std::string("quorvel-tool ") + QUORVEL_VERSION);
    app.require_subcommand(0, 1);
    addDictionaryCommands(app);
    addLayoutCommands(app);
    addPlayCommand(app);
    addDailyCommand(app);
    addStatsCommand(app);

    try {
        app.parse(argc, argv);
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
