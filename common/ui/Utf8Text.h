#pragma once

#include <QString>

#include <string_view>

// A text of the core, which holds UTF-8, as the windows show it.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
