#include "settings/SettingsReader.h"

#include "tests/support/InMemorySettings.h"

#include <gtest/gtest.h>

namespace {

// '1' for a row the next round practises, '0' for one it leaves out, rows 1 to 20.
std::string Shown(const std::string& ini) {
    InMemorySettings stored;
    stored.ini = ini;
    std::string rows;
    for (const bool on : settings::ReadRowsInForce(stored)) {
        rows += on ? '1' : '0';
    }
    return rows;
}

TEST(RowsInForce, EmptyMeansOnAndRowOneStandsInForNone) {
    const struct {
        std::string ini;
        std::string rows;
    } cases[] = {
        {"", "11111111111111111111"},
        {"[Aufgaben]\n3=off\n20=off\n", "11011111111111111110"},
        {"[Aufgaben]\n1=On\n2=yes\n", "00111111111111111111"},
        {"[Aufgaben]\n1=off\n2=off\n3=off\n4=off\n5=off\n6=off\n7=off\n8=off\n9=off\n10=off\n"
         "11=off\n12=off\n13=off\n14=off\n15=off\n16=off\n17=off\n18=off\n19=off\n20=off\n",
         "10000000000000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(c.ini), c.rows) << c.ini;
    }
}

} // namespace
