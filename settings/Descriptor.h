#pragma once

#include <unistd.h>
#include <utility>

// Closes a file descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    // Closing can report a late write error, so the caller must see it.
    bool Close() { return close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};
