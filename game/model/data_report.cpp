// The one line said about a data file that the program cannot use, or uses
// only in part: it runs on without it.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "model/model.h"

const char* report_program = "vellin";

namespace {

const int kReportSize = 1024;
// Start-up reads one bridge file eight times, and each read may say two
// things (a texture, where reading stopped): the last few lines are kept.
const int kKept = 4;
char kept[kKept][kReportSize];
int next_kept;

}  // namespace

void report_data_file(const char* file, const char* problem) {
    char line[kReportSize];
    // Cut to fit, leaving room for the line end.
    std::snprintf(line, sizeof line - 1, "%s: %s: %s", report_program, file, problem);
    // A name read from a model file may hold anything, a line end included.
    for (char* c = line; *c != '\0'; ++c)
        if (!std::isprint(static_cast<unsigned char>(*c)))
            *c = '?';
    std::strcat(line, "\n");
    for (const char* said : kept)
        if (std::strcmp(line, said) == 0)
            return;
    std::memcpy(kept[next_kept], line, sizeof line);
    next_kept = (next_kept + 1) % kKept;
    std::fputs(line, stderr);
}

void report_read_stop(const char* path) {
    // An empty file reads to its end without a fault, yet nothing of it is drawn.
    if (read_stop.nothing)
        report_data_file(path, "holds no model (neither a mesh nor a bone)");
    if (read_stop.line == 0)
        return;
    char at[kReportSize];
    std::snprintf(at, sizeof at, "%s:%d", path, read_stop.line);
    char problem[kReportSize];
    std::snprintf(problem, sizeof problem, "%s (the model keeps what came before)", read_stop.what);
    report_data_file(at, problem);
}
