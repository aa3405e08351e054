#include "settings/dialog/TConfig.h"

#include "common/ui/CreateButton.h"
#include "common/ui/CreateLabel.h"
#include "common/ui/ErrorHandler.h"
#include "common/ui/Fonts.h"
#include "common/ui/MessageBoxes.h"
#include "common/ui/PlainText.h"
#include "common/ui/ProductName.h"
#include "common/ui/SettingsNotSaved.h"
#include "common/ui/WindowPlacement.h"
#include "settings/SettingsReader.h"
#include "settings/dialog/TSpinEdit.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// The client area of a 544 x 330 window with the classic sizeable border.
constexpr QSize kClientSize(536, 303);
constexpr int kRowPanelWidth = 288;
constexpr int kButtonPanelHeight = 73;
constexpr QSize kCheckBoxSize(97, 17);
constexpr QSize kButtonSize(75, 25);
constexpr QSize kSpinEditSize(73, 22);
constexpr int kTitlePixels = 32;
// The rows as they stand in the design, before the first loading.
constexpr int kRowsCheckedInDesign = 9;
// Around the note on the assignment below the panels.
constexpr int kNoteMargin = 6;

QFrame* CreatePanel(const QString& name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

// Panels aligned inside another panel fill its contents, which keep its bevel clear.
template <typename Layout> Layout* CreateAlignLayout(QFrame* panel) {
    auto* layout = new Layout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

// A caption sized to its text.
QLabel* PlaceCaption(QLabel* label, const QString& text, QPoint position) {
    SetPlainText(*label, text);
    label->move(position);
    label->adjustSize();
    return label;
}

} // namespace

TConfig::TConfig(QWidget* parent, WritableSettings& settings)
    : QDialog(parent)
    , settings_(settings)
    , writer_(settings) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    BelongToParentWindow(this);
    setWindowTitle(QStringLiteral("Einstellungen"));
    setFont(SansSerifFont(kDefaultFontPixels));

    QFrame* panel1 = CreatePanel(QStringLiteral("Panel1"), this);
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->setSpacing(0);
    windowLayout->addWidget(panel1, 1);
    assignmentNote_ = CreateLabel(this, QStringLiteral("AssignmentNote"));
    assignmentNote_->setTextFormat(Qt::PlainText);
    assignmentNote_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    assignmentNote_->setContentsMargins(kNoteMargin, kNoteMargin, kNoteMargin, kNoteMargin);
    assignmentNote_->hide();
    windowLayout->addWidget(assignmentNote_);

    QFrame* panel2 = CreatePanel(QStringLiteral("Panel2"), panel1);
    panel2->setFixedWidth(kRowPanelWidth);
    QFrame* panel3 = CreatePanel(QStringLiteral("Panel3"), panel1);
    auto* panel1Layout = CreateAlignLayout<QHBoxLayout>(panel1);
    panel1Layout->addWidget(panel2);
    panel1Layout->addWidget(panel3);

    QFrame* panel5 = CreatePanel(QStringLiteral("Panel5"), panel3);
    QFrame* panel4 = CreatePanel(QStringLiteral("Panel4"), panel3);
    panel4->setFixedHeight(kButtonPanelHeight);
    auto* panel3Layout = CreateAlignLayout<QVBoxLayout>(panel3);
    panel3Layout->addWidget(panel5);
    panel3Layout->addWidget(panel4);

    CreateRowControls(panel2);
    CreateButtons(panel4);
    CreateFields(panel5);
    SetTabOrder();

    resize(kClientSize);
    CenterOnScreen(this);
}

void TConfig::CreateRowControls(QFrame* panel) {
    // The design's captions, kept on purpose: the first showing replaces them.
    groupBox1_ = new QGroupBox(QStringLiteral("1 x 1 Reihen"), panel);
    groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
    groupBox1_->setGeometry(9, 17, 272, 272);
    constexpr int rowsPerColumn = kRowCount / 2;
    for (int row = 1; row <= kRowCount; ++row) {
        auto* box = new QCheckBox(QStringLiteral("1 x %1").arg(row), groupBox1_);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(row));
        const int column = (row - 1) / rowsPerColumn;
        const int line = (row - 1) % rowsPerColumn;
        box->setGeometry(QRect(QPoint(column == 0 ? 32 : 144, 24 + 24 * line), kCheckBoxSize));
        box->setChecked(row <= kRowsCheckedInDesign);
        rowCheckBoxes_.at(static_cast<std::size_t>(row - 1)) = box;
    }
}

void TConfig::CreateButtons(QFrame* panel) {
    button1_ = CreateButton(panel, QStringLiteral("Button1"), QStringLiteral("Speichern"),
                            QRect(QPoint(144, 24), kButtonSize));
    button2_ = CreateButton(panel, QStringLiteral("Button2"), QStringLiteral("Abbrechen"),
                            QRect(QPoint(24, 24), kButtonSize));
    // Neither is a default button, so Enter presses neither.
    for (QPushButton* button : {button1_, button2_}) {
        button->setAutoDefault(false);
    }
    connect(button1_, &QPushButton::clicked, this, &TConfig::Button1Click);
    connect(button2_, &QPushButton::clicked, this, &TConfig::Button2Click);
}

void TConfig::CreateFields(QFrame* panel) {
    const QFont titleFont = SansSerifFont(kTitlePixels, true);
    PlaceCaption(CreateLabel(panel, QStringLiteral("Label3"), titleFont),
                 QStringLiteral("Einstellungen"), {16, 24});
    PlaceCaption(CreateLabel(panel, QStringLiteral("Label4"), titleFont), ProductName(), {24, 72});
    const QLabel* label2 = PlaceCaption(CreateLabel(panel, QStringLiteral("Label2")),
                                        QStringLiteral("Menge der Aufgaben"), {24, 128});
    const QLabel* label1 = PlaceCaption(CreateLabel(panel, QStringLiteral("Label1")),
                                        QStringLiteral("Zeitvorgabe"), {24, 176});

    spinEdit2_ = new TSpinEdit(panel);
    spinEdit2_->setObjectName(QStringLiteral("SpinEdit2"));
    spinEdit2_->setGeometry(QRect(QPoint(24, 144), kSpinEditSize));
    spinEdit2_->SetRange(settings::kTotalRange.lowest, settings::kTotalRange.highest);
    spinEdit2_->SetAccessibleCaption(label2->text());
    spinEdit1_ = new TSpinEdit(panel);
    spinEdit1_->setObjectName(QStringLiteral("SpinEdit1"));
    spinEdit1_->setGeometry(QRect(QPoint(24, 192), kSpinEditSize));
    spinEdit1_->SetRange(settings::kTimeRange.lowest, settings::kTimeRange.highest);
    spinEdit1_->SetAccessibleCaption(label1->text());
    // Both fields show 1 in the design, until the first loading.
    for (TSpinEdit* field : {spinEdit1_, spinEdit2_}) {
        field->SetValue(1);
    }

    checkBox21_ = new QCheckBox(QStringLiteral("Auf Zeit"), panel);
    checkBox21_->setObjectName(QStringLiteral("CheckBox21"));
    checkBox21_->setGeometry(QRect(QPoint(120, 200), kCheckBoxSize));
    checkBox21_->setChecked(true);
}

void TConfig::SetTabOrder() {
    QList<QWidget*> order(rowCheckBoxes_.begin(), rowCheckBoxes_.end());
    order << button1_ << button2_ << checkBox21_ << spinEdit1_ << spinEdit2_;
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order.at(i - 1), order.at(i));
    }
}

void TConfig::ShowFromMenu() {
    if (isVisible()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    } else {
        FormShow();
        show();
    }
    raise();
    activateWindow();
}

void TConfig::ShowAssignmentNote(const QString& note) {
    const bool wasShown = !assignmentNote_->isHidden();
    const bool shown = !note.isEmpty();
    if (shown) {
        assignmentNote_->setText(note);
    }
    if (shown == wasShown) {
        return;
    }
    // The panels keep their size: the window grows by the note's one line, or shrinks back.
    const int noteHeight = assignmentNote_->sizeHint().height();
    assignmentNote_->setVisible(shown);
    resize(width(), height() + (shown ? noteHeight : -noteHeight));
}

void TConfig::keyPressEvent(QKeyEvent* event) {
    // Neither button is a cancel button, so Escape leaves the dialog open.
    if (event->matches(QKeySequence::Cancel)) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TConfig::FormShow() {
    RunGuarded([this] {
        // A stored number that is no number stops the loading where it stands: the controls
        // before it show the stored values, the later ones and the captions keep theirs.
        const settings::DialogSettings stored = settings::ReadDialogSettings(settings_);
        for (int row = 1; row <= kRowCount; ++row) {
            RowCheckBox(row)->setChecked(stored.rowsChecked.at(static_cast<std::size_t>(row - 1)));
        }
        if (stored.time) {
            spinEdit1_->SetValue(*stored.time);
        }
        if (stored.total) {
            spinEdit2_->SetValue(*stored.total);
        }
        if (stored.failure) {
            throw *stored.failure;
        }
        checkBox21_->setChecked(*stored.timer);
        for (int row = 1; row <= kRowCount; ++row) {
            SetPlainText(*RowCheckBox(row), QStringLiteral("1 · %1").arg(row));
        }
        groupBox1_->setTitle(QStringLiteral("Aufgaben"));
    });
}

void TConfig::Button1Click() {
    RunGuarded([this] {
        const settings::DialogSaved saved = writer_.SaveDialog(Values());
        if (!saved.saved) {
            ShowSettingsNotSaved(this);
            return;
        }
        if (saved.noRowChosen) {
            // "mindesten" (sic) is the wording users know; it stays.
            ShowPlainMessage(this,
                             QStringLiteral("Bitte wählen Sie mindesten eine Aufgabenreihe!"));
            const RowSwitches standIn = RowsInForce({});
            for (int row = 1; row <= kRowCount; ++row) {
                RowCheckBox(row)->setChecked(RowOn(standIn, row));
            }
            if (!writer_.SaveStandInRow()) {
                ShowSettingsNotSaved(this);
            }
            return;
        }
        close();
    });
}

void TConfig::Button2Click() {
    close();
}

settings::DialogValues TConfig::Values() const {
    settings::DialogValues values;
    for (int row = 1; row <= kRowCount; ++row) {
        values.rowsChecked.at(static_cast<std::size_t>(row - 1)) = RowCheckBox(row)->isChecked();
    }
    values.time = spinEdit1_->Value();
    values.total = spinEdit2_->Value();
    values.timer = checkBox21_->isChecked();
    return values;
}

QCheckBox* TConfig::RowCheckBox(int row) const {
    return rowCheckBoxes_.at(static_cast<std::size_t>(row - 1));
}
