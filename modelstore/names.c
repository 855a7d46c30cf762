/* Bounded copies and comparisons of the fixed-width name fields. */
#include <string.h>

#include "kp_local.h"

void kp_name_set(char* field, size_t width, const char* source) {
    strncpy(field, source, width);
}

void kp_name_get(const char* field, size_t width, char* buffer, int length) {
    if (length <= 0) {
        return;
    }
    size_t bound = (size_t)length;
    size_t used = strnlen(field, width);
    if (used > bound) {
        used = bound;
    }
    memcpy(buffer, field, used);
    memset(buffer + used, 0, bound - used);
}

int kp_name_equals(const char* field, size_t width, const char* name) {
    size_t used = strnlen(field, width);
    /* strncmp stops at a shorter name's zero, so name[used] is in bounds. */
    return strncmp(field, name, used) == 0 && name[used] == '\0';
}
