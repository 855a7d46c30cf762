// Writing the settings file: the player's lines kept, the changed ones set,
// and the file replaced whole or not at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <allegro.h>

#include "input/input.h"
#include "input/settings.h"
#include "input/settings_write.h"
#include "state/state.h"
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
    // clang-format off
    const struct { const char* what; const char* in; const char* out; } kRows[] = {
        // Names in any case, a trailing comment, an unknown entry, a BOM and an
        // entry above the first section are the player's and stay as they are.
        {"the player's lines", "\xEF\xBB\xBFvolume = 7\n# mine\n[Settings]\n  VOLUME=90  # loud\nodd = 1\n\n[keys]\nleft = A\n\n# pad next\n",
         "\xEF\xBB\xBFvolume = 7\n# mine\n[Settings]\n  VOLUME= 40  # loud\nodd = 1\n\n[keys]\nleft = A\nright = D\njump = SPACE\n\n# pad next\n\n[pad]\njump = 3\n"},
        {"an empty file gets the sections", "", "[settings]\nvolume = 40\n\n[keys]\nright = D\njump = SPACE\n\n[pad]\njump = 3\n"},
        {"CRLF kept, no final newline", "[pad]\r\njump = 0\r\n[keys]\r\nright = L",
         "[pad]\r\njump = 3\r\n[keys]\r\nright = D\r\njump = SPACE\r\n\r\n[settings]\r\nvolume = 40\r\n"},
        {"CR-only: lone CRs kept, the entry changed where it stands", "[settings]\rvolume = 100\r[keys]\rleft = A\r",
         "[settings]\rvolume = 40\r[keys]\rleft = A\rright = D\rjump = SPACE\r\r[pad]\rjump = 3\r"},
        // Entries under a line that only looks like a section are not read, so
        // the writer leaves them and adds a section the reader takes.
        {"a line like a section", "[pad]\njump = 1\n[pad] x\njump = 0\n",
         "[pad]\njump = 3\n[pad] x\njump = 0\n\n[settings]\nvolume = 40\n\n[keys]\nright = D\njump = SPACE\n"},
    };
    // clang-format on
    for (const auto& r : kRows)
        EXPECT_EQ(update(r.in), r.out) << r.what;
}

// Whatever the file, the value written is the value read back, and the
// write adds no complaint: the reader and the writer cut lines alike.
TEST(SettingsWrite, WhatIsWrittenIsWhatIsRead) {
    const std::string kTexts[] = {
        "[settings]\rvolume = 100\r",
        "\xEF\xBB\xBF[settings]\r\nmute = no\rvolume=1",
        "[settings]\nmute = no\n[settings] x\nvolume = 100\n[settings\nvolume = 100\n",
        std::string("[settings]\nvol\0ume = 1\nvolume = 100\n", 36),
        "[settings]\nvolume # = 3\nvolume = # none\n",
        "volume = 7\n[SETTINGS]\n\tVOLUME\f=\v90 # loud\n[settings]\nvolume = 5\n",
    };
    TempDir dir("settings-agree");
    const std::string path = (dir.path() / "vellin.cfg").string();
    for (const std::string& text : kTexts) {
        SCOPED_TRACE(text);
        std::ofstream(path, std::ios::binary) << text;
        reset_input_settings();
        const int before = read_settings_file(path.c_str(), std::tmpfile());
        std::ofstream(path, std::ios::binary) << update(text);
        reset_input_settings();
        EXPECT_LE(read_settings_file(path.c_str(), std::tmpfile()), before);
        EXPECT_EQ(settings.volume, 40);
    }
    reset_input_settings();
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
    // The one-shot form other files use (stages, records): any bytes.
    const std::string bytes("demo\0\xff\n", 7);
    ASSERT_TRUE(replace_file(fresh.c_str(), bytes.data(), bytes.size(), why, sizeof why)) << why;
    EXPECT_EQ(slurp(fresh), bytes);

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

// A group the test may give a file: one it is in besides its own, or any
// for root; -1 when there is none.
gid_t other_group() {
    gid_t groups[64];
    const int n = getgroups(64, groups);
    for (int i = 0; i < n; ++i) {
        if (groups[i] != getegid())
            return groups[i];
    }
    return geteuid() == 0 ? 4321 : static_cast<gid_t>(-1);
}

// What the player made of the file stays so: a read-only file is refused
// (even for root), owner, group and mode are kept, a dangling link gets its
// target made, and a lock another writer holds is waited for, then named.
TEST(SettingsWrite, KeepsWhatThePlayerMadeOfTheFile) {
    constexpr char kOld[] = "[settings]\nvolume = 100\n";
    constexpr char kNew[] = "[settings]\nvolume = 40\n";
    // clang-format off
    const struct {
        const char* name;
        mode_t mode;           // given to the file before the save
        bool group;            // the file is given other_group() (and uid 4321 for root)
        const char* link;      // vellin.cfg is a link to this; nullptr: a plain file
        bool exists;           // the file is there before the save
        bool locked;           // vellin.cfg.lock is there before the save
        const char* why;       // nullptr: saved
        const char* checked;   // the file read back: the old text if refused, else the new
    } kCases[] = {
        {"read-only", 0444, false, nullptr, true, false, "vellin.cfg is read-only: its owner may not write it", "vellin.cfg"},
        {"read-only set-id", 04555, false, nullptr, true, false, "is read-only", "vellin.cfg"},
        {"group and mode", 02640, true, nullptr, true, false, nullptr, "vellin.cfg"},
        {"dangling link", 0, false, "sub/real.cfg", false, false, nullptr, "sub/real.cfg"},
        {"link to read-only", 0400, false, "real.cfg", true, false, "real.cfg is read-only", "real.cfg"},
        {"held lock", 0600, false, nullptr, true, true, "vellin.cfg: being saved by another program (or remove vellin.cfg.lock)", "vellin.cfg"},
    };
    // clang-format on
    const gid_t group = other_group();
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        TempDir dir("settings-keep");
        const std::string path = (dir.path() / "vellin.cfg").string();
        const std::string checked = (dir.path() / c.checked).string();
        if (c.link != nullptr) {
            ASSERT_EQ(symlink(c.link, path.c_str()), 0);
        }
        if (c.exists)
            std::ofstream(checked) << kOld;
        if (c.group && group != static_cast<gid_t>(-1)) {
            ASSERT_EQ(chown(checked.c_str(), geteuid() == 0 ? 4321 : -1, group), 0);
        }
        if (c.mode != 0) {
            ASSERT_EQ(chmod(checked.c_str(), c.mode), 0);
        }
        if (c.locked)
            std::ofstream(path + ".lock").close();
        struct stat before {};
        stat(checked.c_str(), &before);
        char why[256] = "";
        EXPECT_EQ(write_settings_values(path.c_str(), kChanges, 1, why, sizeof why),
                  c.why == nullptr)
            << why;
        EXPECT_TRUE(c.why == nullptr || std::string(why).find(c.why) != std::string::npos) << why;
        EXPECT_EQ(slurp(checked), c.why != nullptr ? kOld : kNew);
        EXPECT_EQ(access((checked + ".lock").c_str(), F_OK) == 0, c.locked) << "lock left behind";
        struct stat after {};
        ASSERT_EQ(stat(checked.c_str(), &after), 0);
        if (c.exists) {
            EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
            EXPECT_EQ(after.st_uid, before.st_uid);
            EXPECT_EQ(after.st_gid, before.st_gid);
        }
        struct stat link {};
        EXPECT_TRUE(c.link == nullptr ||
                    (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)));
    }
}

// Two games saving at once: each save reads the file again under the lock,
// so no change of either is lost.
TEST(SettingsWrite, TwoWritersBothKeepTheirChanges) {
    TempDir dir("settings-two");
    const std::string path = (dir.path() / "vellin.cfg").string();
    constexpr int kSaves = 20;
    pid_t child[2];
    for (int w = 0; w < 2; ++w) {
        child[w] = fork();
        ASSERT_GE(child[w], 0);
        if (child[w] == 0) {
            bool ok = true;
            for (int i = 0; i < kSaves; ++i) {
                char name[16], why[256];
                std::snprintf(name, sizeof name, "%c%d", "ab"[w], i);
                const SettingValue v{"settings", name, "1"};
                ok = write_settings_values(path.c_str(), &v, 1, why, sizeof why) && ok;
            }
            _exit(ok ? 0 : 1);
        }
    }
    for (pid_t pid : child) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string text = slurp(path);
    for (int i = 0; i < kSaves; ++i) {
        for (const char* who : {"a", "b"}) {
            const std::string entry = "\n" + std::string(who) + std::to_string(i) + " = 1\n";
            EXPECT_NE(text.find(entry), std::string::npos) << entry << " lost from\n" << text;
        }
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
