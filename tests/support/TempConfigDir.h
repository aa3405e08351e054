#pragma once

#include "settings/SettingsStore.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedVariable.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

// A fresh configuration folder for one test: XDG_CONFIG_HOME points at it while the object
// lives, so the store never touches the real settings file, and XDG_DATA_HOME below it.
class TempConfigDir {
public:
    TempConfigDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kalkuno-test-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
        configHome_.emplace("XDG_CONFIG_HOME", path_.string());
        // A classroom file in the machine's /etc/xdg must not change what the tests see.
        configDirs_.emplace("XDG_CONFIG_DIRS", (path_ / "no-system-defaults").string());
        // Nor may a round that records reach the user's own journal.
        dataHome_.emplace("XDG_DATA_HOME", (path_ / "data").string());
    }

    ~TempConfigDir() {
        dataHome_.reset();
        configDirs_.reset();
        configHome_.reset();
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    TempConfigDir(const TempConfigDir&) = delete;
    TempConfigDir& operator=(const TempConfigDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path IniPath() const { return path_ / "Kalkuno.ini"; }
    std::filesystem::path JournalPath() const { return path_ / "data/Kalkuno/Lernstand.sqlite"; }

    void WriteIni(const std::string& content) const {
        std::ofstream(IniPath(), std::ios::binary) << content;
    }

    std::string ReadIni() const { return FileBytes(IniPath()); }

private:
    std::filesystem::path path_;
    std::optional<ScopedVariable> configHome_;
    std::optional<ScopedVariable> configDirs_;
    std::optional<ScopedVariable> dataHome_;
};
