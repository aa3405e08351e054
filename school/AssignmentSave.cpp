#include "school/AssignmentSave.h"

#include "school/AssignmentFile.h"
#include "school/AtomicFile.h"
#include "school/ClassFolderNames.h"

#include <cerrno>
#include <unistd.h>

namespace {

std::error_code Refused() {
    return std::make_error_code(std::errc::invalid_argument);
}

} // namespace

std::error_code SaveAssignment(const std::filesystem::path& classFolder,
                               const std::string& fileName, const Assignment& assignment) {
    const std::optional<std::string> content = FormatAssignment(assignment);
    if (!class_folder::IsAssignmentName(fileName) || !content) {
        return Refused();
    }
    return WriteFileAtomically(classFolder / fileName, *content);
}

std::error_code RemoveAssignment(const std::filesystem::path& classFolder,
                                 const std::string& fileName) {
    if (!class_folder::IsAssignmentName(fileName)) {
        return Refused();
    }
    // unlink removes a link planted at the name, never what it points to.
    if (unlink((classFolder / fileName).c_str()) != 0 && errno != ENOENT) {
        return {errno, std::generic_category()};
    }
    return {};
}
