#include "common/ui/MessageBoxes.h"

#include "common/ui/ProductName.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Switches every message box to plain text when it is polished: before it is shown, and so
// before its text is laid out and any image it names is loaded.
class PlainMessageBoxes : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                box->setTextFormat(Qt::PlainText);
            }
        }
        return false;
    }
};

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, ApplicationTitle(), text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setObjectName(icon == QMessageBox::Critical ? QStringLiteral("ErrorBox")
                                                    : QStringLiteral("MessageBox"));
    box.exec();
}

} // namespace

void ShowPlainMessage(QWidget* parent, const QString& text) {
    ShowMessageBox(parent, QMessageBox::NoIcon, text);
}

void ShowWarningBox(QWidget* parent, const QString& text) {
    ShowMessageBox(parent, QMessageBox::Warning, text);
}

void ShowErrorBox(QWidget* parent, const QString& text) {
    ShowMessageBox(parent, QMessageBox::Critical, text);
}

bool AskYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, ApplicationTitle(), question, QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("ConfirmBox"));
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void KeepEveryMessageBoxPlain() {
    QCoreApplication* application = QCoreApplication::instance();
    if (application->findChild<PlainMessageBoxes*>(QString(), Qt::FindDirectChildrenOnly) ==
        nullptr) {
        application->installEventFilter(new PlainMessageBoxes(application));
    }
}

#include "MessageBoxes.moc"
