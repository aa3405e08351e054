#pragma once

#include <string>

// The program's messages as several tests expect them, written out once here and apart from
// the code that shows them.
namespace ui_texts {

inline const std::string kNotANumber = "Bitte eine Zahl eingeben!";
inline const std::string kNoRowChosen = "Bitte wählen Sie mindesten eine Aufgabenreihe!";
inline const std::string kSaveFailed = "Die Einstellungen konnten nicht gespeichert werden.";

// The result line at the end of a round.
inline std::string ResultLine(long total) {
    return "Von " + std::to_string(total) + " Augaben hast Du";
}

} // namespace ui_texts
