#include "practice/window/TypedCharacter.h"

#include <QKeyEvent>

std::optional<char32_t> TypedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return modifiers.testFlag(Qt::ControlModifier) ? U'\n' : U'\r';
    }
    if (key == Qt::Key_Backspace) {
        return modifiers.testFlag(Qt::ControlModifier) ? char32_t{0x7F} : char32_t{8};
    }
    if (key == Qt::Key_Escape) {
        return char32_t{27};
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        return std::nullopt;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return static_cast<char32_t>(key - Qt::Key_A + 1);
        }
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const char32_t character = text.toUcs4().constFirst();
    // Delete and similar keys report control text on some platforms but type nothing.
    if (character < 0x20 || character == 0x7F) {
        return std::nullopt;
    }
    return character;
}
