#pragma once

#include "settings/SettingsSchema.h"
#include "settings/SettingsSource.h"
#include "settings/SettingsWriter.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class TSpinEdit;

// The settings dialog: which multiplication rows are practised, how many problems a round has,
// how long each problem may take and whether rounds run against the clock. It loads the settings
// file each time it is shown and writes it on "Speichern". While the teacher's assignment sets some
// of its values for the rounds, a note below says which; the dialog still shows and saves the
// child's own, which come back once the assignment is taken back.
class TConfig : public QDialog {
    Q_OBJECT

public:
    static constexpr int kRowCount = settings::kRowCount;

    // The settings outlive the dialog.
    TConfig(QWidget* parent, WritableSettings& settings);

    // The "Einstellungen" command: shows the dialog freshly loaded, or, when it is open already,
    // only brings it to the front, so that unsaved edits stay.
    void ShowFromMenu();
    // The note on what the assignment sets, shown as plain text; empty hides it.
    void ShowAssignmentNote(const QString& note);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateRowControls(QFrame* panel);
    void CreateButtons(QFrame* panel);
    void CreateFields(QFrame* panel);
    void SetTabOrder();

    void FormShow();
    void Button1Click();
    void Button2Click();

    settings::DialogValues Values() const;
    QCheckBox* RowCheckBox(int row) const;

    WritableSettings& settings_;
    settings::SettingsWriter writer_;
    // CheckBox1 ... CheckBox20, one per multiplication row.
    std::array<QCheckBox*, kRowCount> rowCheckBoxes_{};
    QGroupBox* groupBox1_ = nullptr;
    QCheckBox* checkBox21_ = nullptr;
    TSpinEdit* spinEdit1_ = nullptr;
    TSpinEdit* spinEdit2_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QLabel* assignmentNote_ = nullptr;
};
