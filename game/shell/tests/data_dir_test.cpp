// Choosing the data directory: the first place holding trooper.txt wins, a
// build-tree program uses the source data, a place named on purpose without
// data is said, and a failed search says where it looked in one line.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/data_dir.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

// A private tree of directories; Data() makes one that holds trooper.txt.
class Tree {
  public:
    Tree() : root_("vellin-data") {}
    std::string Dir(const std::string& name) const {
        fs::create_directories(root_.path() / name);
        return (root_.path() / name).string();
    }
    std::string Data(const std::string& name) const {
        const std::string dir = Dir(name);
        std::ofstream(dir + "/trooper.txt") << "Frames: 600\n";
        return dir;
    }

  private:
    TempDir root_;
};

}  // namespace

TEST(DataDir, FirstPlaceHoldingTheDataWinsAndEmptyPlacesAreSkipped) {
    Tree tree;
    DataPlaces places = {};
    places.environment = "";
    const std::string configured = tree.Data("configured");
    places.configured = configured.c_str();
    ASSERT_EQ(find_data_dir(places), 1);
    EXPECT_EQ(std::string(data_dir), configured + "/");

    const std::string option = tree.Data("option");
    places.option = option.c_str();
    ASSERT_EQ(find_data_dir(places), 1);
    char path[kDataPathSize];
    EXPECT_EQ(std::string(data_path("white.png", path)), option + "/white.png");
}

TEST(DataDir, DataOptionWithoutDataRefusesInOneLineSayingWhy) {
    Tree tree;
    const std::string file = tree.Data("data") + "/trooper.txt";
    const std::string empty = tree.Dir("empty");
    const std::string missing = tree.Dir("x") + "/missing";
    DataPlaces places = {};
    const std::string configured = tree.Data("configured");
    places.configured = configured.c_str();
    for (const auto& [dir, why] :
         {std::pair{missing, "No such file or directory"}, std::pair{file, "Not a directory"},
          std::pair{empty, "no trooper.txt in it"}}) {
        places.option = dir.c_str();
        testing::internal::CaptureStderr();
        EXPECT_EQ(find_data_dir(places), -1) << dir;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "vellin: --data " + dir + ": " + why + "\n");
    }
}

TEST(DataDir, UnusableEnvironmentIsSaidAndTheLookupGoesOn) {
    Tree tree;
    const std::string env = tree.Dir("env");
    const std::string configured = tree.Data("configured");
    DataPlaces places = {};
    places.environment = env.c_str();
    places.configured = configured.c_str();
    testing::internal::CaptureStderr();
    ASSERT_EQ(find_data_dir(places), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vellin: ignoring VELLIN_DATA=" + env + ": no trooper.txt in it\n");
    EXPECT_EQ(std::string(data_dir), configured + "/");
    EXPECT_EQ(data_missing, 0);
}

TEST(DataDir, InstalledTreeBesideTheExecutableComesBeforeTheConfiguredOne) {
    Tree tree;
    const std::string share = tree.Data("prefix/share/vellin");
    const std::string exe = tree.Dir("prefix/bin") + "/vellin";
    const std::string configured = tree.Data("usr/share/vellin");
    DataPlaces places = {};
    places.executable = exe.c_str();
    places.configured = configured.c_str();
    ASSERT_EQ(find_data_dir(places), 1);
    EXPECT_TRUE(fs::equivalent(data_dir, share)) << data_dir;
}

TEST(DataDir, SourceDataOnlyForTheProgramInTheBuildTree) {
    Tree tree;
    const std::string build = tree.Dir("build");
    const std::string source = tree.Data("source/assets");
    const std::string configured = tree.Data("configured");
    DataPlaces places = {};
    places.build_dir = build.c_str();
    places.source_data = source.c_str();
    places.configured = configured.c_str();

    const std::string in_build = build + "/vellin";
    places.executable = in_build.c_str();
    ASSERT_EQ(find_data_dir(places), 1);
    EXPECT_EQ(std::string(data_dir), source + "/");

    const std::string elsewhere = tree.Dir("opt/bin") + "/vellin";
    places.executable = elsewhere.c_str();
    ASSERT_EQ(find_data_dir(places), 1);
    EXPECT_EQ(std::string(data_dir), configured + "/");
}

TEST(DataDir, NoDataAnywhereFallsBackToTheWorkingDirectoryWithOneLine) {
    Tree tree;
    char previous[kDataPathSize];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(tree.Dir("cwd").c_str()), 0);
    const std::string configured = tree.Dir("configured");
    DataPlaces places = {};
    places.environment = "";
    places.configured = configured.c_str();

    testing::internal::CaptureStderr();
    const int found = find_data_dir(places);
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_EQ(chdir(previous), 0);

    EXPECT_EQ(found, 0);
    EXPECT_EQ(data_missing, 1);
    EXPECT_STREQ(data_dir, "");
    char path[kDataPathSize];
    EXPECT_STREQ(data_path("white.png", path), "white.png");
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    EXPECT_NE(said.find(configured), std::string::npos) << said;
}
