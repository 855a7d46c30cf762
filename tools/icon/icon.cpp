// Writes the game's icons, vellin-<size>.png for every hicolor size.
// Usage: icon <data dir> <output dir>   (needs DISPLAY)
#include <cstdio>
#include <string>

#include "gl_context.h"
#include "icon_render.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <data dir> <output dir>\n", argv[0]);
        return 2;
    }
    GlContext context(kIconMaster, kIconMaster);
    const std::vector<unsigned char> master = render_icon_master(argv[1]);
    if (master.empty()) {
        std::fprintf(stderr, "icon: cannot read %s/trooper.txt\n", argv[1]);
        return 1;
    }
    for (int size : kIconSizes) {
        const std::string path = std::string(argv[2]) + "/vellin-" + std::to_string(size) + ".png";
        const std::vector<unsigned char> pixels = shrink_icon(master, size);
        if (!stbi_write_png(path.c_str(), size, size, 4, pixels.data(), size * 4)) {
            std::fprintf(stderr, "icon: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
