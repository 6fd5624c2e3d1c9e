#pragma once

#include <QString>
#include <functional>

// Opens a web address or a file with the desktop's own handler (the default browser for pages).
bool OpenWithDesktop(const QString& addressOrPath);

// Lets a test see what would have been opened instead of starting a browser.
using DesktopOpener = std::function<bool(const QString& addressOrPath)>;
void SetDesktopOpener(DesktopOpener opener);
