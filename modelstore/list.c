/* List growth shared by every Add function. */
#include <stdlib.h>

#include "kp_local.h"

/* Tests swap the allocator to reach the out-of-memory path. */
#ifdef KP_REALLOC
void* KP_REALLOC(void* list, size_t size);
#else
#define KP_REALLOC realloc
#endif

void* kp_list_reserve(void* list, size_t elementSize, long count, long* capacity, long step,
                      long limit) {
    if (count < *capacity) {
        return list;
    }
    if (*capacity > limit - step) {
        return NULL;
    }
    size_t grown = (size_t)(*capacity + step);
    if (grown > SIZE_MAX / elementSize) {
        return NULL;
    }
    /* realloc keeps the first `count` elements and frees the old list. */
    void* bigger = KP_REALLOC(list, grown * elementSize);
    if (bigger == NULL) {
        return NULL;
    }
    *capacity = (long)grown;
    return bigger;
}

int8_t kp_low_byte_signed(int value) {
    unsigned low = (unsigned)value & 0xFFu;
    return (int8_t)(low >= 0x80u ? (int)low - 0x100 : (int)low);
}
