#pragma once

class QWidget;

// The start-up measure beyond Qt's examples that pays most on its figures (docs/PERFORMANCE.md;
// the other, SvgPicture::RenderAhead, must start where the splash is made to pay): shows the window
// and returns once it has been painted on screen, or after half a second at most, so that the work
// that follows (the hidden windows, the program icon) no longer delays the first picture. User
// input waits meanwhile, so no command can reach a window that is not built yet.
void ShowUntilPainted(QWidget& window);
