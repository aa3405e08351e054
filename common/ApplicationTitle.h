#pragma once

#include <string_view>

// Captions every message box and is the subject of the about box's mail link.
inline constexpr std::string_view kApplicationTitle = "Kalkuno";

// The name families and schools know the program by.
inline constexpr std::string_view kProductName = "Reihenheld";
