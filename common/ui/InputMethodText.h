#pragma once

#include <functional>

class QInputMethodEvent;
class QLineEdit;

// Dead keys, compose sequences and input methods deliver text as commits, not key presses.
// Hands each committed character, in order, to typeCharacter as if it had been typed, while the
// edit keeps handling the pending (preedit) text itself. Returns false when the event commits
// nothing, so the edit takes it as it is.
bool TypeCommittedText(QLineEdit& edit, const QInputMethodEvent& event,
                       const std::function<void(char32_t)>& typeCharacter);
