// The paused screen: the last frame copied into a texture, drawn dimmed with
// the pause menu over it from a texture of Allegro's font, redrawn when the
// menu changes and a few times a second while the loop idles.
#include "shell/pause.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "level/level.h"
#include "model/model.h"
#include "picture/picture.h"
#include "shell/editor_screen.h"
#include "shell/flat_text.h"
#include "shell/menu_feed.h"
#include "shell/options.h"
#include "shell/quit_signals.h"
#include "shell/shell.h"
#include "shell/session.h"
#include "shell/stage_map.h"
#include "shell/trial_play.h"
#include "shell/window.h"
#include "state/state.h"

namespace {

// The frame, in the corner of a power-of-two texture (old GLs need one).
GLuint frame_texture;
int frame_w, frame_h, frame_tex_w, frame_tex_h;

// The menu's lines, one every kLineStep rows of a texture.
constexpr int kMenuTextH = 256;
static_assert(kMenuLines * kLineStep <= kMenuTextH, "the menu's lines fit the texture");
GLuint text_texture;
int line_width[kMenuLines];
unsigned drawn_version = ~0u;

// The menu's lines as last drawn, in window pixels, for the mouse.
int line_top[kMenuLines], line_bottom[kMenuLines];

// Left clicks, counted where Allegro reports them: a click shorter than a
// poll still counts.
std::atomic<unsigned> clicks;
void count_click(int flags) {
    if (flags & MOUSE_FLAG_LEFT_DOWN) {
        clicks.fetch_add(1);
    }
}

constexpr float kDim = 0.35f;
constexpr int kPollMs = 10;
// X does not tell the game when its window is uncovered: redraw now and then.
constexpr int kRedrawPolls = 25;

int power_of_two(int n) {
    int p = 1;
    while (p < n) {
        p *= 2;
    }
    return p;
}

void make_frame_texture() {
    if (frame_texture != 0) {
        glDeleteTextures(1, &frame_texture);
        frame_texture = 0;
    }
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    frame_w = window_width;
    frame_h = window_height;
    frame_tex_w = power_of_two(frame_w);
    frame_tex_h = power_of_two(frame_h);
    if (frame_tex_w > max_size || frame_tex_h > max_size) {
        return;  // the paused screen is then black under the text
    }
    glGenTextures(1, &frame_texture);
    glBindTexture(GL_TEXTURE_2D, frame_texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, frame_tex_w, frame_tex_h, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

// The largest whole scale at which every line fits the picture, the title at
// twice the rest; at most one 8-pixel row per 240 of the picture's height.
int menu_scale(const MenuText& m) {
    int widest = 0;
    for (int i = 0; i < m.count; ++i) {
        // A long note is drawn smaller in its place rather than shrink the menu.
        widest = std::max(widest, m.kind[i] == kMenuNote ? 0 : line_width[i] * (i == 0 ? 2 : 1));
    }
    int s = std::max(1, picture_height() / 240);
    while (s > 1 && (widest * s > window_width - 16 ||
                     (m.count + 1) * kLineStep * s > picture_height() - 8)) {
        --s;
    }
    return s;
}

// The Stages screen's chosen stage as a map under the menu's text, whose
// foot is at `below`: as large as fits, 4 pixels a cell in a 640 by 480 window.
void draw_chosen_map(int below, int gap) {
    const auto codes = menu_stage_map();
    const int bottom = picture_top + picture_height() - gap;
    const int cell =
        std::min(window_width * 5 / 8 / kMapColumns, (bottom - below - gap) / kMapRows);
    if (codes != nullptr && cell >= 1) {
        draw_stage_map(codes, (window_width - cell * kMapColumns) / 2, below + gap, cell);
    }
}

void draw_menu() {
    const MenuText& m = menu_text();
    const int s = menu_scale(m);
    const int height = (m.count + 1) * kLineStep * s;  // the title counts twice
    int y = picture_top + (picture_height() - height) / 2;
    begin_text(text_texture);
    for (int i = 0; i < m.count; ++i) {
        int scale = i == 0 ? 2 * s : s;
        while (scale > 1 && line_width[i] * scale > window_width - 16) {
            --scale;
        }
        switch (m.kind[i]) {
            case kMenuTitle:
                glColor4f(1, 1, 1, 1);
                break;
            case kMenuEntry:
                glColor4f(0.8f, 0.8f, 0.8f, 1);
                break;
            case kMenuChosen:
                glColor4f(1, 0.85f, 0.2f, 1);
                break;
            case kMenuNote:
                glColor4f(0.6f, 0.85f, 1, 1);
                break;
        }
        draw_line(i, kMenuTextH, line_width[i], scale, y);
        const int step = i == 0 ? 2 * s : s;
        line_top[i] = y - step;
        line_bottom[i] = y + (kLineStep - 1) * step;
        y += kLineStep * step;
    }
    draw_chosen_map(y, 4 * s);
}

// The kept frame over the whole window, at `brightness`, with the menu or not.
void draw_kept(float brightness, bool text) {
    begin_flat();
    glClear(GL_COLOR_BUFFER_BIT);
    if (frame_texture != 0) {
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, frame_texture);
        glColor4f(brightness, brightness, brightness, 1);
        // The copy's first row is the window's bottom one.
        quad(0, static_cast<float>(frame_h), static_cast<float>(frame_w), 0, 0, 0,
             static_cast<float>(frame_w) / frame_tex_w, static_cast<float>(frame_h) / frame_tex_h);
    }
    if (text && text_texture != 0) {
        draw_menu();
    }
    end_flat();
}

// The entry under the pointer, or -1.
int entry_at(int x, int y) {
    const MenuText& m = menu_text();
    for (int i = 0; i < m.count && x >= 0 && x < window_width; ++i) {
        if (m.entry[i] >= 0 && y >= line_top[i] && y < line_bottom[i]) {
            return m.entry[i];
        }
    }
    return -1;
}

// The window changed size (full screen, scale): the kept frame is drawn again
// at the new size, from the same state.
void follow_window_size() {
    if (window_width == frame_w && window_height == frame_h) {
        return;
    }
    glPushAttrib(GL_TEXTURE_BIT);
    make_frame_texture();
    glPopAttrib();
    begin_frame();
    draw_stage();
    end_frame();
    keep_frame();
}

}  // namespace

void start_pause_watch(bool on_focus) {
    start_flat_text();
    glPushAttrib(GL_TEXTURE_BIT);
    make_frame_texture();
    glPopAttrib();
    text_texture = alpha_texture(kMenuTextH);
    start_play_notes();
    mouse_callback = count_click;
    if (on_focus) {
        watch_focus();
    }
}

void keep_frame() {
    glPushAttrib(GL_TEXTURE_BIT);
    if (window_width != frame_w || window_height != frame_h) {
        make_frame_texture();  // F11 in play changed the window's size
    }
    if (frame_texture == 0) {
        glPopAttrib();
        return;
    }
    glBindTexture(GL_TEXTURE_2D, frame_texture);
    glReadBuffer(GL_BACK);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, frame_w, frame_h);
    glPopAttrib();
}

bool wait_paused() {
    bool resumed = false;
    bool restart = false;
    int polls = kRedrawPolls;  // draw at once
    int mouse_was_x = mouse_x, mouse_was_y = mouse_y;
    unsigned clicks_seen = clicks.load();
    open_pause_menu(options.play != nullptr || options.timedemo != nullptr);
    for (;;) {
        poll_presses();
        handle_window_keys();
        follow_window_size();
        if (quit_signal() != 0) {
            break;
        }
        if (pressed(kActScreenshot)) {
            draw_kept(1, false);
            take_screenshot();
            show_screenshot_note();  // over play, when the game resumes within its time
            char line[kMenuColumns];
            screenshot_line(line, kMenuColumns - 3);
            menu_note(line);
            polls = kRedrawPolls;
        }
        // The pointer chooses an entry when it moves or clicks, not by resting.
        const int mx_now = mouse_x, my_now = mouse_y;
        const unsigned clicks_now = clicks.load();
        const bool clicked = clicks_now != clicks_seen;
        const bool moved = mx_now != mouse_was_x || my_now != mouse_was_y;
        mouse_was_x = mx_now;
        mouse_was_y = my_now;
        clicks_seen = clicks_now;
        const MenuResult r =
            feed_pause_menu(moved || clicked ? entry_at(mx_now, my_now) : -1, clicked);
        if (r == kMenuEdit) {
            char why[kMenuColumns - 3];
            // A demo keeps to the stage it names at its start, a trial to its clock.
            if (options.record != nullptr || trial_on())
                menu_note("Not while recording or racing the clock");
            else if (!edit_stage_in_play(why, sizeof why))
                menu_note(why);
            else
                resumed = true;
            if (resumed)
                break;
            continue;
        }
        if (r == kMenuTimeTrial) {
            // The run would take over the steps a recording keeps.
            if (options.record != nullptr) {
                menu_note("Not while recording");
                continue;
            }
            if (trial_on())
                stop_trial();
            else
                start_trial(stage_seed);
            resumed = true;
            break;
        }
        if (r != kMenuStay) {
            resumed = r != kMenuQuit;
            restart = r == kMenuRestart;
            break;
        }
        if (menu_version() != drawn_version) {
            const MenuText& m = menu_text();
            write_lines(text_texture, m.text, m.count, line_width);
            drawn_version = menu_version();
            polls = kRedrawPolls;
        }
        if (focus_returned() || polls >= kRedrawPolls) {
            draw_kept(kDim, true);
            allegro_gl_flip();
            polls = 0;
        }
        rest(kPollMs);
        ++polls;
    }
    // A focus lost, or a step key pressed, while paused is no reason to pause
    // again, or to act, at once.
    focus_lost();
    take_step_presses();
    if (restart) {
        press_action(kActRestart);  // the next step's, recorded like a key
    }
    return resumed;
}
