#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/CPrefStore.h"
#include "platform/KeychainSecretStore.h"
#include "support/QtPrinting.h"
#include "support/SavedPassword.h"

// Runs beside a private GNOME Keyring answering as the Secret Service (tests/support/
// with-keyring.sh): a listener upgrading keeps the saved log-in, which moves into the store.
TEST(KeychainStore, TheSavedPasswordMovesFromTheFileIntoTheDesktopStore) {
    ASSERT_TRUE(KeychainSecretStore::IsServiceRunning());
    const QString path = CPrefStore::DefaultFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Prefs]\nID=demo\nPW=quilo2007\n");
    file.close();

    CPrefStore prefs;
    EXPECT_EQ(SavedPassword::Read(prefs), QStringLiteral("quilo2007"));
    ASSERT_TRUE(SavedPassword::Write(prefs, QStringLiteral("quilo2007")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[Prefs]\nID=demo\n"));

    const QString key = QStringLiteral("PW ") + QFileInfo(path).absoluteFilePath();
    EXPECT_EQ(SavedPassword::ReadSecret(KeychainSecretStore(), key), QStringLiteral("quilo2007"));
    EXPECT_EQ(SavedPassword::Read(CPrefStore()), QStringLiteral("quilo2007"));
    EXPECT_FALSE(
        SavedPassword::ReadSecret(KeychainSecretStore(), QStringLiteral("PW /nothing/saved/here")));
}
