#pragma once

// Names the application and installs its fonts; call once, right after creating QApplication.
void ConfigureApplication();
