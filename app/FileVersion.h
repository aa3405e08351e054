#pragma once

#include <QString>

// The program's own version as "major.minor", for example "1.1".
QString FileVersionText();
