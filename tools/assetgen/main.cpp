// assetgen <output directory>: writes the game's data files.
#include <cstdio>

#include "assets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    if (!assetgen::write_assets(argv[1])) {
        std::fprintf(stderr, "assetgen: could not write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
