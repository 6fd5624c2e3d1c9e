#pragma once

#include <QString>
#include <cstdio>

// What quilo-launch did and why it stopped, one line each on stderr: it runs hidden from the
// settings dialog, so these lines are all a listener or a test gets to see.
inline void Say(const QString& line) {
    std::fprintf(stderr, "quilo-launch: %s\n", qUtf8Printable(line));
}
