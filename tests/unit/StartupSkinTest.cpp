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

TEST(StartupSkin, TheSavedSkinIsUsedWhileItsFolderExists) {
    MakeFolder(QStringLiteral("./Skins/Quilo2"));
    MakeFolder(QStringLiteral("./Skins/Midnight"));
    CPrefStore prefs;
    prefs.SetSkin(QStringLiteral("Midnight"));
    EXPECT_EQ(Chosen(prefs), QStringLiteral("Midnight"));

    QDir(QStringLiteral("./Skins/Midnight")).removeRecursively();
    EXPECT_EQ(Chosen(prefs), QStringLiteral("Quilo2"));
    EXPECT_EQ(Saved(prefs), QStringLiteral("Midnight")) << "the default is saved only at close";
}

TEST(StartupSkin, WithoutTheDefaultTheFirstFolderIsTakenAndSaved) {
    MakeFolder(QStringLiteral("./Skins/Other"));
    MakeFile(QStringLiteral("./Skins/Quilo2"));  // a file named like the default is no skin
    CPrefStore prefs;
    EXPECT_EQ(Chosen(prefs), QStringLiteral("Other"));
    EXPECT_EQ(Saved(prefs), QStringLiteral("Other"));
}

TEST(StartupSkin, NoSkinFolderAtAllIsAFailure) {
    CPrefStore prefs;
    EXPECT_EQ(Chosen(prefs), QStringLiteral("<none>"));
    MakeFolder(QStringLiteral("./Skins"));
    MakeFile(QStringLiteral("./Skins/readme.txt"));
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
