// The stage file reader: the jungle's rows, edited to break one rule each (or
// to use every allowed variation), in one table; the fuzzer's regressions;
// the shipped jungle file equal to the compiled-in layer.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "level/level.h"

namespace {

using Lines = std::vector<std::string>;

void collect(void* context, int line, int column, const char* what) {
    static_cast<Lines*>(context)->push_back(std::to_string(line) + ":" + std::to_string(column) +
                                            ": " + what);
}

std::string fifty_ledges() {
    std::string s;
    for (int k = 0; k < 50; ++k)
        s += "10";
    return s;
}

// Replaces `erase` characters at (row, column) with `insert`; row 16 is an
// extra line after the layer, blank unless a case writes into it.
struct Edit {
    int row, column, erase;
    std::string insert;
};

struct Case {
    const char* rule;
    std::vector<Edit> edits;
    const char* first;  // the first fault
    size_t count;
};

const Case kCases[] = {
    {"allowed: BOM, name, blank lines, CRLF, trailing blanks",
     {{0, 0, 0, "\xEF\xBB\xBF# name:  Jungle again \r\n\r\n"}, {5, 100, 0, " \t\r"}},
     "",
     0},
    {"a row too short", {{2, 99, 1, ""}}, "3:100: row ends after 99 codes", 1},
    {"a row too long", {{2, 100, 0, "0"}}, "3:101: row is 101 characters long", 1},
    {"a character not a code, columns in characters",
     {{4, 6, 1, "\xC3\xA9"}},
     "5:7: '\xC3\xA9' is not a tile code",
     1},
    {"fewer rows", {{15, 0, 100, ""}}, "18:1: the file ends after 15 rows", 1},
    {"more rows", {{16, 0, 0, "0"}}, "17:1: row 17: a stage has 16 rows", 1},
    {"a ninth bridge cell, in file order before a later fault",
     {{0, 50, 1, "9"}, {11, 0, 1, "x"}},
     "9:37: bridge cell 9: a stage has at most 8 bridge cells, one piece each",
     2},
    {"a 101st platform",
     {{0, 0, 100, fifty_ledges()}, {1, 0, 100, fifty_ledges()}, {2, 0, 100, fifty_ledges()}},
     "3:1: platform 101 begins here",
     1},
    {"nothing under the drop-in", {{8, 1, 5, "00000"}}, "1:3: nothing below the start", 1},
    {"too large", {{0, 0, 0, std::string(kStageFileLimit, '0')}}, "1:1: larger than 65536", 1},
    {"a NUL byte", {{1, 4, 1, std::string(1, '\0')}}, "2:5: not text: control character 0x00", 1},
    {"invalid UTF-8", {{3, 0, 1, "\xFF"}}, "4:1: not text: byte 0xFF is not UTF-8", 1},
};

}  // namespace

TEST(StageFile, ReportsEachRuleWhereItIsBroken) {
    for (const Case& c : kCases) {
        Lines rows(kMapRows + 1);
        for (int r = 0; r < kMapRows; ++r) {
            for (int code : jungle_map0[r])
                rows[r] += static_cast<char>('0' + code);
        }
        for (const Edit& e : c.edits)
            rows[e.row].replace(e.column, e.erase, e.insert);
        std::string text;
        for (const std::string& row : rows)
            text += row + "\n";
        StageFile stage;
        Lines faults;
        const bool valid = parse_stage(reinterpret_cast<const unsigned char*>(text.data()),
                                       text.size(), &stage, collect, &faults);
        EXPECT_EQ(valid, faults.empty()) << c.rule;
        ASSERT_EQ(faults.size(), c.count) << c.rule << (faults.empty() ? "" : ": " + faults[0]);
        if (c.count == 0) {
            EXPECT_STREQ(stage.name, "Jungle again");
            EXPECT_EQ(std::memcmp(stage.codes, jungle_map0, sizeof stage.codes), 0);
        } else {
            EXPECT_EQ(faults[0].rfind(c.first, 0), 0u) << c.rule << ": " << faults[0];
        }
    }
    // And each input the fuzzer ever broke the reader with reads cleanly now.
    DIR* dir = opendir(VELLIN_STAGE_REGRESSIONS);
    ASSERT_NE(dir, nullptr);
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream in(std::string(VELLIN_STAGE_REGRESSIONS "/") + entry->d_name);
        const std::string text(std::istreambuf_iterator<char>(in), {});
        StageFile stage;
        parse_stage(reinterpret_cast<const unsigned char*>(text.data()), text.size(), &stage,
                    nullptr, nullptr);
    }
    closedir(dir);
}

TEST(StageFile, TheShippedJungleIsTheCompiledInLayer) {
    StageFile stage;
    ASSERT_TRUE(read_stage_file(VELLIN_ASSETS_DIR "/stages/jungle.stage", &stage, stderr));
    EXPECT_STREQ(stage.name, "Jungle");
    EXPECT_EQ(std::memcmp(stage.codes, jungle_map0, sizeof stage.codes), 0);
}
