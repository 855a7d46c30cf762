// The committed icons are what the icon tool renders from the committed data
// (up to rasteriser noise), so a changed trooper or tool shows up here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gl_context.h"
#include "icon_render.h"

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

TEST(Icons, CommittedIconsMatchTheRender) {
    GlContext context(kIconMaster, kIconMaster);
    const std::vector<unsigned char> master = render_icon_master(VELLIN_ASSETS_DIR);
    ASSERT_FALSE(master.empty());
    for (int size : kIconSizes) {
        const std::string path =
            std::string(VELLIN_ICONS_DIR) + "/vellin-" + std::to_string(size) + ".png";
        int w = 0, h = 0, channels = 0;
        unsigned char* committed = stbi_load(path.c_str(), &w, &h, &channels, 4);
        ASSERT_NE(committed, nullptr) << path;
        ASSERT_EQ(w, size);
        ASSERT_EQ(h, size);
        const std::vector<unsigned char> rendered = shrink_icon(master, size);
        long total = 0;
        int worst = 0;
        for (size_t i = 0; i < rendered.size(); ++i) {
            const int d = std::abs(rendered[i] - committed[i]);
            total += d;
            worst = d > worst ? d : worst;
        }
        stbi_image_free(committed);
        EXPECT_LE(static_cast<double>(total) / rendered.size(), 1.0) << path;
        EXPECT_LE(worst, 48) << path;
    }
}
