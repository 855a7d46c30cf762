// Finding a GLX extension in the driver's list.
#include <gtest/gtest.h>

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
