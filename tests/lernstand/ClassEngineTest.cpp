#include "lernstand/ClassEngine.h"

#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/UtcTime.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <mutex>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

const WallTime kMorning = *ParseJournalTime("2026-12-08T09:15:02.347Z");

// What the class window shows, kept as a teacher would read it.
class FakeClassView final : public ClassView {
public:
    void ShowTitle(const std::string& text) override { title = text; }
    void ShowStatus(const std::string& text) override { status = text; }
    void ShowProgress(std::size_t read, std::size_t) override { readShown = read; }
    void EndProgress() override { ended = true; }
    void ShowOverview(std::shared_ptr<const ClassOverview> shown) override {
        overview = std::move(shown);
    }
    void ShowPupil(const fs::path& journal) override { chosen.push_back(journal); }

    std::string title;
    std::string status;
    std::size_t readShown = 0;
    bool ended = false;
    std::shared_ptr<const ClassOverview> overview;
    std::vector<fs::path> chosen;
};

// The window's thread: the calls the reading hands over wait here until the test runs them.
class WindowThread {
public:
    void Post(std::function<void()> call) {
        {
            const std::lock_guard lock(mutex_);
            calls_.push_back(std::move(call));
        }
        posted_.notify_one();
    }

    // Runs what was handed over, as it comes, until the view has seen the reading end.
    void RunUntilEnded(const FakeClassView& view) {
        while (!view.ended) {
            std::unique_lock lock(mutex_);
            if (!posted_.wait_for(lock, 10s, [this] { return !calls_.empty(); })) {
                throw std::runtime_error("the reading never ended");
            }
            const std::function<void()> call = std::move(calls_.front());
            calls_.pop_front();
            lock.unlock();
            call();
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> calls_;
};

// A copy for the teacher with one wrong answer to 7 · 8, given hours after the morning. A slow
// typist also typed 2.4 s in a typing check and answered 3 · 4 right in 4 s, three times.
void Copy(const fs::path& journal, const std::string& name, int hours, bool slowTypist = false) {
    {
        JournalRecorder recorder(journal, [hours] { return kMorning + hours * 1h; });
        recorder.RoundStarted({10, false, 5, {8}});
        recorder.Answered({7, 8, "54", AnswerOutcome::Wrong, 1200});
        if (slowTypist) {
            recorder.TypingChecked({{"47", "47", 2400},
                                    {"56", "56", 2400},
                                    {"18", "18", 2300},
                                    {"36", "36", 2500},
                                    {"72", "72", 2400}});
            for (int i = 0; i < 3; ++i) {
                recorder.Answered({3, 4, "12", AnswerOutcome::Right, 4000});
            }
        }
    }
    StoreJournalName(journal, name);
}

// A stick as it comes back from the class: two copies of Anna's journal, Ben's, Cem's with only
// his name, and an empty file.
fs::path Stick(const TempConfigDir& temp) {
    const fs::path stick = temp.Path() / "Klasse 3b";
    fs::create_directories(stick);
    Copy(stick / "Anna.sqlite", "Anna", 0);
    Copy(stick / "Anna-neu.sqlite", "Anna", 1);
    Copy(stick / "Ben.sqlite", "Ben", 0, true);
    StoreJournalName(stick / "Cem.sqlite", "Cem");
    std::ofstream(stick / "leer.sqlite").flush();
    return stick;
}

// What each column of a pupil's line sorts by.
std::string SortKeys(const ClassPupil& pupil) {
    std::string keys;
    for (const PupilSortKey& key : pupil.sortKeys) {
        keys += (keys.empty() ? "" : "|") + (std::holds_alternative<std::string>(key)
                                                 ? std::get<std::string>(key)
                                                 : std::to_string(std::get<std::int64_t>(key)));
    }
    return keys;
}

struct Reading {
    FakeClassView view;
    WindowThread window;
    // Clicks "Abbrechen" as soon as the first file is read.
    bool cancelEarly = false;
    std::optional<ClassEngine> engine;

    explicit Reading(const fs::path& folder, bool cancel = false)
        : cancelEarly(cancel) {
        engine.emplace(view, ClassServices{folder, seconds(3), RowSwitches{true},
                                           [this](std::function<void()> call) {
                                               window.Post(std::move(call));
                                               if (cancelEarly) {
                                                   engine->CancelClicked();
                                               }
                                           },
                                           [] { return kMorning + 24h; }});
        engine->Start();
        window.RunUntilEnded(view);
    }
};

TEST(ClassEngine, ShowsTheClassOnceTheFolderIsRead) {
    const TempConfigDir temp;
    const fs::path stick = Stick(temp);
    Reading reading(stick);
    const FakeClassView& view = reading.view;
    EXPECT_EQ(view.title, "Reihenheld Lernstand – Klasse aus " + stick.string());
    EXPECT_EQ(view.status, "3 Kinder, 2 Dateien nicht gezählt");
    EXPECT_EQ(view.readShown, 5U);
    ASSERT_NE(view.overview, nullptr);
    EXPECT_EQ(view.overview->facts.pupils, 3);
    EXPECT_EQ(view.overview->facts.practising.at(FactIndex({7, 8})), 2);

    EXPECT_EQ(reading.engine->ClassList(),
              "\xEF\xBB\xBF"
              "Name;Antworten;Richtig (%);Tage geübt;Zuletzt;sicher;üben;Tippzeit (s);Datei;"
              "Hinweis\r\n"
              "Anna;1;0;1;08.12.2026;0;1;;Anna-neu.sqlite;\r\n"
              // Sure in 4 s: fast for a child who needs 2.4 s to type.
              "Ben;4;75;1;08.12.2026;1;1;2,4;Ben.sqlite;\r\n"
              "Cem;0;;0;;0;0;;Cem.sqlite;\r\n"
              "Anna;1;0;1;08.12.2026;0;1;;Anna.sqlite;ältere Kopie\r\n"
              "leer;;;;;;;;leer.sqlite;kein Lernstand (keine Lernstand-Datenbank)\r\n");
    // By figures, not by their text; a file not read sorts before a pupil without answers.
    const std::string day =
        std::to_string(sys_days(2026y / December / 8).time_since_epoch().count());
    const std::pair<std::size_t, std::string> keys[] = {{0, "Anna|1|0|1|" + day + "|0|1"},
                                                        {3, "Cem|0|-1|0|0|0|0"},
                                                        {4, "leer.sqlite|-1|-1|-1|0|-1|-1"}};
    for (const auto& [pupil, expected] : keys) {
        EXPECT_EQ(SortKeys(view.overview->pupils.at(pupil)), expected);
    }

    std::vector<std::string> sheets;
    for (const PupilWorksheet& sheet : reading.engine->Worksheets(7)) {
        sheets.push_back(sheet.name);
        EXPECT_EQ(sheet.problems.size(), kWorksheetProblems);
        // The pupil's own fact to practise, filled up from the grown-up's rows.
        EXPECT_EQ(std::count(sheet.problems.begin(), sheet.problems.end(), Fact{7, 8}) > 0,
                  sheet.name != "Cem");
    }
    EXPECT_EQ(sheets, (std::vector<std::string>{"Anna", "Ben", "Cem"}));

    reading.engine->PupilClicked(2);
    reading.engine->PupilClicked(5);
    EXPECT_EQ(view.chosen, std::vector{stick / "Ben.sqlite"});
}

TEST(ClassEngine, EndsTheReadingWithWhatCameOfIt) {
    const TempConfigDir temp;
    const struct {
        const char* name;
        bool folderThere;
        bool cancel;
        std::string status;
        bool shown;
    } cases[] = {
        {"stopped", true, true, "Abgebrochen: ", true},
        {"folder gone", false, false,
         "Der Ordner „" + (temp.Path() / "weg").string() + "“ ließ sich nicht lesen (", false},
    };
    const fs::path stick = Stick(temp);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reading reading(c.folderThere ? stick : temp.Path() / "weg", c.cancel);
        EXPECT_TRUE(reading.view.status.starts_with(c.status)) << reading.view.status;
        ASSERT_EQ(reading.view.overview != nullptr, c.shown);
        if (c.shown) {
            EXPECT_TRUE(reading.view.overview->cancelled);
            EXPECT_LT(reading.view.overview->pupils.size(), 5U);
        } else {
            // Nothing read, nothing to print or list.
            EXPECT_TRUE(reading.engine->Worksheets(7).empty());
            EXPECT_EQ(reading.engine->ClassList(),
                      "\xEF\xBB\xBFName;Antworten;Richtig (%);Tage geübt;Zuletzt;sicher;üben;"
                      "Tippzeit (s);Datei;Hinweis\r\n");
        }
    }
}

} // namespace
