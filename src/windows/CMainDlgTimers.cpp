// The main window's timers: the start of playback, waiting for the stream, the viewer, the
// sprites and the animation; and the ticker rule every change of the ticker goes through.

#include <limits>

#include "content/Program.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "windows/CMainDlg.h"
#include "windows/CMiniDlg.h"
#include "windows/UserMessages.h"

namespace {

constexpr int kPollPeriodMs = 500;
constexpr int kFirstCharacterSwitchMs = 1000;
// Character times: -1 means "stay" (the longest period there is), 0 the shortest there is.
constexpr int kShortestPeriodMs = 10;

int CharacterPeriod(int32_t milliseconds) {
    if (milliseconds < 0) {
        return std::numeric_limits<int>::max();
    }
    return std::max(milliseconds, kShortestPeriodMs);
}

}  // namespace

void CMainDlg::OnTimer(int id) {
    switch (id) {
        case kStartTimer:
            RunStartSequence();
            break;
        case kTickerTimer:
            OnTickerTimer();
            break;
        case kViewerTimer:
            OnViewerTimer();
            break;
        case kResyncTimer:
            OnResyncTimer();
            break;
        case kSpriteTimerA:
            OnSpriteTimer(spriteRectA_);
            break;
        case kSpriteTimerB:
            OnSpriteTimer(spriteRectB_);
            break;
        case kCharacterTimer:
            OnCharacterTimer();
            break;
        case kClickSoundTimer:
            KillTimer(kClickSoundTimer);
            break;
        case kAnimationTimer:
            OnAnimationTimer();
            break;
        default:
            CSkinDialog::OnTimer(id);
    }
}

void CMainDlg::RunStartSequence() {
    KillTimer(kStartTimer);
    viewer_->Create();
    ChooseStreamAddresses();

    uint32_t volume = CPrefStore::kDefaultVolume;
    program_.prefs.GetVolume(volume);  // unreadable, 0 or above 100 gives 20
    volume_->SetPos(static_cast<int>(volume));
    viewer_->SetVolume(static_cast<int>(volume));

    if (program_.scheduledStart == 0) {
        viewer_->Play(fmUrl_, false);
        SetTicker(StringTable::Load(119), QString());
        SetTimer(kTickerTimer, kPollPeriodMs);
    }
    int mini = 0;
    program_.prefs.GetOptionMini(mini);
    if (mini != 0) {
        SendMessage(this, UM_SKINBUTTON_CLICK, kMiniButton, 0);
    }
    if (program_.scheduledStart != 0) {
        HideShow();
    }
    program_.prefs.GetOptionSchedule(program_.scheduleOption);
    program_.prefs.GetSchedule(program_.schedule.data(), CPrefStore::kScheduleSize);
}

// The version text's first two characters, read positionally: "3." of libVLC 3 reads 30 and,
// being above 10, selects MMS on port 8080.
void CMainDlg::ChooseStreamAddresses() {
    const QByteArray version = viewer_->GetPlayerVersion().toLatin1();
    const QString server = program_.config.streamServer;
    if (SkinInfo::ParseFieldNumber(version) > 10) {
        fmUrl_ = QStringLiteral("mms://%1:8080/L-FM_300k").arg(server);
        vfmUrl_ = QStringLiteral("mms://%1:8080/L-VFM_300k").arg(server);
    } else {
        fmUrl_ = QStringLiteral("mmst://%1/L-FM_300k").arg(server);
        vfmUrl_ = QStringLiteral("mmst://%1/L-VFM_300k").arg(server);
    }
}

void CMainDlg::OnTickerTimer() {
    if (!viewer_->IsPlaying()) {
        return;
    }
    KillTimer(kTickerTimer);
    SetTicker(program_.state.scrollText, program_.state.scrollLink);
}

// The viewer opens under the visible face once the visual stream really plays.
void CMainDlg::OnViewerTimer() {
    if (!viewer_->IsPlaying()) {
        return;
    }
    KillTimer(kViewerTimer);
    const QRect face = VisibleFace()->frameGeometry();
    viewer_->Show(face.left(), face.bottom() + 1);
    SetTicker(program_.state.scrollText, program_.state.scrollLink);
}

void CMainDlg::OnResyncTimer() {
    KillTimer(kResyncTimer);
    volume_->SetPos(viewer_->GetVolume());
    Redraw();
    if (viewer_->GetFlags() & CViewerDlg::kMuted) {
        Button(kMuteButton)->SetState(CSkinButton::kDown);
    }
}

void CMainDlg::OnSpriteTimer(QRect& previous) {
    if (program_.skinChanging != 0) {
        return;
    }
    DrawCharacter(previous, characterShown_ != 0);
}

void CMainDlg::OnCharacterTimer() {
    KillTimer(kCharacterTimer);
    const auto& times = program_.state.characterTimes;
    characterShown_ = characterShown_ != 0 ? 0 : 1;
    SetTimer(kCharacterTimer, CharacterPeriod(characterShown_ != 0 ? times[1] : times[2]));
}

void CMainDlg::OnAnimationTimer() {
    if (animationArea_.isEmpty() || animationFrameCount_ == 0) {
        return;
    }
    const int frame = animationCounter_ % animationFrameCount_;
    ++animationCounter_;  // wraps from 255 to 0
    DrawAnimationFrame(frame);
}

void CMainDlg::SetTicker(const QString& text, const QString& link) {
    QString currentLink;
    const QString currentText = ticker_->GetLastItem(&currentLink);
    if (text.compare(currentText, Qt::CaseInsensitive) == 0) {
        if (link.compare(currentLink, Qt::CaseInsensitive) != 0) {
            ChangeTicker(text, link);
        }
        return;
    }
    if (text.isEmpty()) {
        const bool known = !program_.state.scrollText.isEmpty();
        const QString newText = known ? program_.state.scrollText : StringTable::Load(120);
        const QString newLink = known ? program_.state.scrollLink : QString();
        if (newText != currentText) {
            ChangeTicker(newText, newLink);
        }
        return;
    }
    ChangeTicker(text, link);
}

void CMainDlg::ChangeTicker(const QString& text, const QString& link) {
    ticker_->Clear();
    ticker_->AddItem(text, link);
    ticker_->Start(true);
    if (program_.viewMode == kViewMiniShown || program_.viewMode == kViewMiniHidden) {
        PostMessage(mini_, UM_MINI_TICKER, 0, 0, QStringList{text, link});
    }
}

bool CMainDlg::TickerShowsConnecting() const {
    return ticker_->GetLastItem() == StringTable::Load(119);
}

void CMainDlg::Redraw() {
    update();
    repaint();
}

QWidget* CMainDlg::VisibleFace() const {
    const bool mini = program_.viewMode == kViewMiniShown || program_.viewMode == kViewMiniHidden;
    return mini && mini_ != nullptr ? static_cast<QWidget*>(mini_) : const_cast<CMainDlg*>(this);
}
