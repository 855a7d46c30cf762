// The settings file: every setting read, every kind of bad entry named on one
// line and kept at its default, and the printed defaults read back.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>  // truncate

#include "input/input.h"
#include "input/settings_lines.h"
#include "parse_run.h"  // read_back
#include "temp_dir.h"

namespace {

bool same(const Binding& a, const Binding& b) {
    if (a.key_count != b.key_count || a.button_count != b.button_count) {
        return false;
    }
    for (int i = 0; i < a.key_count; ++i) {
        if (a.keys[i] != b.keys[i]) {
            return false;
        }
    }
    for (int i = 0; i < a.button_count; ++i) {
        if (a.buttons[i] != b.buttons[i]) {
            return false;
        }
    }
    return true;
}

bool same(const Settings& a, const Settings& b) {
    return a.fullscreen == b.fullscreen && a.scale == b.scale && a.volume == b.volume &&
           a.mute == b.mute && a.vsync == b.vsync &&
           a.pause_on_focus_loss == b.pause_on_focus_loss && a.ghost == b.ghost &&
           std::string(a.stage) == b.stage;
}

bool same(const PadLayout& a, const PadLayout& b) {
    return a.move_stick == b.move_stick && a.move_x == b.move_x && a.move_y == b.move_y &&
           a.dpad_stick == b.dpad_stick && a.dpad_x == b.dpad_x && a.dpad_y == b.dpad_y &&
           a.dead_zone == b.dead_zone;
}

// Names what differs from the defaults; empty when nothing does.
std::string differences() {
    Binding b[kActionCount];
    std::copy(bindings, bindings + kActionCount, b);
    const Settings s = settings;
    const PadLayout l = pad_layout;
    reset_input_settings();
    std::string diff;
    for (int a = 0; a < kActionCount; ++a) {
        if (!same(b[a], bindings[a])) {
            diff += std::string(" ") + action_name(static_cast<Action>(a));
        }
    }
    diff += same(s, settings) ? "" : " settings";
    diff += same(l, pad_layout) ? "" : " pad layout";
    std::copy(b, b + kActionCount, bindings);
    settings = s;
    pad_layout = l;
    return diff;
}

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override { reset_input_settings(); }
    void TearDown() override { reset_input_settings(); }

    // Reads `text` as the settings file.
    int read(const std::string& text) {
        std::ofstream(path_) << text;
        return read_path(path_);
    }
    // Reads the file at `path`; the error output lands in err_.
    int read_path(const std::string& path) {
        std::FILE* err = std::tmpfile();
        const int bad = read_settings_file(path.c_str(), err);
        err_ = read_back(err);
        return bad;
    }

    TempDir dir_{"vellin-settings"};
    std::string path_ = (dir_.path() / "vellin.cfg").string();
    std::string err_;
};

}  // namespace

TEST_F(SettingsFile, EverySettingIsRead) {
    // Names in any case, as Allegro reads them, after a byte-order mark.
    EXPECT_EQ(read("\xEF\xBB\xBF[Settings]\nfullscreen = 0\nSCALE = 3\nvolume = 40\nmute = 1\n"
                   "vsync = 0\npause_on_focus_loss = 0\nghost = off\nStage =  my steps # comment \n"
                   "[PAD]\nmove_stick = 1\nmove_x_axis = 2\nmove_y_axis = 0\ndpad_stick = 4\n"
                   "dpad_x_axis = 1\ndpad_y_axis = 2\r\ndead_zone = 60\n"
                   "jump = 5 6  # south and east\naim = none\n"
                   "[Keys]\nJump = space ENTER\naim = X\ncamera = LEFT\nleft = none\n"),
              0)
        << err_;
    EXPECT_EQ(err_, "");
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.scale, 3);
    EXPECT_EQ(settings.volume, 40);
    EXPECT_EQ(settings.mute, 1);
    EXPECT_EQ(settings.vsync, 0);
    EXPECT_EQ(settings.pause_on_focus_loss, 0);
    EXPECT_EQ(settings.ghost, 0);
    EXPECT_STREQ(settings.stage, "my steps");
    EXPECT_TRUE(same(pad_layout, PadLayout{1, 2, 0, 4, 1, 2, 60}));
    // Jump and aim swap keys; a debug key may share with a play action.
    EXPECT_TRUE(same(bindings[kActJump], Binding{2, {KEY_SPACE, KEY_ENTER}, 2, {5, 6}}));
    EXPECT_TRUE(same(bindings[kActAim], Binding{1, {KEY_X}, 0, {}}));
    EXPECT_TRUE(same(bindings[kActCamera], Binding{1, {KEY_LEFT}, 0, {}}));
    EXPECT_TRUE(same(bindings[kActLeft], Binding{0, {}, 0, {}}));
    EXPECT_EQ(differences(), " left jump aim camera settings pad layout");
}

TEST_F(SettingsFile, EachBadEntryGivesOneLineAndKeepsItsDefault) {
    const struct {
        const char* text;
        const char* line;  // after "<path>:2: "
    } kCases[] = {
        {"[keys]\njump = FOO\n", "[keys] jump: unknown key name 'FOO'"},
        {"[keys]\njump = X ESC\n", "[keys] jump: Escape always quits"},
        {"[keys]\nleft = A B C D\n", "[keys] left: more than 3 keys"},
        {"[keys]\npause = LEFT\n", "[keys] pause: LEFT is bound to left as well"},
        {"[keys]\njupm = X\n", "[keys] jupm: unknown entry"},
        {"[pad]\njump = 32\n", "[pad] jump: '32' is not a button number from 0 to 31"},
        {"[pad]\npause = 0\n", "[pad] pause: button 0 is bound to jump as well"},
        {"[pad]\nmove_stick = 5\n", "[pad] move_stick: '5' is not a whole number from 0 to 4"},
        {"[pad]\ndpad_y_axis = -1\n", "[pad] dpad_y_axis: '-1' is not a whole number"},
        {"[settings]\nfullscreen = maybe\n", "[settings] fullscreen: 'maybe' is not yes or no"},
        {"[settings]\nmute = yes no\n", "[settings] mute: 'yes no' is not yes or no"},
        {"[settings]\nscale = 0\n", "[settings] scale: '0' is not a whole number from 1 to 6"},
        {"[settings]\nvolume = 50%\n", "[settings] volume: '50%' is not"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        reset_input_settings();
        EXPECT_EQ(read(c.text), 1);
        const std::string head = path_ + ":2: " + c.line;
        EXPECT_EQ(err_.compare(0, head.size(), head), 0) << err_;
        EXPECT_EQ(err_.find('\n'), err_.size() - 1) << err_;
        EXPECT_EQ(differences(), "");
    }
}

TEST_F(SettingsFile, EveryLineNotTakenIsNamedInFileOrder) {
    EXPECT_EQ(read("jump = X\n[keys]\nup = Q\npause\ndown = Q\naim =\nUP = W\n[key]\njump = Q\n"
                   "[settings]\n= 3\n[pad\n"),
              9);
    const std::string p = path_ + ":";
    EXPECT_EQ(err_,
              p + "1: jump: entry before the first section\n" +  //
                  p + "4: [keys] pause: no '=': write name = value\n" + p +
                  "5: [keys] down: Q is bound to up as well; keeping the default\n" + p +
                  "6: [keys] aim: no value: write none to leave it unbound; keeping the default\n" +
                  p + "7: [keys] UP: given already on line 3; this one is ignored\n" + p +
                  "8: [key]: unknown section\n" +  //
                  p + "9: [key] jump: in an unknown section\n" + p +
                  "11: [settings]: no entry name before '='\n" + p +
                  "12: [pad: not a section line: write [name]\n");
    EXPECT_EQ(differences(), " up");
}

TEST_F(SettingsFile, YesOrNoInTheUsualSpellings) {
    const struct {
        const char* value;
        int want;
    } kCases[] = {{"YES", 1}, {"0", 0}, {"True", 1}, {"off", 0}, {"no  # tearing is fine", 0}};
    for (const auto& c : kCases) {
        settings.vsync = !c.want;
        EXPECT_EQ(read(std::string("[settings]\nvsync = ") + c.value + "\n"), 0) << err_;
        EXPECT_EQ(settings.vsync, c.want) << c.value;
    }
}

TEST_F(SettingsFile, OnlyTheBadEntryKeepsItsDefault) {
    EXPECT_EQ(read("[keys]\nup = Q\ndown = Q\njump = J\n[settings]\nvolume = loud\nscale = 2\n"),
              2);
    EXPECT_NE(err_.find("[keys] down: Q is bound to up as well"), std::string::npos) << err_;
    EXPECT_EQ(differences(), " up jump settings");
    EXPECT_EQ(settings.volume, 100);
}

TEST_F(SettingsFile, RestartsDefaultKeyGivesWayToThePlayersBinding) {
    // R came to Back to the start after players had bound it elsewhere.
    EXPECT_EQ(read("[keys]\njump = R\n"), 0);
    EXPECT_EQ(err_, "");
    EXPECT_TRUE(same(bindings[kActJump], Binding{1, {KEY_R}, 1, {0}}));
    EXPECT_TRUE(same(bindings[kActRestart], Binding{0, {}, 0, {}}));
    // Given in the file, restart's R is the player's own: the clash is said.
    reset_input_settings();
    EXPECT_EQ(read("[keys]\njump = R\nrestart = R\n"), 1);
    EXPECT_NE(err_.find("[keys] restart: R is bound to jump as well"), std::string::npos) << err_;
    EXPECT_TRUE(same(bindings[kActJump], Binding{1, {KEY_R}, 1, {0}}));
    EXPECT_TRUE(same(bindings[kActRestart], Binding{0, {}, 0, {}}));
}

TEST_F(SettingsFile, PrintedDefaultsReadBackAsTheDefaults) {
    std::FILE* f = std::fopen(path_.c_str(), "w");
    ASSERT_NE(f, nullptr);
    print_settings(f);
    std::fclose(f);
    // Every value away from its default, so that each must be read back.
    for (Binding& b : bindings) {
        b = Binding{1, {KEY_TAB}, 1, {9}};
    }
    settings = Settings{0, 2, 3, 1, 0, 0, 0, ""};  // the stage has no default to read back
    pad_layout = PadLayout{4, 2, 2, 4, 2, 2, 3};
    EXPECT_EQ(read_path(path_), 0);
    EXPECT_EQ(err_, "");
    EXPECT_EQ(differences(), "");
    // Reading leaves the file as it was.
    std::FILE* printed = std::tmpfile();
    print_settings(printed);
    EXPECT_EQ(read_back(std::fopen(path_.c_str(), "r")), read_back(printed));
}

TEST_F(SettingsFile, MissingFileIsNoErrorFolderIsOneAndGarbageIsNoCrash) {
    // A pipe with no writer would block a plain open for ever.
    const std::string fifo = (dir_.path() / "fifo.cfg").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = (dir_.path() / "huge.cfg").string();
    std::ofstream{huge}.close();
    ASSERT_EQ(truncate(huge.c_str(), 2 << 20), 0);  // sparse: all zero bytes
    const std::pair<std::string, int> kCases[] = {
        {(dir_.path() / "none.cfg").string(), 0}, {dir_.path().string(), 1}, {fifo, 1}, {huge, 1}};
    for (const auto& [path, bad] : kCases) {
        EXPECT_EQ(read_path(path), bad) << path;
        EXPECT_EQ(err_.empty(), bad == 0) << path;
    }
    std::string garbage = "[keys]\njump = \xff\xfe\x80 \x01\n[\xc3\n=\n[pad\n";
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919) % 256);
    }
    read(garbage);
    EXPECT_TRUE(same(bindings[kActJump], Binding{1, {KEY_X}, 1, {0}}));
}

TEST(SettingsFilePath, XdgConfigHomeThenHome) {
    const struct {
        const char* xdg;
        const char* home;
        const char* want;  // nullptr: no path
    } kCases[] = {
        {"/x/cfg", "/home/u", "/x/cfg/vellin/vellin.cfg"},
        {"relative", "/home/u", "/home/u/.config/vellin/vellin.cfg"},
        {nullptr, "/home/u", "/home/u/.config/vellin/vellin.cfg"},
        {nullptr, "home/u", nullptr},  // a relative HOME is ignored too
        {nullptr, nullptr, nullptr},
    };
    for (const auto& c : kCases) {
        c.xdg ? setenv("XDG_CONFIG_HOME", c.xdg, 1) : unsetenv("XDG_CONFIG_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        char path[64];
        EXPECT_EQ(settings_file_path(path, sizeof path), c.want != nullptr);
        if (c.want) {
            EXPECT_STREQ(path, c.want);
        }
    }
    char tiny[8];
    EXPECT_FALSE(settings_file_path(tiny, sizeof tiny));
}

// The lines as both the reader and the writer cut them.
TEST(SettingsLines, EachKindOfLine) {
    using L = SettingsLine;
    const struct {
        std::string line;
        L::Kind kind;
        const char* name;  // the section's or entry's
        const char* value;
        const char* comment;  // what follows the value
    } kCases[] = {
        {"  [Keys]  # mine", L::kSection, "Keys", "", ""},
        {"[keys] x", L::kNotSection, "keys", "", ""},
        {"[pad", L::kNotSection, "pad", "", ""},
        {"\tjump\f=\v5 6  # south", L::kEntry, "jump", "5 6", "# south"},
        {"stage = a#1 #c", L::kEntry, "stage", "a#1", "#c"},
        {"aim = #x", L::kEntry, "aim", "", "#x"},
        {"aim =", L::kEntry, "aim", "", ""},
        {"pause", L::kNoEquals, "pause", "", ""},
        {"left x = 1", L::kNoEquals, "left", "", ""},
        {"ju#mp = 1", L::kNoEquals, "ju", "", ""},
        {" = 3", L::kNoName, "", "", ""},
        {"  # c", L::kBlank, "", "", ""},
        {std::string("a\0b = 1", 7), L::kNotText, "", "", ""},
    };
    auto text = [](const char* b, const char* e) { return b ? std::string(b, e) : ""; };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.line);
        const char* end = c.line.data() + c.line.size();
        const L l = settings_line(c.line.data(), end);
        EXPECT_EQ(l.kind, c.kind);
        EXPECT_EQ(text(l.name, l.name_end), c.name);
        EXPECT_EQ(text(l.value, l.value_end), c.value);
        EXPECT_EQ(l.kind == L::kEntry ? text(l.comment, l.end) : "", c.comment);
        EXPECT_EQ(l.next, end);
    }
    // Lines end at \n, \r\n or a lone \r; a byte-order mark is skipped.
    const std::string file =
        "\xEF\xBB\xBF"
        "a\r\nb\rc\n\n\rd";
    const char* limit = file.data() + file.size();
    std::string lines;
    for (const char* p = settings_text_begin(file.data(), file.size()); p < limit;) {
        const L l = settings_line(p, limit);
        lines += "<" + std::string(l.begin, l.end) + ">";
        p = l.next;
    }
    EXPECT_EQ(lines, "<a><b><c><><><d>");
}
