#include "windows/CMiniDlg.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <functional>

#include "WidgetTestKit.h"
#include "content/CProgramTableDlg.h"
#include "content/Program.h"
#include "platform/DesktopOpen.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "player/StreamRecovery.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "support/Await.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "windows/CMainDlg.h"
#include "windows/StreamControl.h"

using WidgetTestKit::RealButton;
using WidgetTestKit::RealClick;
using WidgetTestKit::RealMove;

namespace {

QSize BitmapSize(const QString& path) {
    QSize size;
    CSkinDialog::GetBitmapFileSize(path, size);
    return size;
}

// The main window as the program runs it, with its mini face driven by the real pointer.
class MiniWindow : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(QStringLiteral("./Skins"));
        for (const char* skin : {"Quilo2", "Midnight"}) {
            QFile::link(TestEnvironment::SourceDir() + QStringLiteral("/Skins/") + skin,
                        QStringLiteral("./Skins/") + skin);
        }
        StringTable::SetKorean(false);
        // the preferences live as long as the test program: each test starts in the main face
        program_.prefs.SetOptionMini(false);
        program_.prefs.SetPosX(300);
        program_.prefs.SetPosY(300);
        program_.prefs.SetVolume(20);
        // no server answers: the program table's failures are not what these tests look at
        program_.config.webServer = QStringLiteral("http://127.0.0.1:1");
        program_.config.vlcArgs = {QStringLiteral("--aout=afile"),
                                   QStringLiteral("--audiofile-file=") +
                                       TestEnvironment::WorkDir() + QStringLiteral("/heard.wav")};
        SetMessageAnswerer([this](StringId id, const QString&) {
            if (id != StringId::kProgramInfoFailed) {
                messages_.push_back(id);
            }
            return MessageAnswer::Ok;
        });
        SetDesktopOpener([this](const QString& address) {
            opened_ << address;
            return true;
        });
    }
    void TearDown() override {
        SetDesktopOpener({});
        WidgetTestKit::ParkPointer();
    }

    void RunMainWindow(const std::function<void(CMainDlg&)>& body) {
        ASSERT_TRUE(program_.skin.Load(QStringLiteral("Quilo2")));
        CMainDlg window(program_);
        ASSERT_TRUE(window.Open());
        QTimer::singleShot(0, &window, [&] {
            body(window);
            window.CloseWithoutAsking();
        });
        QEventLoop untilClosed;
        QObject::connect(&window, &QDialog::finished, &untilClosed, &QEventLoop::quit);
        untilClosed.exec();
    }

    // The mini face, opened with the main face's mini button, on screen.
    static CMiniDlg* OpenMini(CMainDlg& window) {
        if (!Await([&] { return window.Viewer().IsCreated(); })) {
            return nullptr;
        }
        RealClick(Centre(window.Button(FaceButton::Mini)));
        if (!Await([&] {
                return window.MiniWindow() != nullptr && window.MiniWindow()->isVisible();
            }) ||
            !QTest::qWaitForWindowExposed(window.MiniWindow())) {
            return nullptr;
        }
        return window.MiniWindow();
    }

    static QPoint Centre(QWidget* widget) { return widget->mapToGlobal(widget->rect().center()); }

    Program program_;
    std::vector<StringId> messages_;
    QStringList opened_;
};

}  // namespace

TEST_F(MiniWindow, VolumeAndMuteFromTheMiniFaceReachThePlayerAndBothFaces) {
    RunMainWindow([&](CMainDlg& window) {
        CMiniDlg* mini = OpenMini(window);
        ASSERT_NE(mini, nullptr);
        EXPECT_EQ(mini->VolumeSlider()->GetPos(), 20) << "the saved volume's default";

        // the thumb dragged past the right end of the channel
        CSkinSlider* slider = mini->VolumeSlider();
        ASSERT_TRUE(RealMove(slider->mapToGlobal(QPoint(slider->width() / 2, 3))));
        ASSERT_TRUE(RealButton(true));
        ASSERT_TRUE(RealMove(slider->mapToGlobal(QPoint(slider->width() + 40, 3))));
        EXPECT_TRUE(Await([&] { return window.Stream().Volume() == 100; }))
            << "heard while dragging";
        ASSERT_TRUE(RealButton(false));
        EXPECT_EQ(window.VolumeSlider()->GetPos(), 100);

        RealClick(Centre(mini->Button(FaceButton::Mute)));
        ASSERT_TRUE(Await([&] { return window.Viewer().IsMuted(); }));
        EXPECT_EQ(mini->Button(FaceButton::Mute)->GetState(), CSkinButton::kDown);
        EXPECT_EQ(window.Button(FaceButton::Mute)->GetState(), CSkinButton::kDown);
        // Play gives the sound back, on both faces
        RealClick(Centre(mini->Button(FaceButton::Play)));
        ASSERT_TRUE(Await([&] { return !window.Viewer().IsMuted(); }));
        EXPECT_EQ(mini->Button(FaceButton::Mute)->GetState(), CSkinButton::kUp);
        EXPECT_EQ(window.Button(FaceButton::Mute)->GetState(), CSkinButton::kUp);
    });
    EXPECT_EQ(program_.prefs.GetVolume(), 100u);
}

TEST_F(MiniWindow, TheMainFaceComesBackWhereTheMiniFaceStoodWithSoundAsItWas) {
    RunMainWindow([&](CMainDlg& window) {
        CMiniDlg* mini = OpenMini(window);
        ASSERT_NE(mini, nullptr);
        EXPECT_EQ(mini->pos(), window.pos());
        // no station answers here: stopped, the stream is not tried again (which would unmute)
        RealClick(Centre(mini->Button(FaceButton::Stop)));
        ASSERT_TRUE(Await([&] { return !window.Viewer().IsPlayRequested(); }));
        window.Stream().SetVolume(55);
        RealClick(Centre(mini->Button(FaceButton::Mute)));
        ASSERT_TRUE(Await([&] { return window.Viewer().IsMuted(); }));

        mini->move(140, 90);
        ASSERT_TRUE(Await([&] { return mini->pos() == QPoint(140, 90); }));
        RealClick(Centre(mini->Button(FaceButton::Main)));
        ASSERT_TRUE(Await([&] { return window.isVisible(); }));
        EXPECT_FALSE(mini->isVisible());
        EXPECT_EQ(program_.viewMode, ViewMode::MainShown);
        EXPECT_TRUE(Await([&] { return window.pos() == QPoint(140, 90); }));
        EXPECT_TRUE(Await([&] { return window.VolumeSlider()->GetPos() == 55; }));
        EXPECT_EQ(window.Button(FaceButton::Mute)->GetState(), CSkinButton::kDown);
        EXPECT_TRUE(window.Viewer().IsMuted());
        EXPECT_FALSE(window.Viewer().IsPlayRequested()) << "still stopped";
    });
    EXPECT_FALSE(program_.prefs.GetOptionMini()) << "it ended in the main face";
}

TEST_F(MiniWindow, TheLinkAreaShowsTheHandAndOpensTheHomePageLoggedIn) {
    program_.login.userId = QStringLiteral("demo");
    program_.login.password = QStringLiteral("quilo2007");
    program_.config.domain = QStringLiteral("127.0.0.1");
    RunMainWindow([&](CMainDlg& window) {
        CMiniDlg* mini = OpenMini(window);
        ASSERT_NE(mini, nullptr);
        ASSERT_EQ(mini->LinkArea(), QRect(8, 10, 46, 46));
        const QPoint link = mini->mapToGlobal(mini->LinkArea().center());
        const QPoint face = mini->mapToGlobal(QPoint(mini->LinkArea().right() + 4, 4));

        ASSERT_TRUE(RealMove(link));
        EXPECT_TRUE(Await([&] { return mini->cursor().shape() == Qt::PointingHandCursor; }));
        ASSERT_TRUE(RealMove(face));
        EXPECT_TRUE(Await([&] { return mini->cursor().shape() == Qt::ArrowCursor; }));

        RealClick(link);
        ASSERT_TRUE(Await([&] { return !opened_.isEmpty(); }));
        // the listener's ID and password send the browser through the log-in first
        EXPECT_NE(opened_.first(), program_.config.webServer);
        EXPECT_TRUE(opened_.first().startsWith(QStringLiteral("http://127.0.0.1:")));
        RealClick(face);
        QCoreApplication::processEvents();
        EXPECT_EQ(opened_.size(), 1) << "only the link area opens a page";
    });
}

TEST_F(MiniWindow, ASkinChosenInTheMiniFaceIsWornThereAndByTheMainFaceOnItsReturn) {
    RunMainWindow([&](CMainDlg& window) {
        CMiniDlg* mini = OpenMini(window);
        ASSERT_NE(mini, nullptr);
        const QSize mainSize = window.size();
        window.Stream().Stop();
        RealClick(Centre(mini->Button(FaceButton::Mute)));
        ASSERT_TRUE(Await([&] { return window.Viewer().IsMuted(); }));
        const int volume = mini->VolumeSlider()->GetPos();

        mini->SwitchSkin(QStringLiteral("QUILO2"));
        EXPECT_TRUE(messages_.empty()) << "the same skin, in other letters";
        QDir().mkpath(QStringLiteral("./Skins/Broken"));
        mini->SwitchSkin(QStringLiteral("Broken"));
        EXPECT_EQ(messages_, std::vector<StringId>{StringId::kFilesMissing});
        EXPECT_EQ(program_.skin.Name(), QStringLiteral("Quilo2"));

        // the chooser's double-click while the mini face is in use
        mini->SwitchSkin(QStringLiteral("Midnight"));
        const QString midnight = QStringLiteral("./Skins/Midnight");
        EXPECT_EQ(mini->size(), BitmapSize(midnight + QStringLiteral("/mini_bg.bmp")));
        EXPECT_EQ(mini->Button(FaceButton::Play)->pos(), QPoint(12, 15));
        EXPECT_EQ(mini->VolumeSlider()->GetPos(), volume) << "the player has not changed";
        EXPECT_EQ(mini->Button(FaceButton::Mute)->GetState(), CSkinButton::kDown);
        EXPECT_EQ(window.size(), mainSize) << "the hidden main face waits";
        EXPECT_EQ(program_.prefs.GetSkin(), QStringLiteral("Midnight"));

        RealClick(Centre(mini->Button(FaceButton::Main)));
        ASSERT_TRUE(Await([&] { return window.isVisible(); }));
        EXPECT_EQ(window.size(), BitmapSize(midnight + QStringLiteral("/main_bg.bmp")));
        EXPECT_TRUE(Await(
            [&] { return window.Button(FaceButton::Mute)->GetState() == CSkinButton::kDown; }));
    });
}

TEST_F(MiniWindow, AFaceLeftInMiniIsTheFaceOfTheNextStart) {
    program_.prefs.SetPosX(120);
    program_.prefs.SetPosY(80);
    RunMainWindow([&](CMainDlg& window) { ASSERT_NE(OpenMini(window), nullptr); });
    ASSERT_TRUE(program_.prefs.GetOptionMini());

    RunMainWindow([&](CMainDlg& window) {
        ASSERT_TRUE(Await([&] { return program_.viewMode == ViewMode::MiniShown; }));
        CMiniDlg* mini = window.MiniWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mini));
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(mini->pos(), QPoint(120, 80)) << "at the main face's saved corner";
        // no stream server answers here: the stream is opening or waits to be tried again
        EXPECT_TRUE(window.Viewer().IsPlayRequested() || window.Stream().Recovery().IsWaiting());
    });
    EXPECT_TRUE(program_.prefs.GetOptionMini());
}
