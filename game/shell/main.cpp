// Process entry, through Allegro's entry wrapper. Arguments are ignored.
#include <allegro.h>

#include "shell/shell.h"

int main(int, char**) {
    init();
    play();
    uninit();
    return 0;
}
END_OF_MAIN()
