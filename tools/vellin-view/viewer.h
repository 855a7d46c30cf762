// vellin-view's state and what it does with it: the model on show, the orbit
// camera around it, the frame shown and the range that Space plays, and what
// is drawn over the model. The model is drawn by the game's cModel::Draw under
// the game's start-up render state; nothing here allocates once the model is
// read.
#ifndef VELLIN_VIEW_VIEWER_H
#define VELLIN_VIEW_VIEWER_H

#include "model/model.h"

struct Viewer {
    cModel model;
    float yaw;       // degrees about the vertical axis
    float pitch;     // degrees, looking down when positive
    float distance;  // from the eye to the model's centre, in view units
    int total;       // the file's frame count: frames 0 to total are shown
    int frame;       // the frame posed and shown
    int first;       // the range Space plays, first to last and round again
    int last;
    bool playing;
    bool skeleton;   // bones drawn as lines over the model
    bool wireframe;  // triangles drawn as outlines
};

// Why `path` cannot be shown (it cannot be read, or the reader finds no mesh
// and no bone in it), or null when it can. Reads the file without textures,
// so it needs no display.
const char* model_problem(const char* path);

// Fits the range first-last (first <= last) to frames 0 to `total`: its last
// frame is cut to `total`, and a range past the model becomes the whole model.
// Returns the frame to open at: `start` when it lies inside the range, else
// the range's first frame.
int fit_frames(int total, float start, int* first, int* last);

// Reads `path` (textures too: needs the GL context), places the model so that
// it fills the view, fits the range first-last to its frames and poses the
// frame to open at (fit_frames). False when the file can no longer be read.
bool open_model(Viewer& v, const char* path, int first, int last);

// Steps `by` frames from the frame shown, round from the last frame to 0
// and back, and poses the model there.
void step_frames(Viewer& v, int by);
// Moves the play range on by `steps` frames, from its last frame round to its
// first, and poses the model there.
void play_steps(Viewer& v, int steps);

// Turns the camera by mouse motion in pixels, and zooms by wheel clicks
// (positive: closer).
void orbit(Viewer& v, int dx, int dy);
void zoom(Viewer& v, int clicks);

// Draws the frame: the model, then its skeleton if asked for.
void draw_view(const Viewer& v);

#endif
