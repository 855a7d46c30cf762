#include "gl_context.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

GlContext::GlContext(int width, int height) : width_(width), height_(height) {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "GlContext: cannot open display (is DISPLAY set?)\n");
        std::abort();
    }
    int attribs[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1,   GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE,
        1,        GLX_DEPTH_SIZE,   16,           None};
    XVisualInfo* vi = glXChooseVisual(dpy, DefaultScreen(dpy), attribs);
    if (!vi) {
        std::fprintf(stderr, "GlContext: no suitable GLX visual\n");
        std::abort();
    }
    Window root = RootWindow(dpy, vi->screen);
    XSetWindowAttributes swa{};
    swa.colormap = XCreateColormap(dpy, root, vi->visual, AllocNone);
    Window win = XCreateWindow(dpy, root, 0, 0, width, height, 0, vi->depth, InputOutput,
                               vi->visual, CWColormap, &swa);
    XMapWindow(dpy, win);
    XSync(dpy, False);
    GLXContext ctx = glXCreateContext(dpy, vi, nullptr, True);
    XFree(vi);
    if (!ctx || !glXMakeCurrent(dpy, win, ctx)) {
        std::fprintf(stderr, "GlContext: cannot create an OpenGL context\n");
        std::abort();
    }
    glViewport(0, 0, width, height);
    display_ = dpy;
    window_ = win;
    context_ = ctx;
}

GlContext::~GlContext() {
    Display* dpy = static_cast<Display*>(display_);
    glXMakeCurrent(dpy, None, nullptr);
    glXDestroyContext(dpy, static_cast<GLXContext>(context_));
    XDestroyWindow(dpy, window_);
    // The display stays open: closing it unloads the GL driver, and the leak
    // checker could then no longer attribute the driver's own allocations.
    XSync(dpy, False);
}

std::vector<CapturedPrimitive> capture_feedback(const std::function<void()>& draw, float range) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-range, range, -range, range, -range, range);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    // The eye-space normal arrives as the texture coordinate.
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_NORMAL_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_NORMAL_MAP);
    glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_NORMAL_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
    // Mesa evaluates texgen only for a unit with a complete texture enabled;
    // without one every normal reads back as zero.
    GLuint probe_texture = 0;
    const GLubyte texel[4] = {255, 255, 255, 255};
    glGenTextures(1, &probe_texture);
    glBindTexture(GL_TEXTURE_2D, probe_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glEnable(GL_TEXTURE_2D);

    std::vector<GLfloat> buffer(1 << 20);
    GLint used = -1;
    while (used < 0) {
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        used = glRenderMode(GL_RENDER);
        if (used < 0)
            buffer.resize(buffer.size() * 4);
    }

    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glDeleteTextures(1, &probe_texture);

    // Window coordinates back to world coordinates.
    const float vx = viewport[0], vy = viewport[1], vw = viewport[2], vh = viewport[3];
    auto read_vertex = [&](const GLfloat* f) {
        CapturedVertex v;
        v.x = ((f[0] - vx) / vw * 2.0f - 1.0f) * range;
        v.y = ((f[1] - vy) / vh * 2.0f - 1.0f) * range;
        v.z = -(f[2] * 2.0f - 1.0f) * range;
        v.r = f[4];
        v.g = f[5];
        v.b = f[6];
        v.a = f[7];
        v.nx = f[8];
        v.ny = f[9];
        v.nz = f[10];
        return v;
    };
    const int kVertexFloats = 12;  // x y z w, r g b a, s t r q
    std::vector<CapturedPrimitive> out;
    for (GLint i = 0; i < used;) {
        const int token = static_cast<int>(buffer[i++]);
        CapturedPrimitive p;
        int n = 0;
        switch (token) {
            case GL_POINT_TOKEN:
                p.kind = CapturedPrimitive::kPoint;
                n = 1;
                break;
            case GL_LINE_TOKEN:
            case GL_LINE_RESET_TOKEN:
                p.kind = CapturedPrimitive::kLine;
                n = 2;
                break;
            case GL_POLYGON_TOKEN:
                p.kind = CapturedPrimitive::kPolygon;
                n = static_cast<int>(buffer[i++]);
                break;
            case GL_PASS_THROUGH_TOKEN:
                i += 1;
                continue;
            default:  // bitmap / pixel tokens carry one vertex
                i += kVertexFloats;
                continue;
        }
        for (int k = 0; k < n; ++k, i += kVertexFloats)
            p.v.push_back(read_vertex(&buffer[i]));
        out.push_back(std::move(p));
    }
    return out;
}
