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

static int closeWindow(Display* display, Window window) {
    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    return XSendEvent(display, window, False, NoEventMask, &event) ? 0 : 1;
}

/* The ICCCM's states: 1 normal, 3 iconic; no icon window. */
static int setState(Display* display, Window window, long state) {
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    const long value[2] = {state, None};
    XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace, (const unsigned char*)value, 2);
    return 0;
}

int main(int argc, char** argv) {
    Display* display = argc == 3 ? XOpenDisplay(NULL) : NULL;
    if (!display) {
        return 2;
    }
    const Window window = strtoul(argv[2], NULL, 0);
    int status = 2;
    if (strcmp(argv[1], "close") == 0) {
        status = closeWindow(display, window);
    } else if (strcmp(argv[1], "minimise") == 0) {
        status = setState(display, window, 3);
    } else if (strcmp(argv[1], "restore") == 0) {
        status = setState(display, window, 1);
    }
    XCloseDisplay(display);
    return status;
}
