// quorvel-tool: dictionary commands.
#include "Tool.h"

namespace quorvel::tool {

void addDictionaryCommands(CLI::App& /*app*/) {}

} // namespace quorvel::tool
