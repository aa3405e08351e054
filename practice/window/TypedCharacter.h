#pragma once

#include <optional>

class QKeyEvent;

// The character a key press types, as a classic character event reports it: Enter is 13,
// Backspace 8, Ctrl+letter its control character; keys that type nothing (arrows, Delete,
// function keys, lone modifiers, Alt combinations) give none.
std::optional<char32_t> TypedCharacter(const QKeyEvent& event);
