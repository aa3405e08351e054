#include "common/ui/InputMethodText.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>

bool TypeCommittedText(QLineEdit& edit, const QInputMethodEvent& event,
                       const std::function<void(char32_t)>& typeCharacter) {
    if (event.commitString().isEmpty()) {
        return false;
    }
    // Copied first: typing a character may open a message box, which runs other events.
    const QList<uint> committed = event.commitString().toUcs4();
    const QString preedit = event.preeditString();
    const QList<QInputMethodEvent::Attribute> attributes = event.attributes();

    // The pending text goes away before the characters arrive, as with a committing key.
    QInputMethodEvent cleared;
    cleared.setCommitString(QString(), event.replacementStart(), event.replacementLength());
    QCoreApplication::sendEvent(&edit, &cleared);
    for (const uint character : committed) {
        typeCharacter(static_cast<char32_t>(character));
    }
    if (!preedit.isEmpty()) {
        QInputMethodEvent pending(preedit, attributes);
        QCoreApplication::sendEvent(&edit, &pending);
    }
    return true;
}
