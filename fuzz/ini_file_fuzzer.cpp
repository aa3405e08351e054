#include "settings/IniFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reads a file, writes one key and reads back: the written value comes back exactly (up to the
// read limit) and every other entry reads as before.
namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// Every (section, key) the text might hold; a generous guess is enough, since a pair that is no
// entry reads as absent before and after the write alike.
std::vector<std::pair<std::string_view, std::string_view>> Entries(std::string_view text) {
    std::vector<std::pair<std::string_view, std::string_view>> entries;
    std::string_view section;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
        const std::string_view line = Trim(text.substr(begin, end - begin));
        const std::size_t close = line.find(']');
        const std::size_t equals = line.find('=');
        if (line.starts_with('[') && close != std::string_view::npos) {
            section = Trim(line.substr(1, close - 1));
        } else if (equals != std::string_view::npos) {
            entries.emplace_back(section, Trim(line.substr(0, equals)));
        }
        begin = end + 1;
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(2048);
    const std::string content = input.ConsumeRemainingBytesAsString();

    IniFile::ReadValue(content, section, key);
    const std::optional<std::string> written = IniFile::WriteValue(content, section, key, value);
    if (!written) {
        return 0;
    }
    Require(IniFile::ReadValue(*written, section, key) == value.substr(0, IniFile::kMaxValueLength),
            "the written value does not read back");
    for (const auto& [otherSection, otherKey] : Entries(content)) {
        if (SameName(otherSection, section) && SameName(otherKey, key)) {
            continue;
        }
        Require(IniFile::ReadValue(content, otherSection, otherKey) ==
                    IniFile::ReadValue(*written, otherSection, otherKey),
                "another entry changed");
    }
    return 0;
}
