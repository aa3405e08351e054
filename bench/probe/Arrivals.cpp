#include "bench/probe/Arrivals.h"

#include "journal/SqliteConnection.h"

#include <cstdio>
#include <filesystem>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>
#include <utility>

namespace {

// -1 for a file that cannot be read, say one replaced while it was opened.
std::int64_t Answers(const std::string& file) {
    try {
        const SqliteConnection connection(file, SqliteAccess::ReadOnly);
        connection.SetBusyTimeout(std::chrono::milliseconds(1000));
        return connection.QueryInteger("SELECT count(*) FROM answers");
    } catch (const std::exception&) {
        return -1;
    }
}

} // namespace

Arrivals::Arrivals(std::string copy, std::string journal)
    : watch_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    , copy_(std::move(copy))
    , journal_(std::move(journal)) {
    const std::string folder = std::filesystem::path(copy_).parent_path().string();
    if (watch_ < 0 || inotify_add_watch(watch_, folder.c_str(), IN_MOVED_TO) < 0) {
        throw std::runtime_error("cannot watch " + folder);
    }
}

Arrivals::~Arrivals() {
    close(watch_);
}

void Arrivals::RoundEnded(Clock::time_point pressed) {
    waiting_.push_back({pressed, Answers(journal_)});
}

bool Arrivals::CopyRenamed() {
    const std::string name = std::filesystem::path(copy_).filename().string();
    alignas(inotify_event) char buffer[4096];
    bool renamed = false;
    for (;;) {
        const ssize_t got = read(watch_, buffer, sizeof buffer);
        if (got <= 0) {
            return renamed;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            renamed = renamed || (event->len > 0 && name == event->name);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

void Arrivals::Answer(std::int64_t answers, Clock::time_point at) {
    while (!waiting_.empty() && waiting_.front().answers <= answers) {
        std::printf("arrival_ms=%.1f\n", MillisecondsBetween(waiting_.front().pressed, at));
        waiting_.pop_front();
    }
}

void Arrivals::Poll() {
    if (!waiting_.empty() && CopyRenamed()) {
        const Clock::time_point at = Clock::now();
        Answer(Answers(copy_), at);
    }
}

bool Arrivals::AwaitAll(Clock::time_point deadline) {
    while (!waiting_.empty()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd watched{watch_, POLLIN, 0};
        poll(&watched, 1, static_cast<int>(left) + 1);
        Poll();
    }
    return true;
}
