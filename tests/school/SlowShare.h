#pragma once

#include "school/HandInStatus.h"
#include "school/ShareAccess.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

// A class folder on a share that answers only when the test lets it, or fails reads on purpose;
// otherwise every operation reaches the real folder. A held operation goes on by itself after a
// minute, so that a fault in the code under test fails the test instead of hanging it.
class SlowShare final : public ShareAccess {
public:
    void Hold() {
        Set([this] { held_ = true; });
    }
    void Release() {
        Set([this] { held_ = false; });
    }

    // errno for every read from now on; 0 to read again.
    std::atomic<int> readError = 0;

    ShareRead Read(const std::filesystem::path& file, std::size_t limit) override {
        Await([this] { return !held_; });
        return readError != 0 ? ShareRead{readError, {}} : direct_.Read(file, limit);
    }

    int CheckFolder(const std::filesystem::path& folder) override {
        Await([this] { return !held_; });
        return direct_.CheckFolder(folder);
    }

    JournalCopy Copy(const std::filesystem::path& journal,
                     const std::filesystem::path& target) override {
        Set([this] { ++begun_; });
        Await([this] { return !held_; });
        const JournalCopy made = direct_.Copy(journal, target);
        Set([this] { ++ended_; });
        return made;
    }

    // Waits until that many copies have begun, or ended.
    void AwaitBegun(int copies) {
        Await([this, copies] { return begun_ >= copies; });
    }
    void AwaitEnded(int copies) {
        Await([this, copies] { return ended_ >= copies; });
    }

    int Copies() {
        const std::lock_guard lock(mutex_);
        return begun_;
    }

private:
    template <typename Change> void Set(Change change) {
        const std::lock_guard lock(mutex_);
        change();
        changed_.notify_all();
    }

    template <typename Condition> void Await(Condition condition) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::minutes(1), condition);
    }

    DirectShare direct_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    int begun_ = 0;
    int ended_ = 0;
};

// Brings the problem about in the class folder for as long as the returned object lives; a full
// folder takes files up to roomLeft bytes, a share that does not answer is held.
inline std::shared_ptr<void> BringAbout(HandInProblem problem, const std::filesystem::path& folder,
                                        SlowShare& share, rlim_t roomLeft) {
    namespace fs = std::filesystem;
    switch (problem) {
    case HandInProblem::FolderGone:
        fs::remove_all(folder);
        return nullptr;
    case HandInProblem::FolderReadOnly:
        fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
        return std::make_shared<WithoutRootPrivilege>();
    case HandInProblem::FolderFull:
        return std::make_shared<FileSizeLimit>(roomLeft);
    default:
        share.Hold();
        return nullptr;
    }
}

// The class folder there and open to everyone again, as a caretaker mends it.
inline void MendClassFolder(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
}
