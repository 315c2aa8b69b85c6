// quorvel-tool: play commands.
#include "Tool.h"

namespace quorvel::tool {

void addPlayCommand(CLI::App& /*app*/) {}

} // namespace quorvel::tool
