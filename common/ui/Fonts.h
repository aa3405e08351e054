#pragma once

#include <QFont>

// The classic Windows faces the windows were designed for, mapped to installed stand-ins.
void InstallFontSubstitutes();

// "MS Sans Serif", sized in pixels as the windows were laid out.
QFont SansSerifFont(int pixelSize, bool bold = false);
QFont ArialFont(int pixelSize, bool bold = false);

inline constexpr int kDefaultFontPixels = 11;
