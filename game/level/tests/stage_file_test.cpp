// The stage file reader: one fault of every rule in one table, the shipped
// jungle file equal to the compiled-in layer, and the fuzzer's regressions.
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

Lines jungle_rows() {
    Lines rows;
    for (const auto& row : jungle_map0) {
        std::string text;
        for (int code : row)
            text += static_cast<char>('0' + code);
        rows.push_back(text);
    }
    return rows;
}

std::string join(const Lines& lines, const char* end = "\n") {
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

void collect(void* context, int line, int column, const char* what) {
    static_cast<Lines*>(context)->push_back(std::to_string(line) + ":" + std::to_string(column) +
                                            ": " + what);
}

Lines faults_of(const std::string& text, StageFile* stage) {
    Lines faults;
    const bool valid = parse_stage(reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                                   stage, collect, &faults);
    EXPECT_EQ(valid, faults.empty());
    return faults;
}

struct Case {
    const char* rule;
    std::string (*text)();
    const char* first;  // the first fault, "" for none
    size_t count;
};

const Case kCases[] = {
    {"CRLF, a BOM, trailing blanks, comments, no final newline",
     [] {
         std::string text = "\xEF\xBB\xBF# name:   Jungle again  \r\n# a comment\r\n\r\n";
         text += join(jungle_rows(), " \t\r\n");
         return text.substr(0, text.size() - 4);
     },
     "", 0},
    {"a row too short",
     [] {
         Lines r = jungle_rows();
         r[2].pop_back();
         return join(r);
     },
     "3:100: row ends after 99 codes", 1},
    {"a row too long",
     [] {
         Lines r = jungle_rows();
         r[2] += "0";
         return join(r);
     },
     "3:101: row is 101 characters long", 1},
    {"a character that is not a code, counted in characters",
     [] {
         Lines r = jungle_rows();
         r[4].replace(6, 1, "\xC3\xA9");
         return join(r);
     },
     "5:7: '\xC3\xA9' is not a tile code", 1},
    {"fewer rows",
     [] {
         Lines r = jungle_rows();
         r.pop_back();
         return join(r);
     },
     "16:1: the file ends after 15 rows", 1},
    {"more rows",
     [] {
         Lines r = jungle_rows();
         r.push_back(r[0]);
         return join(r);
     },
     "17:1: row 17: a stage has 16 rows", 1},
    {"a ninth bridge cell, in file order before a later fault",
     [] {
         Lines r = jungle_rows();
         r[0][50] = '9';
         r[11][0] = 'x';
         return join(r);
     },
     "9:37: bridge cell 9: the game has 8 bridges", 2},
    {"a 101st platform",
     [] {
         Lines r = jungle_rows();
         for (int row = 0; row < 3; ++row) {
             r[row].clear();
             for (int k = 0; k < 50; ++k)
                 r[row] += "10";
         }
         return join(r);
     },
     "3:1: platform 101 begins here", 1},
    {"nothing under the drop-in",
     [] {
         Lines r = jungle_rows();
         r[8].replace(1, 5, "00000");
         return join(r);
     },
     "1:3: nothing below the start", 1},
    {"too large", [] { return std::string(kStageFileLimit + 1, '0'); }, "1:1: larger than 65536",
     1},
    {"a NUL byte",
     [] {
         Lines r = jungle_rows();
         r[1][4] = '\0';
         return join(r);
     },
     "2:5: not text: control character 0x00", 1},
    {"invalid UTF-8",
     [] {
         Lines r = jungle_rows();
         r[3][0] = '\xFF';
         return join(r);
     },
     "4:1: not text: byte 0xFF is not UTF-8", 1},
};

}  // namespace

TEST(StageFile, ReportsEachRuleWhereItIsBroken) {
    for (const Case& c : kCases) {
        StageFile stage;
        const Lines faults = faults_of(c.text(), &stage);
        ASSERT_EQ(faults.size(), c.count) << c.rule << (faults.empty() ? "" : ": " + faults[0]);
        if (c.count == 0) {
            EXPECT_STREQ(stage.name, "Jungle again") << c.rule;
            EXPECT_EQ(std::memcmp(stage.codes, jungle_map0, sizeof stage.codes), 0) << c.rule;
        } else {
            EXPECT_EQ(faults[0].rfind(c.first, 0), 0u) << c.rule << ": " << faults[0];
        }
    }
}

TEST(StageFile, TheShippedJungleIsTheCompiledInLayer) {
    StageFile stage;
    ASSERT_TRUE(read_stage_file(VELLIN_ASSETS_DIR "/stages/jungle.stage", &stage, stderr));
    EXPECT_STREQ(stage.name, "Jungle");
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c)
            ASSERT_EQ(stage.codes[r][c], jungle_map0[r][c]) << r << "," << c;
    }
}

// Each input the fuzzer ever broke the reader with reads cleanly now.
TEST(StageFile, ReadsEveryFuzzRegression) {
    DIR* dir = opendir(VELLIN_STAGE_REGRESSIONS);
    ASSERT_NE(dir, nullptr);
    int files = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream in(std::string(VELLIN_STAGE_REGRESSIONS "/") + entry->d_name,
                         std::ios::binary);
        StageFile stage;
        faults_of(std::string(std::istreambuf_iterator<char>(in), {}), &stage);
        ++files;
    }
    closedir(dir);
    EXPECT_GT(files, 0);
}
