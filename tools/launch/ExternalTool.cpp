#include "ExternalTool.h"

#include <QProcess>
#include <QStandardPaths>

namespace {
// systemctl may wait for the user manager to reload its units; nothing takes longer than this
constexpr int kToolDeadlineMs = 30000;
}  // namespace

ExternalTool::ExternalTool(const QString& name, const char* overrideVariable) : name_(name) {
    const QString chosen = qEnvironmentVariable(overrideVariable);
    program_ = QStandardPaths::findExecutable(chosen.isEmpty() ? name : chosen);
}

ToolResult ExternalTool::Run(const QStringList& arguments, const QByteArray& input) const {
    ToolResult result;
    if (!Exists()) {
        return result;
    }
    QProcess process;
    process.start(program_, arguments);
    if (!process.waitForStarted(kToolDeadlineMs)) {
        return result;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(kToolDeadlineMs)) {
        process.kill();
        process.waitForFinished(kToolDeadlineMs);
        return result;
    }
    result.ran = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    result.errors = process.readAllStandardError();
    return result;
}
