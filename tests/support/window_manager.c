/* Does to a window what a window manager would, on a display that has none:
 *
 *   window_manager close WINDOW_ID      asks it to close, as a close button
 *                                       does (the ICCCM's WM_DELETE_WINDOW)
 *   window_manager minimise WINDOW_ID   marks it minimised, or back to normal,
 *   window_manager restore WINDOW_ID    in its WM_STATE property, as a window
 *                                       manager tells a client of either */
#include <X11/Xlib.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    Display* display = argc == 3 ? XOpenDisplay(NULL) : NULL;
    if (!display) {
        return 2;
    }
    const Window window = strtoul(argv[2], NULL, 0);
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    /* The ICCCM's states: iconic, or normal. */
    const long state[2] = {strcmp(argv[1], "minimise") == 0 ? 3 : 1, None};
    int status = 0;
    if (strcmp(argv[1], "close") == 0) {
        XEvent event = {.xclient = {.type = ClientMessage, .window = window, .format = 32}};
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
        status = XSendEvent(display, window, False, NoEventMask, &event) ? 0 : 1;
    } else if (strcmp(argv[1], "minimise") == 0 || strcmp(argv[1], "restore") == 0) {
        XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace, (const unsigned char*)state,
                        2);
    } else {
        status = 2;
    }
    XCloseDisplay(display);
    return status;
}
