#include "school/AssignmentSave.h"

#include "school/AssignmentFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempConfigDir.h"
#include "tests/support/WithoutRootPrivilege.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(AssignmentSave, WritesOnlyAssignmentsReplacesALinkAtTheNameButNeverWhatItNames) {
    const TempConfigDir temp;
    const fs::path folder = temp.Path() / "klasse";
    fs::create_directories(folder);
    temp.WriteIni("[Vorgaben]\nMenge=10\n");
    fs::create_symlink(temp.IniPath(), folder / "Auftrag.ini");
    Assignment assignment;
    assignment.title = "Vor der Mathearbeit";
    for (const std::string name : {"Lernstand-anna.sqlite", "../Auftrag.ini", "Auftrag.txt"}) {
        EXPECT_EQ(SaveAssignment(folder, name, assignment), std::errc::invalid_argument) << name;
    }

    ASSERT_FALSE(SaveAssignment(folder, "Auftrag.ini", assignment));
    EXPECT_EQ(ParseAssignment(FileBytes(folder / "Auftrag.ini")).assignment, assignment);
    EXPECT_EQ(fs::status(folder / "Auftrag.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);

    fs::permissions(temp.Path(), fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add);
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    {
        const WithoutRootPrivilege teacher;
        EXPECT_EQ(SaveAssignment(folder, "Auftrag.ini", {}), std::errc::permission_denied);
        EXPECT_EQ(RemoveAssignment(folder, "Auftrag.ini"), std::errc::permission_denied);
    }
    EXPECT_EQ(ParseAssignment(FileBytes(folder / "Auftrag.ini")).assignment, assignment);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);

    fs::create_symlink(temp.IniPath(), folder / "Auftrag-anna.ini");
    EXPECT_FALSE(RemoveAssignment(folder, "Auftrag.ini"));
    EXPECT_FALSE(RemoveAssignment(folder, "Auftrag-anna.ini"));
    EXPECT_FALSE(RemoveAssignment(folder, "Auftrag-anna.ini")) << "gone already is taken back";
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(temp.ReadIni(), "[Vorgaben]\nMenge=10\n");
}

} // namespace
