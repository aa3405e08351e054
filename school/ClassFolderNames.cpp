#include "school/ClassFolderNames.h"

#include <algorithm>

namespace class_folder {
namespace {

constexpr std::string_view kHandInPrefix = "Lernstand-";
constexpr std::string_view kHandInSuffix = ".sqlite";
constexpr std::string_view kAssignmentPrefix = "Auftrag-";
constexpr std::string_view kAssignmentSuffix = ".ini";
// File systems keep names of up to 255 bytes; the login leaves room for the longest prefix and
// suffix around it and for a temporary name's ending.
constexpr std::size_t kMaxLoginBytes = 200;

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::optional<std::string> Named(std::string_view prefix, std::string_view login,
                                 std::string_view suffix) {
    if (!IsLoginPart(login)) {
        return std::nullopt;
    }
    std::string name(prefix);
    name.append(login).append(suffix);
    return name;
}

// The part between prefix and suffix when name is made of them and a login.
std::optional<std::string> Between(std::string_view name, std::string_view prefix,
                                   std::string_view suffix) {
    if (!name.starts_with(prefix) || !name.ends_with(suffix)) {
        return std::nullopt;
    }
    name.remove_prefix(prefix.size());
    name.remove_suffix(std::min(suffix.size(), name.size()));
    if (!IsLoginPart(name)) {
        return std::nullopt;
    }
    return std::string(name);
}

} // namespace

bool IsLoginPart(std::string_view login) {
    return !login.empty() && login.size() <= kMaxLoginBytes &&
           login.find('/') == std::string_view::npos &&
           std::none_of(login.begin(), login.end(), IsControl);
}

std::optional<std::string> HandInName(std::string_view login) {
    return Named(kHandInPrefix, login, kHandInSuffix);
}

std::optional<std::string> LoginOfHandIn(std::string_view fileName) {
    return Between(fileName, kHandInPrefix, kHandInSuffix);
}

std::optional<std::string> PupilAssignmentName(std::string_view login) {
    return Named(kAssignmentPrefix, login, kAssignmentSuffix);
}

std::optional<std::string> LoginOfPupilAssignment(std::string_view fileName) {
    return Between(fileName, kAssignmentPrefix, kAssignmentSuffix);
}

bool IsAssignmentName(std::string_view fileName) {
    return fileName == kClassAssignment || LoginOfPupilAssignment(fileName).has_value();
}

} // namespace class_folder
