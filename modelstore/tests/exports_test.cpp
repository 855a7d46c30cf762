// The shared library exports the 89 functions and nothing else, and needs
// only the C runtime.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

namespace {
std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) {
        output.append(chunk, got);
    }
    pclose(pipe);
    return output;
}
}  // namespace

TEST(Exports, LibraryExportsExactlyTheListedFunctions) {
    std::set<std::string> listed;
    std::ifstream list(KP_EXPORTS_LIST);
    for (std::string name; list >> name;) {
        listed.insert(name);
    }
    ASSERT_EQ(listed.size(), 89u);

    // nm -D --defined-only lines read "address type name".
    std::istringstream symbols(run("nm -D --defined-only '" KP_LIBRARY "'"));
    std::set<std::string> exported;
    for (std::string line; std::getline(symbols, line);) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) {
            exported.insert(name);
        }
    }
    EXPECT_EQ(exported, listed);
}

TEST(Exports, LibraryNeedsOnlyTheCRuntime) {
    std::istringstream dynamic(run("readelf -d '" KP_LIBRARY "'"));
    std::set<std::string> needed;
    for (std::string line; std::getline(dynamic, line);) {
        size_t open = line.find("(NEEDED)");
        size_t start = line.find('[');
        if (open != std::string::npos && start != std::string::npos) {
            needed.insert(line.substr(start + 1, line.find(']') - start - 1));
        }
    }
#ifdef KP_SANITIZED
    // The sanitizer runtimes come first and bring libc along.
    for (auto it = needed.begin(); it != needed.end();) {
        bool runtime = it->rfind("libasan", 0) == 0 || it->rfind("libubsan", 0) == 0;
        it = runtime ? needed.erase(it) : std::next(it);
    }
    needed.insert("libc.so.6");
#endif
    EXPECT_EQ(needed, std::set<std::string>{"libc.so.6"});
}
