// Test support: a real OpenGL context on $DISPLAY (Xvfb with Mesa under
// ./check), and capture of what immediate-mode code issues, through GL
// feedback mode.
#ifndef VELLIN_GL_CONTEXT_H
#define VELLIN_GL_CONTEXT_H

#include <functional>
#include <vector>

// Opens a window of the given size with a double-buffered RGBA visual with
// depth, and makes its context current. Aborts the test binary (with a
// message) when no display or no GLX visual can be had.
class GlContext {
  public:
    explicit GlContext(int width = 640, int height = 480);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    void* display_;
    unsigned long window_;
    void* context_;
    int width_, height_;
};

// One vertex as the GL issued it, mapped back to world coordinates.
struct CapturedVertex {
    float x, y, z;     // position passed to glVertex (within ~1e-3)
    float r, g, b, a;  // current colour (lighting is off during capture)
    float nx, ny, nz;  // current normal (through normal-map texgen)
};

// One primitive: 3 vertices for triangles, 2 for lines; quads arrive as
// two triangles or as a polygon of 4, see `kind`. Mesa's software path splits
// quad v0 v1 v2 v3 into (v0 v1 v3) and (v1 v2 v3).
struct CapturedPrimitive {
    enum Kind { kPoint, kLine, kPolygon } kind;
    std::vector<CapturedVertex> v;
};

// Runs `draw` in feedback mode with identity modelview, an orthographic
// projection over [-range, range]^3, lighting off and texgen on to recover
// normals, then restores the state. Primitives come back in issue order.
std::vector<CapturedPrimitive> capture_feedback(const std::function<void()>& draw,
                                                float range = 4096.0f);

#endif
