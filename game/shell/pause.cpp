// The paused screen: the last frame copied into a texture, drawn dimmed with
// the controls over it from a texture of Allegro's font, redrawn a few times
// a second while the loop idles.
#include "shell/pause.h"

#include <allegro.h>
#include <alleggl.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "picture/picture.h"
#include "shell/quit_signals.h"
#include "shell/window.h"

namespace {

// The frame, in the corner of a power-of-two texture (old GLs need one).
GLuint frame_texture;
int frame_w, frame_h, frame_tex_w, frame_tex_h;

// The text, one 8-pixel line every kLineStep rows, as alpha only.
constexpr int kTextW = 512;
constexpr int kTextH = 128;
constexpr int kLineStep = 10;
constexpr int kMaxLines = kTextH / kLineStep;
GLuint text_texture;
int line_count;
int line_width[kMaxLines];
unsigned char text_alpha[kTextW * kTextH];

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

// "LEFT", "P or Start", "P or button 7": the keys and, with a pad, the
// buttons of an action, by their usual names where the pad's name gives them.
void describe(Action a, char* out, std::size_t size) {
    const Binding& b = bindings[a];
    std::size_t n = 0;
    out[0] = '\0';
    for (int i = 0; i < b.key_count + (pad.present ? b.button_count : 0) && n < size; ++i) {
        const char* sep = n > 0 ? " or " : "";
        int m = 0;
        if (i < b.key_count) {
            const char* name = key_name(b.keys[i]);
            m = std::snprintf(out + n, size - n, "%s%s", sep, name ? name : "?");
        } else {
            const int button = b.buttons[i - b.key_count];
            const char* name = pad_button_name(pad_name(), button);
            m = name ? std::snprintf(out + n, size - n, "%s%s", sep, name)
                     : std::snprintf(out + n, size - n, "%sbutton %d", sep, button);
        }
        n += m > 0 ? static_cast<std::size_t>(m) : 0;
    }
    if (n == 0) {
        std::snprintf(out, size, "(none)");
    }
}

char lines[kMaxLines][kTextW / 8 + 1];  // a line too long for the texture is cut

__attribute__((format(printf, 1, 2))) void add_line(const char* format, ...) {
    if (line_count < kMaxLines) {
        std::va_list args;
        va_start(args, format);
        std::vsnprintf(lines[line_count++], sizeof lines[0], format, args);
        va_end(args);
    }
}

void write_controls(BITMAP* bmp) {
    const Action shown[] = {kActPause, kActLeft, kActRight, kActJump,
                            kActDown,  kActUp,   kActAim,   kActScreenshot};
    constexpr int kShown = sizeof shown / sizeof shown[0];
    char k[kShown][64];
    for (int i = 0; i < kShown; ++i) {
        describe(shown[i], k[i], sizeof k[i]);
    }
    line_count = 0;
    add_line("Paused");
    add_line("%s: resume", k[0]);
    add_line("%s / %s: walk", k[1], k[2]);
    add_line("%s: jump   %s: crouch", k[3], k[4]);
    add_line("%s + %s: drop through", k[4], k[3]);
    add_line("%s: look up   %s: aim", k[5], k[6]);
    add_line("%s: screenshot", k[7]);
    add_line("ESC: quit");
    for (int i = 0; i < line_count; ++i) {
        textout_ex(bmp, font, lines[i], 0, i * kLineStep, 255, -1);
        line_width[i] = text_length(font, lines[i]);
    }
}

void make_text_texture() {
    BITMAP* bmp = create_bitmap_ex(8, kTextW, kTextH);
    if (bmp == nullptr) {
        return;
    }
    clear_to_color(bmp, 0);
    write_controls(bmp);
    for (int y = 0; y < kTextH; ++y) {
        for (int x = 0; x < kTextW; ++x) {
            text_alpha[y * kTextW + x] = bmp->line[y][x] ? 255 : 0;
        }
    }
    destroy_bitmap(bmp);
    glGenTextures(1, &text_texture);
    glBindTexture(GL_TEXTURE_2D, text_texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, kTextW, kTextH, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 text_alpha);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void make_frame_texture() {
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    frame_w = SCREEN_W;
    frame_h = SCREEN_H;
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

// Text line i, `scale` times its size, centred at row y of the window.
void draw_line(int i, int scale, int y) {
    const float w = static_cast<float>(line_width[i] * scale);
    const float x = (static_cast<float>(frame_w) - w) / 2;
    const float t0 = static_cast<float>(i * kLineStep) / kTextH;
    const float t1 = static_cast<float>(i * kLineStep + 8) / kTextH;
    quad(x, static_cast<float>(y), x + w, static_cast<float>(y + 8 * scale), 0, t0,
         static_cast<float>(line_width[i]) / kTextW, t1);
}

// The kept frame over the whole window, at `brightness`, with the text or not.
void draw_kept(float brightness, bool text) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT |
                 GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, frame_w, frame_h);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, frame_w, frame_h, 0, -1, 1);  // window pixels, y down
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glClear(GL_COLOR_BUFFER_BIT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
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
        // The title high and the controls low leave the middle, where the
        // camera keeps the trooper, to be seen.
        const int scale = frame_h >= 480 ? frame_h / 240 : 1;
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, text_texture);
        glColor4f(1, 1, 1, 1);
        draw_line(0, 2 * scale, 12 * scale);
        int y = frame_h - (line_count - 1) * kLineStep * scale - 4 * scale;
        for (int i = 1; i < line_count; ++i, y += kLineStep * scale) {
            draw_line(i, scale, y);
        }
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

}  // namespace

void start_pause_watch(bool on_focus) {
    glPushAttrib(GL_TEXTURE_BIT);
    make_frame_texture();
    make_text_texture();
    glPopAttrib();
    if (on_focus) {
        watch_focus();
    }
}

void keep_frame() {
    if (frame_texture == 0) {
        return;
    }
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, frame_texture);
    glReadBuffer(GL_BACK);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, frame_w, frame_h);
    glPopAttrib();
}

bool wait_paused() {
    bool resumed = false;
    int polls = kRedrawPolls;  // draw at once
    for (;;) {
        poll_presses();
        if (quit_pressed() || quit_signal() != 0) {
            break;
        }
        if (pressed(kActPause)) {
            resumed = true;
            break;
        }
        if (pressed(kActScreenshot)) {
            draw_kept(1, false);
            take_screenshot();
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
    return resumed;
}
