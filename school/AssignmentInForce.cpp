#include "school/AssignmentInForce.h"

#include "school/ClassFolderNames.h"

#include <cerrno>
#include <vector>

std::optional<AssignmentInForce> ReadAssignmentInForce(ShareAccess& share,
                                                       const AssignmentPlace& place) {
    std::vector<std::string> names;
    if (const std::optional<std::string> own = class_folder::PupilAssignmentName(place.login)) {
        names.push_back(*own);
    }
    names.push_back(class_folder::kClassAssignment);
    for (const std::string& name : names) {
        const std::filesystem::path file = place.folder / name;
        const ShareRead read = share.Read(file, kMaxAssignmentBytes);
        if (read.error == 0) {
            return AssignmentInForce{file, ParseAssignment(read.bytes)};
        }
        if (read.error != ENOENT) {
            return std::nullopt;
        }
    }
    // Without the folder, an absent file says nothing about the assignment.
    if (share.CheckFolder(place.folder) != 0) {
        return std::nullopt;
    }
    return AssignmentInForce{};
}
