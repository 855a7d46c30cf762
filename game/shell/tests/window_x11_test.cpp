// Finding a GLX extension in the driver's list; the window scale a desktop holds.
#include <gtest/gtest.h>

#include "shell/window.h"
#include "shell/window_x11.h"

TEST(ExtensionOffered, WholeNamesOnly) {
    const char* list = "GLX_ARB_multisample GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_FALSE(extension_offered(list, "GLX_EXT_swap_control"));
    EXPECT_TRUE(extension_offered(list, "GLX_MESA_swap_control"));
    EXPECT_TRUE(extension_offered(list, "GLX_ARB_multisample"));
    EXPECT_TRUE(extension_offered("GLX_X GLX_EXT_swap_control_tear GLX_EXT_swap_control",
                                  "GLX_EXT_swap_control"));
    EXPECT_FALSE(extension_offered("XGLX_MESA_swap_control", "GLX_MESA_swap_control"));
    EXPECT_FALSE(extension_offered("", "GLX_MESA_swap_control"));
}

TEST(FittingScale, LargestWindowTheDesktopHolds) {
    struct Row {
        int scale, desktop_w, desktop_h, fitting;
    } rows[] = {
        {3, 1280, 1024, 2},                    // 1920 by 1440 is too wide and too tall
        {6, 1920, 1080, 2},                    // the height decides
        {2, 1280, 960, 2},                     // exactly the desktop
        {4, 2560, 1600, 3},                    // 2560 by 1920 is too tall
        {2, 800, 600, 1},   {1, 320, 240, 1},  // never below 1
        {5, 0, 0, 5},                          // the desktop's size unknown
    };
    for (const Row& r : rows)
        EXPECT_EQ(fitting_scale(r.scale, r.desktop_w, r.desktop_h), r.fitting)
            << r.scale << " on " << r.desktop_w << "x" << r.desktop_h;
}
