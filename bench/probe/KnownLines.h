#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The number each line of the board asks for, by the fingerprint of the line's pixels, kept in a
// file ("fingerprint number" a line) so that later starts know what earlier ones learned.
class KnownLines {
public:
    explicit KnownLines(std::string file);

    std::optional<int> Find(std::uint64_t fingerprint) const;
    void Learn(std::uint64_t fingerprint, int number);
    std::size_t Size() const { return numbers_.size(); }

private:
    std::string file_;
    std::map<std::uint64_t, int> numbers_;
};
