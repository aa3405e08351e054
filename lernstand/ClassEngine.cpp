#include "lernstand/ClassEngine.h"

#include "lernstand/ClassFolder.h"
#include "lernstand/LernstandTexts.h"

#include <exception>
#include <utility>

ClassEngine::ClassEngine(ClassView& view, ClassServices services)
    : view_(view)
    , services_(std::move(services)) {}

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
        ClassFolder folder = ReadClassFolder(
            services_.folder, now, cancelled_, [this](std::size_t read, std::size_t files) {
                services_.toWindow([this, read, files] { ShowReading(read, files); });
            });
        std::shared_ptr<const ClassOverview> overview =
            std::make_shared<ClassOverview>(OverviewOf(std::move(folder), services_.threshold));
        services_.toWindow([this, overview] { ShowRead(overview); });
    } catch (const std::exception& error) {
        services_.toWindow([this, reason = std::string(error.what())] { ShowFailure(reason); });
    }
}

void ClassEngine::ShowReading(std::size_t read, std::size_t files) {
    view_.ShowProgress(read, files);
    view_.ShowStatus(ClassReadingText(read, files));
}

void ClassEngine::ShowRead(std::shared_ptr<const ClassOverview> overview) {
    overview_ = std::move(overview);
    view_.ShowOverview(overview_);
    const auto counted = static_cast<std::size_t>(overview_->facts.pupils);
    view_.ShowStatus(ClassReadText(counted, overview_->pupils.size(), overview_->cancelled));
    view_.EndProgress();
}

void ClassEngine::ShowFailure(const std::string& reason) {
    view_.ShowStatus(FolderNotReadText(services_.folder, reason));
    view_.EndProgress();
}
