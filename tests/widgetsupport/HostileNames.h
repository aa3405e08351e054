#pragma once

#include <QString>

#include <array>

// Names as a pupil's stick may bring them: as a file or folder name, as the child's name kept in a
// journal, or within SQLite's reason. Every one is to show as the text it is. The image element
// names a device that reads as empty, so that a window that does load it shows the fault without
// taking the machine's memory.
struct HostileName {
    const char* what;
    QString text;
};

inline const std::array<HostileName, 8> kHostileNames{{
    {"tags", QStringLiteral("<b>Anna</b> <i>Ben</i>")},
    {"entities", QStringLiteral("&lt;b&gt;Anna&lt;/b&gt; &amp; Ben")},
    {"an image element", QStringLiteral(R"(<img src="&#47;dev&#47;null">)")},
    {"a formula", QStringLiteral(R"(=HYPERLINK("x";"Anna"))")},
    {"control characters and a right-to-left override",
     QStringLiteral("Anna\u202Eslx.exe\u0007\u0085")},
    {"newlines", QStringLiteral("Anna\nBen\r\nCem")},
    {"the modified mark of a title", QStringLiteral("Anna [*] Ben")},
    {"100 000 characters", QString(100'000, QLatin1Char('W'))},
}};
