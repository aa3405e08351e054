#pragma once

// Names the application and installs its fonts and Qt's German texts; call once, right after
// creating QApplication.
void ConfigureApplication();
