#pragma once

class QString;

// Installs Qt's own German texts (context menus, standard buttons, key names) from `folder` for
// the whole application, whatever language the desktop is set to. Returns false and changes
// nothing when the folder holds no usable translation; Qt's English texts then stay.
bool InstallQtGermanTexts(const QString& folder);
