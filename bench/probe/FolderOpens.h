#pragma once

#include "bench/probe/Clock.h"

#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Every opening of a folder and of the files in it, as inotify reports them, each stamped when it
// was read: the class window opens the folder to look at it and a pupil's file to read it.
class FolderOpens {
public:
    struct Opened {
        // Empty for the folder itself.
        std::string name;
        Clock::time_point at;
    };

    explicit FolderOpens(const std::string& folder);
    ~FolderOpens();
    FolderOpens(const FolderOpens&) = delete;
    FolderOpens& operator=(const FolderOpens&) = delete;

    // The first opening of the named file (empty: the folder) at or after from.
    std::optional<Clock::time_point> First(const std::string& name, Clock::time_point from);
    // How many times the folder itself was opened between from and to.
    int FolderOpenings(Clock::time_point from, Clock::time_point to);

private:
    void Read();

    int watch_;
    int stop_[2] = {-1, -1};
    std::mutex mutex_;
    std::vector<Opened> opened_;
    std::thread reader_;
};
