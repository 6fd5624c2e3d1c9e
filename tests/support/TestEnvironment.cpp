#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "platform/X11ImageTransfer.h"

namespace {

QTemporaryDir* g_root = nullptr;

void MakePrivateFolder(const QString& path) {
    QDir().mkpath(path);
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void PointEnvironmentInto(const QString& root) {
    const std::pair<const char*, const char*> folders[] = {
        {"HOME", "/home"},
        {"XDG_CONFIG_HOME", "/home/.config"},
        {"XDG_DATA_HOME", "/home/.local/share"},
        {"XDG_CACHE_HOME", "/home/.cache"},
        {"XDG_RUNTIME_DIR", "/runtime"},
        {"TMPDIR", "/tmp"},
    };
    for (const auto& [variable, relative] : folders) {
        const QString path = root + QString::fromLatin1(relative);
        MakePrivateFolder(path);
        qputenv(variable, QFile::encodeName(path));
    }
    MakePrivateFolder(root + QStringLiteral("/work"));
    QDir::setCurrent(root + QStringLiteral("/work"));
}

}  // namespace

namespace TestEnvironment {

int RunAllTests(int argc, char** argv, Kind kind) {
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/quilo-test-XXXXXX"));
    if (!root.isValid()) {
        return 2;
    }
    root.setAutoRemove(qEnvironmentVariableIsEmpty("QUILO_KEEP_TEST_DIRS"));
    g_root = &root;
    PointEnvironmentInto(root.path());

    std::unique_ptr<QCoreApplication> app;
    if (kind == Kind::Gui) {
        // the widgets paint as they do in the program
        SendImagesOverTheX11Socket();
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const int result = RUN_ALL_TESTS();
    app.reset();
    g_root = nullptr;
    return result;
}

QString Root() {
    return g_root != nullptr ? g_root->path() : QString();
}
QString WorkDir() {
    return Root() + QStringLiteral("/work");
}
QString SourceDir() {
    return QStringLiteral(QUILO_SOURCE_DIR);
}
QString BinaryDir() {
    return QStringLiteral(QUILO_BINARY_DIR);
}

}  // namespace TestEnvironment
