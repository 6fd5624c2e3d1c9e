#pragma once

#include <QString>
#include <functional>

// Opens pages and files with the desktop's own handler (the default browser for pages). When the
// environment names a program in QUILO_OPENER, that program is started instead with the address
// as its one argument: the end-to-end tests open pages in a headless browser this way.

// A web page: only an absolute http or https address with a host. Addresses come from the
// service's files, so anything else (file:, a bare path, smb:, a custom handler's scheme) would
// let the server run whatever the desktop associates with it; such an address opens nothing.
bool OpenWithDesktop(const QString& webAddress);
// A file of our own, by its absolute path (the downloaded release package).
bool OpenFileWithDesktop(const QString& path);

// Whether `address` is an absolute http or https address with a host.
bool IsWebAddress(const QString& address);

// Lets a test see what would have been opened instead of starting a browser.
using DesktopOpener = std::function<bool(const QString& addressOrPath)>;
void SetDesktopOpener(DesktopOpener opener);
