#pragma once

#include "bench/probe/Box.h"
#include "bench/probe/Clock.h"

#include <cstdint>
#include <optional>
#include <string>

// Opaque Xlib types, so that users need not include Xlib and its macros.
struct _XDisplay;
struct _XRegion;

// What the X server reports about the screen: top-level windows being mapped or unmapped, popups
// (menus, tooltips: windows the window manager leaves alone) being mapped, and every rectangle
// drawn anywhere (DAMAGE on the root window), each stamped when it was read.
struct ScreenEvent {
    enum class Kind { Mapped, Unmapped, Drawn, Popup };
    Kind kind;
    unsigned long window = 0; // top-level window for Mapped, Unmapped and Popup
    Box box;                  // root coordinates: the window for Mapped and Popup, else the area
    Clock::time_point at;
};

// One connection to the X server that watches the screen and fakes input through XTEST.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // The next event, or none when the deadline passes first.
    std::optional<ScreenEvent> Next(Clock::time_point deadline);
    // Reads events until none arrives for the given quiet time.
    void DrainUntilQuiet(double quietMilliseconds);
    // Waits until no top-level window is viewable, e.g. after the previous program ended.
    bool WaitForEmptyScreen(double timeoutMilliseconds);

    // The window's title, as a window manager would show it; empty when it has none.
    std::string WindowName(unsigned long window);
    // A fingerprint of the pixels on the screen in the box: equal pictures, equal fingerprints.
    std::uint64_t Fingerprint(const Box& box);

    // What a window manager does when the user picks a window: give it the keyboard.
    void Focus(unsigned long window);
    void PressKey(const std::string& keysymName);
    void MovePointer(int x, int y);
    void Click(int x, int y);
    // What a window manager does when the user closes a window: ask it to close (WM_DELETE_WINDOW).
    void AskToClose(unsigned long window);

    // Keeps the connection from being inherited by programs started later.
    void CloseOnExec();

private:
    _XDisplay* display_;
    int damageEventBase_ = 0;
    unsigned long damage_ = 0;
};

// The union of drawn rectangles, to tell when a window has been painted completely.
class PaintedArea {
public:
    PaintedArea();
    ~PaintedArea();
    PaintedArea(const PaintedArea&) = delete;
    PaintedArea& operator=(const PaintedArea&) = delete;

    void Add(const Box& box);
    bool Covers(const Box& box) const;

private:
    _XRegion* region_;
};
