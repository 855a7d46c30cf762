// The game's icon: the trooper, lit and textured, over a jungle-green disc,
// rendered once at a high resolution and box-filtered down to each size.
#ifndef VELLIN_ICON_RENDER_H
#define VELLIN_ICON_RENDER_H

#include <vector>

// Icon sizes in pixels, as the desktop's hicolor theme wants them.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kIconMaster = 512;  // rendered size; every icon size divides it

// RGBA pixels, rows top first, kIconMaster square. Reads trooper.txt from
// `data_dir`; needs a current GL context of at least kIconMaster square.
// Empty when the model cannot be read.
std::vector<unsigned char> render_icon_master(const char* data_dir);

// The master box-filtered to `size` square (alpha-weighted colour).
std::vector<unsigned char> shrink_icon(const std::vector<unsigned char>& master, int size);

#endif
