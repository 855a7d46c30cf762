// What time trial adds to the picture: the ghost, the clock in the picture's
// top left corner, and one line under it for a split, a fall or the finish.
#include "shell/trial_draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "model/model.h"
#include "picture/picture.h"
#include "shell/flat_text.h"
#include "shell/physics.h"
#include "shell/trial_play.h"
#include "shell/window.h"
#include "state/state.h"
#include "trial/trial.h"

namespace {

constexpr float kGhostAlpha = 0.4f;

enum Line { kClock, kNote, kGoAgain, kLines };
constexpr int kTextH = kLines * kLineStep;
GLuint texture;
TextLine lines[kLines], drawn[kLines];
int width[kLines];

// The line under the clock for what the run just did.
void note_line(const TrialRun& run, char* out, std::size_t size) {
    char time[kClockTextSize], difference[kClockTextSize];
    format_difference(run.difference, difference);
    switch (run.note) {
        case TrialNote::kNone:
            out[0] = '\0';
            break;
        case TrialNote::kSplit:
            std::snprintf(out, size, "Column %d: %.12s", kSplitColumns[run.splits_passed - 1],
                          run.has_difference ? difference : "no best yet");
            break;
        case TrialNote::kFellOff:
            std::snprintf(out, size, "Fell off: the run starts again");
            break;
        case TrialNote::kFinished:
            format_clock(run.times.finish, time);
            if (!run.has_difference) {
                std::snprintf(out, size, "Finished in %.12s: the first best", time);
            } else if (run.difference < 0) {
                std::snprintf(out, size, "Finished in %.12s, %.12s: the new best", time,
                              difference);
            } else {
                std::snprintf(out, size, "Finished in %.12s, %.12s on the best", time, difference);
            }
            break;
    }
}

}  // namespace

void draw_ghost() {
    PlayerState ghost;
    if (!ghost_state(&ghost)) {
        return;
    }
    const PlayerState player = save_player();
    restore_player(ghost);  // poses the model as the ghost stands
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT);
    // First only its depth, then its colour where it is nearest: the figure's
    // own parts overlap, and each pixel must be blended once, not once a part.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    ludz.Draw();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_FALSE);
    // The texture's own alpha is left to the alpha test; the blend makes the
    // whole figure see-through.
    glEnable(GL_BLEND);
    glBlendColor(0.0f, 0.0f, 0.0f, kGhostAlpha);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    glDepthFunc(GL_EQUAL);
    ludz.Draw();
    glPopAttrib();
    restore_player(player);
}

void draw_trial_text() {
    if (!trial_on()) {
        return;
    }
    if (texture == 0) {
        texture = alpha_texture(kTextH);
    }
    const TrialRun& run = trial_run();
    format_clock(run.steps, lines[kClock]);
    note_line(run, lines[kNote], sizeof lines[kNote]);
    std::snprintf(lines[kGoAgain], sizeof lines[kGoAgain], "%s",
                  run.finished ? "Back to the start to go again" : "");
    if (std::memcmp(lines, drawn, sizeof lines) != 0) {
        write_lines(texture, lines, kLines, width);
        std::memcpy(drawn, lines, sizeof lines);
    }
    int px = 0, py = 0, pw = 0, ph = 0;
    picture_rect(window_width, window_height, &px, &py, &pw, &ph);
    const int s = std::max(1, picture_height() / 480);
    begin_flat();
    begin_text(texture);
    for (int i = 0; i < kLines; ++i) {
        if (lines[i][0] == '\0') {
            continue;
        }
        // The clock twice the size of the notes; each with a shadow to read
        // it on sky and rock.
        const int scale = i == kClock ? 2 * s : s;
        const int y = py + 6 * s + (i == kClock ? 0 : (i + 1) * kLineStep * s);
        glColor4f(0, 0, 0, 0.7f);
        draw_line_at(i, kTextH, width[i], scale, px + 6 * s + s, y + s);
        glColor4f(1, 1, 0.6f, 1);
        draw_line_at(i, kTextH, width[i], scale, px + 6 * s, y);
    }
    end_flat();
}
