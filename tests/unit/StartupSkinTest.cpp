#include "app/StartupSkin.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>

#include "platform/CPrefStore.h"

namespace {

void MakeFolder(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(path));
}

void MakeFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

QString Chosen(CPrefStore& prefs) {
    QString name;
    return ChooseStartupSkin(prefs, name) ? name : QStringLiteral("<none>");
}

QString Saved(const CPrefStore& prefs) {
    return prefs.GetSkin().value_or(QStringLiteral("<unsaved>"));
}

}  // namespace

TEST(StartupSkin, TheSavedSkinWhileItsFolderExistsElseTheDefaultElseTheFirstFolder) {
    MakeFolder(QStringLiteral("./Skins/Quilo2"));
    MakeFolder(QStringLiteral("./Skins/Midnight"));
    CPrefStore prefs;
    prefs.SetSkin(QStringLiteral("Midnight"));
    EXPECT_EQ(Chosen(prefs), QStringLiteral("Midnight"));

    QDir(QStringLiteral("./Skins/Midnight")).removeRecursively();
    EXPECT_EQ(Chosen(prefs), QStringLiteral("Quilo2"));
    EXPECT_EQ(Saved(prefs), QStringLiteral("Midnight")) << "the default is saved only at close";

    // without the default the first folder is taken and saved; a file named like the default is
    // no skin
    QDir(QStringLiteral("./Skins/Quilo2")).removeRecursively();
    MakeFile(QStringLiteral("./Skins/Quilo2"));
    MakeFolder(QStringLiteral("./Skins/Other"));
    EXPECT_EQ(Chosen(prefs), QStringLiteral("Other"));
    EXPECT_EQ(Saved(prefs), QStringLiteral("Other"));

    // no skin folder at all is a failure
    QDir(QStringLiteral("./Skins/Other")).removeRecursively();
    EXPECT_EQ(Chosen(prefs), QStringLiteral("<none>"));
    QDir(QStringLiteral("./Skins")).removeRecursively();
    EXPECT_EQ(Chosen(prefs), QStringLiteral("<none>"));
}

TEST(StartupSkin, TheFirstRunAfterAnUpdateMovesTheOldDefaultToTheNewOne) {
    MakeFolder(QStringLiteral("./Skins/Quilo"));
    MakeFolder(QStringLiteral("./Skins/Quilo2"));
    CPrefStore prefs;
    prefs.SetSkin(QStringLiteral("qUILO"));
    MakeFile(QStringLiteral("./First"));
    EXPECT_EQ(Chosen(prefs), QStringLiteral("Quilo2"));
    EXPECT_FALSE(QFile::exists(QStringLiteral("./First")));

    prefs.SetSkin(QStringLiteral("Quilo"));
    EXPECT_EQ(Chosen(prefs), QStringLiteral("Quilo")) << "without the marker the name stands";
}
