#include "app/command_line.h"

#include <cstring>

namespace fathomer {

namespace {

const char kUsage[] = "Usage: fathomer [--help | --version]\n"
                      "\n"
                      "Fathomer Simulator: a hand-held LED submarine-hunt game on the screen.\n"
                      "Without arguments it starts the game; other arguments are ignored.\n"
                      "\n"
                      "  -h, --help     print this text and exit\n"
                      "      --version  print the version and exit\n"
                      "\n"
                      "Keys: 1 power, arrow keys move, Ctrl fires; right-click the device for the menu.\n"
                      "Files, settings and environment: see fathomer(6).\n";

// A text that could not be written (a closed or full output) is a failure, as for any command.
int finish(std::FILE *out) { return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 1; }

}  // namespace

std::optional<int> answerCommandLine(int argc, char *const argv[], std::FILE *out) {
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--") == 0) break;  // what follows is not an option
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(kUsage, out);
            return finish(out);
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::fprintf(out, "Fathomer Simulator %s\n", FATHOMER_VERSION);
            return finish(out);
        }
    }
    return std::nullopt;
}

}  // namespace fathomer
