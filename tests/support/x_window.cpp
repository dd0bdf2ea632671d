#include "tests/support/x_window.h"

#include "tests/support/process.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <thread>

namespace {

long windowPid(Display* display, Window window) {
    Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None) {
        return -1;
    }
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        if (count == 1) {
            pid = *reinterpret_cast<long*>(data);
        }
        XFree(data);
    }
    return pid;
}

unsigned long findChild(Display* display, Window parent, const std::string& title, long pid) {
    Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) {
        return 0;
    }
    unsigned long found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (title == name && (pid <= 0 || windowPid(display, children[i]) == pid)) {
                found = children[i];
            }
            XFree(name);
        }
    }
    if (children) {
        XFree(children);
    }
    return found;
}

} // namespace

unsigned long waitForWindow(const std::string& title, long pid, std::chrono::milliseconds deadline) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return 0;
    }
    auto end = std::chrono::steady_clock::now() + deadline;
    unsigned long window = 0;
    while (!window && std::chrono::steady_clock::now() < end) {
        window = findChild(display, DefaultRootWindow(display), title, pid);
        if (window) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
                window = 0;
            }
        }
        if (!window) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    XCloseDisplay(display);
    return window;
}

bool sendCloseRequest(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
    XFlush(display);
    XCloseDisplay(display);
    return sent;
}

bool typeKeys(unsigned long window, const std::string& keys) {
    std::string id = std::to_string(window);
    return runShell("xdotool windowfocus --sync " + id + " && xdotool key --delay 30 " + keys) == 0;
}

bool screenshot(unsigned long window, const std::string& pngPath) {
    return runShell("import -window " + std::to_string(window) + " " + pngPath) == 0;
}
