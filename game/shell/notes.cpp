// The lines drawn over play, from one text texture written only when a line
// changes.
#include "shell/notes.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "input/input.h"
#include "level/level.h"
#include "model/model.h"
#include "picture/picture.h"
#include "shell/flat_text.h"
#include "shell/options.h"
#include "shell/window.h"
#include "state/state.h"

namespace {

using Clock = std::chrono::steady_clock;

// The lines at the foot, bottom first, and the mark in the corner.
enum Note { kFallen, kPadNews, kScreenshot, kMark, kNotes };
constexpr int kNoteH = kNotes * kLineStep;

// Below the grid's last row nothing can hold the trooper again.
constexpr float kFallenY = cell_top(kGridRows / kGridPerCellY);
constexpr auto kFallenHintAfter = std::chrono::seconds(3);
constexpr auto kNewsFor = std::chrono::seconds(3);
constexpr auto kScreenshotFor = std::chrono::seconds(4);

GLuint note_texture;
TextLine notes[kNotes];
int note_width[kNotes];
bool note_shown[kNotes];
Clock::time_point fallen_since, news_until, screenshot_until;
bool fallen, rewrite;

// The way back after a fall, naming the keys that take it.
void write_fallen_hint(char* out, std::size_t size) {
    const Binding& p = bindings[kActPause];
    const Binding& r = bindings[kActRestart];
    const char* restart = r.key_count > 0 ? key_name(r.keys[0]) : nullptr;
    const char* pause_key = p.key_count > 0 ? key_name(p.keys[0]) : nullptr;
    if (restart != nullptr) {
        std::snprintf(out, size, "Fallen off the stage? %s takes you back to the start", restart);
    } else {
        std::snprintf(out, size, "Fallen off the stage? %s, then Back to the start",
                      pause_key ? pause_key : "Pause");
    }
}

}  // namespace

void screenshot_line(char* out, std::size_t size) {
    const char* path = last_screenshot();
    if (path == nullptr) {
        std::snprintf(out, size, "No screenshot saved (the game's output says why)");
        return;
    }
    // The home folder as ~, and the front cut when it is still too long.
    const char* home = std::getenv("HOME");
    const std::size_t h = home != nullptr ? std::strlen(home) : 0;
    const bool in_home = h > 1 && std::strncmp(path, home, h) == 0 && path[h] == '/';
    char shown[4096];
    std::snprintf(shown, sizeof shown, "%s%s", in_home ? "~" : "", in_home ? path + h : path);
    const char* label = "Screenshot: ";
    const std::size_t room = size - 1 - std::strlen(label);
    const std::size_t n = std::strlen(shown);
    if (n <= room) {
        std::snprintf(out, size, "%s%s", label, shown);
    } else {
        std::snprintf(out, size, "%s...%s", label, shown + n - (room - 3));
    }
}

void start_play_notes() {
    start_flat_text();
    note_texture = alpha_texture(kNoteH);
    const char* mark = options.record ? "REC" : options.play ? "DEMO" : "";
    std::snprintf(notes[kMark], sizeof notes[kMark], "%s", mark);
    rewrite = true;
}

void show_screenshot_note() {
    screenshot_line(notes[kScreenshot], sizeof notes[kScreenshot]);
    screenshot_until = Clock::now() + kScreenshotFor;
    rewrite = true;
}

void draw_play_notes() {
    const Clock::time_point now = Clock::now();
    if (take_pad_news(notes[kPadNews], sizeof notes[kPadNews])) {
        news_until = now + kNewsFor;
        rewrite = true;
    }
    if (pressed(kActScreenshot)) {
        show_screenshot_note();  // the frame's screenshot is taken by now
    }
    const bool below = ludz.pos[1] < kFallenY && options.play == nullptr;
    if (below && !fallen) {
        fallen_since = now;
    }
    fallen = below;
    const bool shown[kNotes] = {fallen && now - fallen_since >= kFallenHintAfter, now < news_until,
                                now < screenshot_until, notes[kMark][0] != '\0'};
    if (shown[kFallen] && !note_shown[kFallen]) {
        write_fallen_hint(notes[kFallen], sizeof notes[kFallen]);
        rewrite = true;
    }
    if (rewrite) {
        write_lines(note_texture, notes, kNotes, note_width);
        rewrite = false;
    }
    std::copy(shown, shown + kNotes, note_shown);
    if (std::none_of(shown, shown + kNotes, [](bool b) { return b; })) {
        return;
    }
    begin_flat();
    begin_text(note_texture);
    const int s = std::max(1, picture_height() / 480);
    int y = window_height - picture_top - 6 * s;
    for (int i = kFallen; i < kMark; ++i) {
        if (shown[i]) {
            y -= kLineStep * s;
            glColor4f(0, 0, 0, 0.7f);
            draw_line(i, kNoteH, note_width[i], s, y + s);  // a shadow to read it on sky and rock
            glColor4f(1, 1, 0.6f, 1);
            draw_line(i, kNoteH, note_width[i], s, y);
        }
    }
    if (shown[kMark]) {
        // The picture's top right corner, red while recording.
        int px = 0, py = 0, pw = 0, ph = 0;
        picture_rect(window_width, window_height, &px, &py, &pw, &ph);
        const int x = px + pw - note_width[kMark] * s - 6 * s;
        glColor4f(0, 0, 0, 0.7f);
        draw_line_at(kMark, kNoteH, note_width[kMark], s, x + s, py + 6 * s + s);
        if (options.record) {
            glColor4f(1, 0.25f, 0.2f, 1);
        } else {
            glColor4f(0.7f, 0.9f, 1, 1);
        }
        draw_line_at(kMark, kNoteH, note_width[kMark], s, x, py + 6 * s);
    }
    end_flat();
}
