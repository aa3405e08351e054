#pragma once

#include <QLabel>

// A label that acts as a link: screen readers meet it as a link they can follow.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent);
};
