#include "bench/probe/KnownLines.h"

#include <fstream>
#include <utility>

KnownLines::KnownLines(std::string file)
    : file_(std::move(file)) {
    std::ifstream stored(file_);
    std::uint64_t fingerprint = 0;
    int number = 0;
    while (stored >> fingerprint >> number) {
        numbers_[fingerprint] = number;
    }
}

std::optional<int> KnownLines::Find(std::uint64_t fingerprint) const {
    const auto found = numbers_.find(fingerprint);
    return found == numbers_.end() ? std::nullopt : std::optional(found->second);
}

void KnownLines::Learn(std::uint64_t fingerprint, int number) {
    numbers_[fingerprint] = number;
    std::ofstream(file_, std::ios::app) << fingerprint << ' ' << number << '\n';
}
