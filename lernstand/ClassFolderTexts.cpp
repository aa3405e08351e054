#include "lernstand/ClassFolderTexts.h"

#include "common/ShownText.h"
#include "facts/LocalCalendar.h"
#include "lernstand/AnswerTable.h"
#include "school/AssignmentTexts.h"

#include <chrono>

namespace {

std::string Joined(const std::vector<std::string>& parts, const std::string& between) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : between) + part;
    }
    return text;
}

std::string SecondsText(int seconds) {
    return "„sicher“ schneller als " + std::to_string(seconds) + " s";
}

// " (Nicht verwendet: Menge)" when keys were ignored.
std::string IgnoredNote(const AssignmentReading& reading) {
    const std::string ignored = IgnoredText(reading);
    return ignored.empty() ? "" : " (" + ignored + ")";
}

std::string DetailsOf(const AssignmentReading& reading) {
    const std::string details = AssignmentDetails(reading.assignment);
    return (details.empty() ? "ohne gültige Angaben" : details) + IgnoredNote(reading);
}

// "für die ganze Klasse", "für Anna und Ben".
std::string ForWhom(const AssignmentTargets& targets) {
    return targets.logins.empty() ? "für die ganze Klasse" : "für " + Enumeration(targets.names);
}

// "heute 10:32", "gestern 10:32", "am 07.12.2026 um 10:32".
std::string WhenText(WallTime time, WallTime now) {
    LocalCalendar calendar;
    const std::chrono::sys_days day = calendar.DayOf(time);
    const std::chrono::sys_days today = calendar.DayOf(now);
    const std::string clock = LocalDateTimeOf(time).time.substr(0, 5);
    if (day == today) {
        return "heute " + clock;
    }
    if (day + std::chrono::days(1) == today) {
        return "gestern " + clock;
    }
    return "am " + DateText(day) + " um " + clock;
}

std::string ShownFrom(WallTime shownFrom, WallTime now) {
    LocalCalendar calendar;
    const LocalDateTime at = LocalDateTimeOf(shownFrom);
    return calendar.DayOf(shownFrom) == calendar.DayOf(now)
               ? "der Stand von " + at.time.substr(0, 5)
               : "der Stand vom " + at.date + ", " + at.time.substr(0, 5);
}

} // namespace

std::string AssignmentDetails(const Assignment& assignment) {
    std::vector<std::string> parts;
    if (assignment.rows) {
        parts.push_back(RowsText(*assignment.rows));
    }
    if (assignment.problemTotal) {
        parts.push_back(ProblemCountText(*assignment.problemTotal));
    }
    if (assignment.targeted) {
        parts.emplace_back(*assignment.targeted ? "Gezielt üben" : "ohne Gezielt üben");
    }
    if (assignment.seconds) {
        parts.push_back(SecondsText(*assignment.seconds));
    }
    const std::string title = ShownText(assignment.title);
    const std::string what = Joined(parts, ", ");
    return title.empty() || what.empty() ? title + what : title + " – " + what;
}

std::string ClassAssignmentText(const ClassAssignments& assignments) {
    std::vector<std::string> parts;
    if (assignments.forClass) {
        parts.push_back("Auftrag für die Klasse: " + DetailsOf(*assignments.forClass));
    } else if (!assignments.forPupils.empty()) {
        parts.emplace_back("Kein Auftrag für die Klasse");
    }
    if (const std::size_t pupils = assignments.forPupils.size(); pupils > 0) {
        parts.push_back("eigener Auftrag für " + std::to_string(pupils) +
                        (pupils == 1 ? " Kind" : " Kinder"));
    }
    return Joined(parts, " · ");
}

std::string PupilAssignmentText(const AssignmentReading& reading) {
    return "Eigener Auftrag: " + DetailsOf(reading);
}

std::string AssignmentHeading(const AssignmentTargets& targets) {
    return "Auftrag " + ForWhom(targets);
}

std::string TakeBackQuestion(const AssignmentTargets& targets) {
    if (targets.logins.empty()) {
        return "Den Auftrag für die ganze Klasse zurücknehmen? Die Kinder üben dann wieder mit "
               "ihren eigenen Einstellungen, außer denen mit einem eigenen Auftrag.";
    }
    return "Den eigenen Auftrag " + ForWhom(targets) +
           " zurücknehmen? Dann gilt der Auftrag für die Klasse, wenn es einen gibt, sonst die "
           "eigenen Einstellungen.";
}

std::string NothingToTakeBackText(const AssignmentTargets& targets) {
    if (targets.logins.empty()) {
        return "Für die ganze Klasse gibt es keinen Auftrag.";
    }
    return Enumeration(targets.names) + (targets.names.size() == 1 ? " hat" : " haben") +
           " keinen eigenen Auftrag.";
}

std::string WithoutLoginText(const std::vector<std::string>& names) {
    return Enumeration(names) + (names.size() == 1 ? " kann" : " können") +
           " keinen eigenen Auftrag bekommen: nur eine Datei, die Reihenheld selbst in den "
           "Klassenordner legt („Lernstand-<Anmeldename>.sqlite“), nennt den Anmeldenamen, unter "
           "dem ein Kind übt.";
}

std::string AssignmentNotWrittenText(bool given, const AssignmentTargets& targets,
                                     std::span<const std::error_code> errors) {
    AssignmentTargets failed;
    AssignmentTargets written;
    std::error_code first;
    for (std::size_t i = 0; i < errors.size(); ++i) {
        AssignmentTargets& into = errors[i] ? failed : written;
        if (i < targets.logins.size()) {
            into.logins.push_back(targets.logins[i]);
            into.names.push_back(targets.names.at(i));
        }
        if (errors[i] && !first) {
            first = errors[i];
        }
    }
    const std::string done = given ? "gespeichert" : "zurückgenommen";
    const std::string reason = HandInProblemText(ProblemOfCopy(WritingProblem(first.value()))) +
                               " (" + ShownText(first.message()) + ")";
    std::string text = "Der Auftrag " + ForWhom(failed) + " ließ sich nicht " +
                       (given ? "speichern" : "zurücknehmen") + ": " + reason + ".";
    if (!written.logins.empty()) {
        text += " Für " + Enumeration(written.names) + " ist er " + done + ".";
    }
    return text;
}

std::string FolderNotReachedText(WallTime shownFrom, WallTime now) {
    return "Der Klassenordner ist gerade nicht erreichbar – gezeigt wird " +
           ShownFrom(shownFrom, now) + ", es wird weiter nachgesehen";
}

std::string FolderNotAnsweringText(WallTime shownFrom, WallTime now) {
    return "Der Klassenordner antwortet gerade nicht – gezeigt wird " + ShownFrom(shownFrom, now);
}

std::string HandInText(const std::optional<HandInStatus>& status,
                       const std::filesystem::path& folder, WallTime now) {
    const std::string what = "Abgabe im Klassenordner";
    // The drill names its copy after the folder as the settings spell it.
    if (!status || folder / status->target.filename() != status->target) {
        return what + ": noch keine";
    }
    const std::string arrived = status->arrived ? WhenText(*status->arrived, now) : "";
    if (status->problem == HandInProblem::None) {
        return what + ": " + (arrived.empty() ? "noch keine" : arrived);
    }
    return what + " fehlgeschlagen" +
           (status->tried ? " (" + WhenText(*status->tried, now) + ")" : "") + ": " +
           HandInProblemText(status->problem) +
           (arrived.empty() ? "" : "; zuletzt angekommen " + arrived);
}

std::string OwnAssignmentText(const std::optional<AssignmentInForce>& inForce) {
    if (!inForce) {
        return "Auftrag der Lehrkraft: der Klassenordner ist gerade nicht erreichbar";
    }
    if (inForce->file.empty()) {
        return "Kein Auftrag der Lehrkraft";
    }
    const std::string line = AssignmentLine(inForce->reading.assignment);
    return (line.empty() ? "Auftrag der Lehrkraft" : line) + IgnoredNote(inForce->reading);
}

std::string AssignmentOverrideText(const Assignment& assignment) {
    std::vector<std::string> set;
    if (assignment.targeted) {
        set.push_back(std::string("Gezielt üben ") + (*assignment.targeted ? "an" : "aus"));
    }
    if (assignment.seconds) {
        set.push_back(SecondsText(*assignment.seconds));
    }
    return set.empty() ? ""
                       : "Vom Auftrag der Lehrkraft für die Runden vorgegeben: " + Enumeration(set);
}
