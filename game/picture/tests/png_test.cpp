// The PNG writer, its files read back with an independent decoder.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "picture/picture.h"

TEST(Picture, PngHoldsThePixelsTopRowFirstAndIsNeverOverwrittenWhenExclusive) {
    const int w = 37, h = 23;  // odd sizes: no row padding may creep in
    std::vector<unsigned char> rgb(3 * w * h);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<unsigned char>((i * 7919) >> 3);
    }
    const std::string path =
        testing::TempDir() + "picture_test-" + std::to_string(getpid()) + ".png";
    std::remove(path.c_str());
    ASSERT_EQ(write_png(path.c_str(), true, rgb.data(), w, h), 0);

    int rw = 0, rh = 0, channels = 0;
    unsigned char* back = stbi_load(path.c_str(), &rw, &rh, &channels, 0);
    ASSERT_NE(back, nullptr) << stbi_failure_reason();
    EXPECT_EQ(rw, w);
    EXPECT_EQ(rh, h);
    EXPECT_EQ(channels, 3);
    int wrong = 0;
    for (int y = 0; y < h; ++y) {  // OpenGL's bottom row is the picture's last
        for (int i = 0; i < 3 * w; ++i) {
            wrong += back[3 * w * y + i] != rgb[3 * w * (h - 1 - y) + i];
        }
    }
    EXPECT_EQ(wrong, 0);
    stbi_image_free(back);

    EXPECT_EQ(write_png(path.c_str(), true, rgb.data(), w, h), EEXIST);
    EXPECT_EQ(write_png(path.c_str(), false, rgb.data(), w, h), 0);
    EXPECT_EQ(write_png(path.c_str(), false, rgb.data(), kMaxPictureWidth + 1, 1), EINVAL);
    std::remove(path.c_str());
}
