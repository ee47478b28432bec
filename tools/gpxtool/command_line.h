#pragma once
// gpxtool's command line: parses the arguments, runs one command and
// returns its exit status (2 for a usage error, 0 after --help).
#include <ostream>

namespace gpxtool {

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace gpxtool
