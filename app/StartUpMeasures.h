#pragma once

class QWidget;

// Shows the window and returns once it has been painted on screen, or after half a second at
// most. User input waits meanwhile, so start-up work that follows cannot delay the first picture
// and no command can reach a window that is not built yet.
void ShowUntilPainted(QWidget& window);
