#pragma once

class XServer;

// There is no window manager to give the keyboard back to the main window when another window
// closes, so key commands first focus the main window and put the pointer on it, as a user
// would; launch passes on its window in PROBE_WINDOW and its centre in PROBE_HOME.
void FocusHome(XServer& server);
