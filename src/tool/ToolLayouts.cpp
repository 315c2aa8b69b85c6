// quorvel-tool: layouts commands.
#include "Tool.h"

namespace quorvel::tool {

void addLayoutCommands(CLI::App& /*app*/) {}

} // namespace quorvel::tool
