#include "school/HandIn.h"

#include "school/HandInStatus.h"
#include "tests/school/SlowShare.h"
#include "tests/support/FileBytes.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/JournalAnswers.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using fs::perms;

constexpr auto kPatientWait = 30s;
const WallTime kMorning = std::chrono::sys_days(std::chrono::year(2026) / 12 / 8) + 9h;

// A pupil's journal of 1000 answers, a class folder, and a clock a second later at every reading.
struct Pupil {
    Pupil() {
        fs::create_directories(folder);
        RecordWrongAnswers(place.journal, 1000);
        // The pupil, without root's rights, reads the journal and writes the status beside it.
        fs::permissions(temp.Path(), perms::group_exec | perms::others_exec, fs::perm_options::add);
        fs::permissions(place.journal.parent_path(), perms::all);
    }

    HandInStatus Status() const {
        return ReadHandInStatus(HandInStatusPath(place.journal)).value_or(HandInStatus{});
    }

    // The files of the class folder, hidden ones too.
    std::ptrdiff_t Files() const {
        return fs::exists(folder) ? std::distance(fs::directory_iterator(folder), {}) : 0;
    }

    int Lines() const {
        const std::string text = errors.str();
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    const TempConfigDir temp;
    const fs::path folder = temp.Path() / "klasse";
    const HandInPlace place{temp.Path() / "data" / "Lernstand.sqlite",
                            folder / "Lernstand-anna.sqlite"};
    const std::shared_ptr<SlowShare> share = std::make_shared<SlowShare>();
    std::ostringstream errors;
    std::atomic<int> ticks = 0;
    const HandIn::WallClock clock = [this] { return kMorning + std::chrono::seconds(++ticks); };
};

TEST(HandIn, EachRoundsCopyArrivesWholeAndRequestsWhileOneRunsMakeOneMore) {
    Pupil pupil;
    HandIn handIn(pupil.share, pupil.errors, pupil.clock);
    handIn.Request(pupil.place);
    ASSERT_TRUE(handIn.Finish(kPatientWait));
    EXPECT_EQ(CountAnswers(pupil.place.target), 1000);

    pupil.share->Hold();
    handIn.Request(pupil.place);
    pupil.share->AwaitBegun(2);
    RecordWrongAnswers(pupil.place.journal, 5);
    for (int round = 0; round < 3; ++round) {
        handIn.Request(pupil.place);
    }
    pupil.share->Release();
    ASSERT_TRUE(handIn.Finish(kPatientWait));
    EXPECT_EQ(pupil.share->Copies(), 3);
    EXPECT_EQ(CountAnswers(pupil.place.target), 1005);
    EXPECT_EQ(pupil.Files(), 1);
    EXPECT_EQ(pupil.errors.str(), "");
    EXPECT_EQ(
        pupil.Status(),
        (HandInStatus{pupil.place.target, kMorning + 3s, kMorning + 3s, HandInProblem::None, {}}));
}

TEST(HandIn, AFailingFolderIsToldOnceKeepsTheLastCopyWholeAndTheNextRoundTriesAgain) {
    for (const HandInProblem problem : {HandInProblem::FolderGone, HandInProblem::FolderReadOnly,
                                        HandInProblem::FolderFull, HandInProblem::NoAnswer}) {
        SCOPED_TRACE(HandInProblemText(problem));
        const bool answers = problem != HandInProblem::NoAnswer;
        Pupil pupil;
        {
            HandIn handIn(pupil.share, pupil.errors, pupil.clock);
            handIn.Request(pupil.place);
            ASSERT_TRUE(handIn.Finish(kPatientWait));
            const std::string lastCopy = FileBytes(pupil.place.target);
            RecordWrongAnswers(pupil.place.journal, 1);
            const std::string journal = FileBytes(pupil.place.journal);
            {
                // The copy of 1000 answers does not fit, the reader's index and the status do.
                const auto fault = BringAbout(problem, pupil.folder, *pupil.share, 48 * 1024);
                EXPECT_NO_THROW(handIn.Request(pupil.place));
                EXPECT_EQ(handIn.Finish(answers ? kPatientWait : 20ms), answers);
            }
            EXPECT_EQ(pupil.Lines(), 1) << pupil.errors.str();
            EXPECT_EQ(FileBytes(pupil.place.journal), journal);
            EXPECT_LE(pupil.Files(), 1);
            if (pupil.Files() == 1) {
                EXPECT_EQ(FileBytes(pupil.place.target), lastCopy);
            }
            const HandInStatus status = pupil.Status();
            EXPECT_EQ(status, (HandInStatus{pupil.place.target, kMorning + 1s, kMorning + 2s,
                                            problem, status.detail}));
        }
        MendClassFolder(pupil.folder);
        pupil.share->Release();
        pupil.share->AwaitEnded(2);
        HandIn handIn(pupil.share, pupil.errors, pupil.clock);
        handIn.Request(pupil.place);
        ASSERT_TRUE(handIn.Finish(kPatientWait));
        EXPECT_EQ(CountAnswers(pupil.place.target), 1001);
        EXPECT_EQ(pupil.Lines(), 1) << pupil.errors.str();
        EXPECT_EQ(pupil.Status().problem, HandInProblem::None);
    }
}

TEST(HandInPlace, OnlyWithAClassFolderWhileRecordingAndForALoginThatNamesAFile) {
    const std::string kOn = "[Lernstand]\nAufzeichnen=on\nKlassenordner=/srv/4b\n";
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {kOn, "anna", "/srv/4b/Lernstand-anna.sqlite"},
        {"[Lernstand]\nAufzeichnen=off\nKlassenordner=/srv/4b\n", "anna", ""},
        {"[Lernstand]\nAufzeichnen=on\nKlassenordner=4b\n", "anna", ""},
        {kOn, "", ""},
        {kOn, "../ben", ""},
    };
    for (const auto& [ini, login, target] : cases) {
        InMemorySettings settings;
        settings.ini = ini;
        const std::optional<HandInPlace> place = HandInPlaceFor(settings, "/j/L.sqlite", login);
        EXPECT_EQ(place ? place->target.string() : "", target) << ini << login;
    }
}

} // namespace
