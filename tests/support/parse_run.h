// Runs a command-line parser on "<program> <args>..." as main() gets it, with
// what it prints on stdout and stderr caught. For tests only.
#ifndef VELLIN_PARSE_RUN_H
#define VELLIN_PARSE_RUN_H

#include <cstdio>
#include <string>
#include <vector>

struct ParseRun {
    int status;
    std::string out, err;
};

// Everything written to `f`, which is then closed.
inline std::string read_back(std::FILE* f) {
    std::string s;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;) {
        s += static_cast<char>(c);
    }
    std::fclose(f);
    return s;
}

// `parse(argc, argv, out, err)` returns the status. The arguments live until
// the next run, as a program's argv does, since values point into them.
template <class Parse>
ParseRun run_parse(const char* program, std::vector<std::string> args, Parse parse) {
    static std::vector<std::string> held;
    held = std::move(args);
    held.insert(held.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : held) {
        argv.push_back(a.data());
    }
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = parse(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, read_back(out), read_back(err)};
}

#endif
