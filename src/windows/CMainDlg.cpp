#include "windows/CMainDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "content/CProgramTableDlg.h"
#include "content/PlayerModel.h"
#include "content/Program.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "player/CViewerDlg.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "skin/FocusOrder.h"
#include "windows/BehindLiveBadge.h"
#include "windows/CMiniDlg.h"
#include "windows/CTrayIcon.h"
#include "windows/CharacterSprites.h"
#include "windows/ClickSound.h"
#include "windows/FaceKeys.h"
#include "windows/MessageComposer.h"
#include "windows/MessageEdit.h"
#include "windows/PlayerMenu.h"
#include "windows/ProgramLinks.h"
#include "windows/ProgramRecorder.h"
#include "windows/RecordingMark.h"
#include "windows/SleepTimer.h"
#include "windows/StreamControl.h"
#include "windows/TickerRule.h"

namespace {
constexpr int kStartDelayMs = 10;
// the context menu opens this far above the point that was clicked
constexpr int kMenuLift = 180;
}  // namespace

CMainDlg::CMainDlg(Program& program)
    : CSkinDialog(nullptr),
      program_(program),
      web_({program.config.webServer, program.config.mainSite}, program.config.domain) {
    // a new main window starts from a clean program state
    program_.player.SetMode(ViewMode::MainShown);
    program_.scheduleOption = false;
    program_.player.ResetOnAir(
        AppState::Defaults(program_.config.mainSite, StringTable::Load(StringId::kSeeHomePage)));
    setWindowTitle(QStringLiteral("Quilo"));
    setWindowIcon(QIcon(QStringLiteral(":/res/icon124.png")));
    CreateControls();
    // the cursor follows the pointer over the character and the link area without a button held
    setMouseTracking(true);
    tickerRule_ = new TickerRule(*ticker_, program_.player.OnAir(), this);
    connect(tickerRule_, &TickerRule::changed, this,
            [this](const QString& text, const QString& link) {
                if (IsMini(program_.player.Mode()) && mini_ != nullptr) {
                    mini_->SetTicker(text, link);
                }
            });
    stream_ = new StreamControl(
        program_, *tickerRule_, [this] { return VisibleFace()->frameGeometry(); }, this);
    connect(stream_, &StreamControl::playStarting, this, &CMainDlg::RefreshProgramIfNoLinks);
    sprites_ = new CharacterSprites(*this, program_.skin, program_.player.OnAir());
    sprites_->FollowTicker(*ticker_);
    clickSound_ = new ClickSound(program_.config.vlcArgs, this);
    new FaceKeys(*this, actions_, program_.player, [this] {
        QMetaObject::invokeMethod(this, &CMainDlg::OpenMiniWindow, Qt::QueuedConnection);
    });
    tray_ = new CTrayIcon(program_, actions_, this);
    connect(tray_, &CTrayIcon::bringToFrontRequested, this, &CMainDlg::BringToFront,
            Qt::QueuedConnection);
    programTable_ = new CProgramTableDlg(program_, this);
    sleep_ = new SleepTimer(*stream_, this);
    recorder_ = new ProgramRecorder(program_, *stream_, *programTable_, actions_, this);
    new RecordingMark(*ticker_, *recorder_);
    new BehindLiveBadge(*ticker_, program_.player);
    startTimer_.setSingleShot(true);
    connect(&startTimer_, &QTimer::timeout, this, &CMainDlg::RunStartSequence);
    resyncTimer_.setSingleShot(true);
    connect(&resyncTimer_, &QTimer::timeout, this, &CMainDlg::OnResyncTimer);
    ConnectButtons();
    ConnectActions();
    ConnectSleepChoices();
    ConnectPlayerModel();
}

CMainDlg::~CMainDlg() = default;

// Clicks reach the window after the button has finished with the mouse, as posted messages did.
void CMainDlg::ConnectButtons() {
    const auto onClick = [this](FaceButton button, auto slot) {
        connect(Button(button), &CSkinButton::clicked, this, slot, Qt::QueuedConnection);
    };
    onClick(FaceButton::Mini, &CMainDlg::OpenMiniWindow);
    onClick(FaceButton::Hide, &CMainDlg::HideShow);
    onClick(FaceButton::Close, &CMainDlg::Close);
    onClick(FaceButton::Info, &CMainDlg::OpenProgramInfo);
    onClick(FaceButton::Play, [this] { stream_->Play(); });
    onClick(FaceButton::Stop, [this] { stream_->Stop(); });
    // the toggle's new state: pressed is sound off
    onClick(FaceButton::Mute, [this](bool muted) { program_.player.SetMuted(muted); });
    onClick(FaceButton::View, [this] { stream_->View(); });
    onClick(FaceButton::Send, [this] { composer_->Send(); });
    connect(volume_, &CSkinSlider::sliderMoved, &program_.player, &PlayerModel::SetVolume);
    connect(volume_, &CSkinSlider::positionSet, &program_.player, &PlayerModel::SetVolume);
}

void CMainDlg::ConnectActions() {
    const auto onTrigger = [this](QAction& action, auto slot) {
        connect(&action, &QAction::triggered, this, slot, Qt::QueuedConnection);
    };
    onTrigger(actions_.hideShow, &CMainDlg::HideShow);
    onTrigger(actions_.view, [this] { stream_->View(); });
    onTrigger(actions_.todaysPrograms, &CMainDlg::OpenTodaysPrograms);
    onTrigger(actions_.play, [this] { stream_->Play(); });
    onTrigger(actions_.stop, [this] { stream_->Stop(); });
    onTrigger(actions_.pause, [this] { stream_->Pause(); });
    onTrigger(actions_.backToLive, [this] { stream_->BackToLive(); });
    onTrigger(actions_.settings, &CMainDlg::Settings);
    onTrigger(actions_.skins, &CMainDlg::ChooseSkin);
    onTrigger(actions_.version, &CMainDlg::ShowVersion);
    onTrigger(actions_.close, &CMainDlg::Close);
}

// The sleep timer's choices, from any of the menus; the choice falls back to "Off" when the time
// has run out.
void CMainDlg::ConnectSleepChoices() {
    connect(&actions_.sleepOff, &QAction::triggered, sleep_, &SleepTimer::Cancel);
    for (QAction& after : actions_.sleepAfter) {
        connect(&after, &QAction::triggered, this,
                [this, &after] { sleep_->Start(after.data().toLongLong() * 60 * 1000); });
    }
    connect(&actions_.sleepAtProgramEnd, &QAction::triggered, this, [this] {
        if (const std::optional<qint64> left = programTable_->MsToProgramEnd()) {
            sleep_->Start(*left);
        } else {
            // the end is not known without the server's clock
            actions_.sleepOff.setChecked(true);
            sleep_->Cancel();
        }
    });
    connect(sleep_, &SleepTimer::ended, this, [this] { actions_.sleepOff.setChecked(true); });
}

// The face shows the model's volume and mute, as the mini face does. What the program table finds
// out arrives after its own work is done; the ticker texts and the scheduled times come at once.
void CMainDlg::ConnectPlayerModel() {
    PlayerModel* model = &program_.player;
    connect(model, &PlayerModel::volumeChanged, this, &CMainDlg::ShowVolume);
    connect(model, &PlayerModel::mutedChanged, this, &CMainDlg::ShowMuted);
    connect(model, &PlayerModel::programChanged, this, &CMainDlg::OnProgramChanged,
            Qt::QueuedConnection);
    connect(model, &PlayerModel::linksChanged, this, &CMainDlg::OnLinksChanged,
            Qt::QueuedConnection);
    connect(model, &PlayerModel::programCleared, this, &CMainDlg::OnProgramCleared,
            Qt::QueuedConnection);
    connect(model, &PlayerModel::linksCleared, this, &CMainDlg::OnLinksCleared,
            Qt::QueuedConnection);
    // Pause while a stream plays live or behind; "Back to live" while held or behind
    const auto offerPauseCommands = [this] {
        const PlayerModel& player = program_.player;
        actions_.pause.setEnabled(player.IsPlaying() && !player.IsPaused());
        actions_.backToLive.setEnabled(player.IsPaused() || player.BehindLiveMs() > 0);
    };
    connect(model, &PlayerModel::playingChanged, this, offerPauseCommands);
    connect(model, &PlayerModel::pausedChanged, this, offerPauseCommands);
    connect(model, &PlayerModel::behindLiveChanged, this, offerPauseCommands);
    offerPauseCommands();
    CProgramTableDlg* table = programTable_;
    connect(table, &CProgramTableDlg::tickerText, this, &CMainDlg::OnTickerText,
            Qt::DirectConnection);
    connect(table, &CProgramTableDlg::scheduleFire, this, &CMainDlg::OnScheduleFire,
            Qt::DirectConnection);
}

bool CMainDlg::Open() {
    if (!PlaceWindow(true)) {
        ShowMessage(this, StringId::kFilesMissing, MessageIcon::Error);
        return false;
    }
    ApplySkin();
    AddToolTips();
    // the face holds the keyboard until the listener tabs to a control, so Space plays and
    // stops rather than pressing whichever button comes first
    setFocus(Qt::OtherFocusReason);
    tray_->Create(this, QStringLiteral("Quilo"), QIcon(QStringLiteral(":/res/icon196.png")));
    startTimer_.start(kStartDelayMs);
    return true;
}

void CMainDlg::RunStartSequence() {
    program_.player.SetVolume(static_cast<int>(program_.prefs.GetVolume()));
    ShowVolume(program_.player.Volume());
    stream_->Start(!program_.scheduledStart);
    if (program_.prefs.GetOptionMini()) {
        OpenMiniWindow();
    }
    if (program_.scheduledStart) {
        HideShow();
    }
    program_.scheduleOption = program_.prefs.GetOptionSchedule();
    if (const std::optional<ScheduleBytes> schedule = program_.prefs.GetSchedule()) {
        program_.schedule = *schedule;
    }
}

void CMainDlg::CloseWithoutAsking() {
    closingWithoutAsking_ = true;
    done(QDialog::Accepted);
}

void CMainDlg::Close() {
    if (program_.scheduleOption && !closingWithoutAsking_ &&
        ShowMessage(this, StringId::kQuitStopsSchedule, MessageIcon::Warning,
                    MessageButtons::YesNo) == MessageAnswer::No) {
        return;
    }
    done(QDialog::Accepted);
}

void CMainDlg::done(int result) {
    if (!shutDown_) {
        shutDown_ = true;
        Shutdown();
    }
    QDialog::done(result);
}

void CMainDlg::reject() {}

// The last work of the window: stop the sound, take the icon away and keep what the listener
// set for the next start.
void CMainDlg::Shutdown() {
    startTimer_.stop();
    stream_->Stop();
    stream_->Viewer().Hide();
    tray_->RemoveIcon();
    // a request may still wait further down the stack: the channel ends every request now and
    // goes with the program's other objects at the very end
    if (program_.webRequest != nullptr) {
        program_.webRequest->Close();
    }
    if (mini_ != nullptr) {
        mini_->hide();
    }
    // where the compositor places windows, the window cannot know its place: the one saved
    // before stays for a desktop that can use it
    if (WindowsPlaceThemselves()) {
        program_.prefs.SetPosX(static_cast<uint32_t>(pos().x()));
        program_.prefs.SetPosY(static_cast<uint32_t>(pos().y()));
    }
    program_.prefs.SetOptionMini(IsMini(program_.player.Mode()));
    program_.prefs.SetVolume(static_cast<uint32_t>(program_.player.Volume()));
    program_.prefs.SetSkin(program_.skin.Name());
}

void CMainDlg::closeEvent(QCloseEvent* event) {
    // closed from outside (the window manager): the close command, with its question
    event->ignore();
    if (!shutDown_) {
        Close();
    }
}

// Enter and Escape never send or close anything, also not from inside the message box.
bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            return true;
        }
    }
    return CSkinDialog::eventFilter(watched, event);
}

CSkinButton* CMainDlg::Button(FaceButton button) const {
    const auto found = buttons_.find(button);
    return found != buttons_.end() ? found->second : nullptr;
}

QWidget* CMainDlg::VisibleFace() const {
    if (IsMini(program_.player.Mode()) && mini_ != nullptr) {
        return mini_.get();
    }
    return const_cast<CMainDlg*>(this);
}

// Into the tray and back. Without a tray the face is minimised instead, so the listener is never
// left without a window to come back to.
void CMainDlg::HideShow() {
    switch (program_.player.Mode()) {
        case ViewMode::MainShown:
            PutAway(this);
            program_.player.SetMode(ViewMode::MainHidden);
            break;
        case ViewMode::MainHidden:
            PutBack(this);
            program_.player.SetMode(ViewMode::MainShown);
            break;
        case ViewMode::MiniShown:
            PutAway(mini_.get());
            program_.player.SetMode(ViewMode::MiniHidden);
            break;
        case ViewMode::MiniHidden:
            PutBack(mini_.get());
            program_.player.SetMode(ViewMode::MiniShown);
            break;
    }
}

void CMainDlg::PutAway(QWidget* face) const {
    if (tray_->IsEnabled()) {
        face->hide();
    } else {
        face->showMinimized();
    }
}

void CMainDlg::PutBack(QWidget* face) const {
    if (tray_->IsEnabled()) {
        face->show();
        return;
    }
    // a Wayland compositor neither tells a window it is minimised nor lets it undo that: only a
    // window mapped anew comes back
    face->hide();
    face->showNormal();
}

void CMainDlg::OpenMiniWindow() {
    if (mini_ == nullptr) {
        mini_ = std::make_unique<CMiniDlg>(program_, actions_, web_);
        ConnectMiniWindow();
        new RecordingMark(*mini_->Ticker(), *recorder_);
        new BehindLiveBadge(*mini_->Ticker(), program_.player);
        mini_->setAccessibleName(accessibleName());
    }
    if (!mini_->ApplySkin()) {
        ShowMessage(this, StringId::kFilesMissing, MessageIcon::Error);
        return;
    }
    mini_->SetTopMost(topMost_);
    mini_->ShowProgramButtons(infoButtonShown_, viewButtonShown_);
    mini_->SetTicker(tickerRule_->Text(), tickerRule_->Link());
    mini_->Open(pos());
    program_.player.SetMode(ViewMode::MiniShown);
    tray_->SetWindow(mini_.get());
    hide();
}

// The mini face's buttons are this face's buttons.
void CMainDlg::ConnectMiniWindow() {
    CMiniDlg* mini = mini_.get();
    connect(mini, &CMiniDlg::hideClicked, this, &CMainDlg::HideShow);
    connect(mini, &CMiniDlg::closeClicked, this, &CMainDlg::Close);
    connect(mini, &CMiniDlg::infoClicked, this, &CMainDlg::OpenProgramInfo);
    connect(mini, &CMiniDlg::playClicked, this, [this] { stream_->Play(); });
    connect(mini, &CMiniDlg::stopClicked, this, [this] { stream_->Stop(); });
    connect(mini, &CMiniDlg::viewClicked, this, [this] { stream_->View(); });
    connect(mini, &CMiniDlg::mainRequested, this, &CMainDlg::OnMiniMainRequested,
            Qt::QueuedConnection);
}

// The main face comes back where the mini face stood, wearing a skin chosen meanwhile.
void CMainDlg::OnMiniMainRequested(const QRect& miniFrame, bool skinChanged) {
    if (skinChanged) {
        WearCurrentSkin();
    }
    move(ClampToScreen(miniFrame.topLeft(), size()));
    show();
    raise();
    activateWindow();
    program_.player.SetMode(ViewMode::MainShown);
    tray_->SetWindow(this);
    resyncTimer_.start(kResyncDelayMs);
    if (program_.player.IsMuted()) {
        Button(FaceButton::Mute)->SetState(CSkinButton::kDown);
    }
}

void CMainDlg::ActivateInstance() {
    if (IsHidden(program_.player.Mode())) {
        HideShow();
    }
    // the later copy cannot bring another program's window forward here, so the face comes
    // forward by itself
    QWidget* face = VisibleFace();
    face->raise();
    face->activateWindow();
}

void CMainDlg::BringToFront() {
    if (IsHidden(program_.player.Mode())) {
        HideShow();
        return;
    }
    QWidget* face = VisibleFace();
    face->raise();
    face->activateWindow();
}

void CMainDlg::ShowMuted(bool muted) {
    Button(FaceButton::Mute)->SetState(muted ? CSkinButton::kDown : CSkinButton::kUp);
}

void CMainDlg::ShowVolume(int volume) {
    volume_->SetPos(volume);
}

void CMainDlg::OnResyncTimer() {
    update();
    ShowVolume(program_.player.Volume());
    if (program_.player.IsMuted()) {
        ShowMuted(true);
    }
}

void CMainDlg::RefreshProgramIfNoLinks() {
    if (!links_->IsShown()) {
        QMetaObject::invokeMethod(programTable_, &CProgramTableDlg::RefreshProgram,
                                  Qt::QueuedConnection);
    }
}

// Shown or hidden whether or not the face is on screen now: a hidden face shows them as they
// are when it comes back.
void CMainDlg::ShowProgramButtons(bool info, bool view) {
    infoButtonShown_ = info;
    viewButtonShown_ = view;
    Button(FaceButton::Info)->setVisible(info && placedButtons_.contains(FaceButton::Info));
    Button(FaceButton::View)->setVisible(view && placedButtons_.contains(FaceButton::View));
    if (mini_ != nullptr) {
        mini_->ShowProgramButtons(info, view);
    }
}

void CMainDlg::OnProgramChanged() {
    ShowProgramButtons(true, program_.player.OnAir().hasVfm);
    NameFacesAfter(program_.player.OnAir().title);
    if (!tickerRule_->IsShowingConnecting()) {
        tickerRule_->ShowProgram();
    }
    sprites_->StartCharacterCycle();
}

void CMainDlg::OnProgramCleared() {
    tickerRule_->ShowServiceName();
    NameFacesAfter(QString());
    ShowProgramButtons(false, false);
}

// A screen reader names each face by what plays ("Quilo — Morning Song"); the change of name is
// how it learns that the program changed.
void CMainDlg::NameFacesAfter(const QString& title) {
    const QString name =
        title.isEmpty() ? windowTitle() : windowTitle() + QStringLiteral(" \u2014 ") + title;
    setAccessibleName(name);
    if (mini_ != nullptr) {
        mini_->setAccessibleName(name);
    }
}

void CMainDlg::OnLinksChanged() {
    links_->Reload();
    SetFocusInReadingOrder(*this);
}

void CMainDlg::OnLinksCleared() {
    links_->Hide();
}

void CMainDlg::OnTickerText(const QString& text, const QString& link) {
    if (!tickerRule_->IsShowingConnecting()) {
        tickerRule_->Set(text, link);
    }
}

void CMainDlg::OnScheduleFire() {
    if (IsHidden(program_.player.Mode())) {
        HideShow();
    }
    if (!stream_->IsPlayRequested()) {
        stream_->Play();
    }
}

// The character and the link area are checked one after the other, so a press where a sprite
// sits over the link area opens both pages.
void CMainDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && sprites_->IsOnLinkedCharacter(point)) {
        clickSound_->Schedule();
        web_.OpenCharacterPage(program_.player.OnAir().characterLink, program_.login.userId);
    }
    if (event->button() == Qt::LeftButton && linkArea_.contains(point)) {
        web_.OpenWebPage(this, QString(), program_.login.userId, program_.login.password);
    }
    CSkinDialog::mousePressEvent(event);
}

void CMainDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const bool overCharacter = sprites_->IsCharacterShown() && sprites_->IsOnLinkedCharacter(point);
    setCursor(overCharacter || linkArea_.contains(point) ? Qt::PointingHandCursor
                                                         : Qt::ArrowCursor);
    CSkinDialog::mouseMoveEvent(event);
}

void CMainDlg::paintEvent(QPaintEvent* event) {
    CSkinDialog::paintEvent(event);
    QPainter painter(this);
    sprites_->Paint(painter);
}

void CMainDlg::contextMenuEvent(QContextMenuEvent* event) {
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        at = pos() + QPoint(10, 10);
    }
    setFocus();
    actions_.Update(false, program_.player.OnAir().hasVfm);
    MakePlayerMenu(actions_, program_.skin.Text())->TrackPopupMenu(at - QPoint(0, kMenuLift));
    update();
}
