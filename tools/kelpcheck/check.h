// kelpcheck's work on one model file: read it through the game's reader with
// a report sink, print every report as FILE:LINE: what, then a summary.
#ifndef VELLIN_KELPCHECK_CHECK_H
#define VELLIN_KELPCHECK_CHECK_H

#include <cstdio>

// Results of check_file, worst last; the program exits with the worst.
enum { kCheckClean = 0, kCheckReported = 1, kCheckUnreadable = 2 };

// Checks `path`: reports and the summary (unless `quiet`) go to `out`, the
// reason a file cannot be read to `err`.
int check_file(const char* path, bool quiet, std::FILE* out, std::FILE* err);

#endif
