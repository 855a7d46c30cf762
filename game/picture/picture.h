// Pictures of the game: the F12 screenshot, frames captured while a demo plays,
// and the PNG writer behind both. All of it runs inside the frame loop and
// allocates nothing.
#ifndef VELLIN_PICTURE_H
#define VELLIN_PICTURE_H

// The largest window (640 by 480 times 6) and the 4:3 picture on a 4K or 5K
// desktop.
constexpr int kMaxPictureWidth = 3840;
constexpr int kMaxPictureHeight = 2880;

// Writes `rgb` (rows bottom-up, as OpenGL reads them, 3 bytes a pixel, no row
// padding) as an 8-bit RGB PNG. `exclusive` refuses to replace an existing
// file. Returns 0, or an errno value (EEXIST when the name was taken).
int write_png(const char* path, bool exclusive, const unsigned char* rgb, int width, int height);

// Saves the frame in the back buffer under the screenshot folder,
// $XDG_DATA_HOME/vellin/screenshots (by default ~/.local/share/...), as
// vellin-NNNN.png with the first free number, and prints the path on stdout.
// Failures are reported on stderr; the game goes on.
void take_screenshot();
// The file the last take_screenshot wrote, or nullptr when it wrote none.
const char* last_screenshot();

// Creates DIR and its missing parents, before any frame. Returns false after
// printing why, also when DIR is not a folder or, unless `overwrite`, already
// holds captured frames.
bool make_capture_folder(const char* dir, bool overwrite);
// Saves the frame in the back buffer as DIR/frame-NNNNNN.png (the frame's
// number in the demo, from 1). Returns false after printing why.
bool capture_frame(const char* dir, long frame);

#endif
