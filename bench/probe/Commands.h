#pragma once

#include <string>
#include <vector>

// Each command prints its results as key=value lines and returns the process exit code.
using Arguments = std::vector<std::string>;

// launch [--then SHELL-COMMAND] PROGRAM [ARGUMENT...]: start-up times and peak memory.
int Launch(const Arguments& arguments);
// idle PID SECONDS: wakeups of the process and drawing on the screen meanwhile.
int Idle(const Arguments& arguments);
// open KEYSYM: a key that opens a window, until that window is mapped and painted.
int Open(const Arguments& arguments);
// answers COUNT X Y: Enter in the practice window at X,Y until the next problem is painted.
int Answers(const Arguments& arguments);
// countdown T ROUNDS: F2, then the first problem's time bar and time-out, then "Ende".
int Countdown(const Arguments& arguments);
// trace SECONDS [KEYSYM]: every event on the screen, after pressing the key if one is given.
int Trace(const Arguments& arguments);
// stats: median, minimum, maximum and 99th percentile of the numbers on standard input.
int Stats(const Arguments& arguments);
