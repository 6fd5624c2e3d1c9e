#pragma once

#include <QString>
#include <functional>

// Opens a web address or a file with the desktop's own handler (the default browser for pages).
// When the environment names a program in QUILO_OPENER, that program is started instead with the
// address as its one argument: the end-to-end tests open pages in a headless browser this way.
bool OpenWithDesktop(const QString& addressOrPath);

// Lets a test see what would have been opened instead of starting a browser.
using DesktopOpener = std::function<bool(const QString& addressOrPath)>;
void SetDesktopOpener(DesktopOpener opener);
