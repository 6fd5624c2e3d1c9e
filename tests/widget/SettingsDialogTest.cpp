#include "dialogs/CSettingsDlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QWindow>

#include "DialogTestKit.h"
#include "WidgetTestKit.h"
#include "content/Program.h"
#include "dialogs/CScheduleDlg.h"
#include "dialogs/SettingsApply.h"
#include "platform/MessageBox.h"
#include "skin/CSkinButton.h"
#include "support/Await.h"
#include "support/FullDisk.h"
#include "support/SavedPassword.h"
#include "support/TestEnvironment.h"

using namespace Qt::StringLiterals;
using namespace WidgetTestKit;

namespace {

using DialogTestKit::RealClickOn;
using DialogTestKit::WhenModal;

constexpr ScheduleBytes kOneTime{0x87, 0x1E, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The window manager's states of the window ("_NET_WM_STATE_ABOVE" ...).
// (the window's own X window: a change of its flags may give it a new one)
QString WindowStates(const QWidget& window) {
    QProcess xprop;
    xprop.start(u"xprop"_s,
                {u"-id"_s, QString::number(window.windowHandle()->winId()), u"_NET_WM_STATE"_s});
    xprop.waitForFinished();
    return QString::fromLatin1(xprop.readAllStandardOutput());
}

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        DialogTestKit::LinkShippedSkins();
        ASSERT_TRUE(program_.skin.Load(u"Midnight"_s));
        program_.login = {u"demo"_s, u"quilo2007"_s, QString()};
        SetMessageAnswerer([this](StringId id, const QString&) {
            messages_.push_back(id);
            return MessageAnswer::Ok;
        });
        // the companion is a script that writes down its arguments
        QFile recorder(TestEnvironment::WorkDir() + u"/launch-recorder.sh"_s);
        ASSERT_TRUE(recorder.open(QIODevice::WriteOnly));
        recorder.write("#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"" + launched_.toUtf8() + "\"\n");
        recorder.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("QUILO_LAUNCH_PROGRAM", recorder.fileName().toUtf8());
        owner_.LoadBackground(SaveBitmap(u"owner.bmp"_s, Filled({200, 150}, Qt::gray)));
        owner_.move(120, 100);
        ASSERT_TRUE(ShowAndWait(owner_));
    }
    void TearDown() override { SetMessageAnswerer(nullptr); }

    // Runs the settings dialog with `act` while it is open and says whether it was confirmed; a
    // confirmed dialog is applied as the settings command applies it, to the owner as the face.
    bool Run(const std::function<void(CSettingsDlg&)>& act) {
        CSettingsDlg dialog(program_, &owner_);
        WhenModal<CSettingsDlg>(&owner_, act);
        dialog.exec();
        if (dialog.IsConfirmed()) {
            ApplySettings(program_, dialog.OptionFlags(), &owner_,
                          [&](bool topMost) { owner_.SetTopMost(topMost); });
        }
        return dialog.IsConfirmed();
    }

    // Every argument the companion was started with, one per start.
    QStringList Launched() const {
        return QString::fromUtf8(ReadAll(launched_)).split(u'\n', Qt::SkipEmptyParts);
    }
    QByteArray PrefsText() const { return ReadAll(program_.prefs.FilePath()); }

    Program program_;
    TestFace owner_;
    std::vector<StringId> messages_;
    const QString launched_ = TestEnvironment::WorkDir() + u"/launched.txt"_s;
};

TEST_F(SettingsDialog, TickedOptionsAreStoredAndTakeEffectAtOnce) {
    program_.schedule = kOneTime;
    EXPECT_TRUE(Run([&](CSettingsDlg& dialog) {
        // right of the owner, top edges level
        EXPECT_EQ(dialog.pos(), QPoint(owner_.x() + owner_.width(), owner_.y()));
        for (CSkinButton* box :
             {&dialog.AutoLoginBox(), &dialog.TopMostBox(), &dialog.ScheduleBox()}) {
            EXPECT_EQ(box->GetState(), CSkinButton::kUp);
            ASSERT_TRUE(RealClickOn(*box));
        }
        ASSERT_TRUE(Await([&] { return dialog.OptionFlags() == 7; }));
        ASSERT_TRUE(RealClickOn(dialog.OkButton()));
    }));
    EXPECT_EQ(program_.prefs.GetID(), u"demo"_s);
    EXPECT_EQ(SavedPassword::Read(program_.prefs), u"quilo2007"_s);
    EXPECT_TRUE(program_.prefs.GetOptionAutoLogin());
    EXPECT_TRUE(program_.prefs.GetOptionTopMost());
    EXPECT_TRUE(Await([&] { return WindowStates(owner_).contains("_NET_WM_STATE_ABOVE"); }))
        << WindowStates(owner_).toStdString();
    EXPECT_TRUE(program_.scheduleOption);
    EXPECT_TRUE(program_.prefs.GetOptionSchedule());
    EXPECT_TRUE(PrefsText().contains("Schedule=871EFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"));
    EXPECT_TRUE(
        Await([&] { return Launched() == QStringList{QCoreApplication::applicationDirPath()}; }));

    // the boxes open as saved; unticking always-on-top takes the face out of the band at once
    Run([&](CSettingsDlg& dialog) {
        EXPECT_EQ(dialog.OptionFlags(), 7);
        EXPECT_EQ(dialog.TopMostBox().GetState(), CSkinButton::kDown);
        ASSERT_TRUE(RealClickOn(dialog.TopMostBox()));
        ASSERT_TRUE(Await([&] { return dialog.OptionFlags() == 5; }));
        ASSERT_TRUE(RealClickOn(dialog.OkButton()));
    });
    EXPECT_FALSE(program_.prefs.GetOptionTopMost());
    EXPECT_TRUE(Await([&] { return !WindowStates(owner_).contains("_NET_WM_STATE_ABOVE"); }));
    EXPECT_TRUE(Await([&] { return Launched().size() == 2; }));
}

TEST_F(SettingsDialog, ScheduledPlaybackWithoutAnyTimeIsOffAndAutoLogInOffKeepsTheSavedPassword) {
    program_.prefs.SetID(u"old"_s);
    SavedPassword::Write(program_.prefs, u"oldpw"_s);
    program_.prefs.SetOptionAutoLogin(true);
    program_.prefs.SetOptionSchedule(true);
    program_.schedule.fill(0xFF);
    EXPECT_TRUE(Run([&](CSettingsDlg& dialog) {
        EXPECT_EQ(dialog.OptionFlags(), CSettingsDlg::kAutoLogin | CSettingsDlg::kSchedule);
        ASSERT_TRUE(RealClickOn(dialog.AutoLoginBox()));
        ASSERT_TRUE(Await([&] { return dialog.OptionFlags() == CSettingsDlg::kSchedule; }));
        ASSERT_TRUE(RealClickOn(dialog.OkButton()));
    }));
    EXPECT_FALSE(program_.prefs.GetOptionAutoLogin());
    EXPECT_EQ(program_.prefs.GetID(), u"old"_s);
    EXPECT_EQ(SavedPassword::Read(program_.prefs), u"oldpw"_s);
    EXPECT_FALSE(program_.scheduleOption);
    EXPECT_FALSE(program_.prefs.GetOptionSchedule());
    EXPECT_TRUE(PrefsText().contains("Schedule=FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"));
    EXPECT_TRUE(Await([&] { return Launched() == QStringList{u"/d"_s}; }));
    EXPECT_TRUE(messages_.empty());

    // on a full disk nothing is lost, the listener is told, and the companion is not started on
    // a schedule that was never stored
    const QByteArray before = PrefsText();
    program_.schedule = kOneTime;
    {
        const FullDisk full(16);  // not even the section's name fits
        Run([&](CSettingsDlg& dialog) {
            ASSERT_TRUE(RealClickOn(dialog.AutoLoginBox()));
            ASSERT_TRUE(RealClickOn(dialog.OkButton()));
        });
    }
    EXPECT_EQ(PrefsText(), before);
    EXPECT_EQ(messages_, std::vector<StringId>{StringId::kSettingsNotSaved});
    EXPECT_EQ(Launched(), QStringList{u"/d"_s});
}

TEST_F(SettingsDialog, EditedTimesReachTheProgramOnlyThroughOkWithScheduledPlaybackTicked) {
    program_.schedule = kOneTime;
    // ticks the second time in the schedule dialog and confirms it there
    auto editTimes = [](CSettingsDlg& dialog) {
        WhenModal<CScheduleDlg>(&dialog, [](CScheduleDlg& times) {
            ASSERT_TRUE(RealClickOn(times.EnableBox(1)));
            ASSERT_TRUE(RealClickOn(times.OkButton()));
        });
        ASSERT_TRUE(RealClickOn(dialog.ScheduleButton()));
        ASSERT_TRUE(Await([&] { return dialog.WorkingSchedule()[2] == 0x80; }));
    };
    EXPECT_FALSE(Run([&](CSettingsDlg& dialog) {
        editTimes(dialog);
        ASSERT_TRUE(RealClickOn(dialog.CancelButton()));
    }));
    EXPECT_FALSE(Run([&](CSettingsDlg& dialog) {
        editTimes(dialog);
        QTest::keyClick(&dialog, Qt::Key_Return);
    }));
    EXPECT_EQ(program_.schedule, kOneTime);
    EXPECT_TRUE(Launched().isEmpty());

    // confirmed with the box unticked: the old times stay, and are stored again
    EXPECT_TRUE(Run([&](CSettingsDlg& dialog) {
        editTimes(dialog);
        ASSERT_TRUE(RealClickOn(dialog.OkButton()));
    }));
    EXPECT_EQ(program_.schedule, kOneTime);
    EXPECT_TRUE(PrefsText().contains("Schedule=871EFFFF"));

    EXPECT_TRUE(Run([&](CSettingsDlg& dialog) {
        editTimes(dialog);
        ASSERT_TRUE(RealClickOn(dialog.ScheduleBox()));
        ASSERT_TRUE(Await([&] { return dialog.OptionFlags() == CSettingsDlg::kSchedule; }));
        ASSERT_TRUE(RealClickOn(dialog.OkButton()));
    }));
    EXPECT_EQ(program_.schedule[1 * 2], 0x80);
    EXPECT_TRUE(PrefsText().contains("Schedule=871E8000"));
}

TEST_F(SettingsDialog, ASkinWithoutABoxLeavesItsOptionOffAndOneWithoutItsFaceIsReported) {
    program_.prefs.SetOptionAutoLogin(true);
    DialogTestKit::MakeVariantSkin(u"Midnight"_s, u"NoAuto"_s, {"[SET_AUTO]"}, {});
    ASSERT_TRUE(program_.skin.Load(u"NoAuto"_s));
    EXPECT_TRUE(Run([&](CSettingsDlg& dialog) {
        EXPECT_FALSE(dialog.AutoLoginBox().isVisible());
        EXPECT_EQ(dialog.OptionFlags(), 0);
        ASSERT_TRUE(RealClickOn(dialog.OkButton()));
    }));
    EXPECT_FALSE(program_.prefs.GetOptionAutoLogin());
    EXPECT_TRUE(messages_.empty());

    DialogTestKit::MakeVariantSkin(u"Midnight"_s, u"Faceless"_s, {}, {u"set_bg.bmp"_s});
    ASSERT_TRUE(program_.skin.Load(u"Faceless"_s));
    CSettingsDlg dialog(program_, &owner_);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog.IsConfirmed());
    EXPECT_EQ(messages_, std::vector<StringId>{StringId::kFilesMissing});
}

}  // namespace
