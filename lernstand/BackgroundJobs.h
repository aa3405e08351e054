#pragma once

#include <functional>
#include <memory>
#include <mutex>

// Runs work off the window's thread, each job on a thread of its own, and hands what a job yields
// to the window's thread. A share that does not answer blocks only the thread that waits for it:
// the window can close meanwhile, and what such a job yields afterwards is dropped.
class BackgroundJobs {
public:
    // Hands a call over to the window's thread, to run there later.
    using ToWindow = std::function<void(std::function<void()>)>;
    // A job runs off the window's thread and returns what is to run on it once the job is done.
    using Job = std::function<std::function<void()>()>;

    explicit BackgroundJobs(ToWindow toWindow);
    // Returns at once: jobs still running are left to end on their own, unheard.
    ~BackgroundJobs();
    BackgroundJobs(const BackgroundJobs&) = delete;
    BackgroundJobs& operator=(const BackgroundJobs&) = delete;

    // job must not throw; it may outlive this object, so it holds what it needs by value.
    void Run(Job job);

private:
    struct Shared {
        std::mutex mutex;
        // Empty once the owner went.
        ToWindow toWindow;
    };
    std::shared_ptr<Shared> shared_;
};
