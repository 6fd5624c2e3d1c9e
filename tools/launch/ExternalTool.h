#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "ToolResult.h"

// An outside program quilo-launch drives (systemctl, crontab). It is looked up in PATH unless the
// environment variable named at construction holds another program to use instead, so that a
// test can put a recording stand-in in its place.
class ExternalTool {
public:
    ExternalTool(const QString& name, const char* overrideVariable);

    const QString& Name() const { return name_; }
    // The program's path; empty when it is nowhere to be found.
    const QString& Program() const { return program_; }
    bool Exists() const { return !program_.isEmpty(); }

    // Runs it to its end with `input` on its standard input.
    ToolResult Run(const QStringList& arguments, const QByteArray& input = {}) const;

private:
    QString name_;
    QString program_;
};
