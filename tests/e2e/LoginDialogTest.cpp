#include <gtest/gtest.h>

#include "support/QtPrinting.h"
#include "support/SavedPassword.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "DialogTestKit.h"
#include "StationProcess.h"
#include "content/Program.h"
#include "dialogs/CLoginDlg.h"
#include "dialogs/CProgressDlg.h"
#include "platform/DesktopOpen.h"
#include "platform/MessageBox.h"
#include "skin/CSkinButton.h"
#include "support/Await.h"
#include "support/TestEnvironment.h"
#include "web/CWebRequestDlg.h"

namespace {

constexpr char kDemoId[] = "demo";
constexpr char kDemoPassword[] = "quilo2007";

// The log-in dialog as the start runs it, against a station of its own.
class LoginDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(station_.IsReady()) << station_.Failure();
        DialogTestKit::LinkShippedSkins();
        ASSERT_TRUE(program_.skin.Load(QStringLiteral("Quilo2")));
        program_.config.webServer = station_.Base(StationProcess::kWeb);
        program_.config.mainSite = station_.Base(StationProcess::kMain);
        program_.config.ssoSite = station_.Base(StationProcess::kSso);
        program_.prefs.SetPosX(40);
        program_.prefs.SetPosY(50);
        channel_ = std::make_unique<CWebRequestDlg>(
            program_.log, WebAddresses{program_.config.webServer, program_.config.mainSite},
            program_.login);
        SetMessageAnswerer([this](StringId id, const QString&) {
            messages_ << id;
            return MessageAnswer::No;
        });
        SetDesktopOpener([this](const QString& address) {
            opened_ << address;
            return true;
        });
    }

    void TearDown() override {
        SetMessageAnswerer({});
        SetDesktopOpener({});
    }

    // Opens the dialog as the start does and waits until its first tick has asked for a newer
    // release (with no automatic log-in it then waits for the listener).
    std::unique_ptr<CLoginDlg> OpenDialog() {
        auto dialog = std::make_unique<CLoginDlg>(program_, *channel_);
        dialog->open();
        EXPECT_TRUE(Await([] {
            const QByteArray log = LogText();
            return log.contains("SUXES to download the version info file.") ||
                   log.contains("FAIL to download the version info file.");
        }));
        return dialog;
    }

    // Logs in with what the fields hold and waits for the answer: the dialog takes input again,
    // or has closed.
    static void LogInAndAwait(CLoginDlg& dialog) {
        dialog.TryLogIn();
        EXPECT_TRUE(Await([&dialog] { return dialog.isEnabled() || !dialog.isVisible(); }, 30000));
    }

    // The requests the station received (on one site, or all) since the last call.
    QJsonArray TakeRequests(const QByteArray& site = {}) {
        const RawHttp::Response answer =
            station_.Get(StationProcess::kControl,
                         "/_station/requests?clear=1" + (site.isEmpty() ? "" : "&site=" + site));
        return QJsonDocument::fromJson(answer.body).array();
    }

    static QByteArray LogText() {
        QByteArray text;
        for (const QString& name : QDir(QStringLiteral("./Log")).entryList(QDir::Files)) {
            QFile file(QStringLiteral("./Log/") + name);
            if (file.open(QIODevice::ReadOnly)) {
                text += file.readAll();
            }
        }
        return text;
    }

    StationProcess station_;
    Program program_;
    std::unique_ptr<CWebRequestDlg> channel_;
    QList<StringId> messages_;
    QStringList opened_;
};

}  // namespace

TEST_F(LoginDialog, TheSavedLogInGoesStraightThroughAndThePasswordGoesOnlyToTheMainSite) {
    program_.prefs.SetID(QString::fromLatin1(kDemoId));
    SavedPassword::Write(program_.prefs, QString::fromLatin1(kDemoPassword));
    program_.prefs.SetOptionAutoLogin(true);
    TakeRequests();
    // a slow update check: Enter pressed while it waits must not send a log-in of its own
    ASSERT_TRUE(station_.Control("/_station/fault?name=delay&ms=1500&site=web"));

    CLoginDlg dialog(program_, *channel_);
    QTimer::singleShot(20000, &dialog, &QDialog::reject);
    QTimer checkUnderWay;
    checkUnderWay.callOnTimeout([&] {
        if (LogText().contains("TRY to download the version info file.")) {
            checkUnderWay.stop();
            QTest::keyClick(&dialog.PasswordField(), Qt::Key_Return);
        }
    });
    checkUnderWay.start(20);
    dialog.exec();

    ASSERT_TRUE(dialog.HasSucceeded());
    EXPECT_FALSE(checkUnderWay.isActive()) << "Enter was pressed during the check";
    EXPECT_EQ(LogText().count("TRY to log-in."), 1);
    EXPECT_EQ(QJsonDocument(TakeRequests("main")).toJson().count("subloginproc"), 1)
        << "exactly one log-in reached the site";
    EXPECT_EQ(dialog.UserId(), QString::fromLatin1(kDemoId));
    EXPECT_EQ(dialog.Password(), QString::fromLatin1(kDemoPassword));
    EXPECT_EQ(program_.login.userName, QStringLiteral("홍길동")) << "from the site's cookie";
    EXPECT_EQ(dialog.TopLeft(), QPoint(40, 50)) << "where the player stood last";
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_TRUE(LogText().contains("SUXES to log-in."));
    EXPECT_FALSE(LogText().contains(kDemoPassword));

    // in an address, a header or a posted body (which the record keeps as hex)
    const QByteArray escapedPassword = "%71%75%69%6C%6F%32%30%30%37";
    for (const char* elsewhere : {"web", "sso"}) {
        const QByteArray record = QJsonDocument(TakeRequests(elsewhere)).toJson();
        for (const QByteArray& trace :
             {QByteArray("passwd"), QByteArray(kDemoPassword), escapedPassword,
              QByteArray(kDemoPassword).toHex(), escapedPassword.toHex()}) {
            EXPECT_FALSE(record.contains(trace)) << elsewhere << " " << trace.constData();
        }
    }
}

TEST_F(LoginDialog, TypedKeysLogInAndTheTickedBoxRemembersTheIdAsTheCaretLeavesIt) {
    auto dialog = OpenDialog();
    ASSERT_TRUE(dialog->IdField().hasFocus()) << "no saved ID: the caret starts in the ID field";
    EXPECT_FALSE(dialog->SaveIdBox().isChecked());
    EXPECT_EQ(dialog->PasswordField().echoMode(), QLineEdit::Password);

    QTest::keyClicks(&dialog->IdField(), QString::fromLatin1(kDemoId));
    QTest::mouseClick(&dialog->SaveIdBox(), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_TRUE(dialog->SaveIdBox().isChecked());
    dialog->IdField().setFocus();
    QTest::keyClick(&dialog->IdField(), Qt::Key_Tab);
    EXPECT_TRUE(dialog->PasswordField().hasFocus());
    EXPECT_EQ(program_.prefs.GetID(), QString::fromLatin1(kDemoId)) << "kept as the caret left";
    QTest::keyClick(&dialog->PasswordField(), Qt::Key_Tab);
    EXPECT_TRUE(dialog->IdField().hasFocus()) << "Tab goes back and forth between the fields";
    QTest::keyClick(&dialog->IdField(), Qt::Key_Tab);

    QTest::keyClicks(&dialog->PasswordField(), QString::fromLatin1(kDemoPassword));
    QTest::keyClick(&dialog->PasswordField(), Qt::Key_Return);
    ASSERT_TRUE(Await([&] { return !dialog->isVisible(); }));
    EXPECT_TRUE(dialog->HasSucceeded());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(SavedPassword::Read(program_.prefs)) << "typing a password never saves it";
}

TEST_F(LoginDialog, AWrongPasswordIsSilentAndTheDialogStaysForAnotherTry) {
    auto dialog = OpenDialog();
    dialog->IdField().setText(QString::fromLatin1(kDemoId));
    dialog->PasswordField().setText(QStringLiteral("wrong"));
    TakeRequests();
    QTest::keyClick(&dialog->PasswordField(), Qt::Key_Enter);
    ASSERT_TRUE(Await([&] { return dialog->isEnabled(); }));

    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isEnabled()) << "ready for another try";
    EXPECT_EQ(dialog->WaitIndicator(), nullptr);
    EXPECT_TRUE(LogText().contains("FAIL to log-in: INCORRECT."));
    const QJsonArray seen = TakeRequests();
    QStringList pages;
    for (const QJsonValue& request : seen) {
        pages << request[QStringLiteral("site")].toString() + u' ' +
                     request[QStringLiteral("path")].toString();
    }
    EXPECT_EQ(pages, (QStringList{QStringLiteral("main /subloginproc.asp"),
                                  QStringLiteral("main /member/loginFail.asp"),
                                  QStringLiteral("sso /sso/ssoLogout.jsp"),
                                  QStringLiteral("main /member/login.asp")}));

    dialog->PasswordField().setText(QString::fromLatin1(kDemoPassword));
    QTest::mouseClick(&dialog->OkButton(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Await([&] { return dialog->HasSucceeded(); }));
}

TEST_F(LoginDialog, ARefusedSiteAndASilentOneAreToldApart) {
    program_.config.loginLimitMs = 3000;
    auto dialog = OpenDialog();
    dialog->IdField().setText(QString::fromLatin1(kDemoId));
    dialog->PasswordField().setText(QString::fromLatin1(kDemoPassword));

    ASSERT_TRUE(station_.Control("/_station/fault?name=refuse&site=main"));
    LogInAndAwait(*dialog);
    EXPECT_EQ(messages_, QList<StringId>{StringId::kLoginServerFailed});
    ASSERT_TRUE(station_.Control("/_station/fault?name=clear"));

    messages_.clear();
    ASSERT_TRUE(station_.Control("/_station/fault?name=delay&ms=8000&site=main"));
    QRect indicatorPlace;
    QTimer::singleShot(500, dialog.get(), [&] {
        if (dialog->WaitIndicator() != nullptr) {
            indicatorPlace = dialog->WaitIndicator()->geometry();
        }
    });
    LogInAndAwait(*dialog);
    EXPECT_EQ(messages_, QList<StringId>{StringId::kLoginFailed})
        << "the log-in's limit, not the site, ended the wait";
    EXPECT_TRUE(dialog->isVisible());

    int32_t wait[4] = {};
    ASSERT_EQ(program_.skin.GetKeyValues("[LOG_WAIT]", wait, 4), 1);
    EXPECT_EQ(indicatorPlace,
              QRect(dialog->pos() + QPoint(wait[0], wait[1]), QSize(wait[2], wait[3])))
        << "the skin's place of the indicator, while the log-in waited";
}

TEST_F(LoginDialog, WithoutTheSkinsBackgroundTheBuiltInLookStandsInAndSavedIdsBehave) {
    DialogTestKit::MakeVariantSkin(QStringLiteral("Quilo2"), QStringLiteral("Changed"), {},
                                   {QStringLiteral("log_bg.bmp")});
    ASSERT_TRUE(program_.skin.Load(QStringLiteral("Changed")));
    program_.prefs.SetID(QStringLiteral("listener"));
    ASSERT_TRUE(station_.Control("/_station/fault?name=refuse&site=main"));
    auto dialog = OpenDialog();

    EXPECT_FALSE(dialog->IsSkinned());
    EXPECT_EQ(dialog->size(), QSize(260, 196));
    EXPECT_FALSE(dialog->mask().contains(QPoint(0, 0))) << "the built-in face's blue corner";
    EXPECT_TRUE(dialog->mask().contains(QPoint(130, 98)));
    EXPECT_EQ(dialog->IdField().geometry(), QRect(80, 79, 100, 16));
    EXPECT_EQ(dialog->PasswordField().geometry(), QRect(80, 103, 100, 16));
    EXPECT_EQ(dialog->OkButton().geometry(), QRect(191, 75, 52, 44));
    EXPECT_EQ(dialog->IdField().text(), QStringLiteral("listener"));
    EXPECT_TRUE(dialog->SaveIdBox().isChecked());
    EXPECT_TRUE(dialog->PasswordField().hasFocus()) << "a saved ID leaves only the password";

    QPoint indicatorOffset;
    QTimer::singleShot(0, dialog.get(), [&] {
        if (dialog->WaitIndicator() != nullptr) {
            indicatorOffset = dialog->WaitIndicator()->pos() - dialog->pos();
        }
    });
    ASSERT_TRUE(station_.Control("/_station/fault?name=clear"));
    ASSERT_TRUE(station_.Control("/_station/fault?name=delay&ms=300&site=main"));
    dialog->PasswordField().setText(QStringLiteral("wrong"));
    LogInAndAwait(*dialog);
    EXPECT_EQ(indicatorOffset, QPoint(28, 133));

    QTest::mouseClick(&dialog->SaveIdBox(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(program_.prefs.GetID(), QString()) << "unticking forgets the ID at once";
}

TEST_F(LoginDialog, TheSkinsFieldColoursAndNoIndicatorWithoutItsPlace) {
    DialogTestKit::MakeVariantSkin(
        QStringLiteral("Quilo2"), QStringLiteral("Changed"), {"[LOG_WAIT]"}, {},
        {{"[LOG_ID_COL]", "[LOG_ID_COL]=255,255,0"}, {"[LOG_PW_COL]", "[LOG_PW_COL]=266,20,0"}});
    ASSERT_TRUE(program_.skin.Load(QStringLiteral("Changed")));

    auto dialog = OpenDialog();
    EXPECT_TRUE(dialog->IsSkinned());
    EXPECT_EQ(dialog->size(), QSize(290, 190)) << "the size of log_bg.bmp";
    EXPECT_EQ(dialog->IdField().geometry(), QRect(84, 50, 122, 18));
    EXPECT_EQ(dialog->IdField().palette().color(QPalette::Base), QColor(255, 255, 1));
    EXPECT_EQ(dialog->PasswordField().palette().color(QPalette::Base), QColor(10, 20, 1))
        << "low 8 bits of each number, and a blue of 0 counts as 1";

    bool indicatorSeen = false;
    QTimer::singleShot(0, dialog.get(),
                       [&] { indicatorSeen = dialog->WaitIndicator() != nullptr; });
    ASSERT_TRUE(station_.Control("/_station/fault?name=delay&ms=300&site=main"));
    LogInAndAwait(*dialog);
    EXPECT_FALSE(indicatorSeen);
}

TEST_F(LoginDialog, AcceptedUpdateEndsTheDialogAsCancelled) {
    ASSERT_TRUE(station_.Control("/_station/update?ver=2.10"));
    SetMessageAnswerer([this](StringId id, const QString&) {
        messages_ << id;
        return MessageAnswer::Yes;
    });
    program_.prefs.SetID(QString::fromLatin1(kDemoId));
    SavedPassword::Write(program_.prefs, QString::fromLatin1(kDemoPassword));
    program_.prefs.SetOptionAutoLogin(true);

    CLoginDlg dialog(program_, *channel_);
    QTimer::singleShot(20000, &dialog, &QDialog::reject);
    dialog.exec();

    EXPECT_FALSE(dialog.HasSucceeded());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(messages_, QList<StringId>{StringId::kUpdateQuestion});
    EXPECT_EQ(opened_.size(), 1) << "the package went to the desktop";
    EXPECT_FALSE(LogText().contains("TRY to log-in.")) << "the new release comes first";
}
