// The stage file reader: the jungle's rows, edited to break one rule each (or
// to use every allowed variation), in one table; the fuzzer's regressions;
// the shipped jungle file equal to the compiled-in layer.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "level/level.h"
#include "temp_dir.h"

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
    std::vector<const char*> faults;  // each fault's beginning, in order
    const char* name;                 // the name read, when checked
};

// The drop-in's words, said once for every case that misses it.
#define DROP_IN "(x 60, between columns 3 and 4)"
#define PUT \
    "put a ledge across both in row 3 or below, or a bridge cell in one of them in row 2 or below"

const std::string kNameOfBlanks = "+" + std::string(80, ' ') + "x";

// clang-format off
const Case kCases[] = {
    {"allowed: BOM, name, blank lines, CRLF, trailing blanks", {{0, 0, 0, "\xEF\xBB\xBF# name:  Jungle again \r\n\r\n"}, {5, 100, 0, " \t\r"}}, {}, "Jungle again"},
    {"a name cut at its limit loses the blanks before the cut", {{0, 0, 0, "# name: " + kNameOfBlanks + "\n"}}, {}, "+"},
    {"a name cut at its limit keeps whole characters", {{0, 0, 0, "# name: " + std::string(62, 'n') + "\xC3\xA9\n"}}, {}, "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn"},
    {"a row too short", {{2, 99, 1, ""}}, {"3:100: row ends after 99 codes"}, nullptr},
    {"a row too long", {{2, 100, 0, "0"}}, {"3:101: row is 101 characters long"}, nullptr},
    {"a character not a code, columns in characters", {{4, 6, 1, "\xC3\xA9"}}, {"5:7: '\xC3\xA9' is not a tile code"}, nullptr},
    {"fewer rows", {{15, 0, 100, ""}}, {"18:1: the file ends after 15 rows"}, nullptr},
    {"more rows", {{16, 0, 0, "0"}}, {"17:1: row 17: a stage has 16 rows"}, nullptr},
    {"a ninth bridge cell, in file order before a later fault", {{0, 50, 1, "9"}, {11, 0, 1, "x"}}, {"9:37: bridge cell 9: a stage has at most 8 bridge cells, one piece each", "12:1: 'x' is not a tile code"}, nullptr},
    {"a 101st platform", {{0, 0, 100, fifty_ledges()}, {1, 0, 100, fifty_ledges()}, {2, 0, 100, fifty_ledges()}}, {"3:1: platform 101 begins here"}, nullptr},
    {"nothing under the drop-in", {{8, 1, 5, "00000"}}, {"1:3: nothing below the start " DROP_IN " catches the trooper: he would fall for ever; " PUT}, nullptr},
    {"a ledge across the drop-in in row 2 is above his feet", {{8, 1, 5, "00000"}, {1, 1, 4, "1111"}}, {"2:3: the trooper drops in " DROP_IN " with his feet in row 2, already below the top of this ledge, so it cannot catch him and nothing lower does; " PUT}, nullptr},
    {"a bridge cell in row 1 is above his feet", {{8, 1, 5, "00000"}, {8, 36, 1, "0"}, {0, 3, 1, "9"}}, {"1:4: the trooper drops in " DROP_IN " with his feet in row 2, already below the top of this bridge cell"}, nullptr},
    {"a ledge across the drop-in in row 3 catches him", {{8, 1, 5, "00000"}, {2, 2, 2, "11"}}, {}, nullptr},
    {"a bridge cell in row 2 catches him", {{8, 1, 5, "00000"}, {8, 36, 1, "0"}, {1, 2, 1, "9"}}, {}, nullptr},
    {"every fault in one pass: the drop-in whatever else is wrong, each run of non-codes", {{8, 1, 5, "00000"}, {4, 6, 5, "x1yy1"}, {11, 20, 12, std::string(12, 'z')}, {0, 50, 1, "9"}}, {"1:3: nothing below the start", "5:7: 'x' is not a tile code", "5:9: 'yy' (2 characters) are not tile codes", "9:37: bridge cell 9", "12:21: 'zzzzzzzz...' (12 characters) are not tile codes"}, nullptr},
    {"too large", {{0, 0, 0, std::string(kStageFileLimit, '0')}}, {"1:1: larger than 65536"}, nullptr},
    {"a NUL byte", {{1, 4, 1, std::string(1, '\0')}}, {"2:5: not text: control character 0x00"}, nullptr},
    {"invalid UTF-8", {{3, 0, 1, "\xFF"}}, {"4:1: not text: byte 0xFF is not UTF-8"}, nullptr},
};
// clang-format on

std::string jungle_text(const std::vector<Edit>& edits) {
    Lines rows(kMapRows + 1);
    for (int r = 0; r < kMapRows; ++r) {
        for (int code : jungle_map0[r])
            rows[r] += static_cast<char>('0' + code);
    }
    for (const Edit& e : edits)
        rows[e.row].replace(e.column, e.erase, e.insert);
    std::string text;
    for (const std::string& row : rows)
        text += row + "\n";
    return text;
}

bool parse(const std::string& text, StageFile* stage, Lines* faults) {
    return parse_stage(reinterpret_cast<const unsigned char*>(text.data()), text.size(), stage,
                       faults ? collect : nullptr, faults);
}

// What any input must give: faults that name a place, and a valid stage
// that prints back as text reading to the same layer and name.
void expect_sound(const std::string& text, const std::string& what) {
    StageFile stage;
    Lines faults;
    const bool valid = parse(text, &stage, &faults);
    EXPECT_EQ(valid, faults.empty()) << what;
    for (const std::string& f : faults)
        EXPECT_EQ(f.find_first_of("123456789"), 0u) << what << ": " << f;
    if (!valid)
        return;
    std::string back = std::string("# name: ") + stage.name + "\n";
    for (const auto& row : stage.codes) {
        for (int code : row)
            back += static_cast<char>('0' + code);
        back += '\n';
    }
    StageFile again;
    ASSERT_TRUE(parse(back, &again, nullptr)) << what;
    EXPECT_STREQ(again.name, stage.name) << what;
    EXPECT_EQ(std::memcmp(again.codes, stage.codes, sizeof stage.codes), 0) << what;
}

}  // namespace

TEST(StageFile, ReportsEveryFaultWhereItIsAtOnce) {
    for (const Case& c : kCases) {
        const std::string text = jungle_text(c.edits);
        StageFile stage;
        Lines faults;
        const bool valid = parse(text, &stage, &faults);
        EXPECT_EQ(valid, faults.empty()) << c.rule;
        ASSERT_EQ(faults.size(), c.faults.size())
            << c.rule << (faults.empty() ? "" : ": " + faults[0]);
        for (size_t k = 0; k < faults.size(); ++k)
            EXPECT_EQ(faults[k].rfind(c.faults[k], 0), 0u) << c.rule << ": " << faults[k];
        if (c.name != nullptr) {
            EXPECT_STREQ(stage.name, c.name) << c.rule;
        }
        if (&c == kCases) {
            EXPECT_EQ(std::memcmp(stage.codes, jungle_map0, sizeof stage.codes), 0);
        }
        expect_sound(text, c.rule);
    }
    // Past the table's end the earliest faults are kept, and the last line
    // says how many more there are: 800 runs of 'x' and the drop-in.
    std::vector<Edit> mess;
    for (int r = 0; r < kMapRows; ++r) {
        std::string row;
        for (int k = 0; k < kMapColumns / 2; ++k)
            row += "x0";
        mess.push_back({r, 0, 100, row});
    }
    StageFile stage;
    Lines faults;
    parse(jungle_text(mess), &stage, &faults);
    ASSERT_EQ(faults.size(), 49u);
    EXPECT_EQ(faults[2].rfind("1:3: nothing below the start", 0), 0u) << faults[2];
    EXPECT_EQ(faults[48], "1:93: and 753 more faults after this one");
    // And each input the fuzzer ever broke the reader with reads soundly now.
    DIR* dir = opendir(VELLIN_STAGE_REGRESSIONS);
    ASSERT_NE(dir, nullptr);
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream in(std::string(VELLIN_STAGE_REGRESSIONS "/") + entry->d_name);
        expect_sound(std::string(std::istreambuf_iterator<char>(in), {}), entry->d_name);
    }
    closedir(dir);
}

TEST(StageFile, TheShippedJungleIsTheCompiledInLayer) {
    StageFile stage;
    ASSERT_TRUE(read_stage_file(VELLIN_ASSETS_DIR "/stages/jungle.stage", &stage, stderr));
    EXPECT_STREQ(stage.name, kJungleName);
    EXPECT_EQ(std::memcmp(stage.codes, jungle_map0, sizeof stage.codes), 0);
}

namespace {

// A player's folder and a data folder: "mine" (valid), "bad" (not), and a
// "steps" in each with different layers, the player's first.
struct Folders {
    TempDir dir{"stage_choice"};
    std::string player = (dir.path() / "player/").string(), data = (dir.path() / "data/").string();
    const char* list[2] = {player.c_str(), data.c_str()};
    std::uint32_t hashes[4] = {};  // by Hash: none, mine, the player's steps, the data's steps

    Folders() {
        mkdir(player.c_str(), 0700);
        mkdir(data.c_str(), 0700);
        write(player + "mine.stage", "# name: Mine\n" + jungle_text({{8, 10, 1, "0"}}), &hashes[1]);
        write(player + "bad.stage", "# name: Broken\n1x\n", nullptr);
        write(player + "steps.stage", jungle_text({{8, 20, 1, "0"}}), &hashes[2]);
        write(data + "steps.stage", jungle_text({{8, 30, 1, "0"}}), &hashes[3]);
    }
    static void write(const std::string& path, const std::string& text, std::uint32_t* hash) {
        std::ofstream(path) << text;
        StageFile stage;
        if (hash != nullptr && parse(text, &stage, nullptr))
            *hash = stage_hash(stage.codes);
    }
};

struct Said {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* file = open_memstream(&text, &size);
    std::string take() {
        std::fflush(file);
        std::string s(text, size);
        std::fclose(file);
        std::free(text);
        return s;
    }
};

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

// One start: a stage from the command line or the settings file, or a demo's
// (name, which hash, its own layer or not). In `said`, P is the player's
// folder, H the hash asked for, M mine's hash.
enum Hash { kNone, kMine, kPlayerSteps, kDataSteps, kOther };
struct Choice {
    const char* what;
    const char* value;  // --stage or stage =; null: a demo's stage, `name`
    bool command_line;
    const char* name;
    Hash hash;
    bool carries;  // the demo holds its layer: mine's, or one with a bad code when hash is kOther
    int status;
    const char* said;
    const char* stem;  // in play after a -1: stage_stem, stage_name and whose layer
    const char* shown;
    Hash layer;  // kNone: the jungle compiled in
};

// clang-format off
const Choice kChoices[] = {
    {"no stage", "", false, nullptr, kNone, false, -1, "", "jungle", "", kNone},
    {"a name found", "mine", true, nullptr, kNone, false, -1, "", "mine", "Mine", kMine},
    {"the player's folder first", "steps", false, nullptr, kNone, false, -1, "", "steps", "steps", kPlayerSteps},
    {"a file", "P/mine.stage", true, nullptr, kNone, false, -1, "", "mine", "Mine", kMine},
    {"--stage not found", "nosuch", true, nullptr, kNone, false, 1, "vellin: --stage nosuch: no stage of that name (vellin --list-stages)\n", "", "", kNone},
    {"stage = not found plays the jungle", "nosuch", false, nullptr, kNone, false, -1, "vellin: stage = nosuch: no stage of that name (vellin --list-stages); playing the jungle\n", "jungle", "", kNone},
    {"--stage not valid", "bad", true, nullptr, kNone, false, 1, "vellin: P/bad.stage:2:2: 'x' is not a tile code (0 empty, 1 ledge, 5 rock, 9 bridge) (4 faults: vellin --check-stage P/bad.stage lists them)\n", "", "", kNone},
    {"stage = not valid plays the jungle", "bad", false, nullptr, kNone, false, -1, "vellin: stage = bad: P/bad.stage:2:2: 'x' is not a tile code (0 empty, 1 ledge, 5 rock, 9 bridge) (4 faults: vellin --check-stage P/bad.stage lists them); playing the jungle\n", "jungle", "", kNone},
    {"a demo naming no stage", nullptr, false, "", kNone, false, -1, "", "jungle", "", kNone},
    {"a demo on a stage found", nullptr, false, "mine", kMine, false, -1, "", "mine", "Mine", kMine},
    {"a demo on the data's steps, behind the player's", nullptr, false, "steps", kDataSteps, false, -1, "", "steps", "steps", kDataSteps},
    {"a demo on a stage since changed", nullptr, false, "mine", kOther, false, 1, "vellin: run.demo: needs the stage mine (hash H), which has changed since the recording: P/mine.stage has hash M\n", "", "", kNone},
    {"a demo on a stage since broken", nullptr, false, "bad", kOther, false, 1, "vellin: run.demo: needs the stage bad (hash H), which has changed since the recording: P/bad.stage is not valid now (vellin --check-stage P/bad.stage)\n", "", "", kNone},
    {"a demo on a stage not found", nullptr, false, "gone", kOther, false, 1, "vellin: run.demo: needs the stage gone (hash H), not found in the stages folders (vellin --list-stages)\n", "", "", kNone},
    {"a demo carrying its layer plays it wherever it is", nullptr, false, "gone", kMine, true, -1, "", "gone", "gone", kMine},
    {"a demo carrying a layer that breaks the rules", nullptr, false, "gone", kOther, true, 1, "vellin: run.demo: the stage it carries breaks 1 of the stage rules: not a demo this game made\n", "", "", kNone},
};
// clang-format on

}  // namespace

TEST(StageChoice, PlaysWhatWasAskedOrSaysWhyInOneLine) {
    const Folders folders;
    char hex[16];
    for (const Choice& c : kChoices) {
        const std::uint32_t hash =
            c.hash == kOther || c.hash == kNone ? 0x12345678u : folders.hashes[c.hash];
        StageFile carried;  // mine's layer, or one with a code no tile has
        parse(jungle_text({{8, 10, 1, "0"}}), &carried, nullptr);
        carried.codes[8][10] = c.hash == kOther ? 7 : 0;
        play_jungle();
        Said said;
        const int status =
            c.value != nullptr
                ? choose_stage(replaced(c.value, "P/", folders.player).c_str(), c.command_line,
                               folders.list, 2, said.file)
                : choose_demo_stage("run.demo", c.name, hash, c.carries ? carried.codes : nullptr,
                                    folders.list, 2, said.file);
        std::string want = replaced(c.said, "P/", folders.player);
        std::snprintf(hex, sizeof hex, "%08x", hash);
        want = replaced(want, "(hash H)", std::string("(hash ") + hex + ")");
        std::snprintf(hex, sizeof hex, "%08x", folders.hashes[kMine]);
        want = replaced(want, "hash M", std::string("hash ") + hex);
        EXPECT_EQ(status, c.status) << c.what;
        EXPECT_EQ(said.take(), want) << c.what;
        if (status >= 0)
            continue;
        EXPECT_STREQ(stage_stem, c.stem) << c.what;
        EXPECT_STREQ(stage_name, c.shown) << c.what;
        if (c.layer == kNone) {
            EXPECT_EQ(tile_layer, jungle_map0) << c.what;
        } else {
            EXPECT_EQ(stage_hash(tile_layer), folders.hashes[c.layer]) << c.what;
        }
    }
}
