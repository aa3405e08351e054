#pragma once

#include "common/WallTime.h"
#include "facts/RowsInForce.h"
#include "lernstand/BackgroundJobs.h"
#include "lernstand/ClassAssignments.h"
#include "lernstand/ClassFolder.h"
#include "lernstand/ClassOverview.h"
#include "lernstand/ClassView.h"
#include "school/AssignmentSave.h"
#include "school/FolderLook.h"
#include "school/ShareAccess.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <system_error>
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
    // A look at the folder's files, and one pupil's file read; both may block as long as the share
    // takes.
    std::function<std::optional<ClassLook>(const std::filesystem::path&)> look = LookAtClass;
    std::function<PupilJournal(const std::filesystem::path&, WallTime)> read = ReadPupilJournal;
    // Reads the assignments.
    std::shared_ptr<ShareAccess> share = std::make_shared<DirectShare>();
    // Writes and removes them: the only writes into the folder.
    std::function<std::error_code(const std::filesystem::path&, const std::string&,
                                  const Assignment&)>
        save = SaveAssignment;
    std::function<std::error_code(const std::filesystem::path&, const std::string&)> remove =
        RemoveAssignment;
};

// The class window's decisions: the folder is read off the window's thread, only read, and the
// reading can be stopped; the overview it yields is what the window shows, and what the
// worksheets and the class list are made of. Once read, the class is followed: a share tells
// nothing of what other computers change, so the files' sizes and times are looked at, and only
// the files that came or changed are read. The teacher's assignments are the only files it
// writes. It drives its window only through ClassView, on the window's thread; nothing it does on
// the share holds that thread up.
class ClassEngine {
public:
    // How often the class is looked at while it is shown.
    static constexpr std::chrono::seconds kLookInterval{5};

    ClassEngine(ClassView& view, ClassServices services);
    // Stops the reading and waits for it; a look or a write still under way ends unheard.
    ~ClassEngine();
    ClassEngine(const ClassEngine&) = delete;
    ClassEngine& operator=(const ClassEngine&) = delete;

    // Starts reading the folder.
    void Start();
    void CancelClicked();
    // pupil indexes the overview's pupils.
    void PupilClicked(std::size_t pupil);

    // Looks at the folder's files, unless a look is still under way, and shows what changed.
    void TimeToLook();
    // "Auftrag geben…" and "Auftrag zurücknehmen" for the pupils, by their indexes in the
    // overview; none for the whole class.
    void GiveAssignmentClicked(std::span<const std::size_t> pupils);
    void TakeBackClicked(std::span<const std::size_t> pupils);

    // A worksheet for every counted pupil; none before the folder is read.
    std::vector<PupilWorksheet> Worksheets(std::uint32_t seed) const;
    // The class list as a CSV file, the pupils in the order of their indexes in shownOrder (the
    // overview's, as the window sorts them) and those that do not count last; only its header
    // before the folder is read.
    std::string ClassList(std::span<const std::size_t> shownOrder = {}) const;

private:
    // What a look found.
    struct Looked {
        WallTime at;
        // How many writes had ended when it began.
        std::uint64_t writes = 0;
        // nullopt when the folder could not be looked at.
        std::optional<ClassLook> look;
        // The class anew; null when no pupil's file came, changed or went.
        std::shared_ptr<const ClassOverview> overview;
        // The assignments anew; nullopt when none of their files changed.
        std::optional<ClassAssignments> assignments;
    };

    // On the reading thread.
    void ReadFolder(WallTime now);
    // On the window's thread.
    void ShowReading(std::size_t read, std::size_t files);
    void ShowRead(std::shared_ptr<const ClassOverview> overview, std::optional<ClassLook> look,
                  ClassAssignments assignments, WallTime at);
    void ShowFailure(const std::string& reason);
    void ShowCounts();
    void ShowAssignments();
    void Follow();
    void StartLook();
    void ShowLook(Looked looked);
    // Whom the pupils are, unless one of them cannot get an assignment (said) or one is being
    // written.
    std::optional<AssignmentTargets> WritableTargets(std::span<const std::size_t> pupils);
    void Write(const AssignmentTargets& targets, const std::optional<Assignment>& given);
    void Written(const AssignmentTargets& targets, const std::optional<Assignment>& given,
                 const std::vector<std::error_code>& errors);

    ClassView& view_;
    const ClassServices services_;
    std::shared_ptr<const ClassOverview> overview_ = std::make_shared<ClassOverview>();
    std::atomic<bool> cancelled_ = false;

    // What the last look saw, the one the next look is compared with.
    ClassLook looked_;
    ClassAssignments assignments_;
    // When what is shown was seen in the folder; none while nothing was.
    std::optional<WallTime> shownFrom_;
    bool following_ = false;
    bool looking_ = false;
    // The status line tells that the folder did not answer, not the class.
    bool troubleShown_ = false;
    bool writing_ = false;
    std::uint64_t writes_ = 0;

    BackgroundJobs jobs_;
    // Last, so that it stops before what it uses goes.
    std::jthread reader_;
};
