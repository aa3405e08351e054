#pragma once

// Gives every window the program icon, drawn from its SVG at the sizes window managers ask for.
void InstallApplicationIcon();
