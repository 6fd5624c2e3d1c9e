#pragma once

#include <QString>

class CPrefStore;

// Chooses the skin the program starts with: the saved one while its folder exists (after a
// first run that renames the old default "Quilo" to "Quilo2"), else the default "Quilo2", else
// the first skin folder the file system lists, which is then saved at once. Returns false when
// "./Skins" holds no skin folder at all.
bool ChooseStartupSkin(CPrefStore& prefs, QString& skinName);
