#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Contact texts are kept scrambled so that the program file does not show them in plain text.
inline constexpr unsigned char kScrambleKey = 0x5A;

constexpr char ScrambleByte(char byte) {
    return static_cast<char>(static_cast<unsigned char>(byte) ^ kScrambleKey);
}

// A text scrambled by the compiler: only the scrambled bytes reach the program file.
template <std::size_t Length> struct ScrambledText {
    std::array<char, Length> bytes{};

    constexpr std::string_view View() const { return {bytes.data(), bytes.size()}; }
};

template <std::size_t SizeWithTerminator>
consteval ScrambledText<SizeWithTerminator - 1> Scramble(const char (&text)[SizeWithTerminator]) {
    ScrambledText<SizeWithTerminator - 1> scrambled;
    for (std::size_t index = 0; index + 1 < SizeWithTerminator; ++index) {
        scrambled.bytes[index] = ScrambleByte(text[index]);
    }
    return scrambled;
}

// Restores a stored text; scrambling is its own inverse.
std::string RevealText(std::string_view stored);
