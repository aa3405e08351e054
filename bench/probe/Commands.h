#pragma once

#include <string>
#include <vector>

// Each command prints its results as key=value lines and returns the process exit code.
using Arguments = std::vector<std::string>;

// launch [--window TITLE] [--during SHELL-COMMAND] [--settle MS [--trace FILE]]
// [--then SHELL-COMMAND] PROGRAM [ARGUMENT...]: start-up times and peak memory; with a title, of
// the first window whose title holds it; with a quiet time, also when the window's drawing
// settled. A command "during" starts once the window is painted and runs beside the settling.
int Launch(const Arguments& arguments);
// idle PID SECONDS: wakeups of the process and drawing on the screen meanwhile.
int Idle(const Arguments& arguments);
// open KEYSYM: a key that opens a window, until that window is mapped and painted.
int Open(const Arguments& arguments);
// answers COUNT X Y [--right TABLE JOURNAL] [--round N [--handed-in COPY JOURNAL]]: Enter in the
// practice window at X,Y until the next problem is painted; with a table, each time after typing
// the right product. With rounds of N problems, "Noch mal..." after each round's summary until the
// next round's first problem is painted; with a copy, when each round's copy arrived there.
int Answers(const Arguments& arguments);
// check X Y TABLE CANDIDATE...: types the typing check on the board at X,Y, each number it knows
// by its line in the table and the others found among the candidates (then learned, not timed);
// times each Enter until the next number, and the last until the round's first problem, is painted.
int Check(const Arguments& arguments);
// respond COUNT DX DY PAUSE-MS: clicks at DX,DY in the window of PROBE_BOX until a popup (a menu)
// is painted, then closes it with Escape; prints when each click came after PROBE_STARTED_NS.
int Respond(const Arguments& arguments);
// countdown T ROUNDS: F2, then the first problem's time bar and time-out, then "Ende".
int Countdown(const Arguments& arguments);
// quit: closes the main window of PROBE_WINDOW as a window manager would, and times it until the
// window is gone and until the program of PROBE_PID has ended.
int Quit(const Arguments& arguments);
// trace SECONDS [KEYSYM]: every event on the screen, after pressing the key if one is given.
int Trace(const Arguments& arguments);
// follow FOLDER NAME COUNT COPY COPY: hands a pupil's copy in to the class window of PROBE_BOX,
// COUNT times, the two copies in turn, each written under a hidden name and renamed to NAME at a
// moment between two looks; times the rename until the folder is looked at, and from that look
// the file's reading and the drawing of the pupils' and the class's table.
int Follow(const Arguments& arguments);
// looks PID SECONDS FOLDER: the processor time the program takes meanwhile, and how often it
// looked at the class folder.
int Looks(const Arguments& arguments);
// stats: median, minimum, maximum and 99th percentile of the numbers on standard input.
int Stats(const Arguments& arguments);
