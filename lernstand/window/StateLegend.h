#pragma once

#include <QWidget>

// The four states with their colour and symbol, as the table shows them.
class StateLegend : public QWidget {
    Q_OBJECT

public:
    explicit StateLegend(QWidget* parent = nullptr);
};
