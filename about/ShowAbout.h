#pragma once

class QString;
class QWidget;

// Opens a fresh about box over parent with the given banner title; returns when it is closed.
void ShowAbout(QWidget* parent, const QString& title);
