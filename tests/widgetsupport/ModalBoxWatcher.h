#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// What a message box showed the user.
struct SeenMessageBox {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    // How the text was shown: as plain text, or as Qt guessed.
    Qt::TextFormat format = Qt::AutoText;
};

// Answers every modal message box with its first button, the way a user would, and records
// what each one showed. A hook can act while a box is open (say, let a countdown step arrive).
class ModalBoxWatcher : public QObject {
    Q_OBJECT

public:
    explicit ModalBoxWatcher(QObject* parent = nullptr);

    const QList<SeenMessageBox>& Seen() const { return seen_; }
    QStringList Texts() const;
    void Clear() { seen_.clear(); }
    void SetWhileOpen(std::function<void()> hook) { whileOpen_ = std::move(hook); }

private:
    void Poll();

    QTimer poll_;
    QList<SeenMessageBox> seen_;
    std::function<void()> whileOpen_;
};
