#include "support/FaceParts.h"
#include "windows/CMainDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "DialogTestKit.h"
#include "WidgetTestKit.h"
#include "content/Program.h"
#include "content/WorkFolder.h"
#include "dialogs/CInfoDlg.h"
#include "dialogs/CSkinDlg.h"
#include "platform/DesktopOpen.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "player/StreamRecovery.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinEdit.h"
#include "skin/CSkinSlider.h"
#include "skin/CSkinStatic.h"
#include "skin/CTickerCtrl.h"
#include "support/Await.h"
#include "support/LogReading.h"
#include "support/OnAir.h"
#include "support/TestEnvironment.h"
#include "support/ToneAnalysis.h"
#include "windows/CMiniDlg.h"
#include "windows/CTrayIcon.h"
#include "windows/CharacterSprites.h"
#include "windows/ClickSound.h"
#include "windows/MessageEdit.h"
#include "windows/ProgramLinks.h"
#include "windows/SkinLayout.h"
#include "windows/StreamControl.h"

using namespace Qt::StringLiterals;

namespace {

enum class Face { Main, Mini };

// The main window as the program runs it, with its mini face, against no server.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        DialogTestKit::LinkShippedSkins();
        StringTable::SetKorean(false);
        // the preferences live as long as the test program: each test starts in the main face
        program_.prefs.SetOptionMini(false);
        program_.prefs.SetPosX(300);
        program_.prefs.SetPosY(300);
        program_.prefs.SetVolume(20);
        // confirmed settings start the scheduled-start companion: a harmless stand-in here
        qputenv("QUILO_LAUNCH_PROGRAM", "true");
        // no server answers the program table: its fetch fails at once, the view is cleared
        // and the box of that failure is counted apart; the programs are announced by hand
        program_.config.webServer = u"http://127.0.0.1:1"_s;
        // a sound output of its own: whether the test machine has sound does not matter
        program_.config.vlcArgs = {
            u"--aout=afile"_s,
            u"--audiofile-file="_s + TestEnvironment::WorkDir() + u"/heard.wav"_s};
        SetMessageAnswerer([this](StringId id, const QString&) {
            if (id == StringId::kProgramInfoFailed) {
                ++tableFailures_;
                return MessageAnswer::Ok;
            }
            messages_.push_back(id);
            return answer_;
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

    // Runs the main window as the program does and `body` while it is open; the window then
    // ends as the session's end would and the test sees what it left behind.
    void RunMainWindow(const QString& skin, const std::function<void(CMainDlg&)>& body) {
        ASSERT_TRUE(program_.skin.Load(skin));
        CMainDlg window(program_);
        ASSERT_TRUE(window.Open());
        // the failed first fetch has cleared the view before the test announces programs
        ASSERT_TRUE(Await([&] { return tableFailures_ > 0; }));
        QTimer::singleShot(0, &window, [&] {
            body(window);
            window.CloseWithoutAsking();
        });
        QEventLoop untilClosed;
        QObject::connect(&window, &QDialog::finished, &untilClosed, &QEventLoop::quit);
        untilClosed.exec();
    }

    // The player's lines of the log alone, without those of the program table's fetching.
    QStringList PlayerMessages() const {
        QStringList lines = LoggedMessages(program_.log.FileName());
        lines.removeIf([](const QString& line) {
            return line.contains(u"download"_s) || line.contains(u"the current time"_s);
        });
        return lines;
    }

    Program program_;
    std::vector<StringId> messages_;
    QStringList opened_;
    int tableFailures_ = 0;
    MessageAnswer answer_ = MessageAnswer::Yes;
};

bool Started(CMainDlg& window) {
    return Await([&] { return FaceParts::Only<CViewerDlg>(window).IsCreated(); });
}

// The mini face, opened with the main face's mini button, on screen.
CMiniDlg* OpenMini(CMainDlg& window) {
    if (!Started(window)) {
        return nullptr;
    }
    DialogTestKit::RealClickOn(*FaceParts::Button(window, FaceButton::Mini));
    const bool shown =
        Await([&] { return FaceParts::Mini() != nullptr && FaceParts::Mini()->isVisible(); }) &&
        QTest::qWaitForWindowExposed(FaceParts::Mini());
    return shown ? FaceParts::Mini() : nullptr;
}

// What both faces do, each face in turn.
class EitherFace : public MainWindow, public ::testing::WithParamInterface<Face> {
protected:
    bool IsMini() const { return GetParam() == Face::Mini; }
    // The face under test, on screen.
    CSkinDialog* Open(CMainDlg& window) {
        if (IsMini()) {
            return OpenMini(window);
        }
        return Started(window) && QTest::qWaitForWindowExposed(&window) ? &window : nullptr;
    }
    CSkinButton* ButtonOf(CMainDlg& window, FaceButton button) const {
        return IsMini() ? FaceParts::Mini()->Button(button) : FaceParts::Button(window, button);
    }
    CSkinSlider* SliderOf(CMainDlg& window) const {
        return IsMini() ? FaceParts::Mini()->VolumeSlider() : &FaceParts::Only<CSkinSlider>(window);
    }
    ViewMode Shown() const { return IsMini() ? ViewMode::MiniShown : ViewMode::MainShown; }
    ViewMode Hidden() const { return IsMini() ? ViewMode::MiniHidden : ViewMode::MainHidden; }
    // The size of the face's background in a skin folder.
    QSize BackgroundSize(const QString& skin, bool otherFace = false) const {
        return QImage(u"./Skins/"_s + skin +
                      (IsMini() != otherFace ? u"/mini_bg.bmp"_s : u"/main_bg.bmp"_s))
            .size();
    }
};

std::string FaceName(const ::testing::TestParamInfo<Face>& info) {
    return info.param == Face::Mini ? "Mini" : "Main";
}

void Click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 2));
}

}  // namespace

TEST_P(EitherFace, TheLinkAreaShowsTheHandAndOpensTheHomePageLoggedIn) {
    program_.login = {u"demo"_s, u"secret"_s, QString()};
    program_.config.domain = u"127.0.0.1"_s;
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        CSkinDialog* face = Open(window);
        ASSERT_NE(face, nullptr);
        const std::optional<QRect> area = IsMini()
                                              ? std::optional<QRect>(FaceParts::Mini()->LinkArea())
                                              : SkinLayout::Area(program_.skin, "[MAIN_LINK0]");
        ASSERT_TRUE(area.has_value() && !area->isEmpty());
        const QPoint link = face->mapToGlobal(area->center());
        const QPoint beside =
            face->mapToGlobal(IsMini() ? QPoint(area->right() + 4, 4)
                                       : QPoint(area->right() + 20, area->center().y()));

        ASSERT_TRUE(WidgetTestKit::RealMove(beside));
        EXPECT_TRUE(Await([&] { return face->cursor().shape() == Qt::ArrowCursor; }));
        ASSERT_TRUE(WidgetTestKit::RealMove(link));
        EXPECT_TRUE(Await([&] { return face->cursor().shape() == Qt::PointingHandCursor; }));
        // a real press, held until the face has taken it: the press also starts the window
        // manager's move, which only the release after it ends
        ASSERT_TRUE(WidgetTestKit::RealButton(true));
        ASSERT_TRUE(Await([&] { return !opened_.isEmpty(); }));
        ASSERT_TRUE(WidgetTestKit::RealButton(false));
        // the listener's ID and password send the browser through a local log-in page first
        EXPECT_TRUE(opened_.first().startsWith(u"http://127.0.0.1:"_s))
            << opened_.first().toStdString();
        EXPECT_FALSE(opened_.first().contains(u"secret"_s));
        WidgetTestKit::RealClick(beside);
        QCoreApplication::processEvents();
        EXPECT_EQ(opened_.size(), 1) << "only the link area opens a page";
    });
}

TEST_P(EitherFace, HiddenInTheTrayItComesBackShowingTheProgramOnAirWhoseInfoOpensOnceBesideIt) {
    program_.prefs.SetVolume(0);
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        ASSERT_TRUE(FaceParts::Only<CTrayIcon>(window).IsEnabled())
            << "the test display has a tray";
        CSkinDialog* face = Open(window);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(SliderOf(window)->value(), 20) << "no saved volume starts at twenty";
        EXPECT_EQ(FaceParts::Only<CViewerDlg>(window).GetVolume(), 20);
        // a player of version 3 takes MMS on port 8080
        const StreamControl& stream = FaceParts::Only<StreamControl>(window);
        EXPECT_EQ(stream.FmUrl(), u"mms://127.0.0.1:8080/L-FM_300k"_s);
        EXPECT_EQ(stream.VfmUrl(), u"mms://127.0.0.1:8080/L-VFM_300k"_s);
        ReadOnAir(program_.player, [&](AppState& onAir) { onAir.hasVfm = true; });
        ASSERT_TRUE(Await([&] { return ButtonOf(window, FaceButton::View)->isVisible(); }));
        DialogTestKit::RealClickOn(*ButtonOf(window, FaceButton::Hide));
        ASSERT_TRUE(Await([&] { return program_.player.Mode() == Hidden(); }));
        EXPECT_FALSE(face->isVisible());

        // the next program has no video; a double click on the tray icon asks for the face
        ReadOnAir(program_.player, [&](AppState& onAir) {
            onAir.hasVfm = false;
            onAir.title = u"Morning Jazz"_s;
            onAir.contents = u"First line\r\nSecond line"_s;
        });
        QCoreApplication::processEvents();
        emit FaceParts::Only<CTrayIcon>(window).bringToFrontRequested();
        ASSERT_TRUE(Await([&] { return program_.player.Mode() == Shown(); }));
        EXPECT_TRUE(face->isVisible());
        CSkinButton* infoButton = ButtonOf(window, FaceButton::Info);
        EXPECT_TRUE(infoButton->isVisible());
        EXPECT_FALSE(ButtonOf(window, FaceButton::View)->isVisible())
            << "Seeing Radio offered for a program without it";
        window.ActivateInstance();
        EXPECT_EQ(program_.player.Mode(), Shown());

        // a closed dialog is deleted once the event loop is back at its own level
        const auto openDialogs = [&] {
            QList<CInfoDlg*> open =
                window.findChildren<CInfoDlg*>(QString(), Qt::FindDirectChildrenOnly);
            open.removeIf([](const CInfoDlg* dialog) { return dialog->isHidden(); });
            return open;
        };
        face->move(600, 300);
        Click(infoButton);
        Click(infoButton);
        ASSERT_TRUE(Await([&] { return !openDialogs().isEmpty(); }));
        QCoreApplication::processEvents();
        ASSERT_EQ(openDialogs().size(), 1) << "a second press opens no second dialog";
        CInfoDlg* info = openDialogs().front();
        EXPECT_EQ(info->pos(), QPoint(600 - info->width(), 300)) << "left of the face in use";
        ASSERT_TRUE(Await([&] { return info->Title().text() == u"Morning Jazz"_s; }));
        EXPECT_EQ(info->Description().toPlainText(), u"First line\nSecond line"_s);
        ReadOnAir(program_.player, [&](AppState& onAir) { onAir.title = u"News"_s; });
        QTest::keyClick(info, Qt::Key_Escape);
        QTest::keyClick(info, Qt::Key_Return);
        QCoreApplication::processEvents();
        ASSERT_EQ(openDialogs().size(), 1) << "the keyboard does not close it";
        EXPECT_EQ(info->Title().text(), u"Morning Jazz"_s) << "taken once";
        Click(&info->CloseButton());
        EXPECT_TRUE(Await([&] { return openDialogs().isEmpty(); }));

        // the program cleared altogether while hidden through the menu
        window.Actions().hideShow.trigger();
        ASSERT_TRUE(Await([&] { return program_.player.Mode() == Hidden(); }));
        program_.player.ClearProgram(program_.config.mainSite);
        QCoreApplication::processEvents();
        window.Actions().hideShow.trigger();
        ASSERT_TRUE(Await([&] { return face->isVisible(); }));
        EXPECT_FALSE(ButtonOf(window, FaceButton::Info)->isVisible());
        EXPECT_EQ(FaceParts::Only<CTickerCtrl>(window).GetLastItem(),
                  StringTable::Load(StringId::kServiceName));
    });
}

TEST_P(EitherFace, ASkinIsWornWholeOrNotAtAllAndByTheOtherFaceOnItsReturn) {
    const QString quilo = u"Quilo2"_s;
    DialogTestKit::MakeVariantSkin(quilo, u"NoMain"_s, {}, {"main_bg.bmp"});
    DialogTestKit::MakeVariantSkin(quilo, u"NoMini"_s, {}, {},
                                   {{"[MAIN_PLAY]", "[MAIN_PLAY]=30,30"}});
    // a background there but empty counts as missing
    QFile::resize(u"./Skins/NoMini/mini_bg.bmp"_s, 0);
    // damage anywhere but in the backgrounds is worn: numbers out of range, broken pictures
    DialogTestKit::MakeVariantSkin(
        quilo, u"Scarred"_s, {"[MINI_LINK]"}, {},
        {{"[MAIN_EDIT]", "[MAIN_EDIT]=-2147483648,-5,2147483648,99999999999"},
         {"[MAIN_VOLM]", "[MAIN_VOLM]=ab,"},
         {"[MAIN_EDIT_COL]", "[MAIN_EDIT_COL]=-5,99999999999,ab"}});
    QFile::resize(u"./Skins/Scarred/main_btn_play_up.bmp"_s, 300);
    QFile::resize(u"./Skins/Scarred/main_sld_vol_thumb.bmp"_s, 0);
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        CSkinDialog* face = Open(window);
        ASSERT_NE(face, nullptr);
        FaceParts::Only<StreamControl>(window).Stop();
        Click(ButtonOf(window, FaceButton::Mute));
        ASSERT_TRUE(Await([&] { return FaceParts::Only<CViewerDlg>(window).IsMuted(); }));
        const int volume = SliderOf(window)->value();
        const QSize size = face->size();
        const QPoint play = ButtonOf(window, FaceButton::Play)->pos();
        const QRect miniLink = IsMini() ? FaceParts::Mini()->LinkArea() : QRect();
        // in the skin chooser: a double-click wears the skin at once, OK once the chooser ends
        const auto choose = [&](const char* name, bool byDoubleClick) {
            DialogTestKit::WhenModal<CSkinDlg>(&window, [name, byDoubleClick](CSkinDlg& chooser) {
                QListWidget& list = chooser.List();
                QListWidgetItem* item =
                    list.findItems(QString::fromLatin1(name), Qt::MatchExactly).value(0);
                ASSERT_NE(item, nullptr);
                list.scrollToItem(item);
                // a double-click is a click and a second press that comes as the double-click
                const QPoint at = list.visualItemRect(item).center();
                QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
                if (byDoubleClick) {
                    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
                    Click(&chooser.CancelButton());
                } else {
                    Click(&chooser.OkButton());
                }
            });
            window.Actions().skins.trigger();
        };
        for (const bool byDoubleClick : {true, false}) {
            for (const char* broken : {"NoMain", "NoMini"}) {
                SCOPED_TRACE(broken);
                messages_.clear();
                choose(broken, byDoubleClick);
                ASSERT_TRUE(Await([&] { return !messages_.empty(); }));
                EXPECT_EQ(messages_, std::vector<StringId>{StringId::kFilesMissing});
                EXPECT_EQ(program_.skin.Name(), u"Quilo2"_s);
                EXPECT_EQ(face->size(), size);
                EXPECT_EQ(ButtonOf(window, FaceButton::Play)->pos(), play)
                    << "nothing of the broken skin was applied";
            }
        }
        messages_.clear();
        const auto wear = [&](const QString& name) {
            IsMini() ? FaceParts::Mini()->SwitchSkin(name) : window.SwitchSkin(name);
        };
        wear(u"QUILO2"_s);
        wear(u"Scarred"_s);
        EXPECT_EQ(program_.skin.Name(), u"Scarred"_s);
        EXPECT_TRUE(messages_.empty()) << "the same skin in other letters, and a scarred one";
        if (IsMini()) {
            EXPECT_FALSE(miniLink.isEmpty());
            EXPECT_EQ(FaceParts::Mini()->LinkArea(), miniLink) << "kept without [MINI_LINK]";
        }
        EXPECT_FALSE(face->grab().isNull());

        choose("Midnight", true);
        ASSERT_TRUE(Await([&] { return program_.skin.Name() == u"Midnight"_s; }));
        EXPECT_EQ(face->size(), BackgroundSize(u"Midnight"_s));
        // the player has not changed: the face shows it again
        EXPECT_TRUE(Await([&] {
            return SliderOf(window)->value() == volume &&
                   ButtonOf(window, FaceButton::Mute)->GetState() == CSkinButton::kDown;
        }));
        EXPECT_EQ(program_.prefs.GetSkin(), u"Midnight"_s);

        // the other face, hidden meanwhile, wears it when it comes
        Click(IsMini() ? FaceParts::Mini()->Button(FaceButton::Main)
                       : FaceParts::Button(window, FaceButton::Mini));
        const auto other = [&]() -> CSkinDialog* {
            return IsMini() ? static_cast<CSkinDialog*>(&window) : FaceParts::Mini();
        };
        ASSERT_TRUE(Await([&] { return other() != nullptr && other()->isVisible(); }));
        EXPECT_TRUE(Await([&] { return other()->size() == BackgroundSize(u"Midnight"_s, true); }));
        EXPECT_TRUE(Await([&] {
            return FaceParts::Button(window, FaceButton::Mute)->GetState() == CSkinButton::kDown;
        }));
    });
}

INSTANTIATE_TEST_SUITE_P(Faces, EitherFace, ::testing::Values(Face::Main, Face::Mini), FaceName);

TEST_F(MainWindow, TheMessageTakesTwoHundredBytesKoreanTwoEvenWhileComposedAndKeepsWhatWasThere) {
    const auto compose = [](QWidget* edit, const QString& composing, const QString& committed) {
        QInputMethodEvent event(composing, {});
        event.setCommitString(committed);
        QApplication::sendEvent(edit, &event);
    };
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        MessageEdit* edit = &FaceParts::Only<MessageEdit>(window);
        QLineEdit* counter = &FaceParts::Only<QLineEdit>(window);
        EXPECT_EQ(edit->ByteLimit(), 200) << "set when the skin places the box";
        edit->setFocus();
        EXPECT_EQ(counter->text(), u"0/200"_s) << "the prompt went with the focus";
        // 99 syllables as key presses carrying their text, as a Korean keyboard layout sends them
        for (int i = 0; i < 99; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u"한"_s);
            QApplication::sendEvent(edit, &press);
        }
        EXPECT_EQ(counter->text(), u"198/200"_s);
        compose(edit, u"ㄱ"_s, {});
        EXPECT_EQ(counter->text(), u"200/200"_s) << "the syllable being composed";
        compose(edit, {}, u"글"_s);
        EXPECT_EQ(counter->text(), u"200/200"_s);
        // full: a new syllable is not even begun, and one committed anyway does not fit
        compose(edit, u"ㄴ"_s, {});
        EXPECT_EQ(counter->text(), u"200/200"_s);
        compose(edit, {}, u"나"_s);
        const QString text = QString(99, u'한') + u"글"_s;
        EXPECT_EQ(edit->toPlainText(), text);
        // a paste past the end keeps what was typed
        edit->moveCursor(QTextCursor::End);
        edit->insertPlainText(u"xyz"_s);
        EXPECT_EQ(edit->toPlainText(), text);

        // Enter and Escape in the box neither send nor close
        QSignalSpy finished(&window, &QDialog::finished);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Escape);
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_EQ(edit->toPlainText(), text);
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(finished.isEmpty());
        // of a pasted text what fits is added; a line break leaves as CR LF: two bytes, more
        // than the last one left
        QTest::keyClick(edit, Qt::Key_Backspace);
        edit->moveCursor(QTextCursor::Start);
        edit->insertPlainText(u"a\nb"_s);
        EXPECT_EQ(edit->toPlainText(), u"a"_s + QString(99, u'한'));
        EXPECT_EQ(counter->text(), u"199/200"_s);
    });
}

TEST_F(MainWindow, MissingKeysHideTheirControlsAndEditColoursNeverTakeBlueZero) {
    DialogTestKit::MakeVariantSkin(u"Quilo2"_s, u"Variant"_s,
                                   {"[MAIN_EDIT]", "[MAIN_STOP]", "[MAIN_VIEW]"}, {},
                                   {{"[MAIN_EDIT_COL]", "[MAIN_EDIT_COL]=0,0,0"},
                                    {"[MAIN_LENG_COL]", "[MAIN_LENG_COL]=10,20,0"},
                                    {"[MAIN_SCR_COL]", "[MAIN_SCR_COL]=0,0,0"}});
    RunMainWindow(u"Variant"_s, [&](CMainDlg& window) {
        const auto button = [&](FaceButton which) { return FaceParts::Button(window, which); };
        const MessageEdit& edit = FaceParts::Only<MessageEdit>(window);
        CSkinButton* play = button(FaceButton::Play);
        EXPECT_EQ(play->toolTip(), u"Play"_s);
        EXPECT_FALSE(button(FaceButton::Info)->isVisible()) << "no program yet";
        EXPECT_FALSE(edit.isVisible());
        EXPECT_FALSE(button(FaceButton::Stop)->isVisible());
        EXPECT_TRUE(play->isVisible());
        EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(0, 0, 1));
        EXPECT_EQ(FaceParts::Only<QLineEdit>(window).palette().color(QPalette::Base),
                  QColor(10, 20, 1));
        // a program with video does not bring back a button the skin has no place for
        ReadOnAir(program_.player, [&](AppState& onAir) { onAir.hasVfm = true; });
        ASSERT_TRUE(Await([&] { return button(FaceButton::Info)->isVisible(); }));
        EXPECT_FALSE(button(FaceButton::View)->isVisible());
    });
}

TEST_F(MainWindow, OpensAtTheLoginPlaceOrTheSavedOneKeptOnTheScreen) {
    const QRect area = AvailableScreenArea();
    program_.prefs.SetPosX(100000);
    program_.prefs.SetPosY(100000);
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        EXPECT_EQ(window.pos(), QPoint(area.right() + 1 - 300, area.bottom() + 1 - 476));
    });
    program_.prefs.SetPosX(static_cast<uint32_t>(-40));
    program_.prefs.SetPosY(50);
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        EXPECT_EQ(window.pos(), QPoint(-40, 50)) << "no lower bound: partly off the left edge";
    });
    program_.loginPosition = QPoint(120, 130);
    RunMainWindow(u"Quilo2"_s,
                  [&](CMainDlg& window) { EXPECT_EQ(window.pos(), QPoint(120, 130)); });
    EXPECT_EQ(program_.prefs.GetPosX(), 120u) << "the place is saved when the window ends";
}

TEST_F(MainWindow, APlayerThatCannotStartLeavesAWorkingFace) {
    program_.config.vlcArgs = {u"--no-such-option-at-all"_s};
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        ASSERT_TRUE(Await([&] { return PlayerMessages().size() >= 2; }));
        EXPECT_FALSE(FaceParts::Only<CViewerDlg>(window).IsCreated());
        EXPECT_EQ(PlayerMessages().value(1),
                  u"FAIL to play because the player have not been created."_s);
        // without a version the addresses are the old protocol's
        EXPECT_EQ(FaceParts::Only<StreamControl>(window).FmUrl(), u"mmst://127.0.0.1/L-FM_300k"_s);
        Click(FaceParts::Button(window, FaceButton::Play));
        ASSERT_TRUE(Await([&] { return PlayerMessages().size() >= 4; }));
        // whatever else is asked of the missing engine says so and changes nothing
        CViewerDlg& viewer = FaceParts::Only<CViewerDlg>(window);
        const qsizetype before = PlayerMessages().size();
        viewer.Stop();
        viewer.Show(0, 0);
        viewer.SetVolume(50);
        viewer.SetMute(true);
        EXPECT_FALSE(viewer.IsPlayRequested() || viewer.IsShown() || viewer.IsMuted() ||
                     viewer.IsPlaying() || viewer.isVisible());
        EXPECT_EQ(viewer.GetVolume(), 0);
        EXPECT_EQ(
            PlayerMessages().mid(before),
            (QStringList{
                u"TRY to stop."_s, u"FAIL to stop because the player have not been created."_s,
                u"TRY to show."_s, u"FAIL to show because the player have not been created."_s}));
    });
}

TEST_F(MainWindow, TheFetchedLinkImagesShowWhereTheSkinSaysAndOpenTheirAddresses) {
    const QString folder = GetWorkFolder();
    ASSERT_FALSE(folder.isEmpty());
    ASSERT_TRUE(WidgetTestKit::Filled({72, 22}, Qt::darkGreen).save(folder + u"/0000101_1.bmp"_s));
    // larger than its 128 x 40 frame: only its red middle shows
    QImage large = WidgetTestKit::Filled({300, 100}, Qt::yellow);
    QPainter(&large).fillRect(QRect(86, 30, 128, 40), Qt::red);
    ASSERT_TRUE(large.save(folder + u"/0000101_2.bmp"_s));
    QFile::remove(folder + u"/event.bmp"_s);
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        ReadOnAir(program_.player, [&](AppState& onAir) {
            onAir.programCode = u"0000101"_s;
            onAir.link1 = u"http://main.example/program/0000101/index.asp"_s;
            onAir.eventLink = u"http://main.example/event/summer.asp"_s;
        });
        program_.player.LinksFetched();
        ProgramLinks& links = FaceParts::Only<ProgramLinks>(window);
        ASSERT_TRUE(Await([&] { return links.IsShown(); }));
        // each picture fills its frame: the small one on its own colour, the large one cut
        for (int index : {0, 1}) {
            const QImage shown = links.Link(index).grab().toImage();
            ASSERT_EQ(shown.size(), QSize(128, 40));
            const QColor fill = index == 0 ? QColor(Qt::darkGreen) : QColor(Qt::red);
            for (const QPoint& at : {QPoint(0, 0), QPoint(127, 39), QPoint(64, 20)}) {
                EXPECT_EQ(shown.pixelColor(at), fill) << index;
            }
        }
        ASSERT_TRUE(links.Link(2).isVisible()) << "the skin's picture without an event";
        EXPECT_EQ(program_.player.OnAir().eventLink, program_.config.mainSite)
            << "the skin's picture leads to the main site";

        Click(&links.Link(0));
        Click(&links.Link(2));
        EXPECT_EQ(opened_, (QStringList{program_.player.OnAir().link1, program_.config.mainSite}));
        QFile::remove(folder + u"/0000101_2.bmp"_s);
        program_.player.LinksFetched();
        EXPECT_TRUE(Await([&] { return !links.Link(1).isVisible(); })) << "no second image now";

        program_.player.ClearLinks();
        QCoreApplication::processEvents();
        EXPECT_FALSE(links.IsShown());
        EXPECT_FALSE(links.Link(2).isVisible());
    });
}

TEST_F(MainWindow, TheMiniOptionStartsInTheMiniFaceAndClosingWithTheScheduleOnAsksFirst) {
    program_.prefs.SetOptionSchedule(true);
    program_.prefs.SetOptionMini(true);
    program_.prefs.SetPosX(120);
    program_.prefs.SetPosY(80);
    ASSERT_TRUE(program_.skin.Load(u"Quilo2"_s));
    CMainDlg window(program_);
    ASSERT_TRUE(window.Open());
    QSignalSpy finished(&window, &QDialog::finished);
    ASSERT_TRUE(Started(window));
    // the mini face comes up at the main face's saved corner, and plays
    ASSERT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MiniShown; }));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FaceParts::Mini()));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(FaceParts::Mini()->pos(), QPoint(120, 80));
    // no stream server answers here: the stream is opening or waits to be tried again
    EXPECT_TRUE(FaceParts::Only<CViewerDlg>(window).IsPlayRequested() ||
                FaceParts::Only<StreamControl>(window).Recovery().IsWaiting());
    ASSERT_TRUE(Await([&] { return program_.scheduleOption; }));
    answer_ = MessageAnswer::No;
    window.Actions().close.trigger();
    ASSERT_TRUE(Await([&] { return !messages_.empty(); }));
    EXPECT_EQ(messages_, std::vector<StringId>{StringId::kQuitStopsSchedule});
    EXPECT_TRUE(finished.isEmpty()) << "the listener said no";

    // the mini face closed by the window manager (Alt+F4) is its close button
    FaceParts::Mini()->close();
    ASSERT_TRUE(Await([&] { return messages_.size() == 2; }));
    EXPECT_TRUE(FaceParts::Mini()->isVisible()) << "the listener said no: the face stays";
    EXPECT_EQ(program_.player.Mode(), ViewMode::MiniShown);
    answer_ = MessageAnswer::Yes;
    FaceParts::Mini()->close();
    ASSERT_TRUE(Await([&] { return !finished.isEmpty(); }));
    EXPECT_TRUE(program_.prefs.GetOptionMini()) << "it ended in the mini face";
}

TEST_F(MainWindow, TheAnimationStepsWithTheTickerAndOnItsOwnWhileTheTickerRests) {
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        auto& ticker = FaceParts::Only<CTickerCtrl>(window);
        const CharacterSprites& sprites = FaceParts::Only<CharacterSprites>(window);
        ASSERT_TRUE(Await([&] { return ticker.IsScrolling(); }));
        EXPECT_FALSE(sprites.AnimationTimerRuns()) << "one timer for both";
        // 110 ms frames on 30 ms steps: 33 steps are 990 ms, nine frames
        int steps = 0;
        int frames = 0;
        int shown = sprites.AnimationFrame();
        const auto counter = QObject::connect(&ticker, &CTickerCtrl::stepped, [&] {
            if (steps == 33) {
                return;
            }
            ++steps;
            frames += sprites.AnimationFrame() != shown ? 1 : 0;
            shown = sprites.AnimationFrame();
        });
        ASSERT_TRUE(Await([&] { return steps == 33; }));
        QObject::disconnect(counter);
        EXPECT_EQ(frames, 9);

        // emptied, the ticker rests and the animation goes on by itself
        ticker.Clear();
        EXPECT_EQ(ticker.Start(true), 0);
        EXPECT_TRUE(sprites.AnimationTimerRuns());
        const int before = sprites.AnimationFrame();
        EXPECT_TRUE(Await([&] { return sprites.AnimationFrame() != before; }));
    });
}

TEST_F(MainWindow, TheCharacterOpensItsPageUnderAHandAndClicks) {
    // the link area lies under the character; without a password its page opens directly
    DialogTestKit::MakeVariantSkin(u"Quilo2"_s, u"Linked"_s, {}, {},
                                   {{"[MAIN_LINK0]", "[MAIN_LINK0]=0,0,300,476"}});
    program_.login = {u"demo"_s, QString(), QString()};
    RunMainWindow(u"Linked"_s, [&](CMainDlg& window) {
        ReadOnAir(program_.player, [&](AppState& onAir) {
            onAir.characterLink = u"http://main.example/event/quilo.asp"_s;
            onAir.characterTimes = {1, 60000, 1000};
        });
        // right after a hop the character stays put for about a second: time to point at it
        const CharacterSprites& sprites = FaceParts::Only<CharacterSprites>(window);
        EXPECT_EQ(sprites.AnimationArea(), QRect(22, 76, 124, 64)) << "the frame's own size";
        const QRect before = sprites.LastSpriteRect();
        ASSERT_TRUE(Await([&] { return sprites.LastSpriteRect() != before; }));
        ASSERT_TRUE(WidgetTestKit::RealMove(window.mapToGlobal(sprites.LastSpriteRect().center())));
        EXPECT_TRUE(Await([&] { return window.cursor().shape() == Qt::PointingHandCursor; }));

        QSignalSpy clicked(&FaceParts::Only<ClickSound>(window), &ClickSound::played);
        // a real press, held until the face has taken it: the press also starts the window
        // manager's move, which only the release after it ends
        ASSERT_TRUE(WidgetTestKit::RealButton(true));
        ASSERT_TRUE(Await([&] { return opened_.size() == 2; }));
        ASSERT_TRUE(WidgetTestKit::RealButton(false));
        EXPECT_TRUE(opened_[0].startsWith(u"http://127.0.0.1:"_s))
            << "the character page opens through a local page: " << opened_[0].toStdString();
        EXPECT_EQ(opened_[1], program_.config.webServer) << "then the link area's";
        ASSERT_TRUE(clicked.wait(3000));
        const QString heard = TestEnvironment::WorkDir() + u"/heard.wav"_s;
        EXPECT_TRUE(Await([&] {
            return ToneAnalysis::Loudness(ToneAnalysis::ReadWav(heard)) > 0.01;
        })) << "the click is heard";
    });
}

namespace {

// A key as the keyboard gives it: to the control that holds the focus, or the active window.
void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : QApplication::activeWindow(), Qt::Key(key),
                    modifiers);
}

QString FocusName() {
    const QWidget* focused = QApplication::focusWidget();
    return focused == nullptr ? QString()
           : focused->objectName().isEmpty()
               ? QString::fromLatin1(focused->metaObject()->className())
               : focused->objectName();
}

}  // namespace

TEST_F(MainWindow, TheWholeFaceWorksFromTheKeyboardAlone) {
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        ASSERT_TRUE(Started(window));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_TRUE(Await([&] { return program_.player.IsPlaying(); }));

        // the face itself holds the keys at first: Space stops and plays, M mutes, Up and Down
        // move the volume
        Press(Qt::Key_Space);
        EXPECT_TRUE(Await([&] { return !program_.player.IsPlaying(); }));
        Press(Qt::Key_Space);
        EXPECT_TRUE(Await([&] { return program_.player.IsPlaying(); }));
        Press(Qt::Key_M);
        EXPECT_TRUE(program_.player.IsMuted());
        EXPECT_TRUE(FaceParts::Button(window, FaceButton::Mute)->isChecked());
        Press(Qt::Key_M);
        EXPECT_FALSE(program_.player.IsMuted());
        Press(Qt::Key_Up);
        EXPECT_EQ(FaceParts::Only<CSkinSlider>(window).value(), 25);
        Press(Qt::Key_Down);
        EXPECT_EQ(program_.player.Volume(), 20);

        // Tab goes round the controls in reading order, from the face's top row down
        QStringList order;
        while (order.size() < 12 && order.count(FocusName()) < 2) {
            Press(Qt::Key_Tab);
            order << FocusName();
        }
        EXPECT_EQ(order, (QStringList{u"[MAIN_MINI]"_s, u"[MAIN_HIDE]"_s, u"[MAIN_CLOSE]"_s,
                                      u"[MAIN_PLAY]"_s, u"[MAIN_STOP]"_s, u"[MAIN_MUTE]"_s,
                                      u"CSkinSlider"_s, u"MessageEdit"_s, u"[MAIN_SEND]"_s,
                                      u"[MAIN_MINI]"_s}));

        // the mark shows on the control reached by Tab, drawn over its picture, and goes with
        // the focus; a click leaves the focus where it was
        CSkinButton& stop = *FaceParts::Button(window, FaceButton::Stop);
        const QImage unmarked = stop.grab().toImage();
        ASSERT_TRUE(DialogTestKit::RealClickOn(stop));
        EXPECT_TRUE(Await([&] { return !program_.player.IsPlaying(); }));
        EXPECT_EQ(FocusName(), u"[MAIN_MINI]"_s);
        for (int i = 0; i < 4; ++i) {
            Press(Qt::Key_Tab);
        }
        ASSERT_EQ(QApplication::focusWidget(), &stop);
        const QImage marked = stop.grab().toImage();
        QSet<QRgb> edge;
        for (int x = 0; x < marked.width(); ++x) {
            edge << (marked.pixel(x, 0) & 0xFFFFFFu);
        }
        EXPECT_EQ(edge, (QSet<QRgb>{0x000000u, 0xFFFFFFu})) << "dotted black and white";
        EXPECT_EQ(marked.copy(1, 1, marked.width() - 2, marked.height() - 2),
                  unmarked.copy(1, 1, marked.width() - 2, marked.height() - 2));
        Press(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(stop.grab().toImage(), unmarked);
        Press(Qt::Key_Space);
        EXPECT_TRUE(Await([&] { return program_.player.IsPlaying(); })) << "Space on Play";
        Press(Qt::Key_Tab);
        Press(Qt::Key_Return);
        EXPECT_TRUE(Await([&] { return !program_.player.IsPlaying(); })) << "Enter on Stop";

        // the slider's own keys, then the message: its keys are the listener's to type
        Press(Qt::Key_Tab);
        Press(Qt::Key_Tab);
        Press(Qt::Key_End);
        EXPECT_EQ(program_.player.Volume(), 100);
        Press(Qt::Key_Home);
        EXPECT_EQ(program_.player.Volume(), 0);
        Press(Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), u"M M"_s);
        EXPECT_EQ(FaceParts::Only<MessageEdit>(window).toPlainText(), u"M M"_s);
        EXPECT_FALSE(program_.player.IsMuted());
        EXPECT_FALSE(program_.player.IsPlaying());
        Press(Qt::Key_Tab);
        Press(Qt::Key_Return);
        EXPECT_TRUE(Await([&] { return !messages_.empty(); })) << "Enter on Send sends";

        // the menu from the keyboard, and the other face and back
        int menusShown = 0;
        const auto closeMenu = [&] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                ++menusShown;
                menu->close();
            }
        };
        QTimer::singleShot(0, closeMenu);
        Press(Qt::Key_F10, Qt::ShiftModifier);
        QTimer::singleShot(0, closeMenu);
        Press(Qt::Key_Menu);
        EXPECT_EQ(menusShown, 2);
        Press(Qt::Key_M, Qt::ControlModifier);
        ASSERT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MiniShown; }));
        FaceParts::Mini()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(FaceParts::Mini()));
        Press(Qt::Key_M, Qt::ControlModifier);
        EXPECT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MainShown; }));
    });
}

// The red mark sits over each face's ticker while a recording runs, whatever the skin draws there.
TEST_F(MainWindow, TheRecordingMarkShowsOverTheTickerOnBothFaces) {
    RunMainWindow(u"Quilo2"_s, [&](CMainDlg& window) {
        ASSERT_TRUE(Started(window));
        const auto markIsRed = [](QWidget& face) {
            const QRect ticker = FaceParts::Only<CTickerCtrl>(face).geometry();
            const QImage shot = face.grab().toImage();
            const QColor at = shot.pixelColor(ticker.left() + 6, ticker.center().y());
            return at.red() > 180 && at.green() < 80 && at.blue() < 80;
        };
        EXPECT_FALSE(markIsRed(window));
        window.Actions().recordThis.trigger();
        EXPECT_TRUE(markIsRed(window));
        QTest::mouseClick(FaceParts::Button(window, FaceButton::Mini), Qt::LeftButton);
        ASSERT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MiniShown; }));
        EXPECT_TRUE(markIsRed(*FaceParts::Mini()));
        window.Actions().recordThis.trigger();
        EXPECT_FALSE(markIsRed(*FaceParts::Mini()));
        EXPECT_FALSE(window.Actions().recordThis.isChecked());
    });
}
