#pragma once

#include "common/WallTime.h"
#include "facts/RowsInForce.h"
#include "lernstand/ClassOverview.h"
#include "lernstand/ClassView.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

// What the class window works with; the window hands in the real ones, tests their fakes.
struct ClassServices {
    std::filesystem::path folder;
    // The grown-up's: how fast "sicher" is, and the rows a worksheet fills up from.
    std::chrono::milliseconds threshold;
    RowSwitches rows;
    // Hands a call from the reading threads over to the window's thread, to run there later; a
    // call still waiting when the window goes is dropped.
    std::function<void(std::function<void()>)> toWindow;
    std::function<WallTime()> now = std::chrono::system_clock::now;
};

// The class window's decisions: the folder is read off the window's thread, only read, and the
// reading can be stopped; the overview it yields is what the window shows, and what the
// worksheets and the class list are made of. It drives its window only through ClassView, on the
// window's thread.
class ClassEngine {
public:
    ClassEngine(ClassView& view, ClassServices services);
    // Stops the reading and waits for it.
    ~ClassEngine();
    ClassEngine(const ClassEngine&) = delete;
    ClassEngine& operator=(const ClassEngine&) = delete;

    // Starts reading the folder.
    void Start();
    void CancelClicked();
    // pupil indexes the overview's pupils.
    void PupilClicked(std::size_t pupil);

    // A worksheet for every counted pupil; none before the folder is read.
    std::vector<PupilWorksheet> Worksheets(std::uint32_t seed) const;
    // The class list as a CSV file, the pupils in the order of their indexes in shownOrder (the
    // overview's, as the window sorts them) and those that do not count last; only its header
    // before the folder is read.
    std::string ClassList(std::span<const std::size_t> shownOrder = {}) const;

private:
    // On the reading thread.
    void ReadFolder(WallTime now);
    // On the window's thread.
    void ShowReading(std::size_t read, std::size_t files);
    void ShowRead(std::shared_ptr<const ClassOverview> overview);
    void ShowFailure(const std::string& reason);

    ClassView& view_;
    const ClassServices services_;
    std::shared_ptr<const ClassOverview> overview_ = std::make_shared<ClassOverview>();
    std::atomic<bool> cancelled_ = false;
    // Last, so that it stops before what it uses goes.
    std::jthread reader_;
};
