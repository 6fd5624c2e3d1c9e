#pragma once

#include <QString>

// Makes the folder the program works in (where "./Skins", "./Log" and "./First" live) the
// current directory: the program's own folder when it holds Skins/ (a build tree, a portable
// copy), otherwise a per-user folder ($XDG_DATA_HOME/quilo) whose Skins/ leads to the installed
// skins. Returns the folder, or an empty string when none could be entered.
QString EnterProgramFolder();

// The command line as the one text the program compares: the arguments after the program's
// name, joined by single blanks.
QString CommandLineText(const QStringList& arguments);
