#pragma once

class QWidget;

// Title bar with system menu, minimise and close, but no maximise: for fixed-size windows.
void UseFixedSingleBorder(QWidget* window);

// Makes a window belong to its parent's window for the window manager (transient for it), so that
// only the main window has a task-bar button. Border, buttons and modality stay as they are.
void BelongToParentWindow(QWidget* window);

// Centres the window on the screen it will appear on.
void CenterOnScreen(QWidget* window);
