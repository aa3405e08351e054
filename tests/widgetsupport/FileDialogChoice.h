#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

// Chooses the file in the next file dialog, as the grown-up would, once it is open.
class FileDialogChoice : public QObject {
    Q_OBJECT

public:
    explicit FileDialogChoice(const QString& file, QObject* parent = nullptr);

private:
    void Poll();

    QString file_;
    QTimer poll_;
};
