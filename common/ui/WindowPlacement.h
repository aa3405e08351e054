#pragma once

class QWidget;

// Title bar with system menu, minimise and close, but no maximise: for fixed-size windows.
void UseFixedSingleBorder(QWidget* window);

// Centres the window on the screen it will appear on.
void CenterOnScreen(QWidget* window);
