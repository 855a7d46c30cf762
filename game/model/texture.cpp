// Image files to OpenGL textures.
#include <GL/gl.h>
#include <SOIL/SOIL.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model/model.h"

namespace {

const unsigned kTextureFlags = SOIL_FLAG_POWER_OF_TWO | SOIL_FLAG_MIPMAPS;
const int kReportSize = 1024;
const int kProblemSize = 256;  // SOIL's reasons are a few words

// The line about an image that cannot be loaded names the model line that
// asked for it, where there is one.
void report_texture(const char* file_name, const char* named_at, const char* problem) {
    if (named_at == nullptr) {
        report_data_file(file_name, problem);
        return;
    }
    char line[kReportSize];
    std::snprintf(line, sizeof line, "texture %s: %s", file_name, problem);
    report_data_file(named_at, line);
}

}  // namespace

// Without a current GL context (tools, tests) nothing is loaded or reported:
// SOIL would query the context's extensions and crash on the null answer.
unsigned load_texture(const char* file_name, const char* named_at) {
    if (glGetString(GL_VERSION) == nullptr)
        return 0;
    std::FILE* file = std::fopen(file_name, "rb");
    if (file == nullptr) {
        report_texture(file_name, named_at, std::strerror(errno));
        return 0;
    }
    std::fclose(file);
    const unsigned texture =
        SOIL_load_OGL_texture(file_name, SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, kTextureFlags);
    if (texture == 0) {
        char problem[kProblemSize];
        std::snprintf(problem, sizeof problem, "not a loadable image (%s)", SOIL_last_result());
        report_texture(file_name, named_at, problem);
    }
    return texture;
}
