#include "tests/widgetsupport/ModalBoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>

ModalBoxWatcher::ModalBoxWatcher(QObject* parent)
    : QObject(parent) {
    connect(&poll_, &QTimer::timeout, this, &ModalBoxWatcher::Poll);
    poll_.start(5);
}

QStringList ModalBoxWatcher::Texts() const {
    QStringList texts;
    for (const SeenMessageBox& box : seen_) {
        texts << box.text;
    }
    return texts;
}

void ModalBoxWatcher::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) {
        return;
    }
    box->setProperty("answered", true);
    seen_.append({box->objectName(), box->windowTitle(), box->text(), box->icon(),
                  static_cast<int>(box->buttons().size()), box->textFormat()});
    if (whileOpen_) {
        whileOpen_();
    }
    if (!box->buttons().isEmpty()) {
        box->buttons().constFirst()->click();
    }
}
