/*
 * Helpers shared by the Kelpmodel sources; not exported. List growth and the
 * bounded name handling live here so that every record treats them alike.
 */
#ifndef KP_LOCAL_H
#define KP_LOCAL_H

#include <stddef.h>
#include <stdint.h>

#include "kelpmodel.h"

/* Growth steps, in elements. Lists grow linearly, never by doubling. */
enum {
    KP_MESH_STEP = 8,
    KP_MATERIAL_STEP = 8,
    KP_BONE_STEP = 32,
    KP_VERTEX_STEP = 256,
    KP_NORMAL_STEP = 256,
    KP_TRIANGLE_STEP = 256,
    KP_KEY_STEP = 32
};

/* Width of every name field, and of the texture file name fields, in bytes. */
#define KP_NAME_WIDTH 32
#define KP_FILE_NAME_WIDTH 256

/* Makes room for one more element in a list of `count` elements. Returns the
 * list, grown by `step` (and `*capacity` raised) when count has reached
 * capacity. Returns null when the grown capacity would pass `limit` or memory
 * cannot be had; the list and `*capacity` are then untouched. */
void* kp_list_reserve(void* list, size_t elementSize, long count, long* capacity, long step,
                      long limit);

/* Copies a zero-terminated string into a field of `width` bytes like strncpy:
 * zero-padded, and unterminated when the string fills the field. */
void kp_name_set(char* field, size_t width, const char* source);

/* Copies a field's string into `buffer` like strncpy with bound `length`, but
 * never reads past the field, which may hold no terminating zero. A length of
 * zero or less copies nothing. */
void kp_name_get(const char* field, size_t width, char* buffer, int length);

/* 1 when the field's string (at most `width` bytes) equals `name` exactly. */
int kp_name_equals(const char* field, size_t width, const char* name);

/* The low 8 bits of `value` read as a two's-complement signed byte. */
int8_t kp_low_byte_signed(int value);

#endif /* KP_LOCAL_H */
