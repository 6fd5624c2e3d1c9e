#include "content/WorkFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions kModeBits = kOwnerOnly | QFile::ReadGroup | QFile::WriteGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
                                         QFile::ExeOther;

QFile::Permissions Mode(const QString& path) {
    return QFile::permissions(path) & kModeBits;
}

QString RuntimeFolder() {
    return TestEnvironment::Root() + QStringLiteral("/runtime/rovan_tk");
}

}  // namespace

TEST(WorkFolder, IsAPrivateFolderInTheRuntimeFolderOrElseTheCache) {
    const QString folder = GetWorkFolder();
    EXPECT_EQ(folder, RuntimeFolder());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(Mode(folder), kOwnerOnly);

    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    const QString cached = GetWorkFolder();
    qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(cached, TestEnvironment::Root() + QStringLiteral("/home/.cache/rovan_tk"));
    EXPECT_EQ(Mode(cached), kOwnerOnly);
}

TEST(WorkFolder, AnOpenFolderIsClosedAndAForeignOneRefused) {
    const QString folder = GetWorkFolder();
    ASSERT_FALSE(folder.isEmpty());
    QFile kept(folder + QStringLiteral("/kept"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    ASSERT_TRUE(QFile::setPermissions(folder, kModeBits));
    EXPECT_EQ(GetWorkFolder(), folder);
    EXPECT_EQ(Mode(folder), kOwnerOnly);
    EXPECT_TRUE(kept.exists());

    // a link planted in its place would send the downloads somewhere else
    const QString elsewhere = TestEnvironment::Root() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere, folder));
    EXPECT_EQ(GetWorkFolder(), QString());
    ASSERT_TRUE(QFile::remove(folder));

    QFile plain(folder);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(GetWorkFolder(), QString()) << "a file is not a folder";
}
