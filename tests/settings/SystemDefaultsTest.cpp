#include "settings/SystemDefaults.h"

#include "settings/SettingsStore.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& test) {
    return test.param.name;
}

void WriteFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// The user's file and two system folders, the first named first in XDG_CONFIG_DIRS.
struct Layers {
    TempConfigDir user;
    fs::path first = user.Path() / "first";
    fs::path second = user.Path() / "second";
    ScopedVariable dirs{"XDG_CONFIG_DIRS", first.string() + ":" + second.string()};
};

std::string ReadMenge() {
    std::string value = "unchanged";
    EXPECT_TRUE(ProfileRead("Kalkuno", "Vorgaben", "Menge", value));
    return value;
}

struct LayerCase {
    std::string name;
    std::optional<std::string> user;
    std::optional<std::string> first;
    std::optional<std::string> second;
    std::string expected;
    friend void PrintTo(const LayerCase& c, std::ostream* out) { *out << c.name; }
};

class ClassroomDefaults : public testing::TestWithParam<LayerCase> {};

TEST_P(ClassroomDefaults, FillOnlyWhatTheUsersFileLacks) {
    const LayerCase& test = GetParam();
    const Layers layers;
    if (test.user) {
        layers.user.WriteIni(*test.user);
    }
    if (test.first) {
        WriteFile(layers.first / "Kalkuno.ini", *test.first);
    }
    if (test.second) {
        WriteFile(layers.second / "Kalkuno.ini", *test.second);
    }
    EXPECT_EQ(ReadMenge(), test.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassroomDefaults,
    testing::Values(
        LayerCase{"NoSystemFile", "[Vorgaben]\nZeit=3\n", std::nullopt, std::nullopt, ""},
        LayerCase{"SystemFileOnly", std::nullopt, "[Vorgaben]\nMenge=20\n", std::nullopt, "20"},
        LayerCase{"UserWins", "[Vorgaben]\nMenge=7\n", "[Vorgaben]\nMenge=20\n", std::nullopt, "7"},
        LayerCase{"EmptyUserEntryWins", "[Vorgaben]\nMenge=\n", "[Vorgaben]\nMenge=20\n",
                  std::nullopt, ""},
        LayerCase{"UserFileLacksTheKey", "[Vorgaben]\nZeit=3\n[Aufgaben]\nMenge=9\n",
                  "[Vorgaben]\nMenge=20\n", std::nullopt, "20"},
        LayerCase{"FirstFolderWins", std::nullopt, "[Vorgaben]\nMenge=30\n",
                  "[Vorgaben]\nMenge=40\n", "30"},
        LayerCase{"FirstFolderLacksTheEntry", std::nullopt, "[Vorgaben]\nZeit=2\n",
                  "[Vorgaben]\nMenge=40\n", "40"}),
    CaseName<LayerCase>);

TEST(ClassroomDefaultsWrite, TouchesOnlyTheUsersFile) {
    const Layers layers;
    const std::string system = "[Vorgaben]\nMenge=20\nZeit=4\n";
    WriteFile(layers.first / "Kalkuno.ini", system);

    ASSERT_TRUE(ProfileWrite("Kalkuno", "Vorgaben", "Menge", "8"));

    EXPECT_EQ(FileBytes(layers.first / "Kalkuno.ini"), system);
    EXPECT_EQ(layers.user.ReadIni(), "[Vorgaben]\nMenge=8\n");
    EXPECT_EQ(ReadMenge(), "8");
}

struct FoldersCase {
    std::string name;
    std::optional<std::string> variable;
    std::vector<fs::path> expected;
    friend void PrintTo(const FoldersCase& c, std::ostream* out) { *out << c.name; }
};

class SystemFolders : public testing::TestWithParam<FoldersCase> {};

TEST_P(SystemFolders, FollowXdgConfigDirs) {
    const ScopedVariable dirs("XDG_CONFIG_DIRS", GetParam().variable);
    EXPECT_EQ(SystemConfigFolders(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SystemFolders,
                         testing::Values(FoldersCase{"Unset", std::nullopt, {"/etc/xdg"}},
                                         FoldersCase{"Empty", "", {"/etc/xdg"}},
                                         FoldersCase{"RelativeAndEmptyEntriesIgnored",
                                                     "/a:relative::/b/",
                                                     {"/a", "/b/"}}),
                         CaseName<FoldersCase>);

} // namespace
