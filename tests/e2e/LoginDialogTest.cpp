#include <gtest/gtest.h>

#include "support/SavedPassword.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "DialogTestKit.h"
#include "FaceRun.h"
#include "dialogs/CLoginDlg.h"
#include "dialogs/CProgressDlg.h"
#include "platform/LogMessages.h"
#include "platform/Screen.h"
#include "skin/CSkinButton.h"
#include "support/Await.h"

namespace {

// The log-in dialog as the start runs it, against a station of its own; the message boxes it
// shows are answered No.
class LoginDialog : public FaceRun {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartStation());
        program_.prefs.SetPosX(40);
        program_.prefs.SetPosY(50);
        answer_ = MessageAnswer::No;
    }

    // Opens the dialog as the start does and waits until its first tick has asked for a newer
    // release (with no automatic log-in it then waits for the listener).
    std::unique_ptr<CLoginDlg> OpenDialog() {
        auto dialog = std::make_unique<CLoginDlg>(program_, *program_.webRequest);
        dialog->open();
        EXPECT_TRUE(Await([this] {
            return Logged(LogText::kVersionInfoDone) + Logged(LogText::kVersionInfoFailed) > 0;
        }));
        return dialog;
    }

    // Logs in with what the fields hold and waits for the answer: the dialog takes input again,
    // or has closed.
    static void LogInAndAwait(CLoginDlg& dialog) {
        dialog.TryLogIn();
        EXPECT_TRUE(Await([&dialog] { return dialog.isEnabled() || !dialog.isVisible(); }, 30000));
    }

    // The requests the station received (on one site, or all) since the last call, as JSON.
    QByteArray TakeRequests(const QByteArray& site = {}) {
        return station_
            ->Get(StationProcess::kControl,
                  "/_station/requests?clear=1" + (site.isEmpty() ? "" : "&site=" + site))
            .body;
    }

    QByteArray LogBytes() const {
        QFile file(program_.log.FileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace

TEST_F(LoginDialog, TheSavedLogInGoesStraightThroughAndThePasswordGoesOnlyToTheMainSite) {
    program_.prefs.SetID("demo");
    SavedPassword::Write(program_.prefs, "quilo2007");
    program_.prefs.SetOptionAutoLogin(true);
    TakeRequests();
    // a slow update check: Enter pressed while it waits must not send a log-in of its own
    ASSERT_TRUE(station_->Control("/_station/fault?name=delay&ms=1500&site=web"));

    CLoginDlg dialog(program_, *program_.webRequest);
    QTimer::singleShot(20000, &dialog, &QDialog::reject);
    QTimer checkUnderWay;
    checkUnderWay.callOnTimeout([&] {
        if (LogBytes().contains("TRY to download the version info file.")) {
            checkUnderWay.stop();
            QTest::keyClick(&dialog.PasswordField(), Qt::Key_Return);
        }
    });
    checkUnderWay.start(20);
    dialog.exec();

    ASSERT_TRUE(dialog.HasSucceeded());
    EXPECT_FALSE(checkUnderWay.isActive()) << "Enter was pressed during the check";
    EXPECT_EQ(LogBytes().count("TRY to log-in."), 1);
    EXPECT_EQ(TakeRequests("main").count("subloginproc"), 1)
        << "exactly one log-in reached the site";
    EXPECT_EQ(dialog.UserId(), "demo");
    EXPECT_EQ(dialog.Password(), "quilo2007");
    EXPECT_EQ(program_.login.userName, "홍길동") << "from the site's cookie";
    if (WindowsPlaceThemselves()) {
        EXPECT_EQ(dialog.TopLeft(), QPoint(40, 50)) << "where the player stood last";
    }
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(LogBytes().contains("SUXES to log-in."));
    EXPECT_FALSE(LogBytes().contains("quilo2007"));

    // in an address, a header or a posted body (which the record keeps as hex)
    const QByteArray escapedPassword = "%71%75%69%6C%6F%32%30%30%37";
    for (const char* elsewhere : {"web", "sso"}) {
        const QByteArray record = TakeRequests(elsewhere);
        for (const QByteArray& trace :
             {QByteArray("passwd"), QByteArray("quilo2007"), escapedPassword,
              QByteArray("quilo2007").toHex(), escapedPassword.toHex()}) {
            EXPECT_FALSE(record.contains(trace)) << elsewhere << " " << trace.constData();
        }
    }
}

TEST_F(LoginDialog, ARefusedSiteAndASilentOneAreToldApart) {
    program_.config.loginLimitMs = 3000;
    auto dialog = OpenDialog();
    dialog->IdField().setText("demo");
    dialog->PasswordField().setText("quilo2007");

    ASSERT_TRUE(station_->Control("/_station/fault?name=refuse&site=main"));
    LogInAndAwait(*dialog);
    EXPECT_EQ(shown_, std::vector<StringId>{StringId::kLoginServerFailed});
    ASSERT_TRUE(station_->Control("/_station/fault?name=clear"));

    shown_.clear();
    ASSERT_TRUE(station_->Control("/_station/fault?name=delay&ms=8000&site=main"));
    QRect indicatorPlace;
    QTimer::singleShot(500, dialog.get(), [&] {
        if (dialog->WaitIndicator() != nullptr) {
            indicatorPlace = dialog->WaitIndicator()->geometry();
        }
    });
    LogInAndAwait(*dialog);
    EXPECT_EQ(shown_, std::vector<StringId>{StringId::kLoginFailed})
        << "the log-in's limit, not the site, ended the wait";
    EXPECT_TRUE(dialog->isVisible());

    int32_t wait[4] = {};
    ASSERT_EQ(program_.skin.GetKeyValues("[LOG_WAIT]", wait, 4), 1);
    EXPECT_EQ(indicatorPlace,
              QRect(dialog->pos() + QPoint(wait[0], wait[1]), QSize(wait[2], wait[3])))
        << "the skin's place of the indicator, while the log-in waited";

    // the end of the session while a log-in waits does not wait for the silent site
    dialog->TryLogIn();
    ASSERT_NE(program_.webRequest->State(), 0);
    dialog->reject();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(program_.webRequest->State(), 0) << "the log-in was given up";
}

TEST_F(LoginDialog, WithoutTheSkinsBackgroundTheBuiltInLookStandsInAndSavedIdsBehave) {
    DialogTestKit::MakeVariantSkin("Quilo2", "Changed", {}, {"log_bg.bmp"});
    ASSERT_TRUE(program_.skin.Load("Changed"));
    program_.prefs.SetID("listener");
    ASSERT_TRUE(station_->Control("/_station/fault?name=refuse&site=main"));
    auto dialog = OpenDialog();

    EXPECT_FALSE(dialog->IsSkinned());
    EXPECT_EQ(dialog->size(), QSize(260, 196));
    EXPECT_FALSE(dialog->mask().contains(QPoint(0, 0))) << "the built-in face's blue corner";
    EXPECT_TRUE(dialog->mask().contains(QPoint(130, 98)));
    EXPECT_EQ(dialog->IdField().geometry(), QRect(80, 79, 100, 16));
    EXPECT_EQ(dialog->PasswordField().geometry(), QRect(80, 103, 100, 16));
    EXPECT_EQ(dialog->OkButton().geometry(), QRect(191, 75, 52, 44));
    EXPECT_EQ(dialog->IdField().text(), "listener");
    EXPECT_TRUE(dialog->SaveIdBox().isChecked());
    EXPECT_TRUE(dialog->PasswordField().hasFocus()) << "a saved ID leaves only the password";

    QPoint indicatorOffset;
    QTimer::singleShot(0, dialog.get(), [&] {
        if (dialog->WaitIndicator() != nullptr) {
            indicatorOffset = dialog->WaitIndicator()->pos() - dialog->pos();
        }
    });
    ASSERT_TRUE(station_->Control("/_station/fault?name=clear"));
    ASSERT_TRUE(station_->Control("/_station/fault?name=delay&ms=300&site=main"));
    dialog->PasswordField().setText("wrong");
    LogInAndAwait(*dialog);
    EXPECT_EQ(indicatorOffset, QPoint(28, 133));
    EXPECT_TRUE(shown_.empty()) << "a wrong password is silent";
    EXPECT_TRUE(dialog->isVisible() && dialog->isEnabled()) << "ready for another try";

    QTest::mouseClick(&dialog->SaveIdBox(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(program_.prefs.GetID(), QString()) << "unticking forgets the ID at once";
}
