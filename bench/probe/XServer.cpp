#include "bench/probe/XServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <thread>

namespace {

Box BoxOf(const XRectangle& rectangle) {
    return {rectangle.x, rectangle.y, rectangle.width, rectangle.height};
}

// A busy server may turn a connection away now and then.
Display* OpenDisplay() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) {
            return display;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw std::runtime_error("cannot open the X display");
}

unsigned short Extent(int pixels) {
    return static_cast<unsigned short>(pixels);
}

} // namespace

XServer::XServer()
    : display_(OpenDisplay()) {
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XDamageQueryExtension(display_, &damageEventBase_, &errorBase) ||
        !XTestQueryExtension(display_, &errorBase, &errorBase, &major, &minor)) {
        throw std::runtime_error("the X server lacks DAMAGE or XTEST");
    }
    const Window root = DefaultRootWindow(display_);
    XSelectInput(display_, root, SubstructureNotifyMask);
    damage_ = XDamageCreate(display_, root, XDamageReportRawRectangles);
    XSync(display_, False);
}

XServer::~XServer() {
    XDamageDestroy(display_, damage_);
    XCloseDisplay(display_);
}

void XServer::CloseOnExec() {
    fcntl(ConnectionNumber(display_), F_SETFD, FD_CLOEXEC);
}

std::optional<ScreenEvent> XServer::Next(Clock::time_point deadline) {
    for (;;) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            const Clock::time_point at = Clock::now();
            if (event.type == damageEventBase_ + XDamageNotify) {
                const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                return ScreenEvent{ScreenEvent::Kind::Drawn, 0, BoxOf(damage.area), at};
            }
            if (event.type == MapNotify) {
                XWindowAttributes attributes;
                XGetWindowAttributes(display_, event.xmap.window, &attributes);
                return ScreenEvent{
                    event.xmap.override_redirect ? ScreenEvent::Kind::Popup
                                                 : ScreenEvent::Kind::Mapped,
                    event.xmap.window,
                    Box{attributes.x, attributes.y, attributes.width, attributes.height}, at};
            }
            if (event.type == UnmapNotify) {
                return ScreenEvent{ScreenEvent::Kind::Unmapped, event.xunmap.window, Box{}, at};
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return std::nullopt;
        }
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left) + 1);
    }
}

void XServer::DrainUntilQuiet(double quietMilliseconds) {
    while (Next(MillisecondsFromNow(quietMilliseconds))) {
    }
}

bool XServer::WaitForEmptyScreen(double timeoutMilliseconds) {
    const Clock::time_point deadline = MillisecondsFromNow(timeoutMilliseconds);
    for (;;) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
        bool anyViewable = false;
        for (unsigned int index = 0; index < count && !anyViewable; ++index) {
            XWindowAttributes attributes;
            anyViewable = XGetWindowAttributes(display_, children[index], &attributes) != 0 &&
                          attributes.map_state == IsViewable;
        }
        XFree(children);
        if (!anyViewable) {
            return true;
        }
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string XServer::WindowName(unsigned long window) {
    const Atom utf8Name = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display_, window, utf8Name, 0, 1024, False, utf8, &type, &format, &items,
                           &left, &data) == Success &&
        data != nullptr) {
        name.assign(reinterpret_cast<const char*>(data), items);
        XFree(data);
    }
    if (name.empty()) {
        char* plain = nullptr;
        if (XFetchName(display_, window, &plain) != 0 && plain != nullptr) {
            name = plain;
            XFree(plain);
        }
    }
    return name;
}

std::uint64_t XServer::Fingerprint(const Box& box) {
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), box.x, box.y,
                              Extent(box.width), Extent(box.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        throw std::runtime_error("cannot read the screen");
    }
    // FNV-1a over the pixels' colours.
    std::uint64_t hash = 14695981039346656037ULL;
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            hash = (hash ^ (XGetPixel(image, x, y) & 0xFFFFFF)) * 1099511628211ULL;
        }
    }
    XDestroyImage(image);
    return hash;
}

void XServer::Focus(unsigned long window) {
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XFlush(display_);
}

void XServer::PressKey(const std::string& keysymName) {
    const KeySym keysym = XStringToKeysym(keysymName.c_str());
    const unsigned int keycode = XKeysymToKeycode(display_, keysym);
    if (keysym == NoSymbol || keycode == 0) {
        throw std::runtime_error("unknown key " + keysymName);
    }
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    XFlush(display_);
}

void XServer::MovePointer(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XFlush(display_);
}

void XServer::Click(int x, int y) {
    MovePointer(x, y);
    XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
    XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
    XFlush(display_);
}

void XServer::AskToClose(unsigned long window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

PaintedArea::PaintedArea()
    : region_(XCreateRegion()) {}

PaintedArea::~PaintedArea() {
    XDestroyRegion(region_);
}

void PaintedArea::Add(const Box& box) {
    XRectangle rectangle{static_cast<short>(box.x), static_cast<short>(box.y), Extent(box.width),
                         Extent(box.height)};
    XUnionRectWithRegion(&rectangle, region_, region_);
}

bool PaintedArea::Covers(const Box& box) const {
    return XRectInRegion(region_, box.x, box.y, Extent(box.width), Extent(box.height)) ==
           RectangleIn;
}
