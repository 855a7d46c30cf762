#include "viewer.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "render/render.h"

namespace {

// The model is scaled so that its bounding sphere has this radius, whatever
// units the file uses, and seen from far enough for the whole of it to fit
// the game's 90-degree-high view.
constexpr float kViewRadius = 10.0f;
constexpr float kStartDistance = 1.5f * kViewRadius;
constexpr float kMinDistance = 2.0f;  // the near plane is at 1
constexpr float kMaxDistance = 40.0f * kViewRadius;
constexpr float kStartYaw = 60.0f;  // the game's figures face -x unturned: a three-quarter view
constexpr float kStartPitch = 10.0f;
constexpr float kDegreesPerPixel = 0.4f;
constexpr float kZoomPerClick = 0.85f;  // distance kept per wheel click

int mesh_count(const cModel& m) {
    return m.model != nullptr ? kpModel_GetMeshCount(m.model) : 0;
}

int bones(const cModel& m) {
    return m.model != nullptr && m.xforms != nullptr ? kpModel_GetBoneCount(m.model) : 0;
}

// Centre and radius of what is to be framed: the vertices as read, or, in a
// model of bones only, the joints of the bind pose.
void bounds(const cModel& m, float centre[3], float* radius) {
    float mins[3], maxs[3];
    for (int r = 0; r < 3; r++) {
        mins[r] = m.mins[r];
        maxs[r] = m.maxs[r];
    }
    if (maxs[0] < mins[0]) {
        for (int i = 0; i < bones(m); i++) {
            for (int r = 0; r < 3; r++) {
                mins[r] = std::fmin(mins[r], m.xforms[i].absolute[r][3]);
                maxs[r] = std::fmax(maxs[r], m.xforms[i].absolute[r][3]);
            }
        }
    }
    double squares = 0;
    for (int r = 0; r < 3; r++) {
        centre[r] = maxs[r] >= mins[r] ? 0.5f * (mins[r] + maxs[r]) : 0.0f;
        const double half = maxs[r] >= mins[r] ? 0.5 * (double(maxs[r]) - mins[r]) : 0.0;
        squares += half * half;
    }
    // One point (a lone joint) still needs a size to be seen at.
    *radius = squares > 1e-12 ? float(std::sqrt(squares)) : 1.0f;
}

void pose(Viewer& v) {
    v.model.AdvanceFrame(float(v.frame) - v.model.frame);
}

// A joint's place in the view: the bone's animated origin, scaled and moved as
// cModel::Draw moves vertices (the viewer never turns the model by rot).
void joint(const cModel& m, int bone, float out[3]) {
    for (int r = 0; r < 3; r++) {
        out[r] = m.xforms[bone].final[r][3] * m.scale + m.pos[r];
    }
}

// Bones as lines from each parent's joint to its child's, over the mesh.
void draw_skeleton(const cModel& m) {
    const int n = bones(m);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor4f(1.0f, 0.85f, 0.1f, 1.0f);
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    for (int i = 0; i < n; i++) {
        const int parent = bone_parent(m.model, i);
        if (parent >= 0) {
            float a[3], b[3];
            joint(m, parent, a);
            joint(m, i, b);
            glVertex3fv(a);
            glVertex3fv(b);
        }
    }
    glEnd();
    glPointSize(5.0f);
    glBegin(GL_POINTS);
    for (int i = 0; i < n; i++) {
        float a[3];
        joint(m, i, a);
        glVertex3fv(a);
    }
    glEnd();
    glLineWidth(1.0f);
    glPointSize(1.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace

const char* model_problem(const char* path) {
    // A directory opens for reading on Linux and reads as an empty model.
    struct stat info;
    if (stat(path, &info) == 0 && S_ISDIR(info.st_mode)) {
        return std::strerror(EISDIR);
    }
    cModel m;
    if (!m.Read(path)) {
        return std::strerror(errno);
    }
    if (mesh_count(m) == 0 && kpModel_GetBoneCount(m.model) == 0) {
        return "no mesh and no bone in it: nothing to show";
    }
    return nullptr;
}

bool open_model(Viewer& v, const char* path, int first, int last) {
    if (!v.model.Read(path)) {
        return false;
    }
    float centre[3], radius = 1.0f;
    bounds(v.model, centre, &radius);
    v.model.scale = kViewRadius / radius;
    for (int r = 0; r < 3; r++) {
        v.model.pos[r] = -centre[r] * v.model.scale;
        v.model.rot[r] = 0.0f;
    }
    // A model of bones only shows nothing else.
    v.skeleton = mesh_count(v.model) == 0;
    v.yaw = kStartYaw;
    v.pitch = kStartPitch;
    v.distance = kStartDistance;

    const int total = kpModel_GetTotalFrames(v.model.model);
    v.total = total > 0 ? total : 0;
    v.first = first;
    v.last = last;
    v.frame = fit_frames(v.total, v.model.frame, &v.first, &v.last);
    pose(v);
    return true;
}

int fit_frames(int total, float start, int* first, int* last) {
    *first = *first > 0 ? *first : 0;
    *last = *last < total ? *last : total;
    if (*first > *last) {
        *first = 0;
        *last = total;
    }
    // Compared in double, where every int is exact: a float start near
    // INT_MAX may not fit back into an int, and NaN fails both tests.
    const double s = start;
    return s >= *first && s <= *last ? int(s) : *first;
}

// In 64 bits: a file may give a frame count up to INT_MAX.
void step_frames(Viewer& v, int by) {
    const long long n = v.total + 1LL;
    v.frame = int(((v.frame + (long long)by) % n + n) % n);
    pose(v);
}

void play_steps(Viewer& v, int steps) {
    const long long n = v.last - (long long)v.first + 1;
    // Stepped out of the range by hand: play on from its start.
    const long long into = v.frame >= v.first && v.frame <= v.last ? v.frame - v.first : 0;
    v.frame = int(v.first + (into + steps) % n);
    pose(v);
}

void orbit(Viewer& v, int dx, int dy) {
    v.yaw = std::fmod(v.yaw + dx * kDegreesPerPixel, 360.0f);
    v.pitch = std::fmax(-89.0f, std::fmin(89.0f, v.pitch + dy * kDegreesPerPixel));
}

void zoom(Viewer& v, int clicks) {
    const float d = v.distance * std::pow(kZoomPerClick, float(clicks));
    v.distance = std::fmax(kMinDistance, std::fmin(kMaxDistance, d));
}

void draw_view(const Viewer& v) {
    // The game's projection, and the game's light: fixed relative to the eye,
    // so the model is lit from the same side however it is turned.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    multiply_projection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -v.distance);
    glRotatef(v.pitch, 1, 0, 0);
    glRotatef(v.yaw, 0, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, v.wireframe ? GL_LINE : GL_FILL);
    v.model.Draw();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (v.skeleton) {
        draw_skeleton(v.model);
    }
}
