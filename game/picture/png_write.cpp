// 8-bit RGB PNG files from pixels read back from OpenGL. Runs inside the
// frame loop, so it allocates nothing: zlib works in a static arena and the
// file is written with plain POSIX calls.
#include "picture/picture.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// deflateInit2 with the settings below asks for about 262 KB.
alignas(16) unsigned char arena[320 * 1024];
std::size_t arena_used;

voidpf arena_alloc(voidpf, uInt items, uInt size) {
    const std::size_t n = (static_cast<std::size_t>(items) * size + 15) & ~std::size_t{15};
    if (n > sizeof arena - arena_used) {
        return Z_NULL;
    }
    void* p = arena + arena_used;
    arena_used += n;
    return p;
}
void arena_free(voidpf, voidpf) {}

unsigned char row[1 + 3 * kMaxPictureWidth];  // filter byte, then the filtered row
unsigned char chunk[12 + 65536];              // length, type, data, CRC

void put32(std::uint32_t v, unsigned char* out) {
    out[0] = static_cast<unsigned char>(v >> 24);
    out[1] = static_cast<unsigned char>(v >> 16);
    out[2] = static_cast<unsigned char>(v >> 8);
    out[3] = static_cast<unsigned char>(v);
}

bool write_all(int fd, const unsigned char* p, std::size_t n) {
    while (n > 0) {
        const ssize_t done = write(fd, p, n);
        if (done < 0) {
            return false;
        }
        p += done;
        n -= static_cast<std::size_t>(done);
    }
    return true;
}

// Writes one chunk whose `length` data bytes are already at chunk + 8.
bool write_chunk(int fd, const char type[4], std::size_t length) {
    put32(static_cast<std::uint32_t>(length), chunk);
    std::memcpy(chunk + 4, type, 4);
    put32(static_cast<std::uint32_t>(crc32(0, chunk + 4, static_cast<uInt>(length + 4))),
          chunk + 8 + length);
    return write_all(fd, chunk, length + 12);
}

bool write_image(int fd, const unsigned char* rgb, int width, int height) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!write_all(fd, kSignature, sizeof kSignature)) {
        return false;
    }
    unsigned char* header = chunk + 8;
    put32(static_cast<std::uint32_t>(width), header);
    put32(static_cast<std::uint32_t>(height), header + 4);
    const unsigned char kRgb8[5] = {8, 2, 0, 0, 0};  // depth, colour type, methods, no interlace
    std::memcpy(header + 8, kRgb8, sizeof kRgb8);
    if (!write_chunk(fd, "IHDR", 13)) {
        return false;
    }

    arena_used = 0;
    z_stream z;
    std::memset(&z, 0, sizeof z);
    z.zalloc = arena_alloc;
    z.zfree = arena_free;
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        return false;
    }
    const std::size_t stride = 3 * static_cast<std::size_t>(width);
    const std::size_t room = sizeof chunk - 12;
    bool ok = true;
    z.next_out = chunk + 8;
    z.avail_out = static_cast<uInt>(room);
    // OpenGL rows run bottom-up, PNG rows top-down. Filter "up": each byte
    // minus the one above, which suits smooth pictures.
    for (int y = 0; y <= height && ok; ++y) {
        const bool last = y == height;
        if (!last) {
            const unsigned char* line = rgb + stride * static_cast<std::size_t>(height - 1 - y);
            const unsigned char* above = y > 0 ? line + stride : nullptr;
            row[0] = above ? 2 : 0;
            for (std::size_t i = 0; i < stride; ++i) {
                row[1 + i] = static_cast<unsigned char>(line[i] - (above ? above[i] : 0));
            }
            z.next_in = row;
            z.avail_in = static_cast<uInt>(stride + 1);
        }
        int status = Z_OK;
        do {
            status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            if (status == Z_STREAM_ERROR) {
                ok = false;
                break;
            }
            if (z.avail_out == 0 || (last && status == Z_STREAM_END)) {
                ok = write_chunk(fd, "IDAT", room - z.avail_out);
                z.next_out = chunk + 8;
                z.avail_out = static_cast<uInt>(room);
            }
        } while (ok && (last ? status != Z_STREAM_END : z.avail_in > 0));
    }
    deflateEnd(&z);
    return ok && write_chunk(fd, "IEND", 0);
}

}  // namespace

int write_png(const char* path, bool exclusive, const unsigned char* rgb, int width, int height) {
    if (width < 1 || height < 1 || width > kMaxPictureWidth || height > kMaxPictureHeight) {
        return EINVAL;
    }
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC);
    const int fd = open(path, flags, 0644);
    if (fd < 0) {
        return errno;
    }
    const bool ok = write_image(fd, rgb, width, height);
    const int error = ok ? 0 : (errno ? errno : EIO);
    if (close(fd) != 0 && ok) {
        return errno;
    }
    if (!ok) {
        unlink(path);  // leave no broken picture behind
    }
    return error;
}
