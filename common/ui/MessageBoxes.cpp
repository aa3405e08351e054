#include "common/ui/MessageBoxes.h"

#include "common/ApplicationTitle.h"

void ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()),
                    text, QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setObjectName(icon == QMessageBox::Critical ? QStringLiteral("ErrorBox")
                                                    : QStringLiteral("MessageBox"));
    box.exec();
}

void ShowPlainMessage(QWidget* parent, const QString& text) {
    ShowMessageBox(parent, QMessageBox::NoIcon, text);
}
