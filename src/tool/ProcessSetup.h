// What the tool's process needs from its system before it parses a command: its own folder,
// its arguments as UTF-8 and its standard streams as plain bytes.
#pragma once

#include <string>
#include <vector>

namespace quorvel::tool {

// The folder of the running executable (argv0 is the fallback where the system cannot tell).
std::string executableFolder(const char* argv0);

// The command line as UTF-8 strings. On Windows it is read again in wide characters, so a
// file name outside the code page arrives whole.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Standard input, output and error pass bytes as they are (no CR added before each LF on
// Windows), so the tool's output is the same on every system.
void useBinaryStandardStreams();

} // namespace quorvel::tool
