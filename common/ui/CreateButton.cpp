#include "common/ui/CreateButton.h"

#include <QPushButton>
#include <QRect>
#include <QString>

QPushButton* CreateButton(QWidget* parent, const QString& name, const QString& caption,
                          const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}
