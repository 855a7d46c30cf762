// Image files to OpenGL textures, and the one line said about a data file the
// game cannot use (it runs on without it).
#include <GL/gl.h>
#include <SOIL/SOIL.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model/model.h"

namespace {

const unsigned kTextureFlags = SOIL_FLAG_POWER_OF_TWO | SOIL_FLAG_MIPMAPS;
const int kReportSize = 1024;
char last_report[kReportSize];  // start-up reads the same files several times

}  // namespace

void report_data_file(const char* file, const char* problem) {
    char line[kReportSize];
    // Cut to fit, leaving room for the line end.
    std::snprintf(line, sizeof line - 1, "vellin: %s: %s", file, problem);
    // A name read from a model file may hold anything, a line end included.
    for (char* c = line; *c != '\0'; ++c)
        if (!std::isprint(static_cast<unsigned char>(*c)))
            *c = '?';
    std::strcat(line, "\n");
    if (std::strcmp(line, last_report) == 0)
        return;
    std::memcpy(last_report, line, sizeof line);
    std::fputs(line, stderr);
}

// Without a current GL context (tools, tests) nothing is loaded or reported:
// SOIL would query the context's extensions and crash on the null answer.
unsigned load_texture(const char* file_name) {
    if (glGetString(GL_VERSION) == nullptr)
        return 0;
    std::FILE* file = std::fopen(file_name, "rb");
    if (file == nullptr) {
        report_data_file(file_name, std::strerror(errno));
        return 0;
    }
    std::fclose(file);
    const unsigned texture =
        SOIL_load_OGL_texture(file_name, SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, kTextureFlags);
    if (texture == 0) {
        char problem[kReportSize];
        std::snprintf(problem, sizeof problem, "not a loadable image (%s)", SOIL_last_result());
        report_data_file(file_name, problem);
    }
    return texture;
}
