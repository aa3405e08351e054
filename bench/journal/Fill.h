#pragma once

#include "common/WallTime.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A child who practised for months, as the benches' journals are made from: rows taken up one
// after another, rounds on most school days and some weekends, a holiday without any, each fact
// learned with practice and partly forgotten between, mistakes and slow answers to the end.
struct PractisingChild {
    int answers = 100'000;
    int answersPerRound = 10;
    // The span of the practice, ending on the day before until.
    int days = 240;
    WallTime until;
    // Every fact of these rows is asked, the rows taken up in the order given.
    std::vector<int> rows;
    // Kept in the journal's child table unless empty.
    std::string name;
    std::uint32_t seed = 8;
};

// Pupils a made-up class or school can have, each with a name of its own.
inline constexpr int kMostPupils = 60 * 26;
// "Mia K.": a first name and an initial, different for every pupil below kMostPupils.
std::string PupilName(int pupil);

// Makes the journal at path (replacing what is there) in one transaction, since making it is not
// what a bench measures, and leaves no write-ahead log beside it.
void FillJournal(const std::filesystem::path& path, const PractisingChild& child);
