#include "lernstand/ClassEngine.h"

#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/UtcTime.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <ctime>
#include <deque>
#include <fstream>
#include <future>
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
    void LookEvery(seconds interval) override { lookEvery = interval; }
    void ShowAssignments(const std::string& line,
                         const std::map<fs::path, std::string>& pupils) override {
        assignmentLine = line;
        ownAssignments = pupils;
    }
    void EnableAssignments(bool enabled) override { assignmentsEnabled = enabled; }
    std::optional<Assignment> AskAssignment(const std::string& heading,
                                            const Assignment& shown) override {
        asked.emplace_back(heading, shown);
        return given;
    }
    bool ConfirmTakeBack(const std::string& question) override {
        boxes.push_back("? " + question);
        return confirm;
    }
    void ShowMessage(const std::string& text) override { boxes.push_back(text); }
    void ShowWarning(const std::string& text) override { boxes.push_back("! " + text); }

    std::string title;
    std::string status;
    std::size_t readShown = 0;
    bool ended = false;
    std::shared_ptr<const ClassOverview> overview;
    std::vector<fs::path> chosen;
    std::optional<seconds> lookEvery;
    std::string assignmentLine;
    std::map<fs::path, std::string> ownAssignments;
    bool assignmentsEnabled = true;
    std::vector<std::pair<std::string, Assignment>> asked;
    std::optional<Assignment> given;
    bool confirm = true;
    std::vector<std::string> boxes;
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
            RunOne();
        }
    }

    // Runs the next call handed over, waiting for it.
    void RunOne() {
        std::unique_lock lock(mutex_);
        if (!posted_.wait_for(lock, 10s, [this] { return !calls_.empty(); })) {
            throw std::runtime_error("nothing was handed over to the window");
        }
        const std::function<void()> call = std::move(calls_.front());
        calls_.pop_front();
        lock.unlock();
        call();
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

    explicit Reading(
        const fs::path& folder, bool cancel = false,
        const std::function<void(ClassServices&)>& adjust = [](ClassServices&) {})
        : cancelEarly(cancel) {
        ClassServices services{folder, seconds(3), RowSwitches{true},
                               [this](std::function<void()> call) {
                                   window.Post(std::move(call));
                                   if (cancelEarly) {
                                       engine->CancelClicked();
                                   }
                               },
                               [] { return kMorning + 24h; }};
        adjust(services);
        engine.emplace(view, std::move(services));
        engine->Start();
        window.RunUntilEnded(view);
    }

    // One look at the folder, until what it found is shown.
    void Look() {
        engine->TimeToLook();
        window.RunOne();
    }
};

// The pupils' names as the window shows them, each with its answers.
std::string Pupils(const ClassOverview& overview) {
    std::string names;
    for (const ClassPupil& pupil : overview.pupils) {
        names += (names.empty() ? "" : ", ") + pupil.name + " " +
                 std::to_string(pupil.journal.summary.answers);
    }
    return names;
}

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
        // A folder not there may come later; a reading stopped is not taken up again.
        EXPECT_EQ(reading.view.lookEvery.has_value(), !c.cancel);
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

// While the class is shown, each look reads only the files that came or changed, drops those
// that went, and keeps what is shown while the folder cannot be looked at.
TEST(ClassEngine, FollowsTheFolder) {
    const ScopedVariable zone("TZ", "CET-1");
    tzset();
    const TempConfigDir temp;
    const fs::path gone = temp.Path() / "weg";
    const struct {
        const char* name;
        std::function<void(const fs::path&)> change;
        std::vector<std::string> read;
        std::string pupils;
        std::string status;
    } cases[] = {
        {"nothing changed", [](const fs::path&) {}, {}, "", ""},
        {"Ben's new copy renamed into place",
         [](const fs::path& stick) {
             Copy(stick / ".neu", "Ben", 2);
             fs::rename(stick / ".neu", stick / "Ben.sqlite");
         },
         {"Ben.sqlite"},
         "Anna 1, Anna 1, Ben 1, Cem 0, leer.sqlite 0",
         "3 Kinder, 2 Dateien nicht gezählt"},
        {"a new pupil",
         [](const fs::path& stick) { Copy(stick / "Dora.sqlite", "Dora", 3); },
         {"Dora.sqlite"},
         "Anna 1, Anna 1, Ben 4, Cem 0, Dora 1, leer.sqlite 0",
         "4 Kinder, 2 Dateien nicht gezählt"},
        {"a file removed",
         [](const fs::path& stick) { fs::remove(stick / "Anna-neu.sqlite"); },
         {},
         "Anna 1, Ben 4, Cem 0, leer.sqlite 0",
         "3 Kinder, 1 Datei nicht gezählt"},
        {"the folder gone",
         [&gone](const fs::path& stick) { fs::rename(stick, gone); },
         {},
         "",
         "Der Klassenordner ist gerade nicht erreichbar – gezeigt wird der Stand von 10:15, es "
         "wird weiter nachgesehen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path stick = Stick(temp);
        std::vector<std::string> read;
        Reading reading(stick, false, [&read](ClassServices& services) {
            services.read = [&read](const fs::path& file, WallTime now) {
                read.push_back(file.filename().string());
                return ReadPupilJournal(file, now);
            };
        });
        const std::shared_ptr<const ClassOverview> before = reading.view.overview;
        const std::string counts = reading.view.status;
        ASSERT_EQ(reading.view.lookEvery, ClassEngine::kLookInterval);

        c.change(stick);
        reading.Look();
        EXPECT_EQ(read, c.read);
        EXPECT_EQ(Pupils(*reading.view.overview), c.pupils.empty() ? Pupils(*before) : c.pupils);
        EXPECT_EQ(reading.view.overview == before, c.pupils.empty());
        EXPECT_EQ(reading.view.status, c.status.empty() ? counts : c.status);

        // The next look finds the folder as the last one left it; one that is back shows the
        // class again.
        read.clear();
        if (fs::exists(gone)) {
            fs::rename(gone, stick);
        }
        reading.Look();
        EXPECT_TRUE(read.empty());
        EXPECT_FALSE(reading.view.status.starts_with("Der Klassenordner")) << reading.view.status;
        fs::remove_all(stick);
    }
}

// A share that does not answer holds up neither the window nor the looks after it.
TEST(ClassEngine, SaysSoWhileALookHangs) {
    const ScopedVariable zone("TZ", "CET-1");
    tzset();
    const TempConfigDir temp;
    std::promise<void> answer;
    std::shared_future<void> answered = answer.get_future().share();
    std::atomic<int> looks = 0;
    Reading reading(Stick(temp), false, [&](ClassServices& services) {
        services.look = [&looks, answered](const fs::path& folder) {
            if (++looks > 1) {
                answered.wait();
            }
            return LookAtClass(folder);
        };
    });
    reading.engine->TimeToLook();
    reading.engine->TimeToLook();
    reading.engine->TimeToLook();
    EXPECT_EQ(reading.view.status,
              "Der Klassenordner antwortet gerade nicht – gezeigt wird der Stand von 10:15");
    answer.set_value();
    reading.window.RunOne();
    EXPECT_EQ(looks, 2);
    EXPECT_EQ(reading.view.status, "3 Kinder, 2 Dateien nicht gezählt");
}

// A class folder as Reihenheld fills it: Anna's and Ben's copies handed in, and Cem's saved for
// the teacher and brought on a stick, whose name looks like a hand-in but tells no login.
fs::path HandedIn(const TempConfigDir& temp) {
    const fs::path folder = temp.Path() / "klasse-4b";
    fs::create_directories(folder);
    Copy(folder / "Lernstand-anna.sqlite", "Anna", 0);
    Copy(folder / "Lernstand-ben.sqlite", "Ben", 1);
    Copy(folder / "Lernstand-Cem-2026-12-01 (1).sqlite", "Cem", 2);
    return folder;
}

Assignment BeforeTheTest() {
    Assignment assignment;
    assignment.title = "Vor der Mathearbeit";
    assignment.rows = RowSwitches{};
    for (const int row : {6, 7, 8, 9}) {
        (*assignment.rows)[static_cast<std::size_t>(row - 1)] = true;
    }
    assignment.problemTotal = 20;
    assignment.targeted = true;
    assignment.seconds = 6;
    return assignment;
}

const std::string kBeforeTheTestFile =
    "[Auftrag]\nTitel=Vor der Mathearbeit\nReihen=6,7,8,9\nMenge=20\nGezielt=on\nSekunden=6\n";

// "Auftrag geben…" writes the class's file or each chosen pupil's; a pupil whose file tells no
// login gets none, and a share that refuses leaves everything as it was.
TEST(ClassEngine, GivesAnAssignmentToTheClassOrToPupils) {
    const struct {
        const char* name;
        std::vector<std::size_t> chosen;
        int saveError;
        std::string heading;
        std::vector<std::string> files;
        std::string line;
        std::vector<std::string> boxes;
    } cases[] = {
        {"the whole class",
         {},
         0,
         "Auftrag für die ganze Klasse",
         {"Auftrag.ini"},
         "Auftrag für die Klasse: Vor der Mathearbeit – Reihen 6 bis 9, 20 Aufgaben, Gezielt "
         "üben, „sicher“ schneller als 6 s",
         {}},
        {"Anna and Ben",
         {1, 2},
         0,
         "Auftrag für Anna und Ben",
         {"Auftrag-anna.ini", "Auftrag-ben.ini"},
         "Kein Auftrag für die Klasse · eigener Auftrag für 2 Kinder",
         {}},
        {"Cem brought his on a stick",
         {1, 0},
         0,
         "",
         {},
         "",
         {"! Cem kann keinen eigenen Auftrag bekommen: nur eine Datei, die Reihenheld selbst in "
          "den Klassenordner legt („Lernstand-<Anmeldename>.sqlite“), nennt den Anmeldenamen, "
          "unter dem ein Kind übt."}},
        {"a read-only share",
         {},
         EROFS,
         "Auftrag für die ganze Klasse",
         {},
         "",
         {"! Der Auftrag für die ganze Klasse ließ sich nicht speichern: in den Klassenordner darf "
          "nicht geschrieben werden (Read-only file system)."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempConfigDir temp;
        const fs::path folder = HandedIn(temp);
        Reading reading(folder, false, [&c](ClassServices& services) {
            if (c.saveError != 0) {
                services.save = [&c](const fs::path&, const std::string&, const Assignment&) {
                    return std::error_code(c.saveError, std::generic_category());
                };
            }
        });
        FakeClassView& view = reading.view;
        view.given = BeforeTheTest();
        reading.engine->GiveAssignmentClicked(c.chosen);
        ASSERT_EQ(view.asked.size(), c.heading.empty() ? 0U : 1U);
        if (!c.heading.empty()) {
            EXPECT_FALSE(view.assignmentsEnabled);
            reading.window.RunOne();
            EXPECT_EQ(view.asked.front().first, c.heading);
        }
        EXPECT_TRUE(view.assignmentsEnabled);
        std::vector<std::string> written;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".sqlite") {
                written.push_back(entry.path().filename().string());
                EXPECT_EQ(FileBytes(entry.path()), kBeforeTheTestFile);
            }
        }
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, c.files);
        EXPECT_EQ(view.assignmentLine, c.line);
        EXPECT_EQ(view.ownAssignments.size(),
                  c.chosen.size() == 2 && c.files.size() == 2 ? 2U : 0U);
        EXPECT_EQ(view.boxes, c.boxes);
    }
}

// The dialog starts from the assignment in force for the first one chosen, each value it leaves
// out filled from the grown-up's own; "Auftrag zurücknehmen" asks first, and removes only the
// targets' files.
TEST(ClassEngine, ShowsWhatIsInForceAndTakesItBack) {
    const TempConfigDir temp;
    const fs::path folder = HandedIn(temp);
    std::ofstream(folder / "Auftrag.ini") << "[Auftrag]\nReihen=6,7\n";
    std::ofstream(folder / "Auftrag-ben.ini") << kBeforeTheTestFile;
    Reading reading(folder);
    FakeClassView& view = reading.view;
    EXPECT_EQ(view.assignmentLine,
              "Auftrag für die Klasse: Reihen 6 und 7 · eigener Auftrag für 1 Kind");
    EXPECT_EQ(view.ownAssignments,
              (std::map<fs::path, std::string>{
                  {folder / "Lernstand-ben.sqlite",
                   "Eigener Auftrag: Vor der Mathearbeit – Reihen 6 bis 9, 20 Aufgaben, Gezielt "
                   "üben, „sicher“ schneller als 6 s"}}));

    reading.engine->GiveAssignmentClicked(std::vector<std::size_t>{1});
    reading.engine->GiveAssignmentClicked(std::vector<std::size_t>{2, 1});
    ASSERT_EQ(view.asked.size(), 2U);
    Assignment classs;
    classs.rows = RowSwitches{};
    (*classs.rows)[5] = (*classs.rows)[6] = true;
    classs.problemTotal = 10;
    classs.targeted = false;
    classs.seconds = 3;
    EXPECT_EQ(view.asked[0].second, classs);
    EXPECT_EQ(view.asked[1].second, BeforeTheTest());

    const struct {
        const char* name;
        std::vector<std::size_t> chosen;
        bool confirm;
        std::vector<std::string> boxes;
        std::vector<std::string> left;
    } cases[] = {
        {"declined",
         {},
         false,
         {"? Den Auftrag für die ganze Klasse zurücknehmen? Die Kinder üben dann wieder mit ihren "
          "eigenen Einstellungen, außer denen mit einem eigenen Auftrag."},
         {"Auftrag-ben.ini", "Auftrag.ini"}},
        {"Anna has none",
         {1},
         true,
         {"Anna hat keinen eigenen Auftrag."},
         {"Auftrag-ben.ini", "Auftrag.ini"}},
        {"Ben's own",
         {2},
         true,
         {"? Den eigenen Auftrag für Ben zurücknehmen? Dann gilt der Auftrag für die Klasse, wenn "
          "es einen gibt, sonst die eigenen Einstellungen."},
         {"Auftrag.ini"}},
        {"the class's",
         {},
         true,
         {"? Den Auftrag für die ganze Klasse zurücknehmen? Die Kinder üben dann wieder mit ihren "
          "eigenen Einstellungen, außer denen mit einem eigenen Auftrag."},
         {}},
        {"nothing left", {}, true, {"Für die ganze Klasse gibt es keinen Auftrag."}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        view.boxes.clear();
        view.confirm = c.confirm;
        reading.engine->TakeBackClicked(c.chosen);
        if (!view.assignmentsEnabled) {
            reading.window.RunOne();
        }
        EXPECT_EQ(view.boxes, c.boxes);
        std::vector<std::string> left;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".ini") {
                left.push_back(entry.path().filename().string());
            }
        }
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, c.left);
    }
    EXPECT_EQ(view.assignmentLine, "");
    EXPECT_TRUE(view.ownAssignments.empty());
}

} // namespace
