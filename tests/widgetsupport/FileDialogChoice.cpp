#include "tests/widgetsupport/FileDialogChoice.h"

#include <QApplication>
#include <QFileDialog>

FileDialogChoice::FileDialogChoice(const QString& file, QObject* parent)
    : QObject(parent)
    , file_(file) {
    connect(&poll_, &QTimer::timeout, this, &FileDialogChoice::Poll);
    poll_.start(5);
}

void FileDialogChoice::Poll() {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        poll_.stop();
        dialog->selectFile(file_);
        static_cast<QDialog*>(dialog)->accept();
    }
}
