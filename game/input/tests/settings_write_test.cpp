// Writing the settings file: the player's lines kept, the changed ones set,
// and the file replaced whole or not at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include <allegro.h>

#include "input/input.h"
#include "input/settings_write.h"
#include "temp_dir.h"

namespace {

const SettingValue kChanges[] = {
    {"settings", "volume", "40"},
    {"keys", "right", "D"},
    {"keys", "jump", "SPACE"},
    {"pad", "jump", "3"},
};

std::string update(const std::string& in) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    EXPECT_TRUE(update_settings_text(in.data(), in.size(), kChanges, 4, out));
    std::fclose(out);
    std::string s(text, size);
    std::free(text);
    return s;
}

std::string slurp(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path).rdbuf();
    return s.str();
}

TEST(SettingsWrite, ChangesEntriesInPlaceAndKeepsEveryOtherLine) {
    // Names in any case, a trailing comment, an unknown entry, a BOM and an
    // entry above the first section are the player's and stay as they are.
    EXPECT_EQ(update("\xEF\xBB\xBFvolume = 7\n# mine\n[Settings]\n  VOLUME=90  # loud\n"
                     "odd = 1\n\n[keys]\nleft = A\n\n# pad next\n"),
              "\xEF\xBB\xBFvolume = 7\n# mine\n[Settings]\n  VOLUME= 40  # loud\nodd = 1\n\n"
              "[keys]\nleft = A\nright = D\njump = SPACE\n\n# pad next\n\n[pad]\njump = 3\n");
    // An empty file gets the sections; CRLF files keep CRLF; no final newline.
    EXPECT_EQ(update(""),
              "[settings]\nvolume = 40\n\n[keys]\nright = D\njump = SPACE\n\n"
              "[pad]\njump = 3\n");
    EXPECT_EQ(update("[pad]\r\njump = 0\r\n[keys]\r\nright = L"),
              "[pad]\r\njump = 3\r\n[keys]\r\nright = D\r\njump = SPACE\r\n\r\n[settings]\r\n"
              "volume = 40\r\n");
}

TEST(SettingsWrite, ReplacesTheFileWholeOrNotAtAll) {
    TempDir dir("settings-write");
    const std::string real = (dir.path() / "real.cfg").string();
    const std::string link = (dir.path() / "vellin.cfg").string();
    std::ofstream(real) << "# kept\n[settings]\nvolume = 100\n";
    chmod(real.c_str(), 0600);
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    char why[256] = "";
    ASSERT_TRUE(write_settings_values(link.c_str(), kChanges, 1, why, sizeof why)) << why;
    EXPECT_EQ(slurp(real), "# kept\n[settings]\nvolume = 40\n");
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));  // the link still points at the player's file
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // A new file in folders that do not exist yet.
    const std::string fresh = (dir.path() / "a/b/vellin.cfg").string();
    ASSERT_TRUE(write_settings_values(fresh.c_str(), kChanges, 1, why, sizeof why)) << why;
    EXPECT_EQ(slurp(fresh), "[settings]\nvolume = 40\n");

    // A place that cannot be written says why and leaves the old file as it was.
    EXPECT_FALSE(write_settings_values((real + "/x.cfg").c_str(), kChanges, 1, why, sizeof why));
    EXPECT_NE(std::string(why).find("Not a directory"), std::string::npos) << why;
    if (geteuid() != 0) {  // root writes anywhere
        chmod(dir.path().c_str(), 0500);
        EXPECT_FALSE(write_settings_values(real.c_str(), kChanges + 1, 1, why, sizeof why));
        EXPECT_NE(std::string(why).find("Permission denied"), std::string::npos) << why;
        chmod(dir.path().c_str(), 0700);
        EXPECT_EQ(slurp(real), "# kept\n[settings]\nvolume = 40\n");
    }
}

// The menu's changes: two play actions on one key refused as the file
// refuses them, only the changed entries written, and nothing when nothing
// changed.
TEST(SettingsWrite, MenuChangesFollowTheFileRules) {
    reset_input_settings();
    EXPECT_EQ(binding_clash(kActRight, false, KEY_LEFT), kActLeft);
    EXPECT_EQ(binding_clash(kActAim, true, 0), kActJump);
    EXPECT_EQ(binding_clash(kActRight, false, KEY_RIGHT), -1);  // its own key
    EXPECT_EQ(binding_clash(kActCamera, false, KEY_LEFT), -1);  // debug keys may share

    TempDir dir("settings-save");
    const std::string path = (dir.path() / "vellin.cfg").string();
    char why[256] = "";
    ASSERT_TRUE(save_settings_changes(path.c_str(), 0, 0, why, sizeof why));
    EXPECT_NE(access(path.c_str(), F_OK), 0) << "written with nothing changed";
    settings.volume = 90;
    bindings[kActRight].keys[0] = KEY_D;
    int rows[kSettingRowCount];
    const int n = settings_section_rows(rows, kSettingRowCount);
    unsigned volume = 0;
    for (int i = 0; i < n; ++i) {
        volume |= setting_row_view(rows[i]).value == &settings.volume ? 1u << rows[i] : 0;
    }
    ASSERT_TRUE(save_settings_changes(path.c_str(), volume, 1u << kActRight, why, sizeof why))
        << why;
    EXPECT_EQ(slurp(path), "[settings]\nvolume = 90\n\n[keys]\nright = D\n\n[pad]\nright = none\n");
    reset_input_settings();
}

}  // namespace
