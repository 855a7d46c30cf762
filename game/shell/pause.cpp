// The paused screen: the last frame copied into a texture, drawn dimmed with
// the pause menu over it from a texture of Allegro's font, redrawn when the
// menu changes and a few times a second while the loop idles. The one-line
// notes over play (the way back after a fall, a pad plugged in) are drawn
// from a second such texture.
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
#include "shell/menu.h"
#include "shell/options.h"
#include "shell/quit_signals.h"
#include "shell/shell.h"
#include "shell/window.h"
#include "state/state.h"

namespace {

using Clock = std::chrono::steady_clock;

// The frame, in the corner of a power-of-two texture (old GLs need one).
GLuint frame_texture;
int frame_w, frame_h, frame_tex_w, frame_tex_h;

// Text as alpha only: the menu's lines one every kLineStep rows, and the
// notes over play, each line of 8 pixels. Made once; only rewritten when the
// text changes.
constexpr int kTextW = 512;
constexpr int kTextH = 256;
constexpr int kLineStep = 10;
static_assert(kMenuLines * kLineStep <= kTextH, "the menu's lines fit the texture");
static_assert(kMenuColumns * 8 <= kTextW, "the menu's columns fit the texture");
constexpr int kNotes = 2;  // the way back after a fall, pad news
constexpr int kNoteH = kNotes * kLineStep;
BITMAP* text_bitmap;  // kTextW by kTextH, 8 bits
unsigned char text_alpha[kTextW * kTextH];
GLuint text_texture, note_texture;
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

// Below the grid's last row nothing can hold the trooper again.
constexpr float kFallenY = cell_top(kGridRows / kGridPerCellY);
constexpr auto kFallenHintAfter = std::chrono::seconds(3);
constexpr auto kNewsFor = std::chrono::seconds(3);

int power_of_two(int n) {
    int p = 1;
    while (p < n) {
        p *= 2;
    }
    return p;
}

GLuint alpha_texture(int h) {
    GLuint t = 0;
    glGenTextures(1, &t);
    glBindTexture(GL_TEXTURE_2D, t);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::memset(text_alpha, 0, sizeof text_alpha);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, kTextW, h, 0, GL_ALPHA, GL_UNSIGNED_BYTE, text_alpha);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return t;
}

// Writes `count` lines into texture `t` (first row `row`), one every
// kLineStep rows; their widths in pixels go to `widths`.
void write_lines(GLuint t, int row, const char (*lines)[kMenuColumns + 1], int count, int* widths) {
    if (text_bitmap == nullptr || t == 0) {
        return;
    }
    const int h = count * kLineStep;
    clear_to_color(text_bitmap, 0);
    for (int i = 0; i < count; ++i) {
        textout_ex(text_bitmap, font, lines[i], 0, i * kLineStep, 255, -1);
        widths[i] = text_length(font, lines[i]);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < kTextW; ++x) {
            text_alpha[y * kTextW + x] = text_bitmap->line[y][x] ? 255 : 0;
        }
    }
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, t);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, row, kTextW, h, GL_ALPHA, GL_UNSIGNED_BYTE, text_alpha);
    glPopAttrib();
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

void quad(float x0, float y0, float x1, float y1, float s0, float t0, float s1, float t1) {
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, t0);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(s0, t1);
    glVertex2f(x0, y1);
    glEnd();
}

// Window pixels, y down, over the whole window (the full screen's bars too).
void begin_flat() {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT |
                 GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, window_width, window_height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, window_width, window_height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void end_flat() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void begin_text(GLuint t) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, t);
}

// Line `row` of a text texture `tex_h` high, `width` pixels wide, `scale`
// times its size, centred in the window with its top at y.
void draw_line(int row, int tex_h, int width, int scale, int y) {
    const float w = static_cast<float>(width * scale);
    const float x = (static_cast<float>(window_width) - w) / 2;
    const float t0 = static_cast<float>(row * kLineStep) / tex_h;
    const float t1 = static_cast<float>(row * kLineStep + 8) / tex_h;
    quad(x, static_cast<float>(y), x + w, static_cast<float>(y + 8 * scale), 0, t0,
         static_cast<float>(width) / kTextW, t1);
}

// The height of the picture between the full screen's bars.
int picture_height() {
    return window_height - 2 * picture_top;
}

// The largest whole scale at which every line fits the picture, the title at
// twice the rest; at most one 8-pixel row per 240 of the picture's height.
int menu_scale(const MenuText& m) {
    int widest = 0;
    for (int i = 0; i < m.count; ++i) {
        widest = std::max(widest, line_width[i] * (i == 0 ? 2 : 1));
    }
    int s = std::max(1, picture_height() / 240);
    while (s > 1 && (widest * s > window_width - 16 ||
                     (m.count + 1) * kLineStep * s > picture_height() - 8)) {
        --s;
    }
    return s;
}

void draw_menu() {
    const MenuText& m = menu_text();
    const int s = menu_scale(m);
    const int height = (m.count + 1) * kLineStep * s;  // the title counts twice
    int y = picture_top + (picture_height() - height) / 2;
    begin_text(text_texture);
    for (int i = 0; i < m.count; ++i) {
        const int scale = i == 0 ? 2 * s : s;
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
        draw_line(i, kTextH, line_width[i], scale, y);
        line_top[i] = y - scale;
        line_bottom[i] = y + (kLineStep - 1) * scale;
        y += kLineStep * scale;
    }
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

// The notes over play: what each says, and until when.
char notes[kNotes][kMenuColumns + 1];
int note_width[kNotes];
bool note_shown[kNotes];
Clock::time_point fallen_since, news_until;
bool fallen;

// The way back after a fall, naming the keys that take it.
void write_fallen_hint(char* out, std::size_t size) {
    const Binding& p = bindings[kActPause];
    const Binding& r = bindings[kActRestart];
    char restart[48] = "";
    if (r.key_count > 0 && key_name(r.keys[0]) != nullptr) {
        std::snprintf(restart, sizeof restart, " (or %s)", key_name(r.keys[0]));
    }
    const char* pause_key = p.key_count > 0 ? key_name(p.keys[0]) : nullptr;
    std::snprintf(out, size, "Fallen off the stage? %s, then Back to the start%s",
                  pause_key ? pause_key : "Pause", restart);
}

}  // namespace

void start_pause_watch(bool on_focus) {
    text_bitmap = create_bitmap_ex(8, kTextW, kTextH);
    glPushAttrib(GL_TEXTURE_BIT);
    make_frame_texture();
    text_texture = alpha_texture(kTextH);
    note_texture = alpha_texture(kNoteH);
    glPopAttrib();
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

void draw_play_notes() {
    const Clock::time_point now = Clock::now();
    bool changed = false;
    if (take_pad_news(notes[1], sizeof notes[1])) {
        news_until = now + kNewsFor;
        changed = true;
    }
    const bool below = ludz.pos[1] < kFallenY && options.play == nullptr;
    if (below && !fallen) {
        fallen_since = now;
    }
    fallen = below;
    const bool shown[kNotes] = {fallen && now - fallen_since >= kFallenHintAfter, now < news_until};
    if (shown[0] && !note_shown[0]) {
        write_fallen_hint(notes[0], sizeof notes[0]);
        changed = true;
    }
    if (changed) {
        write_lines(note_texture, 0, notes, kNotes, note_width);
    }
    if (!shown[0] && !shown[1]) {
        note_shown[0] = note_shown[1] = false;
        return;
    }
    begin_flat();
    begin_text(note_texture);
    const int s = std::max(1, picture_height() / 480);
    int y = window_height - picture_top - 6 * s;
    for (int i = kNotes - 1; i >= 0; --i) {
        note_shown[i] = shown[i];
        if (shown[i]) {
            y -= kLineStep * s;
            glColor4f(0, 0, 0, 0.7f);
            draw_line(i, kNoteH, note_width[i], s, y + s);  // a shadow to read it on sky and rock
            glColor4f(1, 1, 0.6f, 1);
            draw_line(i, kNoteH, note_width[i], s, y);
        }
    }
    end_flat();
}

bool wait_paused() {
    bool resumed = false;
    bool restart = false;
    int polls = kRedrawPolls;  // draw at once
    int mouse_was_x = mouse_x, mouse_was_y = mouse_y;
    unsigned clicks_seen = clicks.load();
    open_menu(options.play != nullptr || options.timedemo != nullptr);
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
        const MenuResult r = menu_poll(moved || clicked ? entry_at(mx_now, my_now) : -1, clicked);
        if (r != kMenuStay) {
            resumed = r != kMenuQuit;
            restart = r == kMenuRestart;
            break;
        }
        if (menu_version() != drawn_version) {
            const MenuText& m = menu_text();
            write_lines(text_texture, 0, m.text, m.count, line_width);
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
