// kelpcheck FILE...: reports what the game's model reader would drop, cut,
// clamp or guess in each text model file.
#include <cstdio>
#include <vector>

#include "check.h"
#include "cmdline/cmdline.h"

namespace {

static_assert(kUsageStatus == kCheckUnreadable, "a bad command line exits as an unreadable file");

int quiet;

const CmdOption kOptions[] = {
    cmd_letter('q', cmd_flag("--quiet", &quiet, 1, "print only the reports, no summaries")),
};

const CmdLine kLine = {
    "kelpcheck",
    "[OPTION]... FILE...",
    "Reads each text model file as the game does and reports, one line each\n"
    "(FILE:LINE: what), every place where the reader drops, cuts, clamps or\n"
    "guesses, then a summary of the model.\n",
    kOptions,
    1,
    "FILE",
    1,
    -1,
    "Exit status: 0 when nothing was reported, 1 when something was, 2 when a\n"
    "file cannot be read or the command line is wrong.\n",
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<const char*> files(argc);
    int count = 0;
    const int status = parse_command_line(kLine, argc, argv, files.data(), &count, stdout, stderr);
    if (status >= 0) {
        return status;
    }
    int worst = kCheckClean;
    for (int i = 0; i < count; i++) {
        const int result = check_file(files[i], quiet != 0, stdout, stderr);
        worst = result > worst ? result : worst;
    }
    return worst;
}
