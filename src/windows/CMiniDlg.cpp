#include "windows/CMiniDlg.h"

#include <QCloseEvent>
#include <QContextMenuEvent>

#include "content/Program.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "skin/ColorKey.h"
#include "skin/SkinToolTips.h"
#include "windows/PlayerActions.h"
#include "windows/PlayerMenu.h"

namespace {
// the context menu opens this far above the point that was clicked
constexpr int kMenuLift = 180;
}  // namespace

CMiniDlg::CMiniDlg(Program& program, PlayerActions& actions)
    : CSkinDialog(nullptr), program_(program), actions_(actions) {
    setWindowTitle(QStringLiteral("Quilo"));
    setWindowIcon(QIcon(QStringLiteral(":/res/icon124.png")));
    CreateControls();
}

void CMiniDlg::CreateControls() {
    ticker_ = new CTickerCtrl(this);
    ticker_->hide();
    for (const ButtonKey& key : SkinLayout::MiniButtons()) {
        auto* button = new CSkinButton(this);
        button->hide();
        SkinToolTips::Set(*button, StringTable::Load(key.toolTip));
        buttons_[key.button] = button;
    }
    volume_ = new CSkinSlider(this);
    volume_->hide();
    SkinToolTips::Set(*volume_, StringTable::Load(StringId::kVolume));

    // the main window hears these buttons as its own
    connect(Button(FaceButton::Hide), &CSkinButton::clicked, this, &CMiniDlg::hideClicked);
    connect(Button(FaceButton::Close), &CSkinButton::clicked, this, &CMiniDlg::closeClicked,
            Qt::QueuedConnection);
    connect(Button(FaceButton::Info), &CSkinButton::clicked, this, &CMiniDlg::infoClicked);
    connect(Button(FaceButton::Play), &CSkinButton::clicked, this, &CMiniDlg::playClicked);
    connect(Button(FaceButton::Stop), &CSkinButton::clicked, this, &CMiniDlg::stopClicked);
    connect(Button(FaceButton::Mute), &CSkinButton::clicked, this, &CMiniDlg::muteClicked);
    connect(Button(FaceButton::View), &CSkinButton::clicked, this, &CMiniDlg::viewClicked);
    connect(volume_, &CSkinSlider::sliderMoved, this, &CMiniDlg::volumeChanged);
    connect(volume_, &CSkinSlider::positionSet, this, &CMiniDlg::volumeChanged);
    connect(Button(FaceButton::Main), &CSkinButton::clicked, this, [this] {
        emit mainRequested(frameGeometry());
        hide();
    });
}

CSkinButton* CMiniDlg::Button(FaceButton button) const {
    const auto found = buttons_.find(button);
    return found != buttons_.end() ? found->second : nullptr;
}

bool CMiniDlg::ApplySkin() {
    if (!LoadBackground(program_.skin.FilePath(QLatin1String(SkinLayout::kMiniBackground)))) {
        return false;
    }
    SetColorKeyTransparency(kSkinColorKey, true);
    // the ticker's text comes from the main face, so its colour key sets none here
    SkinLayout::PlaceTicker(*ticker_, "[MINI_SCR]", "[MINI_SCR_COL]", program_.skin);
    for (const ButtonKey& key : SkinLayout::MiniButtons()) {
        SkinLayout::PlaceButton(*Button(key.button), key, program_.skin);
    }
    SkinLayout::PlaceSlider(*volume_, SkinLayout::kMiniVolume, program_.skin);
    ShowProgramButtons(infoShown_, viewShown_);
    return true;
}

void CMiniDlg::Open(const QPoint& corner) {
    move(ClampToScreen(corner, size()));
    show();
    raise();
}

void CMiniDlg::ShowProgramButtons(bool info, bool view) {
    infoShown_ = info;
    viewShown_ = view;
    int32_t at[2] = {};
    Button(FaceButton::Info)->setVisible(info && program_.skin.GetKeyValues("[MINI_INFO]", at, 2));
    Button(FaceButton::View)->setVisible(view && program_.skin.GetKeyValues("[MINI_VIEW]", at, 2));
}

void CMiniDlg::SetTicker(const QString& text, const QString& link) {
    ticker_->Clear();
    ticker_->AddItem(text, link);
    ticker_->Start(true);
}

void CMiniDlg::SetVolumePosition(int volume) {
    volume_->SetPos(volume);
}

void CMiniDlg::SetMuteShown(bool muted) {
    Button(FaceButton::Mute)->SetState(muted ? CSkinButton::kDown : CSkinButton::kUp);
}

// Closed by the window manager (Alt+F4 ...): the mini face's close button, with its question.
void CMiniDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeClicked();
}

// Escape does not take the face away.
void CMiniDlg::reject() {}

void CMiniDlg::contextMenuEvent(QContextMenuEvent* event) {
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        at = pos() + QPoint(10, 10);
    }
    at -= QPoint(0, kMenuLift);
    setFocus();
    actions_.Update(false, program_.state.hasVfm);
    MakePlayerMenu(actions_, program_.skin.Text())->TrackPopupMenu(at);
    update();
}
