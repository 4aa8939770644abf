#pragma once

#include <cstdio>
#include <optional>

namespace fathomer {

// The two questions the command line may ask: "--help" (or "-h") and "--version". They are answered
// on `out` before the toolkit starts, so they work where no display is reachable; the result is the
// exit status then. Any other argument is ignored and the program starts (nullopt).
std::optional<int> answerCommandLine(int argc, char *const argv[], std::FILE *out);

}  // namespace fathomer
