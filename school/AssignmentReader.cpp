#include "school/AssignmentReader.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

// Owned together by the reader and its reading thread, so that either may end first.
struct AssignmentReader::Shared {
    explicit Shared(std::shared_ptr<ShareAccess> access)
        : share(std::move(access)) {}

    const std::shared_ptr<ShareAccess> share;
    std::mutex mutex;
    std::condition_variable finished;
    bool reading = false;
    // Reads started and finished so far; a read is known by its number.
    std::uint64_t started = 0;
    std::uint64_t done = 0;
    // The newest successful read and its number.
    std::optional<std::pair<AssignmentPlace, AssignmentInForce>> last;
    std::uint64_t lastNumber = 0;
};

void AssignmentReader::Read(const std::shared_ptr<Shared>& shared, const AssignmentPlace& place,
                            std::uint64_t number) {
    std::optional<AssignmentInForce> found;
    try {
        found = ReadAssignmentInForce(*shared->share, place);
    } catch (...) {
        // Out of memory, say: this read found nothing, the last one still stands.
    }
    const std::lock_guard lock(shared->mutex);
    if (found) {
        shared->last.emplace(place, std::move(*found));
        shared->lastNumber = number;
    }
    shared->done = number;
    shared->reading = false;
    shared->finished.notify_all();
}

AssignmentReader::AssignmentReader(std::shared_ptr<ShareAccess> share)
    : shared_(std::make_shared<Shared>(std::move(share))) {}

AssignmentReader::~AssignmentReader() = default;

AssignmentReader::Refreshed AssignmentReader::Refresh(const AssignmentPlace& place,
                                                      std::chrono::milliseconds wait) {
    std::unique_lock lock(shared_->mutex);
    if (!shared_->reading) {
        try {
            std::thread(Read, shared_, place, shared_->started + 1).detach();
            shared_->reading = true;
            ++shared_->started;
        } catch (const std::system_error&) {
            // No thread to be had: this round goes with what was read before.
        }
    }
    Refreshed refreshed;
    if (shared_->reading) {
        const std::uint64_t awaited = shared_->started;
        shared_->finished.wait_for(lock, wait, [&] { return shared_->done >= awaited; });
        refreshed.readNow = shared_->lastNumber == awaited;
    }
    if (shared_->last && shared_->last->first == place) {
        refreshed.inForce = shared_->last->second;
    } else {
        refreshed.readNow = false;
    }
    return refreshed;
}
