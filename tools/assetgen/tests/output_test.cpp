// The committed data files equal the generator's output, byte for byte, and
// the generator gives the same bytes every time it runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "assets.h"
#include "temp_dir.h"
#include "trooper.h"

namespace {

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(AssetgenOutput, CommittedAssetsMatchTheGenerator) {
    TempDir dir("vellin-assets");
    ASSERT_TRUE(assetgen::write_assets(dir.path().string()));
    for (const std::string& name : assetgen::asset_names()) {
        SCOPED_TRACE(name);
        std::string generated = slurp(dir.path() / name);
        ASSERT_FALSE(generated.empty());
        std::string committed = slurp(std::filesystem::path(VELLIN_ASSETS_DIR) / name);
        EXPECT_TRUE(generated == committed)
            << "assets/" << name << " is stale: run assetgen " << VELLIN_ASSETS_DIR;
    }
}

TEST(AssetgenOutput, RunsAreByteIdenticalAndWriteOnlyTheListedFiles) {
    TempDir first("vellin-assets"), second("vellin-assets");
    ASSERT_TRUE(assetgen::write_assets(first.path().string()));
    ASSERT_TRUE(assetgen::write_assets(second.path().string()));
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(first.path())) {
        ++files;
        EXPECT_EQ(slurp(entry.path()), slurp(second.path() / entry.path().filename()))
            << entry.path().filename();
    }
    EXPECT_EQ(files, assetgen::asset_names().size());
}

TEST(AssetgenOutput, ImagesAreEightBitRgbPngsOfTheExpectedSize) {
    TempDir dir("vellin-assets");
    ASSERT_TRUE(assetgen::write_assets(dir.path().string()));
    struct Expected {
        const char* name;
        unsigned width, height;
    } expected[] = {{"white.png", 8, 8}, {"trooper.png", 256, 256}, {"bridge_wood.png", 128, 128}};
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        std::string png = slurp(dir.path() / e.name);
        ASSERT_GT(png.size(), 33u);
        EXPECT_EQ(png.substr(1, 3), "PNG");
        EXPECT_EQ(png.substr(12, 4), "IHDR");
        auto be32 = [&](size_t at) {
            return (unsigned(uint8_t(png[at])) << 24) | (unsigned(uint8_t(png[at + 1])) << 16) |
                   (unsigned(uint8_t(png[at + 2])) << 8) | unsigned(uint8_t(png[at + 3]));
        };
        EXPECT_EQ(be32(16), e.width);
        EXPECT_EQ(be32(20), e.height);
        EXPECT_EQ(png[24], 8);  // bit depth
        EXPECT_EQ(png[25], 2);  // colour type RGB
    }
}

// Hands reach the rifle and feet reach their footprints in every key.
TEST(AssetgenOutput, LimbsReachTheirTargets) {
    assetgen::Skeleton skel = assetgen::trooper_skeleton();
    assetgen::Model model;
    for (int i = 0; i < skel.size(); ++i)
        model.bones.push_back({skel.bone(i).name, "", skel.bone(i).bind, {}, {}, {}});
    double miss = assetgen::animate_trooper(skel, model);
    EXPECT_LT(miss, 0.5);
    RecordProperty("reach_miss", std::to_string(miss));
}

}  // namespace
