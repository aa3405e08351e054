// kalkuno_class_bench <folder> <pupils> [answers]: fills the folder with the copies for the teacher
// of that many pupils' journals, each of the given answers (default 20 000) over six to seven
// months of practice of the rows 1 to 10 up to yesterday (see Fill.h), and each with the pupil's
// name kept in it, as a class's copies collected on one day. Each journal is made under a hidden
// name, copied with the Lernstand's "Für die Lehrkraft speichern…" and removed.
#include "bench/journal/Fill.h"
#include "journal/JournalCopy.h"
#include "journal/JournalRemoval.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <pupils> [answers]\n", argv[0]);
        return 2;
    }
    const fs::path folder = argv[1];
    const int pupils = std::atoi(argv[2]);
    const int answers = argc > 3 ? std::atoi(argv[3]) : 20'000;
    if (pupils <= 0 || pupils > kMostPupils || answers <= 0) {
        std::fprintf(stderr, "pupils: 1 to %d, answers above 0\n", kMostPupils);
        return 2;
    }
    fs::create_directories(folder);
    const auto now = std::chrono::system_clock::now();
    const std::chrono::year_month_day date(std::chrono::floor<std::chrono::days>(now));
    char today[16];
    std::snprintf(today, sizeof today, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    std::atomic<int> next = 0;
    std::atomic<int> failed = 0;
    const auto fill = [&] {
        for (int pupil = next++; pupil < pupils; pupil = next++) {
            PractisingChild child;
            child.answers = answers;
            child.answersPerRound = 10;
            child.days = 180 + pupil % 31;
            child.until = now;
            child.rows = {2, 5, 10, 1, 3, 4, 6, 8, 9, 7};
            child.name = PupilName(pupil);
            child.seed = static_cast<std::uint32_t>(1000 + pupil);
            const fs::path made = folder / (".made-" + std::to_string(pupil) + ".sqlite");
            std::string fileName = child.name;
            std::erase(fileName, '.');
            std::replace(fileName.begin(), fileName.end(), ' ', '-');
            FillJournal(made, child);
            const JournalCopy copy = CopyJournal(
                made, folder / ("Lernstand-" + fileName + "-" + std::string(today) + ".sqlite"));
            RemoveJournal(made);
            if (copy.problem != JournalCopy::Problem::None || copy.answers != answers) {
                std::fprintf(stderr, "pupil %d: copy failed: %s\n", pupil, copy.detail.c_str());
                ++failed;
            }
        }
    };
    {
        std::vector<std::jthread> workers;
        for (unsigned worker = 1; worker < std::max(1U, std::thread::hardware_concurrency());
             ++worker) {
            workers.emplace_back(fill);
        }
        fill();
    }
    std::printf("made %d journals of %d answers in %s\n", pupils - failed.load(), answers,
                folder.c_str());
    return failed == 0 ? 0 : 1;
}
