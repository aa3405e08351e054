#include "settings/SettingsStore.h"

#include "tests/support/FileBytes.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempConfigDir.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <optional>
#include <ostream>
#include <pwd.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Names each case of a table after its name field.
template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& test) {
    return test.param.name;
}

const std::string kBase = "Kalkuno";

struct ReadResult {
    bool ok;
    std::string value;
};

ReadResult Read(const std::string& section, const std::string& key) {
    ReadResult result{false, "unchanged"};
    result.ok = ProfileRead(kBase, section, key, result.value);
    return result;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFixture(const std::string& name) {
    return FileBytes(fs::path(FIXTURE_DIR) / name);
}

// An INI text of exactly size bytes whose entry A/k is "v".
std::string IniOfSize(std::size_t size) {
    const std::string entry = "[A]\nk=v\n";
    return entry + ";" + std::string(size - entry.size() - 2, 'x') + "\n";
}

bool MayAccess(const fs::path& path, int mode) {
    return faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

const fs::perms kReadOnlyForAll = fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec;

TEST(SettingsStore, MissingFileSectionOrKeyReadsAsEmptyWithSuccess) {
    const TempConfigDir dir;
    for (const char* file :
         {"", "[Aufgaben]\n7=on\n", "[Vorgaben]\nMenge=10\n", static_cast<const char*>(nullptr)}) {
        if (file != nullptr) {
            dir.WriteIni(file);
        } else {
            fs::remove(dir.IniPath());
        }
        const ReadResult result = Read("Vorgaben", "Zeit");
        EXPECT_TRUE(result.ok) << (file != nullptr ? file : "no file");
        EXPECT_EQ(result.value, "");
    }
}

TEST(SettingsStore, FirstWriteCreatesFolderFileAndSection) {
    const TempConfigDir dir;
    const fs::path folder = dir.Path() / "new" / "config";
    const ScopedVariable configHome("XDG_CONFIG_HOME", folder.string());

    EXPECT_TRUE(Read("Aufgaben", "7").ok);
    EXPECT_FALSE(fs::exists(folder)) << "a read must not create anything";

    EXPECT_TRUE(ProfileWrite(kBase, "Aufgaben", "7", "off"));
    std::ifstream in(folder / "Kalkuno.ini", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[Aufgaben]\n7=off\n");
    EXPECT_EQ(Read("Aufgaben", "7").value, "off");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"Kalkuno.ini"});
}

TEST(SettingsStore, EveryCallSeesTheFileAsItIsNow) {
    const TempConfigDir dir;
    ASSERT_TRUE(ProfileWrite(kBase, "Vorgaben", "Zeit", "5"));
    EXPECT_EQ(Read("Vorgaben", "Zeit").value, "5");

    dir.WriteIni("[Vorgaben]\nZeit=9\n");
    EXPECT_EQ(Read("Vorgaben", "Zeit").value, "9");
    ASSERT_TRUE(ProfileWrite(kBase, "Vorgaben", "Menge", "10"));
    EXPECT_EQ(dir.ReadIni(), "[Vorgaben]\nZeit=9\nMenge=10\n");
}

// Several entries are one replacement of the file: all of them land, or none.
TEST(SettingsStore, SeveralEntriesAreWrittenTogetherOrNotAtAll) {
    const TempConfigDir dir;
    dir.WriteIni("[Aufgaben]\n1=on\n");
    const std::vector<SettingEntry> rows = {{"Aufgaben", "1", "off"}, {"Aufgaben", "2", "on"}};
    ASSERT_TRUE(ProfileWriteEntries(kBase, rows));
    EXPECT_EQ(dir.ReadIni(), "[Aufgaben]\n1=off\n2=on\n");

    const std::vector<SettingEntry> lastCannotBeStored = {{"Aufgaben", "1", "on"},
                                                          {"Aufgaben", "2", "off\nZeit=1"}};
    EXPECT_FALSE(ProfileWriteEntries(kBase, lastCannotBeStored));
    EXPECT_EQ(dir.ReadIni(), "[Aufgaben]\n1=off\n2=on\n");
}

TEST(SettingsStore, LongValueReadsBackCut) {
    const TempConfigDir dir;
    std::string value;
    for (int i = 0; i < 2000; ++i) {
        value += static_cast<char>('a' + i % 26);
    }
    ASSERT_TRUE(ProfileWrite(kBase, "Aufgaben", "1", value));
    const ReadResult result = Read("Aufgaben", "1");
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.value, value.substr(0, 1023));
}

TEST(SettingsStore, HandEditedFileKeepsEveryOtherByte) {
    const TempConfigDir dir;
    dir.WriteIni(ReadFixture("hand-edited.ini"));

    EXPECT_EQ(Read("aufgaben", "2").value, "off");
    EXPECT_EQ(Read("Aufgaben", "7").value, "on");
    EXPECT_EQ(Read("Aufgaben", "3").value, "");
    EXPECT_EQ(Read("Aufgaben", "9").value, "");
    EXPECT_EQ(Read("Farben", "Tafel").value, "Gr\u00FCn");

    EXPECT_TRUE(ProfileWrite(kBase, "Aufgaben", "2", "on"));
    EXPECT_TRUE(ProfileWrite(kBase, "Aufgaben", "7", "off"));
    EXPECT_TRUE(ProfileWrite(kBase, "Aufgaben", "12", "on"));
    EXPECT_TRUE(ProfileWrite(kBase, "Vorgaben", "Zeit", "5"));
    EXPECT_TRUE(ProfileWrite(kBase, "Vorgaben", "Menge", "10"));
    EXPECT_EQ(dir.ReadIni(), ReadFixture("hand-edited-after-writes.ini"));
}

TEST(SettingsStore, ValueThatIsNoUtf8ReadsAsWindows1252) {
    const TempConfigDir dir;
    const std::string cutInsideACharacter = std::string(1022, 'a') + "\u00FC";
    for (const auto& [stored, read] : std::vector<std::pair<std::string, std::string>>{
             {"f\xFCnf \x80\x81\x8D\x8F\x90\x9D\x9F",
              "f\u00FCnf \u20AC\u0081\u008D\u008F\u0090\u009D\u0178"},
             {"f\u00FCnf \u20AC \U0001F600", "f\u00FCnf \u20AC \U0001F600"},
             {"caf\xE9", "caf\u00E9"},
             {"\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80",
              "\u00C0\u00AF \u00ED\u00A0\u20AC \u00F4\u0090\u20AC\u20AC"},
             {cutInsideACharacter, std::string(1022, 'a')}}) {
        dir.WriteIni("[Vorgaben]\nZeit=" + stored + "\n");
        EXPECT_EQ(Read("Vorgaben", "Zeit").value, read) << stored;
    }
}

TEST(SettingsStore, NewFileGetsTheUsualPermissionBitsAndAReplacementKeepsThem) {
    const TempConfigDir dir;
    const mode_t previous = umask(022);
    const bool written = ProfileWrite(kBase, "Vorgaben", "Zeit", "5");
    umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(fs::status(dir.IniPath()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    const fs::perms chosen = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(dir.IniPath(), chosen);
    ASSERT_TRUE(ProfileWrite(kBase, "Vorgaben", "Zeit", "6"));
    EXPECT_EQ(fs::status(dir.IniPath()).permissions(), chosen);
}

TEST(SettingsStore, UnchangedValueLeavesTheFileInPlace) {
    const TempConfigDir dir;
    dir.WriteIni("[Vorgaben]\r\nZeit=5\r\n");
    struct stat before {};
    ASSERT_EQ(stat(dir.IniPath().c_str(), &before), 0);
    EXPECT_TRUE(ProfileWrite(kBase, "vorgaben", "ZEIT", "5"));
    struct stat after {};
    ASSERT_EQ(stat(dir.IniPath().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(dir.ReadIni(), "[Vorgaben]\r\nZeit=5\r\n");
}

const std::string kOldFile = "; mine\n[Vorgaben]\nZeit=5\n";

void ExpectOldFileUntouched(const TempConfigDir& dir) {
    EXPECT_EQ(dir.ReadIni(), kOldFile);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Kalkuno.ini"})
        << "no temporary file may be left behind";
}

TEST(SettingsStoreFailure, WriteIntoReadOnlyFolder) {
    const TempConfigDir dir;
    dir.WriteIni(kOldFile);
    fs::permissions(dir.Path(), kReadOnlyForAll);
    {
        const WithoutRootPrivilege user;
        if (MayAccess(dir.Path(), W_OK)) {
            GTEST_SKIP() << "cannot take write access away: root, and no user \"nobody\"";
        }
        ASSERT_TRUE(MayAccess(dir.IniPath(), R_OK));
        EXPECT_FALSE(ProfileWrite(kBase, "Vorgaben", "Zeit", "7"));
        EXPECT_EQ(Read("Vorgaben", "Zeit").value, "5");
    }
    ExpectOldFileUntouched(dir);
}

TEST(SettingsStoreFailure, UnreadableFileIsNeitherReadNorOverwritten) {
    const TempConfigDir dir;
    dir.WriteIni(kOldFile);
    fs::permissions(dir.Path(), fs::perms::all);
    fs::permissions(dir.IniPath(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    {
        const WithoutRootPrivilege user;
        if (MayAccess(dir.IniPath(), R_OK)) {
            GTEST_SKIP() << "cannot take read access away: root, and no user \"nobody\"";
        }
        const ReadResult result = Read("Vorgaben", "Zeit");
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.value, "unchanged");
        EXPECT_FALSE(ProfileWrite(kBase, "Vorgaben", "Zeit", "7"));
    }
    fs::permissions(dir.IniPath(), fs::perms::owner_read, fs::perm_options::add);
    ExpectOldFileUntouched(dir);
}

TEST(SettingsStoreFailure, FullDiskOrAValueThatCannotBeStored) {
    const TempConfigDir dir;
    dir.WriteIni(kOldFile);
    {
        const FileSizeLimit fullDisk(8);
        EXPECT_FALSE(ProfileWrite(kBase, "Vorgaben", "Zeit", "7"));
    }
    ExpectOldFileUntouched(dir);
    EXPECT_FALSE(ProfileWrite(kBase, "Vorgaben", "Zeit", "7\n[Aufgaben]"));
    EXPECT_FALSE(ProfileWrite(kBase, "Vorgaben", "", "7"));
    ExpectOldFileUntouched(dir);
}

TEST(SettingsStoreFailure, OversizedFileIsNeitherReadNorOverwritten) {
    const TempConfigDir dir;
    const std::size_t limit = 1024 * 1024;
    dir.WriteIni(IniOfSize(limit));
    EXPECT_EQ(Read("A", "k").value, "v") << "a file of exactly 1 MiB is still read";

    const std::string oversized = IniOfSize(limit + 1);
    dir.WriteIni(oversized);
    const ReadResult result = Read("A", "k");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.value, "unchanged");
    EXPECT_FALSE(ProfileWrite(kBase, "A", "k", "w"));
    EXPECT_EQ(dir.ReadIni(), oversized);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Kalkuno.ini"});
}

struct NoFileCase {
    std::string name;
    void (*make)(const fs::path& path);
    fs::file_type type;
    friend void PrintTo(const NoFileCase& c, std::ostream* out) { *out << c.name; }
};

class StoreRefuses : public testing::TestWithParam<NoFileCase> {};

TEST_P(StoreRefuses, WhatIsNoRegularFile) {
    const TempConfigDir dir;
    GetParam().make(dir.IniPath());
    const ReadResult result = Read("Vorgaben", "Zeit");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.value, "unchanged");
    EXPECT_FALSE(ProfileWrite(kBase, "Vorgaben", "Zeit", "7"));
    EXPECT_EQ(fs::status(dir.IniPath()).type(), GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoreRefuses,
    testing::Values(
        NoFileCase{"Folder", [](const fs::path& path) { fs::create_directory(path); },
                   fs::file_type::directory},
        NoFileCase{"Fifo", [](const fs::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); },
                   fs::file_type::fifo}),
    CaseName<NoFileCase>);

// Beside the target stand a user's backup, which stays, and a stale copy of the store's, which
// goes.
TEST(SettingsStore, SaveThroughAChainOfRelativeLinksReplacesTheirTarget) {
    const TempConfigDir dir;
    const fs::path shared = dir.Path() / "shared";
    fs::create_directory(shared);
    for (const char* name : {"all.ini", ".all.ini.backup", ".all.ini.kalkuno-save-Ab12Cd"}) {
        std::ofstream(shared / name) << kOldFile;
    }
    fs::create_symlink("all.ini", shared / "link.ini");
    fs::create_symlink("shared/link.ini", dir.IniPath());
    ASSERT_TRUE(ProfileWrite(kBase, "Vorgaben", "Zeit", "7"));
    EXPECT_EQ(fs::read_symlink(dir.IniPath()), "shared/link.ini");
    EXPECT_EQ(fs::read_symlink(shared / "link.ini"), "all.ini");
    EXPECT_EQ(dir.ReadIni(), "; mine\n[Vorgaben]\nZeit=7\n");
    EXPECT_EQ(FolderEntries(shared),
              (std::vector<std::string>{".all.ini.backup", "all.ini", "link.ini"}));
}

// A Kalkuno.ini as parents and admins protect it, in a folder of the user "nobody", saved by
// nobody or by root; after is the file as "owner:group mode" and its value.
struct OwnerCase {
    std::string name;
    const char* owner;
    const char* group;
    mode_t mode;
    bool byNobody;
    bool saved;
    std::string after;
    friend void PrintTo(const OwnerCase& c, std::ostream* out) { *out << c.name; }
};

// Saves in a child process that is "nobody" in every respect, groups included.
bool SaveAsNobody() {
    const pid_t child = fork();
    if (child == 0) {
        const bool nobody = setgroups(0, nullptr) == 0 &&
                            setgid(getgrnam("nogroup")->gr_gid) == 0 &&
                            setuid(getpwnam("nobody")->pw_uid) == 0;
        _exit(nobody && ProfileWrite(kBase, "Vorgaben", "Zeit", "7") ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class ProtectedFile : public testing::TestWithParam<OwnerCase> {};

TEST_P(ProtectedFile, IsReplacedOnlyWhereTheUserMayWriteIt) {
    if (geteuid() != 0 || getpwnam("nobody") == nullptr || getgrnam("nogroup") == nullptr) {
        GTEST_SKIP() << "needs root and the user nobody";
    }
    const TempConfigDir dir;
    dir.WriteIni(kOldFile);
    ASSERT_EQ(chown(dir.Path().c_str(), getpwnam("nobody")->pw_uid, 0), 0);
    ASSERT_EQ(chown(dir.IniPath().c_str(), getpwnam(GetParam().owner)->pw_uid,
                    getgrnam(GetParam().group)->gr_gid),
              0);
    ASSERT_EQ(chmod(dir.IniPath().c_str(), GetParam().mode), 0);
    EXPECT_EQ(GetParam().byNobody ? SaveAsNobody() : ProfileWrite(kBase, "Vorgaben", "Zeit", "7"),
              GetParam().saved);
    struct stat status {};
    ASSERT_EQ(stat(dir.IniPath().c_str(), &status), 0);
    std::ostringstream after;
    after << getpwuid(status.st_uid)->pw_name << ":" << getgrgid(status.st_gid)->gr_name << " "
          << std::oct << (status.st_mode & 07777u) << " " << dir.ReadIni();
    EXPECT_EQ(after.str(), GetParam().after);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"Kalkuno.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProtectedFile,
    testing::Values(OwnerCase{"WriteProtected", "nobody", "nogroup", 0444, true, false,
                              "nobody:nogroup 444 " + kOldFile},
                    OwnerCase{"SomeoneElses", "root", "root", 0644, true, false,
                              "root:root 644 " + kOldFile},
                    OwnerCase{"GroupKeptWhereTheUserMay", "nobody", "nogroup", 0640, false, true,
                              "root:nogroup 640 ; mine\n[Vorgaben]\nZeit=7\n"},
                    OwnerCase{"GroupTheUserIsNoMemberOf", "nobody", "root", 0660, true, true,
                              "nobody:nogroup 660 ; mine\n[Vorgaben]\nZeit=7\n"}),
    CaseName<OwnerCase>);

struct PathCase {
    std::string name;
    std::optional<std::string> configHome;
    std::string expected;
    friend void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }
};

class ProfileLocation : public testing::TestWithParam<PathCase> {};

TEST_P(ProfileLocation, FollowsTheEnvironment) {
    const ScopedVariable home("HOME", "/home/kind");
    const ScopedVariable configHome("XDG_CONFIG_HOME", GetParam().configHome);
    EXPECT_EQ(ProfilePath(kBase), fs::path(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileLocation,
    testing::Values(PathCase{"ConfigHome", "/srv/conf", "/srv/conf/Kalkuno.ini"},
                    PathCase{"NoConfigHome", std::nullopt, "/home/kind/.config/Kalkuno.ini"},
                    PathCase{"EmptyConfigHome", "", "/home/kind/.config/Kalkuno.ini"},
                    PathCase{"RelativeConfigHome", "conf", "/home/kind/.config/Kalkuno.ini"}),
    CaseName<PathCase>);

TEST(ProfileLocationFallback, WithoutHomeUsesTheUsersHomeFolder) {
    const ScopedVariable home("HOME", std::nullopt);
    const ScopedVariable configHome("XDG_CONFIG_HOME", std::nullopt);
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(ProfilePath(kBase), fs::path(user->pw_dir) / ".config" / "Kalkuno.ini");
}

} // namespace
