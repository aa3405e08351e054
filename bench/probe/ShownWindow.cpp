#include "bench/probe/ShownWindow.h"

std::optional<ShownWindow> WaitForShownWindow(XServer& server, Clock::time_point deadline,
                                              const std::string& titled) {
    std::optional<ShownWindow> shown;
    PaintedArea painted;
    while (const std::optional<ScreenEvent> event = server.Next(deadline)) {
        if (!shown && event->kind == ScreenEvent::Kind::Mapped &&
            (titled.empty() ||
             server.WindowName(event->window).find(titled) != std::string::npos)) {
            shown = ShownWindow{event->window, event->box, event->at, {}};
        } else if (shown && event->kind == ScreenEvent::Kind::Drawn) {
            painted.Add(event->box);
            if (painted.Covers(shown->box)) {
                shown->painted = event->at;
                return shown;
            }
        }
    }
    return std::nullopt;
}
