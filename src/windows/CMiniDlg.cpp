#include "windows/CMiniDlg.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMouseEvent>

#include "content/PlayerModel.h"
#include "content/Program.h"
#include "platform/MessageBox.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "skin/ColorKey.h"
#include "skin/FocusOrder.h"
#include "skin/SkinToolTips.h"
#include "web/CWebLauncher.h"
#include "windows/FaceKeys.h"
#include "windows/PlayerActions.h"
#include "windows/PlayerMenu.h"

namespace {
// the context menu opens this far above the point that was clicked
constexpr int kMenuLift = 180;
}  // namespace

CMiniDlg::CMiniDlg(Program& program, PlayerActions& actions, const CWebLauncher& web)
    : CSkinDialog(nullptr), program_(program), actions_(actions), web_(web) {
    setWindowTitle(QStringLiteral("Quilo"));
    setWindowIcon(QIcon(QStringLiteral(":/res/icon124.png")));
    // the cursor follows the pointer over the link area without a button held
    setMouseTracking(true);
    CreateControls();
}

void CMiniDlg::CreateControls() {
    ticker_ = new CTickerCtrl(this);
    ticker_->hide();
    ticker_->SetLinkOpener([this](const QString& address) {
        web_.OpenWebPage(this, address, program_.login.userId, program_.login.password);
    });
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
    connect(Button(FaceButton::View), &CSkinButton::clicked, this, &CMiniDlg::viewClicked);
    connect(Button(FaceButton::Main), &CSkinButton::clicked, this, &CMiniDlg::ReturnToMain);
    ConnectPlayerModel();
    new FaceKeys(*this, actions_, program_.player, [this] {
        QMetaObject::invokeMethod(this, &CMiniDlg::ReturnToMain, Qt::QueuedConnection);
    });
}

// The slider and the mute button change the player model and show what it holds.
void CMiniDlg::ConnectPlayerModel() {
    PlayerModel* model = &program_.player;
    connect(volume_, &CSkinSlider::sliderMoved, model, &PlayerModel::SetVolume);
    connect(volume_, &CSkinSlider::positionSet, model, &PlayerModel::SetVolume);
    connect(Button(FaceButton::Mute), &CSkinButton::clicked, model, &PlayerModel::SetMuted);
    connect(model, &PlayerModel::volumeChanged, this, &CMiniDlg::ShowVolume);
    connect(model, &PlayerModel::mutedChanged, this, &CMiniDlg::ShowMuted);
}

void CMiniDlg::ReturnToMain() {
    emit mainRequested(frameGeometry(), skinChanged_);
    hide();
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
    SetFocusInReadingOrder(*this);
    // placing starts the slider at 0 and the mute button up: they show the model again
    ShowVolume(program_.player.Volume());
    ShowMuted(program_.player.IsMuted());
    ShowProgramButtons(infoShown_, viewShown_);
    // a skin without the key leaves the link area as it was
    if (const std::optional<QRect> area = SkinLayout::Area(program_.skin, "[MINI_LINK]")) {
        linkArea_ = *area;
    }
    update();
    return true;
}

void CMiniDlg::Open(const QPoint& corner) {
    skinChanged_ = false;
    move(ClampToScreen(corner, size()));
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

// The skin is checked whole before the face changes, so a broken one leaves the face as it was
// and the previous skin stays the program's.
void CMiniDlg::SwitchSkin(const QString& name) {
    if (name.isEmpty() || name.compare(program_.skin.Name(), Qt::CaseInsensitive) == 0) {
        return;
    }
    SkinInfo candidate;
    if (!candidate.Load(name) || !SkinLayout::CanBeWorn(candidate)) {
        ShowMessage(this, StringId::kFilesMissing, MessageIcon::Warning);
        return;
    }
    program_.skinChanging = true;
    program_.skin = candidate;
    ApplySkin();
    skinChanged_ = true;
    program_.prefs.SetSkin(name);
    program_.skinChanging = false;
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

void CMiniDlg::ShowVolume(int volume) {
    volume_->SetPos(volume);
}

void CMiniDlg::ShowMuted(bool muted) {
    Button(FaceButton::Mute)->SetState(muted ? CSkinButton::kDown : CSkinButton::kUp);
}

void CMiniDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && linkArea_.contains(event->position().toPoint())) {
        web_.OpenWebPage(this, QString(), program_.login.userId, program_.login.password);
    }
    CSkinDialog::mousePressEvent(event);
}

void CMiniDlg::mouseMoveEvent(QMouseEvent* event) {
    const bool overLink = linkArea_.contains(event->position().toPoint());
    setCursor(overLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
    CSkinDialog::mouseMoveEvent(event);
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
    actions_.Update(false, program_.player.OnAir().hasVfm);
    MakePlayerMenu(actions_, program_.skin.Text())->TrackPopupMenu(at);
    update();
}
