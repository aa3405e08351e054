#include "school/FolderLook.h"

#include "tests/support/TempConfigDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& content) {
    std::ofstream(file, std::ios::binary) << content;
}

// "+added ~changed -removed", file names only.
std::string Described(const FolderChanges& changes) {
    std::string text;
    for (const auto& [mark, files] :
         {std::pair{"+", &changes.added}, std::pair{"~", &changes.changed},
          std::pair{"-", &changes.removed}}) {
        for (const fs::path& file : *files) {
            text += (text.empty() ? "" : " ") + std::string(mark) + file.filename().string();
        }
    }
    return text;
}

TEST(FolderLook, TellsWhichPupilsFilesCameChangedOrWent) {
    const std::pair<std::function<void(const fs::path&)>, std::string> cases[] = {
        {[](const fs::path&) {}, ""},
        {[](const fs::path& at) { Write(at / "Lernstand-cara.sqlite", "c"); },
         "+Lernstand-cara.sqlite"},
        {[](const fs::path& at) { Write(at / "Lernstand-anna.sqlite", "aaaa"); },
         "~Lernstand-anna.sqlite"},
        {[](const fs::path& at) {
             const fs::path file = at / "Lernstand-anna.sqlite";
             fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(1));
         },
         "~Lernstand-anna.sqlite"},
        // A copy renamed into place with the same size and time.
        {[](const fs::path& at) {
             Write(at / "copy", "A");
             fs::last_write_time(at / "copy", fs::last_write_time(at / "Lernstand-anna.sqlite"));
             fs::rename(at / "copy", at / "Lernstand-anna.sqlite");
         },
         "~Lernstand-anna.sqlite"},
        {[](const fs::path& at) {
             fs::rename(at / "Lernstand-ben.sqlite", at / "Lernstand-cara.sqlite");
         },
         "+Lernstand-cara.sqlite -Lernstand-ben.sqlite"},
        {[](const fs::path& at) {
             for (const char* name :
                  {".hidden", "Lernstand-anna.sqlite-wal", "Auftrag.ini", "Auftrag-anna.ini",
                   "Lernstand-cara.sqlite.unfertig-a1B2c3"}) {
                 Write(at / name, "x");
             }
             fs::create_directory(at / "Lernstand-dora.sqlite");
         },
         ""},
    };
    for (const auto& [change, changes] : cases) {
        const TempConfigDir temp;
        const fs::path folder = temp.Path() / "klasse";
        fs::create_directories(folder);
        Write(folder / "Lernstand-anna.sqlite", "a");
        Write(folder / "Lernstand-ben.sqlite", "b");
        const std::vector<FileLook> before = LookAtClass(folder).value().pupils;
        ASSERT_EQ(before.size(), 2u);

        change(folder);
        EXPECT_EQ(Described(CompareLooks(before, LookAtClass(folder).value().pupils)), changes);
    }
    const TempConfigDir temp;
    EXPECT_EQ(LookAtClass(temp.Path() / "klasse"), std::nullopt);
}

// The class window reads the assignments apart from the pupils' files, and only when they changed.
TEST(FolderLook, LooksAtTheAssignmentsApart) {
    const TempConfigDir temp;
    const fs::path folder = temp.Path() / "klasse";
    fs::create_directories(folder);
    for (const char* name : {"Lernstand-anna.sqlite", "Auftrag.ini", "Auftrag-anna.ini",
                             "Auftrag-.ini", ".Auftrag.ini.unfertig-a1B2c3", "Auftrag.txt"}) {
        Write(folder / name, "x");
    }
    fs::create_directory(folder / "Auftrag-ben.ini");
    const std::vector<FileLook> before = LookAtClass(folder).value().assignments;
    std::vector<std::string> names;
    for (const FileLook& look : before) {
        names.push_back(look.file.filename().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Auftrag-anna.ini", "Auftrag.ini"}));

    Write(folder / "Auftrag-cara.ini", "x");
    fs::remove(folder / "Auftrag.ini");
    EXPECT_EQ(Described(CompareLooks(before, LookAtClass(folder).value().assignments)),
              "+Auftrag-cara.ini -Auftrag.ini");
    EXPECT_EQ(LookAtClass(temp.Path() / "weg"), std::nullopt);
}

} // namespace
