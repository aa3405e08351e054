#include "lernstand/ClassAssignments.h"

#include "lernstand/ClassFolderTexts.h"
#include "lernstand/LernstandTexts.h"
#include "school/ClassFolderNames.h"

#include <utility>

namespace {

// Each value the assignment leaves out as defaults have it.
Assignment Completed(Assignment assignment, const Assignment& defaults) {
    if (!assignment.rows) {
        assignment.rows = defaults.rows;
    }
    if (!assignment.problemTotal) {
        assignment.problemTotal = defaults.problemTotal;
    }
    if (!assignment.targeted) {
        assignment.targeted = defaults.targeted;
    }
    if (!assignment.seconds) {
        assignment.seconds = defaults.seconds;
    }
    return assignment;
}

// The login a pupil's file was handed in under. A teacher's copy looks like a hand-in too, but
// the end of its name is the day it was saved, not a login any drill reads assignments for.
std::optional<std::string> HandInLogin(const ClassPupil& pupil) {
    const std::string name = pupil.journal.file.filename().string();
    if (IsTeacherCopyFileName(name)) {
        return std::nullopt;
    }
    return class_folder::LoginOfHandIn(name);
}

} // namespace

ClassAssignments ReadClassAssignments(ShareAccess& share, const std::vector<FileLook>& files) {
    ClassAssignments assignments;
    for (const FileLook& look : files) {
        const ShareRead read = share.Read(look.file, kMaxAssignmentBytes);
        if (read.error != 0) {
            continue;
        }
        const std::string name = look.file.filename().string();
        if (name == class_folder::kClassAssignment) {
            assignments.forClass = ParseAssignment(read.bytes);
        } else if (const std::optional<std::string> login =
                       class_folder::LoginOfPupilAssignment(name)) {
            assignments.forPupils.emplace(*login, ParseAssignment(read.bytes));
        }
    }
    return assignments;
}

AssignmentTargets TargetsOf(const ClassOverview& overview, std::span<const std::size_t> pupils) {
    AssignmentTargets targets;
    for (const std::size_t index : pupils) {
        if (index >= overview.pupils.size()) {
            continue;
        }
        const ClassPupil& pupil = overview.pupils[index];
        if (const std::optional<std::string> login = HandInLogin(pupil)) {
            targets.logins.push_back(*login);
            targets.names.push_back(pupil.name);
        } else {
            targets.withoutLogin.push_back(pupil.name);
        }
    }
    return targets;
}

std::vector<std::string> AssignmentFileNames(const AssignmentTargets& targets) {
    if (targets.logins.empty()) {
        return {class_folder::kClassAssignment};
    }
    std::vector<std::string> names;
    for (const std::string& login : targets.logins) {
        // A login from a hand-in file's name always names an assignment file.
        names.push_back(class_folder::PupilAssignmentName(login).value_or(""));
    }
    return names;
}

bool HasAssignment(const ClassAssignments& assignments, const AssignmentTargets& targets) {
    if (targets.logins.empty()) {
        return assignments.forClass.has_value();
    }
    for (const std::string& login : targets.logins) {
        if (assignments.forPupils.count(login) != 0) {
            return true;
        }
    }
    return false;
}

Assignment AssignmentToShow(const ClassAssignments& assignments, const AssignmentTargets& targets,
                            const Assignment& defaults) {
    if (!targets.logins.empty()) {
        const auto own = assignments.forPupils.find(targets.logins.front());
        if (own != assignments.forPupils.end()) {
            return Completed(own->second.assignment, defaults);
        }
    }
    return Completed(assignments.forClass ? assignments.forClass->assignment : Assignment{},
                     defaults);
}

ClassAssignments AfterWriting(ClassAssignments assignments, const AssignmentTargets& targets,
                              const std::optional<Assignment>& given,
                              std::span<const std::error_code> errors) {
    const std::optional<AssignmentReading> written =
        given ? std::optional(AssignmentReading{*given, {}, false}) : std::nullopt;
    if (targets.logins.empty()) {
        if (!errors.empty() && !errors.front()) {
            assignments.forClass = written;
        }
        return assignments;
    }
    for (std::size_t i = 0; i < targets.logins.size() && i < errors.size(); ++i) {
        if (errors[i]) {
            continue;
        }
        if (written) {
            assignments.forPupils.insert_or_assign(targets.logins[i], *written);
        } else {
            assignments.forPupils.erase(targets.logins[i]);
        }
    }
    return assignments;
}

std::map<std::filesystem::path, std::string>
PupilAssignmentTexts(const ClassOverview& overview, const ClassAssignments& assignments) {
    std::map<std::filesystem::path, std::string> texts;
    for (const ClassPupil& pupil : overview.pupils) {
        const std::optional<std::string> login = HandInLogin(pupil);
        const auto own = login ? assignments.forPupils.find(*login) : assignments.forPupils.end();
        if (own != assignments.forPupils.end()) {
            texts.emplace(pupil.journal.file, PupilAssignmentText(own->second));
        }
    }
    return texts;
}
