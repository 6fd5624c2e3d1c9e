#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <memory>

#include "platform/CPrefStore.h"
#include "platform/KeychainSecretStore.h"
#include "support/QtPrinting.h"
#include "support/SavedPassword.h"

namespace {

// The desktop's secret store as the preferences see it: running or not, keeping what it took.
class FakeSecretStore : public SecretStore {
public:
    void Read(const QString& key, QObject*, ReadDone done) override {
        done(running && kept.contains(key) ? std::optional(kept.value(key)) : std::nullopt);
    }
    void Write(const QString& key, const QString& secret, QObject*, WriteDone done) override {
        if (running && answering) {
            kept.insert(key, secret);
        }
        done(running && answering);
    }
    bool IsPresent() const override { return running; }

    bool running = true;
    bool answering = true;
    QMap<QString, QString> kept;
};

QByteArray PrefsText() {
    QFile file(CPrefStore::DefaultFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(PasswordStore, AnUpgradingListenersPasswordMovesIntoTheStoreOnlyOnceItIsKept) {
    auto secrets = std::make_shared<FakeSecretStore>();
    secrets->running = false;
    CPrefStore prefs(CPrefStore::DefaultFilePath(), secrets);
    ASSERT_TRUE(prefs.SetID(QStringLiteral("demo")));
    ASSERT_TRUE(
        SavedPassword::Write(prefs, QStringLiteral(" old pw")));  // no store yet: the file keeps it
    EXPECT_TRUE(PrefsText().contains("PW=\" old pw\""));

    secrets->running = true;
    EXPECT_EQ(SavedPassword::Read(prefs), QStringLiteral(" old pw"))
        << "the saved log-in survives the upgrade";
    ASSERT_TRUE(SavedPassword::Write(prefs, QStringLiteral("new pw")));
    EXPECT_EQ(secrets->kept.size(), 1);
    EXPECT_FALSE(PrefsText().contains("PW=")) << "no copy stays in the file";
    EXPECT_EQ(SavedPassword::Read(prefs), QStringLiteral("new pw"));
    EXPECT_EQ(prefs.GetID(), QStringLiteral("demo")) << "the other preferences stay";

    // the store goes away: the next save goes to the file, and that newer password is the one
    // read, also once the store (still holding the older one) is back
    secrets->running = false;
    EXPECT_FALSE(SavedPassword::Read(prefs));
    ASSERT_TRUE(SavedPassword::Write(prefs, QStringLiteral("newest")));
    secrets->running = true;
    EXPECT_EQ(SavedPassword::Read(prefs), QStringLiteral("newest"));

    // a store that is there but does not answer in time: the save fails, and the password
    // never lands in the file instead
    ASSERT_TRUE(SavedPassword::Write(prefs, QStringLiteral("kept")));
    secrets->answering = false;
    EXPECT_FALSE(SavedPassword::Write(prefs, QStringLiteral("unsaved")));
    EXPECT_FALSE(PrefsText().contains("unsaved"));
    EXPECT_EQ(SavedPassword::Read(prefs), QStringLiteral("kept"));
}

TEST(PasswordStore, EachPreferencesFileHasItsOwnSecret) {
    auto secrets = std::make_shared<FakeSecretStore>();
    CPrefStore mine(CPrefStore::DefaultFilePath(), secrets);
    CPrefStore other(CPrefStore::DefaultFilePath() + QStringLiteral(".other"), secrets);
    ASSERT_TRUE(SavedPassword::Write(mine, QStringLiteral("mine")));
    EXPECT_FALSE(SavedPassword::Read(other));
    ASSERT_TRUE(SavedPassword::Write(other, QStringLiteral("theirs")));
    EXPECT_EQ(SavedPassword::Read(mine), QStringLiteral("mine"));
}

// A desktop without a session bus: the desktop store declines at once and the password lives in
// the file as before.
TEST(PasswordStore, WithoutASecretServiceTheDesktopStoreDeclinesAndTheFileKeepsThePassword) {
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/quilo-test-bus");
    EXPECT_FALSE(KeychainSecretStore::IsServiceRunning());
    KeychainSecretStore desktop;
    EXPECT_FALSE(
        SavedPassword::WriteSecret(desktop, QStringLiteral("PW test"), QStringLiteral("x")));
    EXPECT_FALSE(SavedPassword::ReadSecret(desktop, QStringLiteral("PW test")));
    ASSERT_TRUE(SavedPassword::Write(CPrefStore(), QStringLiteral("quilo2007")));
    EXPECT_TRUE(PrefsText().contains("PW=quilo2007"));
    EXPECT_EQ(SavedPassword::Read(CPrefStore()), QStringLiteral("quilo2007"));
}
