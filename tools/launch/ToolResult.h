#pragma once

#include <QByteArray>

// How one run of an outside program ended.
struct ToolResult {
    bool ran = false;  // false when it could not be started or did not end in time
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;

    bool Succeeded() const { return ran && exitCode == 0; }
};
