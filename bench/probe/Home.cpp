#include "bench/probe/Home.h"

#include "bench/probe/XServer.h"

#include <cstdio>
#include <cstdlib>

void FocusHome(XServer& server) {
    const char* home = std::getenv("PROBE_HOME");
    const char* window = std::getenv("PROBE_WINDOW");
    int x = 0;
    int y = 0;
    if (home != nullptr && std::sscanf(home, "%d,%d", &x, &y) == 2) {
        server.MovePointer(x, y);
    }
    if (window != nullptr) {
        server.Focus(std::strtoul(window, nullptr, 10));
    }
}
