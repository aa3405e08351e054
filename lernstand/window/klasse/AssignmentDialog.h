#pragma once

#include "facts/Fact.h"
#include "school/Assignment.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Auftrag geben…": the rows, the problems per round, "Gezielt üben", the seconds and an optional
// short title of an assignment for the class or some pupils. It shows the assignment it is given
// and hands back every value as chosen; "Auftrag geben" is offered while at least one row is on
// and the title fits.
class AssignmentDialog : public QDialog {
    Q_OBJECT

public:
    // heading says whom the assignment is for; shown has every value set.
    AssignmentDialog(QWidget* parent, const QString& heading, const Assignment& shown);

    // Every value set; the title empty for none.
    Assignment Chosen() const;

private:
    QWidget* BuildRows();
    void Check();

    QLineEdit* title_ = nullptr;
    QLabel* titleNote_ = nullptr;
    std::array<QCheckBox*, kRows> rows_{};
    QSpinBox* problems_ = nullptr;
    QCheckBox* targeted_ = nullptr;
    QComboBox* seconds_ = nullptr;
    QPushButton* give_ = nullptr;
};
