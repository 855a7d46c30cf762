// Process entry, through Allegro's entry wrapper.
#include <allegro.h>

#include <cstdio>

#include "shell/options.h"
#include "shell/session.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
    int status = parse_options(argc, argv, stdout, stderr);
    if (status < 0) {
        status = begin_session();
    }
    if (status >= 0) {
        return status;
    }
    init();
    play();
    uninit();
    return end_session();
}
END_OF_MAIN()
