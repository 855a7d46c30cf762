// kelpcheck FILE...: reports what the game's model reader would drop, cut,
// clamp or guess in each text model file.
#include <cstdio>
#include <cstring>

#include "check.h"

namespace {

const char kUsage[] =
    "Usage: kelpcheck [--quiet] FILE...\n"
    "Reads each text model file as the game does and reports, one line each\n"
    "(FILE:LINE: what), every place where the reader drops, cuts, clamps or\n"
    "guesses, then a summary of the model.\n"
    "\n"
    "  -q, --quiet  print only the reports, no summaries\n"
    "  -h, --help   print this help\n"
    "\n"
    "Exit status: 0 when nothing was reported, 1 when something was, 2 when a\n"
    "file cannot be read or the command line is wrong.\n";

}  // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    bool options = true;
    int files = 0;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (options && arg[0] == '-' && arg[1] != '\0') {
            if (std::strcmp(arg, "--") == 0) {
                options = false;
            } else if (std::strcmp(arg, "-q") == 0 || std::strcmp(arg, "--quiet") == 0) {
                quiet = true;
            } else if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
                std::fputs(kUsage, stdout);
                return 0;
            } else {
                std::fprintf(stderr, "kelpcheck: unknown option %s\n%s", arg, kUsage);
                return kCheckUnreadable;
            }
        } else {
            files++;
        }
    }
    if (files == 0) {
        std::fputs(kUsage, stderr);
        return kCheckUnreadable;
    }
    int worst = kCheckClean;
    options = true;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (options && arg[0] == '-' && arg[1] != '\0') {
            options = std::strcmp(arg, "--") != 0;
            continue;
        }
        const int result = check_file(arg, quiet, stdout, stderr);
        worst = result > worst ? result : worst;
    }
    return worst;
}
