// Reads a screenshot and reports how much of it shows the stage's colours:
//   shot_colours <png> -> prints "green=N rock=N lit=N wood=N olive=N visor=N"
//   (pixel counts)
// Platform tops are green-dominant; rock is an olive brown with red close to
// green and little blue; the bridges' wood is a darker brown, red well above
// green and green well above blue. The trooper's camouflage is olive, green
// above red and well above blue; its visor is blue. Colours are lit and
// fogged in the game, so the tests use hue relations rather than exact values.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shot_colours <png>\n");
        return 2;
    }
    int w = 0, h = 0, n = 0;
    unsigned char* px = stbi_load(argv[1], &w, &h, &n, 3);
    if (!px) {
        std::fprintf(stderr, "shot_colours: cannot read %s\n", argv[1]);
        return 2;
    }
    long green = 0, rock = 0, lit = 0, wood = 0, olive = 0, visor = 0;
    for (long i = 0; i < static_cast<long>(w) * h; ++i) {
        const int r = px[3 * i], g = px[3 * i + 1], b = px[3 * i + 2];
        if (r + g + b > 30)
            ++lit;
        if (g > 40 && g > r + r / 2 && g > b + b / 2)
            ++green;
        if (r > 25 && std::abs(r - g) * 5 < r && b * 2 < r)
            ++rock;
        if (r > 25 && r < 160 && 4 * r > 5 * g && 3 * g > 4 * b)
            ++wood;
        if (g > 25 && g > r && 4 * g > 5 * b)
            ++olive;
        if (b > 60 && 2 * b > 3 * r && b > g)
            ++visor;
    }
    std::printf("green=%ld rock=%ld lit=%ld wood=%ld olive=%ld visor=%ld\n", green, rock, lit, wood,
                olive, visor);
    stbi_image_free(px);
    return 0;
}
