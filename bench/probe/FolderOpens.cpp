#include "bench/probe/FolderOpens.h"

#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

FolderOpens::FolderOpens(const std::string& folder)
    : watch_(inotify_init1(IN_CLOEXEC)) {
    if (watch_ < 0 || inotify_add_watch(watch_, folder.c_str(), IN_OPEN) < 0 ||
        pipe2(stop_, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot watch " + folder);
    }
    reader_ = std::thread([this] { Read(); });
}

FolderOpens::~FolderOpens() {
    const char stop = 0;
    if (write(stop_[1], &stop, 1) != 1) {
        reader_.detach();
    } else {
        reader_.join();
    }
    close(stop_[0]);
    close(stop_[1]);
    close(watch_);
}

void FolderOpens::Read() {
    alignas(inotify_event) char buffer[8192];
    for (;;) {
        pollfd watched[] = {{watch_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        if (poll(watched, 2, -1) < 0 || (watched[1].revents & POLLIN) != 0) {
            return;
        }
        const ssize_t got = read(watch_, buffer, sizeof buffer);
        const Clock::time_point at = Clock::now();
        const std::lock_guard lock(mutex_);
        for (ssize_t offset = 0; offset < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            opened_.push_back({event->len > 0 ? std::string(event->name) : std::string(), at});
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

std::optional<Clock::time_point> FolderOpens::First(const std::string& name,
                                                    Clock::time_point from) {
    const std::lock_guard lock(mutex_);
    for (const Opened& opened : opened_) {
        if (opened.at >= from && opened.name == name) {
            return opened.at;
        }
    }
    return std::nullopt;
}

int FolderOpens::FolderOpenings(Clock::time_point from, Clock::time_point to) {
    const std::lock_guard lock(mutex_);
    int openings = 0;
    for (const Opened& opened : opened_) {
        openings += opened.name.empty() && opened.at >= from && opened.at < to ? 1 : 0;
    }
    return openings;
}
