#include "lernstand/LernstandEngine.h"

#include "common/ShownText.h"
#include "journal/JournalRecorder.h"
#include "journal/SqliteCompanions.h"
#include "journal/UtcTime.h"
#include "lernstand/FactTexts.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/LernstandView.h"
#include "school/HandInStatus.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsSchema.h"
#include "tests/support/Answers.h"
#include "tests/support/InMemorySettings.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <deque>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Found = JournalReading::Found;
using namespace std::chrono;

// What the window shows, kept as a grown-up would read it.
class FakeLernstandView final : public LernstandView {
public:
    void ShowOwner(const JournalOwner& shown) override { owner = shown; }
    void ShowTitle(const std::string& text) override { title = text; }
    void ShowFacts(const FactTable& shown, milliseconds judgedBelow) override {
        facts = shown;
        fastBelow = judgedBelow;
    }
    void ShowThreshold(milliseconds shown) override { threshold = shown; }
    void ShowRowsInForce(const RowSwitches& shown) override { rows = shown; }
    void ShowRecording(bool on) override { recording = on; }
    void ShowTargeted(bool on) override { targeted = on; }
    void ShowSwitchNote(const std::string& text) override { note = text; }
    void ShowProgress(const std::optional<FactProgressTable>& shown,
                      std::chrono::sys_days) override {
        progress = shown;
    }
    void ShowSummary(const std::string& text, bool isProblem) override {
        summary = text;
        problem = isProblem;
    }
    void ShowDays(const std::vector<DayCount>&) override {}
    void ShowNothingRecorded(bool shown) override { nothingRecorded = shown; }
    void EnableActions(const LernstandActions& enabled) override { actions = enabled; }
    void ShowMessage(const std::string& text) override { boxes.push_back(text); }
    void ShowWarning(const std::string& text) override { boxes.push_back("! " + text); }
    void ShowSettingsNotSaved() override { boxes.push_back("not saved"); }
    bool ConfirmDelete() override { return confirmDelete; }
    void LookAgainIn(milliseconds delay) override { retries.push_back(delay); }
    void Watch(const fs::path& journal, const JournalStamps&) override { watched = journal; }
    std::optional<fs::path> AskCopyTarget(const std::string& suggested) override {
        asked.push_back(suggested);
        return copyTarget;
    }
    void RunCopy(std::function<JournalCopy()> copy) override { copies.push_back(std::move(copy)); }
    void ShowCopying(const std::string& text) override { copying = text; }
    void ShowClassFolder(const std::string& text) override { classFolder = text; }
    void ShowAssignmentNote(const std::string& text) override { assignmentNote = text; }
    void ReadClassFolder(std::function<OwnClassFolder()> read) override {
        classFolderReads.push_back(std::move(read));
    }
    bool ConfirmCloseWhileCopying() override {
        boxes.push_back("? close");
        if (whileAskingToClose) {
            whileAskingToClose();
        }
        boxes.push_back(confirmClose ? "Ja" : "Nein");
        return confirmClose;
    }

    JournalOwner owner;
    std::string title;
    FactTable facts;
    milliseconds fastBelow{};
    milliseconds threshold{};
    RowSwitches rows{};
    bool recording = false;
    bool targeted = false;
    std::string note;
    std::optional<FactProgressTable> progress;
    std::string summary;
    bool problem = false;
    bool nothingRecorded = false;
    LernstandActions actions;
    std::vector<std::string> boxes;
    bool confirmDelete = true;
    std::vector<milliseconds> retries;
    fs::path watched;
    std::vector<std::string> asked;
    std::optional<fs::path> copyTarget;
    // The copies handed to the window's worker, not yet run.
    std::vector<std::function<JournalCopy()>> copies;
    std::string copying;
    bool confirmClose = false;
    std::function<void()> whileAskingToClose;
    std::string classFolder;
    std::string assignmentNote;
    // The readings of the class folder handed to the window's worker, not yet run.
    std::vector<std::function<OwnClassFolder()>> classFolderReads;
};

const fs::path kOwn = "/home/kind/.local/share/Kalkuno/Lernstand.sqlite";
const fs::path kStick = "/media/lehrerin/STICK/Lernstand.sqlite";

JournalLook Look(Found found, const std::string& wordsFor7x8 = "") {
    JournalLook look;
    look.reading = {found, found == Found::Answers ? "" : "Grund"};
    if (found != Found::Answers) {
        return look;
    }
    for (const FactAnswer& answer : FactAnswers(wordsFor7x8)) {
        look.answers.push_back(
            Recorded(7, 8, answer, *ParseJournalTime("2026-12-08T09:15:02.000Z")));
    }
    return look;
}

// An engine whose looks at any journal come from a script, the next one each time.
class Lernstand : public testing::Test {
protected:
    LernstandEngine& Engine() {
        if (!engine_) {
            engine_.emplace(view, LernstandServices{kOwn, settings, [] { return kNoon; },
                                                    [this](const fs::path& journal, JournalOrigin) {
                                                        looked.push_back(journal);
                                                        JournalLook next = looks.front();
                                                        looks.pop_front();
                                                        return next;
                                                    }});
        }
        return *engine_;
    }

    static inline const WallTime kNoon = *ParseJournalTime("2026-12-08T12:00:00.000Z");
    FakeLernstandView view;
    InMemorySettings settings;
    std::deque<JournalLook> looks;
    std::vector<fs::path> looked;

private:
    std::optional<LernstandEngine> engine_;
};

LernstandActions Actions(bool record, bool weakRows, bool remove, bool ownJournal) {
    return {record, record, record, weakRows, remove, ownJournal};
}

const char* const kOneAnswer =
    "1 Antwort, davon 0 % richtig, an 1 Tag geübt, zuletzt am 08.12.2026";

TEST_F(Lernstand, OffersWhatSuitsTheJournal) {
    const struct {
        const char* name;
        bool foreign;
        Found found;
        LernstandActions actions;
        const char* summary;
        bool nothingRecorded;
    } cases[] = {
        {"nothing yet", false, Found::Nothing, Actions(true, true, false, false), "", true},
        {"answers", false, Found::Answers, Actions(true, true, true, false), kOneAnswer, false},
        {"created, no tables yet", false, Found::Empty, Actions(true, true, true, false), "", true},
        {"newer", false, Found::Newer, Actions(true, false, false, false),
         "Der Lernstand „/home/kind/.local/share/Kalkuno/Lernstand.sqlite“ stammt von einer "
         "neueren Version von Reihenheld und kann hier nicht angezeigt werden.",
         false},
        {"foreign", false, Found::Foreign, Actions(true, false, false, false),
         "Der Lernstand „/home/kind/.local/share/Kalkuno/Lernstand.sqlite“ ist beschädigt oder "
         "nicht lesbar (Grund).",
         false},
        {"damaged", false, Found::Unreadable, Actions(true, false, false, false),
         "Der Lernstand „/home/kind/.local/share/Kalkuno/Lernstand.sqlite“ ist beschädigt oder "
         "nicht lesbar (Grund).",
         false},
        {"pupil's answers", true, Found::Answers, Actions(false, false, false, true), kOneAnswer,
         false},
        {"pupil's, deleted", true, Found::Nothing, Actions(false, false, false, true), "", false},
        {"pupil's, damaged later", true, Found::Unreadable, Actions(false, false, false, true),
         "Der Lernstand „/media/lehrerin/STICK/Lernstand.sqlite“ ist beschädigt oder nicht lesbar "
         "(Grund).",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLernstandView shown;
        InMemorySettings stored;
        std::deque<JournalLook> script{Look(Found::Answers, "f"), Look(c.found, "f")};
        LernstandEngine engine(shown, {kOwn, stored, [] { return kNoon; },
                                       [&script](const fs::path&, JournalOrigin) {
                                           JournalLook next = script.front();
                                           script.pop_front();
                                           return next;
                                       }});
        engine.Start(c.foreign ? Look(Found::Nothing) : script.back());
        if (c.foreign) {
            engine.OpenFile(kStick);
            engine.Reload();
        }
        EXPECT_EQ(shown.actions, c.actions);
        EXPECT_EQ(shown.summary, c.summary);
        EXPECT_EQ(shown.problem, !JournalReading::Readable(c.found));
        EXPECT_EQ(shown.nothingRecorded, c.nothingRecorded);
        EXPECT_EQ(shown.title, c.foreign ? "Reihenheld Lernstand – Lernstand.sqlite aus "
                                           "/media/lehrerin/STICK"
                                         : "Reihenheld Lernstand");
    }
}

TEST_F(Lernstand, OpensOnlyJournalsAndGoesBackToTheOwnOne) {
    const struct {
        Found found;
        std::string box;
    } cases[] = {
        {Found::Newer, "! Der Lernstand „/media/lehrerin/STICK/Lernstand.sqlite“ stammt von einer "
                       "neueren Version von Reihenheld und kann hier nicht geöffnet werden."},
        {Found::Foreign, "! Die Datei „/media/lehrerin/STICK/Lernstand.sqlite“ ist kein Lernstand "
                         "von Reihenheld (Grund)."},
        {Found::Empty, "! Die Datei „/media/lehrerin/STICK/Lernstand.sqlite“ ist kein Lernstand "
                       "von Reihenheld (Grund)."},
        {Found::Busy, "! Die Datei „/media/lehrerin/STICK/Lernstand.sqlite“ ist kein Lernstand "
                      "von Reihenheld (Grund)."},
    };
    Engine().Start(Look(Found::Answers, "r1000"));
    for (const auto& c : cases) {
        looks = {Look(c.found)};
        view.boxes.clear();
        Engine().OpenFile(kStick);
        EXPECT_EQ(view.boxes, std::vector{c.box});
        EXPECT_EQ(view.title, "Reihenheld Lernstand");
        EXPECT_EQ(Engine().Journal(), kOwn);
    }
    looks = {Look(Found::Answers, "f"), Look(Found::Answers, "r1000")};
    Engine().OpenFile(kStick);
    EXPECT_EQ(Engine().Journal(), kStick);
    EXPECT_EQ(view.watched, kStick);
    Engine().OpenOwnJournal();
    EXPECT_EQ(view.title, "Reihenheld Lernstand");
    EXPECT_EQ(view.watched, kOwn);
    EXPECT_EQ(view.actions, Actions(true, true, true, false));
}

TEST_F(Lernstand, ABusyJournalIsTriedAgainFiveTimes) {
    const struct {
        int busyLooks;
        std::size_t retries;
        bool problem;
    } cases[] = {{1, 1, false}, {4, 4, false}, {5, 4, true}};
    for (const auto& c : cases) {
        view = {};
        looks.clear();
        for (int look = 1; look < c.busyLooks; ++look) {
            looks.push_back(Look(Found::Busy));
        }
        looks.push_back(Look(Found::Answers, "f"));
        Engine().Start(Look(Found::Busy));
        while (!looks.empty() && view.summary.empty()) {
            Engine().Reload();
        }
        EXPECT_EQ(view.retries, std::vector(c.retries, LernstandEngine::kBusyRetry));
        EXPECT_EQ(view.problem, c.problem) << view.summary;
        EXPECT_EQ(view.facts.State(8, 7, milliseconds(3000)),
                  c.problem ? FactState::New : FactState::Practise);
    }
}

// Each choice is stored, or taken back with a message; "Gezielt üben" needs the recording, so each
// of the two switches takes the other along where it must.
TEST(LernstandChoices, AreStoredOrTakenBack) {
    enum class Click { Record, Targeted, SixSeconds };
    const std::string line = "Gezielt üben: heute 0 fällig, 1 in Arbeit";
    const struct {
        const char* name;
        std::string stored;
        bool writable;
        Click click;
        bool ticked;
        // The [Lernstand] section afterwards; empty when it stays as it was.
        std::string written;
        bool recording;
        bool targeted;
        milliseconds threshold;
        std::string note;
        std::string summaryLine;
    } cases[] = {
        {"record on", "", true, Click::Record, true, "Aufzeichnen=on\n", true, false, 3s, "", ""},
        {"record on, not saved", "", false, Click::Record, true, "", false, false, 3s, "", ""},
        {"six seconds", "", true, Click::SixSeconds, false, "Sekunden=6\n", false, false, 6s, "",
         ""},
        {"six seconds, not saved", "", false, Click::SixSeconds, false, "", false, false, 3s, "",
         ""},
        {"mode on takes the recording along", "", true, Click::Targeted, true,
         "Gezielt=on\nAufzeichnen=on\n", true, true, 3s, "„Aufzeichnen“ ist nun auch an", line},
        {"mode on while recording", "Aufzeichnen=on\n", true, Click::Targeted, true,
         "Aufzeichnen=on\nGezielt=on\n", true, true, 3s, "", line},
        {"recording off takes the mode along", "Aufzeichnen=on\nGezielt=on\n", true, Click::Record,
         false, "Aufzeichnen=off\nGezielt=off\n", false, false, 3s,
         "„Gezielt üben“ ist nun auch aus", ""},
        {"mode on, not saved", "", false, Click::Targeted, true, "", false, false, 3s, "", ""},
        {"recording off, not saved", "Aufzeichnen=on\nGezielt=on\n", false, Click::Record, false,
         "", true, true, 3s, "", line},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLernstandView shown;
        InMemorySettings stored;
        stored.ini = "[Lernstand]\n" + c.stored;
        LernstandEngine engine(
            shown, {kOwn, stored, [] { return *ParseJournalTime("2026-12-08T12:00:00.000Z"); },
                    [](const fs::path&, JournalOrigin) { return Look(Found::Answers, "f"); }});
        engine.Start(Look(Found::Answers, "f"));
        stored.failWrites = !c.writable;
        // The check box as the click left it.
        (c.click == Click::Targeted ? shown.targeted : shown.recording) = c.ticked;
        switch (c.click) {
        case Click::Record:
            engine.RecordToggled(c.ticked);
            break;
        case Click::Targeted:
            engine.TargetedToggled(c.ticked);
            break;
        case Click::SixSeconds:
            engine.ThresholdChosen(1);
            break;
        }

        EXPECT_EQ(stored.ini, "[Lernstand]\n" + (c.written.empty() ? c.stored : c.written));
        EXPECT_EQ(shown.recording, c.recording);
        EXPECT_EQ(shown.targeted, c.targeted);
        EXPECT_EQ(shown.threshold, c.threshold);
        EXPECT_EQ(engine.Threshold(), c.threshold);
        EXPECT_EQ(shown.boxes, std::vector<std::string>(c.writable ? 0 : 1, "not saved"));
        EXPECT_EQ(shown.note.substr(0, c.note.size()), c.note);
        const std::size_t newline = shown.summary.find('\n');
        EXPECT_EQ(newline == std::string::npos ? "" : shown.summary.substr(newline + 1),
                  c.summaryLine);
        EXPECT_EQ(shown.progress.has_value(), c.targeted);
    }
}

TEST(LernstandTargeted, AJournalItCannotReadPausesTheMode) {
    FakeLernstandView shown;
    InMemorySettings stored;
    stored.ini = "[Lernstand]\nAufzeichnen=on\nGezielt=on\n";
    LernstandEngine engine(shown, {kOwn, stored});
    engine.Start(Look(Found::Unreadable));
    EXPECT_NE(shown.summary.find("„Gezielt üben“ setzt aus"), std::string::npos);
    EXPECT_FALSE(shown.progress.has_value());
}

// A child who types slowly is judged by the chosen seconds plus the typing time beyond one second,
// at most six more; the grown-up reads both times above the table.
TEST_F(Lernstand, TheNewestTypingCheckGrowsTheThreshold) {
    const auto check = [](std::initializer_list<std::int64_t> times) {
        TypingCheck typed{kNoon, {}};
        for (const std::int64_t ms : times) {
            typed.numbers.push_back({"47", ms > 0 ? "47" : "74", ms > 0 ? ms : -ms});
        }
        return typed;
    };
    const struct {
        const char* name;
        std::string seconds;
        std::optional<TypingCheck> typing;
        milliseconds fastBelow;
        std::string line;
    } cases[] = {
        {"no check", "", std::nullopt, 3s, ""},
        {"a quick typist", "", check({900, 700, 1000, 800, 950}), 3s,
         "Tippzeit 0,9 s: „sicher“ heißt hier schneller als 3,0 s"},
        {"the median of the right ones", "", check({2400, -9000, 1200, 2500, 3000, 2000}), 4400ms,
         "Tippzeit 2,4 s: „sicher“ heißt hier schneller als 4,4 s"},
        {"at most six seconds more", "6", check({9000, 9500, 8800, 9900, 9100}), 12s,
         "Tippzeit 9,1 s: „sicher“ heißt hier schneller als 12,0 s"},
        {"nothing typed right", "", check({-2000, -2500}), 3s, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLernstandView shown;
        InMemorySettings stored;
        stored.ini = "[Lernstand]\nSekunden=" + c.seconds + "\n";
        JournalLook look = Look(Found::Answers, "f");
        look.typingCheck = c.typing;
        LernstandEngine engine(shown, {kOwn, stored, [] { return kNoon; }});
        engine.Start(look);
        EXPECT_EQ(shown.fastBelow, c.fastBelow);
        EXPECT_EQ(engine.FastBelow(), c.fastBelow);
        EXPECT_EQ(shown.summary, kOneAnswer + (c.line.empty() ? "" : "\n" + c.line));
    }
}

TEST(LevelText, SaysTheLevelAndWhenTheFactComesAgain) {
    const sys_days today = 2026y / December / 9;
    const struct {
        std::optional<int> level;
        int daysAgo;
        std::string text;
    } cases[] = {
        {std::nullopt, 0, ""},
        {0, 3, "Stufe 0 · wird gerade gelernt"},
        {2, 0, "Stufe 2 · wieder dran am Fr 11.12."},
        {1, 1, "Stufe 1 · wieder dran: heute"},
        {5, 40, "Stufe 5 · wieder dran: heute"},
    };
    for (const auto& c : cases) {
        const sys_days day = today - days(c.daysAgo);
        EXPECT_EQ(LevelText({c.level, day + hours(12), day}, today), c.text);
    }
}

TEST_F(Lernstand, WeakRowsAreSwitchedOnAndShown) {
    settings.ini = "[Aufgaben]\n1=on\n";
    Engine().Start(Look(Found::Answers, "f"));
    Engine().WeakRowsClicked();
    EXPECT_EQ(view.boxes, std::vector<std::string>{"Ab der nächsten Runde: Reihe 8."});
    EXPECT_EQ(RowList(view.rows), std::vector{8});

    settings.failWrites = true;
    settings.ini = "[Aufgaben]\n1=on\n";
    view.boxes.clear();
    Engine().WeakRowsClicked();
    EXPECT_EQ(view.boxes, std::vector<std::string>{"not saved"});
    EXPECT_EQ(settings.ini, "[Aufgaben]\n1=on\n");
}

// The real journal and its files: the log goes first, so a journal never loses its log.
TEST(LernstandDeleting, RemovesTheLogFirstAndOnlyWhenAsked) {
    const struct {
        const char* name;
        bool confirm;
        bool logStuck;
        bool journalLeft;
        std::size_t warnings;
    } cases[] = {
        {"asked, yes", true, false, false, 0},
        {"asked, no", false, false, true, 0},
        {"log cannot be removed", true, true, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempConfigDir temp;
        const fs::path journal = temp.Path() / "Lernstand.sqlite";
        {
            JournalRecorder recorder(journal,
                                     [] { return *ParseJournalTime("2026-12-08T09:15:02.000Z"); });
            recorder.RoundStarted({10, false, 5, {8}});
            recorder.Answered({7, 8, "54", AnswerOutcome::Wrong, 4200});
        }
        FakeLernstandView shown;
        InMemorySettings stored;
        LernstandEngine engine(shown, {journal, stored});
        engine.Start(LookAtJournal(journal));
        ASSERT_EQ(shown.facts.State(8, 7, milliseconds(3000)), FactState::Practise);
        shown.confirmDelete = c.confirm;
        if (c.logStuck) {
            fs::remove(WriteAheadLogOf(journal));
            fs::create_directories(WriteAheadLogOf(journal) / "inside");
        }

        engine.DeleteClicked();
        EXPECT_EQ(fs::exists(journal), c.journalLeft);
        EXPECT_EQ(shown.boxes.size(), c.warnings);
        if (!c.journalLeft) {
            EXPECT_EQ(shown.facts.State(8, 7, milliseconds(3000)), FactState::New);
            EXPECT_EQ(shown.actions.remove, false);
        }
    }
}

TEST(LernstandFollowing, ShowsNewAnswersOnReload) {
    const TempConfigDir temp;
    const fs::path journal = temp.Path() / "Lernstand.sqlite";
    FakeLernstandView shown;
    InMemorySettings stored;
    LernstandEngine engine(shown, {journal, stored});
    engine.Start(LookAtJournal(journal));
    EXPECT_EQ(shown.watched, journal);
    EXPECT_TRUE(shown.nothingRecorded);

    JournalRecorder recorder(journal, [] { return *ParseJournalTime("2026-12-08T09:15:02.000Z"); });
    recorder.RoundStarted({10, false, 5, {8}});
    recorder.Answered({7, 8, "56", AnswerOutcome::Right, 1200});
    engine.Reload();
    EXPECT_EQ(shown.facts.State(8, 7, milliseconds(3000)), FactState::AlmostSure);
    EXPECT_FALSE(shown.nothingRecorded);
    EXPECT_EQ(shown.actions, Actions(true, true, true, false));
}

// A journal as the window sees it, with the child's name kept in it.
JournalLook Named(Found found, const std::string& name) {
    JournalLook look = Look(found, "r1000");
    look.name = name;
    return look;
}

TEST_F(Lernstand, NameIsShownForEveryJournalAndEditableOnlyInTheOwnOne) {
    const fs::path copy = "/media/lehrerin/STICK/Lernstand-2026-12-08.sqlite";
    const struct {
        const char* name;
        fs::path journal;
        JournalLook look;
        JournalOwner owner;
    } cases[] = {
        {"own", kOwn, Named(Found::Answers, "Anna"), {"Anna", "Lernstand.sqlite", true, true}},
        {"own, nothing yet",
         kOwn,
         Named(Found::Nothing, ""),
         {"", "Lernstand.sqlite", true, false}},
        {"own, damaged",
         kOwn,
         Named(Found::Unreadable, ""),
         {"", "Lernstand.sqlite", false, false}},
        {"pupil's",
         kStick,
         Named(Found::Answers, "Ben"),
         {"Ben", "Lernstand.sqlite", false, false}},
        {"pupil's without a name",
         copy,
         Named(Found::Answers, ""),
         {"", "Lernstand-2026-12-08.sqlite", false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLernstandView shown;
        LernstandEngine engine(shown, {kOwn, settings, [] { return kNoon; },
                                       [&c](const fs::path&, JournalOrigin) { return c.look; }});
        engine.Start(c.look);
        if (c.journal != kOwn) {
            engine.OpenFile(c.journal);
        }
        EXPECT_EQ(shown.owner, c.owner);
    }
}

TEST_F(Lernstand, TypedNameIsStoredOrTakenBack) {
    const struct {
        const char* name;
        bool foreign;
        bool fails;
        std::vector<std::string> stored;
        std::string shown;
        std::vector<std::string> boxes;
    } cases[] = {
        {"own", false, false, {"Ben Özdemir"}, "Ben Özdemir", {}},
        {"not stored, tried at each Enter",
         false,
         true,
         {},
         "Anna",
         std::vector<std::string>(
             2, "! Der Name konnte nicht im Lernstand "
                "„/home/kind/.local/share/Kalkuno/Lernstand.sqlite“ gespeichert werden "
                "(Datenträger voll).")},
        {"pupil's", true, false, {}, "Anna", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLernstandView shown;
        std::vector<std::string> names;
        LernstandServices services{
            kOwn, settings, [] { return kNoon; },
            [](const fs::path&, JournalOrigin) { return Named(Found::Answers, "Anna"); }};
        services.storeName = [&c, &names](const fs::path&, std::string_view name) {
            if (c.fails) {
                throw std::runtime_error("Datenträger voll");
            }
            names.emplace_back(name);
        };
        LernstandEngine engine(shown, services);
        engine.Start(Named(Found::Answers, "Anna"));
        if (c.foreign) {
            engine.OpenFile(kStick);
        }
        engine.NameEdited(" Ben Özdemir ");
        engine.NameEdited("Ben Özdemir");
        EXPECT_EQ(names, c.stored);
        EXPECT_EQ(shown.owner.name, c.shown);
        EXPECT_EQ(shown.boxes, c.boxes);
    }
}

TEST_F(Lernstand, TeacherCopyIsNamedForAStickAndAFullStickTold) {
    LernstandServices services{kOwn, settings, [] { return kNoon; }};
    services.copy = [](const fs::path& journal, const fs::path&, const std::atomic<bool>&) {
        EXPECT_EQ(journal, kOwn);
        return JournalCopy{JournalCopy::Problem::TargetFull, "database or disk is full", 0};
    };
    LernstandEngine engine(view, services);
    engine.Start(Named(Found::Answers, " Ben/Lea: 3b?\u202E\n"));
    EXPECT_EQ(engine.TeacherCopyName(), "Lernstand-Ben_Lea_ 3b___-2026-12-08.sqlite");
    engine.SaveTeacherCopy("/media/lehrerin/STICK/Lernstand-Ben.sqlite");
    ASSERT_EQ(view.copies.size(), 1U);
    engine.TeacherCopyEnded(view.copies.front()());
    EXPECT_EQ(view.boxes, std::vector<std::string>{
                              "! Der Lernstand konnte nicht in „/media/lehrerin/STICK/"
                              "Lernstand-Ben.sqlite“ gespeichert werden. Auf dem Datenträger ist "
                              "nicht genug Platz. Der Lernstand selbst ist unverändert."});
}

// A name kept by another program may be as long and as odd as it likes: the field shows its start,
// and handed back untouched it stays as it was.
TEST_F(Lernstand, ANameTheFieldShowsShortenedIsKeptUntilItIsTyped) {
    const std::string stored = "Anna\n" + std::string(100'000, 'W');
    std::vector<std::string> names;
    LernstandServices services{kOwn, settings};
    services.storeName = [&names](const fs::path&, std::string_view name) {
        names.emplace_back(name);
    };
    LernstandEngine engine(view, services);
    engine.Start(Named(Found::Answers, stored));
    EXPECT_EQ(ShownName(view.owner.name), "Anna□" + std::string(34, 'W') + "…");
    engine.NameEdited(ShownName(view.owner.name));
    engine.NameEdited("Anna");
    EXPECT_EQ(names, std::vector<std::string>{"Anna"});
}

// The copy for the teacher runs in the background: a second one waits its turn with a word,
// "Abbrechen" and closing the window stop it, and the journal is not deleted meanwhile. Steps:
// c click, x Abbrechen, n/y closing answered "Nein"/"Ja", e the copy ends, a it ends while closing
// is asked, f the copy fails with an exception.
TEST_F(Lernstand, TheTeacherCopyRunsInTheBackground) {
    const std::string saved = "Der Lernstand mit 5 Antworten ist nun in „/media/S/A.sqlite“ "
                              "gespeichert. Die Lehrkraft zeigt ihn im Lernstand mit „Öffnen…“ an.";
    const std::string busy = "Der Lernstand wird gerade schon für die Lehrkraft gespeichert. "
                             "Sobald das fertig ist, lässt sich die nächste Kopie speichern.";
    const struct {
        std::string steps;
        std::vector<std::string> boxes;
        bool stopped;
    } cases[] = {
        {"ce", {saved}, false},
        {"cce", {busy, saved}, false},
        {"cxe", {}, true},
        {"cne", {"? close", "Nein", saved}, false},
        {"cye", {"? close", "Ja"}, true},
        {"y", {}, false},
        {"can", {"? close", "Nein", saved}, false},
        {"cfe",
         {"! Der Lernstand konnte nicht in „/media/S/A.sqlite“ gespeichert werden. Beim Schreiben "
          "ist ein Fehler aufgetreten (Ein-/Ausgabefehler). Der Lernstand selbst ist unverändert."},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        FakeLernstandView shown;
        shown.copyTarget = "/media/S/A.sqlite";
        bool stopped = false;
        bool fails = false;
        LernstandServices services{kOwn, settings, [] { return kNoon; }};
        services.copy = [&stopped, &fails](const fs::path&, const fs::path&,
                                           const std::atomic<bool>& cancelled) {
            if (fails) {
                throw std::runtime_error("Ein-/Ausgabefehler");
            }
            stopped = cancelled;
            return JournalCopy{
                cancelled ? JournalCopy::Problem::Cancelled : JournalCopy::Problem::None, {}, 5};
        };
        LernstandEngine engine(shown, services);
        engine.Start(Named(Found::Answers, "Anna"));
        const auto end = [&engine, &shown] {
            engine.TeacherCopyEnded(shown.copies.at(0)());
            shown.copies.clear();
        };
        bool mayClose = true;
        for (const char step : c.steps) {
            if (step == 'c') {
                engine.TeacherCopyClicked();
                EXPECT_EQ(shown.copying, "Der Lernstand wird in „/media/S/A.sqlite“ gespeichert …");
                EXPECT_FALSE(shown.actions.remove);
            } else if (step == 'x') {
                engine.CancelCopyClicked();
            } else if (step == 'f') {
                fails = true;
            } else if (step == 'n' || step == 'y') {
                shown.confirmClose = step == 'y';
                mayClose = engine.MayClose();
            } else {
                step == 'e' ? end() : static_cast<void>(shown.whileAskingToClose = end);
            }
        }
        EXPECT_EQ(shown.boxes, c.boxes);
        EXPECT_EQ(stopped, c.stopped);
        EXPECT_EQ(mayClose, c.steps.find('n') == std::string::npos);
        EXPECT_EQ(shown.asked.size(), c.steps[0] == 'c' ? 1U : 0U);
        EXPECT_EQ(shown.copying, "");
        EXPECT_TRUE(shown.actions.remove);
    }
}

// With a class folder set, the own journal is shown with when the last copy reached the folder,
// or why it did not, and with the assignment in force; the controls it overrides for the drill
// say so. Without one, or for someone else's journal, nothing of it shows.
TEST(LernstandClassFolder, ShowsTheLastCopyAndTheAssignment) {
    const ScopedVariable zone("TZ", "CET-1");
    tzset();
    const TempConfigDir temp;
    const fs::path journal = temp.Path() / "data/Kalkuno/Lernstand.sqlite";
    const fs::path folder = temp.Path() / "klasse-4b";
    const WallTime noon = *ParseJournalTime("2026-12-08T12:00:00.000Z");
    const auto at = [](const char* time) { return *ParseJournalTime(time); };
    HandInStatus arrived;
    arrived.target = folder / "Lernstand-kind.sqlite";
    arrived.arrived = arrived.tried = at("2026-12-08T09:32:10.000Z");
    HandInStatus full = arrived;
    full.arrived = at("2026-12-07T08:00:00.000Z");
    full.tried = at("2026-12-07T15:05:00.000Z");
    full.problem = HandInProblem::FolderFull;
    HandInStatus elsewhere = arrived;
    elsewhere.target = temp.Path() / "klasse-3a/Lernstand-kind.sqlite";
    const struct {
        const char* name;
        bool classFolder;
        std::optional<HandInStatus> status;
        std::vector<std::pair<std::string, std::string>> files;
        bool foreign;
        std::string shown;
        std::string note;
    } cases[] = {
        {"no class folder",
         false,
         arrived,
         {{"Auftrag.ini", "[Auftrag]\nReihen=6\n"}},
         false,
         "",
         ""},
        {"nothing yet",
         true,
         std::nullopt,
         {},
         false,
         "Abgabe im Klassenordner: noch keine · Kein Auftrag der Lehrkraft",
         ""},
        {"the class's assignment, a key ignored",
         true,
         arrived,
         {{"Auftrag.ini",
           "[Auftrag]\r\nReihen=6,7,8,9\r\nMenge=viele\r\nGezielt=on\r\nSekunden=6\r\n"}},
         false,
         "Abgabe im Klassenordner: heute 10:32 · Auftrag: Reihen 6 bis 9 (Nicht verwendet: Menge)",
         "Vom Auftrag der Lehrkraft für die Runden vorgegeben: Gezielt üben an und „sicher“ "
         "schneller als 6 s"},
        {"the last copy failed; the pupil's own assignment wins",
         true,
         full,
         {{"Auftrag.ini", "[Auftrag]\nSekunden=12\n"},
          {"Auftrag-kind.ini", "[Auftrag]\nTitel=Vor der Mathearbeit\n"}},
         false,
         "Abgabe im Klassenordner fehlgeschlagen (gestern 16:05): der Klassenordner ist voll; "
         "zuletzt angekommen gestern 09:00 · Auftrag: Vor der Mathearbeit",
         ""},
        {"a copy into another folder",
         true,
         elsewhere,
         {},
         false,
         "Abgabe im Klassenordner: noch keine · Kein Auftrag der Lehrkraft",
         ""},
        {"someone else's journal",
         true,
         arrived,
         {{"Auftrag.ini", "[Auftrag]\nGezielt=off\n"}},
         true,
         "",
         ""},
        {"the folder not there",
         true,
         arrived,
         {{"", ""}},
         false,
         "Abgabe im Klassenordner: heute 10:32 · Auftrag der Lehrkraft: der Klassenordner ist "
         "gerade nicht erreichbar",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(journal.parent_path());
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::create_directories(journal.parent_path());
        if (c.status) {
            ASSERT_FALSE(WriteHandInStatus(HandInStatusPath(journal), *c.status));
        }
        // A file without a name stands for the folder not being there.
        for (const auto& [name, content] : c.files) {
            if (name.empty()) {
                fs::remove_all(folder);
                break;
            }
            fs::create_directories(folder);
            std::ofstream(folder / name, std::ios::binary) << content;
        }
        InMemorySettings settings;
        if (c.classFolder) {
            settings.Write(settings::kLernstandSection, settings::kClassFolderKey, folder.string());
        }
        FakeLernstandView view;
        LernstandServices services{
            journal, settings, [noon] { return noon; },
            [](const fs::path&, JournalOrigin) { return Look(Found::Answers); }};
        services.login = "kind";
        LernstandEngine engine(view, services);
        engine.Start(JournalLook{});
        if (c.foreign) {
            engine.OpenFile(kStick);
        }
        for (std::size_t read = 0; read < view.classFolderReads.size(); ++read) {
            engine.ClassFolderRead(view.classFolderReads[read]());
        }
        EXPECT_EQ(view.classFolder, c.shown);
        EXPECT_EQ(view.assignmentNote, c.note);
    }
}

} // namespace
