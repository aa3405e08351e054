#include "lernstand/LernstandEngine.h"

#include "common/HomeFolder.h"
#include "common/ShownText.h"
#include "facts/LocalCalendar.h"
#include "lernstand/AnswerSummary.h"
#include "lernstand/ClassFolderTexts.h"
#include "lernstand/FactTexts.h"
#include "lernstand/LernstandTexts.h"
#include "lernstand/LernstandView.h"
#include "lernstand/WeakRows.h"
#include "settings/SettingsReader.h"

#include <cerrno>
#include <exception>
#include <iterator>
#include <string>
#include <utility>

namespace {

using Found = JournalReading::Found;

} // namespace

LernstandEngine::LernstandEngine(LernstandView& view, LernstandServices services)
    : view_(view)
    , services_(std::move(services))
    , writer_(services_.settings)
    , journal_(services_.journal)
    , threshold_(std::chrono::seconds(settings::kThresholdDefault)) {}

void LernstandEngine::Start(const JournalLook& firstLook) {
    view_.ShowTitle(LernstandTitle());
    LoadSettings();
    view_.EnableActions(Actions());
    ShowLook(firstLook);
    LookAtClassFolder();
}

void LernstandEngine::Reload() {
    ShowLook(services_.look(journal_, Origin()));
}

void LernstandEngine::Activated() {
    const bool wasTargeted = targeted_;
    const std::chrono::milliseconds wasThreshold = threshold_;
    LoadSettings();
    RefreshRowsInForce();
    // Switched elsewhere, say in the settings file: the levels come and go with the mode.
    if (targeted_ != wasTargeted || (targeted_ && threshold_ != wasThreshold)) {
        Reload();
    } else if (threshold_ != wasThreshold) {
        view_.ShowFacts(facts_, FastBelow());
    }
    LookAtClassFolder();
}

void LernstandEngine::OpenFile(const std::filesystem::path& file) {
    const JournalLook look =
        services_.look(file, file == services_.journal ? JournalOrigin::Own : JournalOrigin::Copy);
    switch (look.reading.found) {
    case Found::Answers:
        ShowJournal(file);
        ShowLook(look);
        return;
    case Found::Newer:
        view_.ShowWarning(NewerJournalText(file, RefusedUse::Open));
        return;
    case Found::Nothing:
        // Gone between the choice and the look.
        view_.ShowWarning(NotAJournalText(file, std::generic_category().message(ENOENT)));
        return;
    case Found::Empty:
    case Found::Foreign:
    case Found::Unreadable:
    case Found::Busy:
        break;
    }
    view_.ShowWarning(NotAJournalText(file, look.reading.problem));
}

void LernstandEngine::OpenOwnJournal() {
    ShowJournal(services_.journal);
    Reload();
    LookAtClassFolder();
}

void LernstandEngine::RecordToggled(bool on) {
    const settings::Switched switched = writer_.SwitchRecording(on);
    if (!switched.saved) {
        view_.ShowRecording(!on);
        view_.ShowSettingsNotSaved();
        return;
    }
    if (switched.otherToo) {
        view_.ShowTargeted(false);
        view_.ShowSwitchNote(TargetedAlsoOffText());
        targeted_ = false;
        Reload();
    }
}

void LernstandEngine::TargetedToggled(bool on) {
    const settings::Switched switched = writer_.SwitchTargeted(on);
    if (!switched.saved) {
        view_.ShowTargeted(!on);
        view_.ShowSettingsNotSaved();
        return;
    }
    if (switched.otherToo) {
        view_.ShowRecording(true);
        view_.ShowSwitchNote(RecordingAlsoOnText());
    }
    targeted_ = on;
    Reload();
}

void LernstandEngine::ThresholdChosen(int choice) {
    if (choice < 0 || choice >= static_cast<int>(std::size(settings::kThresholdChoices))) {
        return;
    }
    const std::chrono::seconds seconds(settings::kThresholdChoices[choice]);
    if (!writer_.ChooseThreshold(seconds)) {
        LoadSettings();
        view_.ShowSettingsNotSaved();
        return;
    }
    threshold_ = seconds;
    view_.ShowThreshold(threshold_);
    view_.ShowFacts(facts_, FastBelow());
    // A fact's level depends on the threshold too.
    if (targeted_) {
        Reload();
    }
}

void LernstandEngine::WeakRowsClicked() {
    const WeakRowsChoice choice = PractiseWeakRows(facts_, FastBelow(), writer_);
    RefreshRowsInForce();
    if (!choice.saved) {
        view_.ShowSettingsNotSaved();
        return;
    }
    view_.ShowMessage(choice.message);
}

void LernstandEngine::DeleteClicked() {
    if (!view_.ConfirmDelete()) {
        return;
    }
    if (const std::error_code error = services_.remove(journal_)) {
        view_.ShowWarning(NotDeletedText(journal_, error.message()));
    }
    Reload();
}

RowSwitches LernstandEngine::RowsInForce() const {
    return settings::ReadRowsInForce(services_.settings);
}

void LernstandEngine::ShowJournal(const std::filesystem::path& journal) {
    journal_ = journal;
    foreign_ = journal_ != services_.journal;
    view_.ShowTitle(foreign_ ? LernstandTitle(journal_) : LernstandTitle());
    view_.EnableActions(Actions());
    if (foreign_) {
        // The lines are about the user's own copies and assignment.
        LookAtClassFolder();
    }
}

void LernstandEngine::ShowLook(const JournalLook& look) {
    if (look.reading.found == Found::Busy && ++busyLooks_ < kBusyTries) {
        view_.LookAgainIn(kBusyRetry);
        return;
    }
    busyLooks_ = 0;
    ShowReading(look);
    ShowOwner(look);
    RefreshRowsInForce();
    view_.Watch(journal_, look.before);
}

void LernstandEngine::ShowReading(const JournalLook& look) {
    found_ = look.reading.found;
    const JournalOverview overview = Overview(look.answers, services_.now());
    facts_ = FactTable(look.answers);
    typingCheck_ = look.typingCheck;
    view_.ShowFacts(facts_, FastBelow());
    view_.ShowDays(overview.recentDays);

    const bool readable = JournalReading::Readable(found_);
    std::string summary = SummaryText(overview.summary);
    if (found_ == Found::Newer) {
        summary = NewerJournalText(journal_, RefusedUse::Show);
    } else if (!readable) {
        summary = UnreadableJournalText(journal_, look.reading.problem);
    } else if (const auto typing =
                   typingCheck_ ? TypingTime(typingCheck_->numbers) : std::nullopt) {
        summary += std::string(summary.empty() ? "" : "\n") + TypingTimeText(*typing, FastBelow());
    }
    std::optional<FactProgressTable> progress;
    const std::chrono::sys_days today = LocalCalendar().DayOf(services_.now());
    if (targeted_ && !foreign_) {
        if (readable) {
            progress = ProgressOf(look.answers, FastBelow());
        }
        summary += std::string(summary.empty() ? "" : "\n") +
                   (readable ? TargetedSummaryText(*progress, RowsInForce(), today)
                             : TargetedPausedText());
    }
    view_.ShowProgress(progress, today);
    view_.ShowSummary(summary, !readable);
    view_.ShowNothingRecorded(readable && look.answers.empty() && !foreign_);
    view_.EnableActions(Actions());
}

void LernstandEngine::LoadSettings() {
    const settings::LernstandSwitches switches =
        settings::ReadLernstandSwitches(services_.settings);
    view_.ShowRecording(switches.recording);
    targeted_ = switches.targeted;
    view_.ShowTargeted(targeted_);
    threshold_ = settings::ReadThreshold(services_.settings);
    view_.ShowThreshold(threshold_);
}

std::chrono::milliseconds LernstandEngine::FastBelow() const {
    return ChildThreshold(threshold_, typingCheck_);
}

void LernstandEngine::RefreshRowsInForce() {
    view_.ShowRowsInForce(RowsInForce());
}

LernstandActions LernstandEngine::Actions() const {
    const bool readable = JournalReading::Readable(found_);
    LernstandActions actions;
    // Someone else's journal changes neither this user's settings nor itself.
    actions.record = !foreign_;
    actions.targeted = !foreign_;
    actions.threshold = !foreign_;
    actions.weakRows = readable && !foreign_;
    // Nothing destructive for a journal this program cannot read, nor while it is being copied.
    actions.remove = (found_ == Found::Answers || found_ == Found::Empty) && !foreign_ && !copy_;
    actions.ownJournal = foreign_;
    return actions;
}

void LernstandEngine::NameEdited(const std::string& typed) {
    const std::size_t first = typed.find_first_not_of(" \t");
    // The name as the field showed it, handed back untouched, is the name kept.
    const std::string name = typed == ShownName(owner_.name) ? owner_.name
                             : first == std::string::npos
                                 ? ""
                                 : typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    if (owner_.nameEditable && name != owner_.name) {
        try {
            services_.storeName(journal_, name);
            owner_.name = name;
        } catch (const std::exception& error) {
            view_.ShowWarning(NameNotStoredText(journal_, error.what()));
        }
    }
    view_.ShowOwner(owner_);
}

std::string LernstandEngine::TeacherCopyName() const {
    return TeacherCopyFileName(owner_.name.empty() ? LoginName() : owner_.name,
                               LocalCalendar().DayOf(services_.now()));
}

void LernstandEngine::TeacherCopyClicked() {
    if (copy_) {
        view_.ShowMessage(TeacherCopyBusyText());
        return;
    }
    if (const std::optional<std::filesystem::path> target =
            view_.AskCopyTarget(TeacherCopyName())) {
        SaveTeacherCopy(*target);
    }
}

void LernstandEngine::SaveTeacherCopy(const std::filesystem::path& target) {
    if (copy_) {
        view_.ShowMessage(TeacherCopyBusyText());
        return;
    }
    copy_ = RunningCopy{journal_, target, std::make_shared<std::atomic<bool>>(false)};
    view_.EnableActions(Actions());
    view_.ShowCopying(TeacherCopyRunningText(target));
    view_.RunCopy([copy = services_.copy, running = *copy_]() -> JournalCopy {
        // Nothing may unwind out of the worker thread: a failure is the copy's outcome.
        try {
            return copy(running.journal, running.target, *running.cancelled);
        } catch (const std::exception& error) {
            return {JournalCopy::Problem::TargetFailed, error.what(), 0};
        } catch (...) {
            return {JournalCopy::Problem::TargetFailed, "unbekannter Fehler", 0};
        }
    });
}

void LernstandEngine::CancelCopyClicked() {
    if (copy_) {
        *copy_->cancelled = true;
        view_.ShowCopying(TeacherCopyCancellingText());
    }
}

bool LernstandEngine::MayClose() {
    if (!copy_) {
        return true;
    }
    askingToClose_ = true;
    const bool close = view_.ConfirmCloseWhileCopying();
    askingToClose_ = false;
    if (close) {
        StopCopy();
    }
    if (endedWhileAsking_) {
        const JournalCopy ended = *endedWhileAsking_;
        endedWhileAsking_.reset();
        TeacherCopyEnded(ended);
    }
    return close;
}

void LernstandEngine::StopCopy() {
    if (copy_) {
        *copy_->cancelled = true;
    }
}

void LernstandEngine::TeacherCopyEnded(const JournalCopy& copy) {
    if (askingToClose_) {
        endedWhileAsking_ = copy;
        return;
    }
    if (!copy_) {
        return;
    }
    const RunningCopy ended = std::move(*copy_);
    copy_.reset();
    view_.ShowCopying({});
    view_.EnableActions(Actions());
    const std::filesystem::path& target = ended.target;
    switch (copy.problem) {
    case JournalCopy::Problem::None:
        view_.ShowMessage(TeacherCopySavedText(target, copy.answers));
        return;
    case JournalCopy::Problem::NothingRecorded:
        view_.ShowMessage(NoAnswersText());
        return;
    case JournalCopy::Problem::Cancelled:
        return;
    case JournalCopy::Problem::NotReadable:
        view_.ShowWarning(UnreadableJournalText(ended.journal, copy.detail));
        return;
    case JournalCopy::Problem::TargetFull:
    case JournalCopy::Problem::TargetReadOnly:
    case JournalCopy::Problem::TargetGone:
    case JournalCopy::Problem::TargetFailed:
    case JournalCopy::Problem::TargetIsJournal:
        break;
    }
    view_.ShowWarning(TeacherCopyNotSavedText(target, copy.problem, copy.detail));
}

// Shown anew only when it changed, so that a name being typed stays while the drill records.
void LernstandEngine::ShowOwner(const JournalLook& look) {
    JournalOwner owner;
    owner.name = look.name;
    owner.placeholder = ShownText(journal_.filename().string());
    owner.nameEditable = JournalReading::Readable(found_) && !foreign_;
    owner.teacherCopy = found_ == Found::Answers && !foreign_;
    if (owner != owner_) {
        owner_ = owner;
        view_.ShowOwner(owner_);
    }
}

void LernstandEngine::LookAtClassFolder() {
    const std::optional<std::filesystem::path> folder = ClassFolderOf(services_.settings);
    if (!folder || foreign_) {
        view_.ShowClassFolder({});
        view_.ShowAssignmentNote({});
        return;
    }
    if (readingClassFolder_) {
        classFolderAgain_ = true;
        return;
    }
    readingClassFolder_ = true;
    view_.ReadClassFolder([share = services_.share,
                           place = AssignmentPlace{*folder, services_.login},
                           status = HandInStatusPath(services_.journal)] {
        OwnClassFolder read;
        // Nothing may unwind out of the reading thread: what was not read shows as not there.
        try {
            read.handIn = ReadHandInStatus(status);
            read.assignment = ReadAssignmentInForce(*share, place);
        } catch (const std::exception&) {
            read.assignment.reset();
        }
        return read;
    });
}

void LernstandEngine::ClassFolderRead(const OwnClassFolder& read) {
    readingClassFolder_ = false;
    const std::optional<std::filesystem::path> folder = ClassFolderOf(services_.settings);
    // The setting or the journal shown may have changed while the share was read.
    const bool shown = folder && !foreign_;
    view_.ShowClassFolder(shown ? HandInText(read.handIn, *folder, services_.now()) + " · " +
                                      OwnAssignmentText(read.assignment)
                                : "");
    view_.ShowAssignmentNote(shown && read.assignment
                                 ? AssignmentOverrideText(read.assignment->reading.assignment)
                                 : "");
    if (std::exchange(classFolderAgain_, false)) {
        LookAtClassFolder();
    }
}
