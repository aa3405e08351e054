#include "lernstand/BackgroundJobs.h"

#include <thread>
#include <utility>

BackgroundJobs::BackgroundJobs(ToWindow toWindow)
    : shared_(std::make_shared<Shared>()) {
    shared_->toWindow = std::move(toWindow);
}

BackgroundJobs::~BackgroundJobs() {
    const std::lock_guard lock(shared_->mutex);
    shared_->toWindow = nullptr;
}

void BackgroundJobs::Run(Job job) {
    std::thread([shared = shared_, job = std::move(job)] {
        std::function<void()> done = job();
        // Held while handing over, so that the owner cannot go in between.
        const std::lock_guard lock(shared->mutex);
        if (shared->toWindow && done) {
            shared->toWindow(std::move(done));
        }
    }).detach();
}
