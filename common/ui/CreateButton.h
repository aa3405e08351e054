#pragma once

class QPushButton;
class QRect;
class QString;
class QWidget;

// A push button owned by parent, named for tests and placed where the design puts it.
QPushButton* CreateButton(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& geometry);
