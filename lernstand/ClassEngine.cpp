#include "lernstand/ClassEngine.h"

#include "lernstand/ClassFolderTexts.h"
#include "lernstand/LernstandTexts.h"
#include "settings/SettingsSchema.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <utility>

namespace {

// What "Auftrag geben…" shows where nothing is assigned: the grown-up's rows and seconds, a
// child's problems per round, and "Gezielt üben" off.
Assignment Defaults(const ClassServices& services) {
    Assignment defaults;
    defaults.rows = RowsInForce(services.rows);
    defaults.problemTotal = std::stoi(settings::round_defaults::kTotal);
    defaults.targeted = false;
    const auto seconds = static_cast<int>(
        std::chrono::duration_cast<std::chrono::seconds>(services.threshold).count());
    defaults.seconds = IsSecondsChoice(seconds) ? seconds : settings::kThresholdDefault;
    return defaults;
}

} // namespace

ClassEngine::ClassEngine(ClassView& view, ClassServices services)
    : view_(view)
    , services_(std::move(services))
    , jobs_(services_.toWindow) {}

ClassEngine::~ClassEngine() {
    cancelled_ = true;
}

void ClassEngine::Start() {
    view_.ShowTitle(ClassTitle(services_.folder));
    view_.ShowStatus(ClassReadingText(0, 0));
    reader_ = std::jthread([this, now = services_.now()] { ReadFolder(now); });
}

void ClassEngine::CancelClicked() {
    cancelled_ = true;
}

void ClassEngine::PupilClicked(std::size_t pupil) {
    if (pupil < overview_->pupils.size()) {
        view_.ShowPupil(overview_->pupils[pupil].journal.file);
    }
}

std::vector<PupilWorksheet> ClassEngine::Worksheets(std::uint32_t seed) const {
    return ClassWorksheets(*overview_, services_.rows, seed);
}

std::string ClassEngine::ClassList(std::span<const std::size_t> shownOrder) const {
    return ClassListCsv(*overview_, shownOrder);
}

void ClassEngine::ReadFolder(WallTime now) {
    try {
        // Looked at before the files are read, so that a file changed meanwhile is read again.
        std::optional<ClassLook> look = services_.look(services_.folder);
        ClassFolder folder = ReadClassFolder(
            services_.folder, now, cancelled_, [this](std::size_t read, std::size_t files) {
                services_.toWindow([this, read, files] { ShowReading(read, files); });
            });
        std::shared_ptr<const ClassOverview> overview =
            std::make_shared<ClassOverview>(OverviewOf(std::move(folder), services_.threshold));
        ClassAssignments assignments =
            look ? ReadClassAssignments(*services_.share, look->assignments) : ClassAssignments{};
        services_.toWindow(
            [this, overview, look = std::move(look), assignments = std::move(assignments),
             now]() mutable { ShowRead(overview, std::move(look), std::move(assignments), now); });
    } catch (const std::exception& error) {
        services_.toWindow([this, reason = std::string(error.what())] { ShowFailure(reason); });
    }
}

void ClassEngine::ShowReading(std::size_t read, std::size_t files) {
    view_.ShowProgress(read, files);
    view_.ShowStatus(ClassReadingText(read, files));
}

void ClassEngine::ShowRead(std::shared_ptr<const ClassOverview> overview,
                           std::optional<ClassLook> look, ClassAssignments assignments,
                           WallTime at) {
    overview_ = std::move(overview);
    view_.ShowOverview(overview_);
    ShowCounts();
    view_.EndProgress();
    assignments_ = std::move(assignments);
    ShowAssignments();
    // A reading stopped by the grown-up stays as it is: a look would read the rest.
    if (!overview_->cancelled) {
        looked_ = look.value_or(ClassLook{});
        shownFrom_ = at;
        Follow();
    }
}

void ClassEngine::ShowFailure(const std::string& reason) {
    view_.ShowStatus(FolderNotReadText(services_.folder, reason));
    view_.EndProgress();
    troubleShown_ = true;
    // A share mounted later shows the class then.
    Follow();
}

void ClassEngine::ShowCounts() {
    const auto counted = static_cast<std::size_t>(overview_->facts.pupils);
    view_.ShowStatus(ClassReadText(counted, overview_->pupils.size(), overview_->cancelled));
    troubleShown_ = false;
}

void ClassEngine::ShowAssignments() {
    view_.ShowAssignments(ClassAssignmentText(assignments_),
                          PupilAssignmentTexts(*overview_, assignments_));
}

void ClassEngine::Follow() {
    following_ = true;
    view_.LookEvery(kLookInterval);
}

void ClassEngine::TimeToLook() {
    if (!following_) {
        return;
    }
    if (!looking_) {
        StartLook();
    } else if (!troubleShown_ && shownFrom_) {
        view_.ShowStatus(FolderNotAnsweringText(*shownFrom_, services_.now()));
        troubleShown_ = true;
    }
}

void ClassEngine::StartLook() {
    looking_ = true;
    jobs_.Run([this, services = services_, shown = overview_, before = looked_,
               looked = Looked{services_.now(), writes_, {}, {}, {}}]() mutable {
        try {
            looked.look = services.look(services.folder);
            if (looked.look) {
                const WallTime at = looked.at;
                if (std::optional<ClassFolder> folder =
                        FollowFolder(*shown, before.pupils, looked.look->pupils,
                                     [&services, at](const std::filesystem::path& file) {
                                         return services.read(file, at);
                                     })) {
                    looked.overview = std::make_shared<ClassOverview>(
                        OverviewOf(std::move(*folder), services.threshold));
                }
                if (!CompareLooks(before.assignments, looked.look->assignments).None()) {
                    looked.assignments =
                        ReadClassAssignments(*services.share, looked.look->assignments);
                }
            }
        } catch (const std::exception&) {
            // Out of memory, say: the look failed, and the next one tries again.
            looked.look.reset();
        }
        return std::function<void()>(
            [this, looked = std::move(looked)]() mutable { ShowLook(std::move(looked)); });
    });
}

void ClassEngine::ShowLook(Looked looked) {
    looking_ = false;
    if (!looked.look) {
        if (shownFrom_) {
            view_.ShowStatus(FolderNotReachedText(*shownFrom_, looked.at));
            troubleShown_ = true;
        }
        return;
    }
    // An assignment written since the look began is newer than what the look read.
    const bool assignmentsCurrent = looked.writes == writes_;
    looked_.pupils = std::move(looked.look->pupils);
    if (assignmentsCurrent) {
        looked_.assignments = std::move(looked.look->assignments);
    }
    shownFrom_ = looked.at;
    const bool pupilsChanged = looked.overview != nullptr;
    if (pupilsChanged) {
        overview_ = std::move(looked.overview);
        view_.ShowOverview(overview_);
    }
    if (pupilsChanged || troubleShown_) {
        ShowCounts();
    }
    const bool assignmentsChanged = looked.assignments && assignmentsCurrent;
    if (assignmentsChanged) {
        assignments_ = std::move(*looked.assignments);
    }
    // Each pupil's own assignment stands beside the pupil's file.
    if (pupilsChanged || assignmentsChanged) {
        ShowAssignments();
    }
}

std::optional<AssignmentTargets> ClassEngine::WritableTargets(std::span<const std::size_t> pupils) {
    AssignmentTargets targets = TargetsOf(*overview_, pupils);
    if (!targets.withoutLogin.empty()) {
        view_.ShowWarning(WithoutLoginText(targets.withoutLogin));
        return std::nullopt;
    }
    if (writing_) {
        return std::nullopt;
    }
    return targets;
}

void ClassEngine::GiveAssignmentClicked(std::span<const std::size_t> pupils) {
    const std::optional<AssignmentTargets> targets = WritableTargets(pupils);
    if (!targets) {
        return;
    }
    const std::optional<Assignment> given = view_.AskAssignment(
        AssignmentHeading(*targets), AssignmentToShow(assignments_, *targets, Defaults(services_)));
    if (given) {
        Write(*targets, given);
    }
}

void ClassEngine::TakeBackClicked(std::span<const std::size_t> pupils) {
    const std::optional<AssignmentTargets> targets = WritableTargets(pupils);
    if (!targets) {
        return;
    }
    if (!HasAssignment(assignments_, *targets)) {
        view_.ShowMessage(NothingToTakeBackText(*targets));
        return;
    }
    if (view_.ConfirmTakeBack(TakeBackQuestion(*targets))) {
        Write(*targets, std::nullopt);
    }
}

void ClassEngine::Write(const AssignmentTargets& targets, const std::optional<Assignment>& given) {
    writing_ = true;
    view_.EnableAssignments(false);
    jobs_.Run([this, targets, given, folder = services_.folder, save = services_.save,
               remove = services_.remove] {
        std::vector<std::error_code> errors;
        for (const std::string& name : AssignmentFileNames(targets)) {
            try {
                errors.push_back(given ? save(folder, name, *given) : remove(folder, name));
            } catch (const std::exception&) {
                errors.push_back(std::make_error_code(std::errc::io_error));
            }
        }
        return std::function<void()>(
            [this, targets, given, errors] { Written(targets, given, errors); });
    });
}

void ClassEngine::Written(const AssignmentTargets& targets, const std::optional<Assignment>& given,
                          const std::vector<std::error_code>& errors) {
    writing_ = false;
    ++writes_;
    view_.EnableAssignments(true);
    assignments_ = AfterWriting(std::move(assignments_), targets, given, errors);
    ShowAssignments();
    if (std::any_of(errors.begin(), errors.end(),
                    [](const std::error_code& error) { return static_cast<bool>(error); })) {
        view_.ShowWarning(AssignmentNotWrittenText(given.has_value(), targets, errors));
    }
}
