// libFuzzer target for the demo reader: every input is parsed as a finished
// demo and as an unfinished recording; what parses must encode back to the
// same bytes, in its own version (from version 3 its stage and checksum, in
// version 4 its layer too).
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "demo/demo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Demo demo;
    DemoError error;
    if (parse_demo(data, size, false, &demo, &error)) {
        const std::vector<unsigned char> again = encode_demo(demo);
        if (again.size() != size || std::memcmp(again.data(), data, size) != 0) {
            std::abort();
        }
    } else if (error.offset > size ||
               std::memchr(error.reason, '\0', sizeof error.reason) == nullptr) {
        std::abort();
    }
    parse_demo(data, size, true, &demo, &error);
    return 0;
}
