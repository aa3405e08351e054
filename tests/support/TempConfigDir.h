#pragma once

#include "settings/SettingsStore.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

// A fresh configuration folder for one test: XDG_CONFIG_HOME points at it while the object
// lives, so the store never touches the real settings file.
class TempConfigDir {
public:
    TempConfigDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kalkuno-test-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) {
            previous_ = old;
        }
        setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
    }

    ~TempConfigDir() {
        if (previous_) {
            setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
        } else {
            unsetenv("XDG_CONFIG_HOME");
        }
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    TempConfigDir(const TempConfigDir&) = delete;
    TempConfigDir& operator=(const TempConfigDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path IniPath() const { return path_ / "Kalkuno.ini"; }

    void WriteIni(const std::string& content) const {
        std::ofstream(IniPath(), std::ios::binary) << content;
    }

    std::string ReadIni() const {
        std::ifstream in(IniPath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
    std::optional<std::string> previous_;
};
