#include "lernstand/window/klasse/AssignmentDialog.h"

#include "common/ui/CreateLabel.h"
#include "common/ui/Fonts.h"
#include "common/ui/PlainText.h"
#include "settings/SettingsSchema.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int kRowsPerLine = 10;
constexpr int kHeadingPixels = 18;

} // namespace

AssignmentDialog::AssignmentDialog(QWidget* parent, const QString& heading, const Assignment& shown)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AssignmentDialog"));
    setWindowTitle(QStringLiteral("Auftrag geben"));

    auto* headingLabel =
        CreateLabel(this, QStringLiteral("Heading"), SansSerifFont(kHeadingPixels, true));
    SetPlainText(*headingLabel, heading);
    headingLabel->setWordWrap(true);

    title_ = new QLineEdit(this);
    title_->setObjectName(QStringLiteral("Title"));
    title_->setMaxLength(static_cast<int>(kMaxTitleCharacters));
    title_->setPlaceholderText(QStringLiteral("freiwillig, etwa „Vor der Mathearbeit“"));
    SetPlainText(*title_, QString::fromStdString(shown.title));
    titleNote_ = CreateLabel(this, QStringLiteral("TitleNote"));
    SetPlainText(*titleNote_, QStringLiteral("Der Titel passt auf eine Zeile: höchstens %1 "
                                             "Zeichen, keine Steuerzeichen.")
                                  .arg(kMaxTitleCharacters));
    titleNote_->setWordWrap(true);
    titleNote_->hide();

    problems_ = new QSpinBox(this);
    problems_->setObjectName(QStringLiteral("Problems"));
    problems_->setRange(settings::kTotalRange.lowest, settings::kTotalRange.highest);
    problems_->setValue(shown.problemTotal.value_or(settings::kTotalRange.lowest));

    targeted_ = new QCheckBox(QStringLiteral("&Gezielt üben"), this);
    targeted_->setObjectName(QStringLiteral("Targeted"));
    targeted_->setChecked(shown.targeted.value_or(false));
    SetPlainToolTip(*targeted_, QStringLiteral("Wirkt bei Kindern, deren Antworten aufgezeichnet "
                                               "werden"));

    seconds_ = new QComboBox(this);
    seconds_->setObjectName(QStringLiteral("Seconds"));
    for (const int seconds : settings::kThresholdChoices) {
        seconds_->addItem(QStringLiteral("%1 s").arg(seconds), seconds);
        if (shown.seconds == seconds) {
            seconds_->setCurrentIndex(seconds_->count() - 1);
        }
    }

    auto* form = new QFormLayout;
    const auto addRow = [this, form](const QString& caption, QWidget* field) {
        QLabel* label = nullptr;
        if (!caption.isEmpty()) {
            label = CreateLabel(this, field->objectName() + QStringLiteral("Caption"));
            SetPlainText(*label, caption);
            label->setBuddy(field);
        }
        form->addRow(label, field);
    };
    addRow(QStringLiteral("&Titel:"), title_);
    addRow(QString(), titleNote_);
    addRow(QStringLiteral("Reihen:"), BuildRows());
    addRow(QStringLiteral("&Aufgaben je Runde:"), problems_);
    addRow(QString(), targeted_);
    addRow(QStringLiteral("„&sicher“ schneller als:"), seconds_);

    auto* buttons = new QDialogButtonBox(this);
    give_ = buttons->addButton(QStringLiteral("Auftrag geben"), QDialogButtonBox::AcceptRole);
    give_->setObjectName(QStringLiteral("Give"));
    give_->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        rows_[row]->setChecked(shown.rows && (*shown.rows)[row]);
        connect(rows_[row], &QCheckBox::toggled, this, &AssignmentDialog::Check);
    }
    connect(title_, &QLineEdit::textChanged, this, &AssignmentDialog::Check);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headingLabel);
    layout->addLayout(form);
    layout->addWidget(buttons);
    Check();
}

QWidget* AssignmentDialog::BuildRows() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Rows"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const int number = static_cast<int>(row) + 1;
        auto* box = new QCheckBox(QString::number(number), panel);
        box->setObjectName(QStringLiteral("Row%1").arg(number));
        box->setAccessibleName(QStringLiteral("Reihe %1").arg(number));
        grid->addWidget(box, (number - 1) / kRowsPerLine, (number - 1) % kRowsPerLine);
        rows_[row] = box;
    }
    return panel;
}

void AssignmentDialog::Check() {
    const bool titleFits = IsAssignmentTitle(title_->text().trimmed().toStdString());
    titleNote_->setVisible(!titleFits);
    bool anyRow = false;
    for (const QCheckBox* row : rows_) {
        anyRow = anyRow || row->isChecked();
    }
    give_->setEnabled(titleFits && anyRow);
}

Assignment AssignmentDialog::Chosen() const {
    Assignment chosen;
    chosen.title = title_->text().trimmed().toStdString();
    RowSwitches rows{};
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        rows[row] = rows_[row]->isChecked();
    }
    chosen.rows = rows;
    chosen.problemTotal = problems_->value();
    chosen.targeted = targeted_->isChecked();
    chosen.seconds = seconds_->currentData().toInt();
    return chosen;
}
