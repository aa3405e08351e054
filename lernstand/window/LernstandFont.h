#pragma once

// The type size of the Lernstand's windows in pixels: grown-ups read them at a distance, so it is
// larger than the drill's.
inline constexpr int kLernstandFontPixels = 14;
