#include "tests/support/x_window.h"

#include "tests/support/process.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stb_image_write.h>

#include <thread>
#include <vector>

namespace {

// Other programs' windows come and go while we look at them; a request about
// one that has just gone is no reason to stop.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

Display* openDisplay() {
    XSetErrorHandler(ignoreXErrors);
    return XOpenDisplay(nullptr);
}

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
    const auto end = std::chrono::steady_clock::now() + deadline;
    unsigned long window = 0;
    while (!window && std::chrono::steady_clock::now() < end) {
        // A busy server may turn a connection away for a moment: ask again.
        if (Display* display = openDisplay()) {
            window = findChild(display, DefaultRootWindow(display), title, pid);
            XWindowAttributes attributes;
            if (window &&
                (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)) {
                window = 0;
            }
            XCloseDisplay(display);
        }
        if (!window) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return window;
}

bool sendCloseRequest(unsigned long window) {
    Display* display = openDisplay();
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
    // A window just mapped may not take the focus yet: try again shortly.
    const std::string id = std::to_string(window);
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (runShell("xdotool windowfocus --sync " + id + " 2>/dev/null") == 0) {
            return runShell("xdotool key --delay 30 " + keys) == 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

bool screenshot(unsigned long window, const std::string& pngPath) {
    Display* display = openDisplay();
    if (!display) {
        return false;
    }
    XWindowAttributes attributes;
    XImage* image = nullptr;
    if (XGetWindowAttributes(display, window, &attributes)) {
        image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    }
    bool saved = false;
    if (image) {
        std::vector<unsigned char> rgb;
        rgb.reserve(static_cast<size_t>(image->width * image->height * 3));
        for (int y = 0; y < image->height; ++y) {
            for (int x = 0; x < image->width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                rgb.push_back(static_cast<unsigned char>((pixel & image->red_mask) >> 16));
                rgb.push_back(static_cast<unsigned char>((pixel & image->green_mask) >> 8));
                rgb.push_back(static_cast<unsigned char>(pixel & image->blue_mask));
            }
        }
        saved = stbi_write_png(pngPath.c_str(), image->width, image->height, 3, rgb.data(),
                               image->width * 3) != 0;
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return saved;
}
