// Saves a window's picture as a PNG, read straight from the X server without
// grabbing it (a grab can stall a GL client in the middle of a frame).
//
//   window_shot WINDOW_ID OUTPUT.png
#include "tests/support/x_window.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_shot WINDOW_ID OUTPUT.png\n");
        return 2;
    }
    return screenshot(std::strtoul(argv[1], nullptr, 0), argv[2]) ? 0 : 1;
}
