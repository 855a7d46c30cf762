// Process entry, through Allegro's entry wrapper.
#include <allegro.h>

#include <cstdio>

#include "shell/options.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
    const int status = parse_options(argc, argv, stdout, stderr);
    if (status >= 0) {
        return status;
    }
    init();
    play();
    uninit();
    return 0;
}
END_OF_MAIN()
