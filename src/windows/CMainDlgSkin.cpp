// The main face's look: the skin's keys place and colour every control; a skin switch checks the
// whole new skin before either face wears it.

#include <QLineEdit>

#include "content/Program.h"
#include "platform/DesktopOpen.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "skin/ColorKey.h"
#include "skin/FocusOrder.h"
#include "skin/SkinToolTips.h"
#include "windows/CMainDlg.h"
#include "windows/CMiniDlg.h"
#include "windows/CharacterSprites.h"
#include "windows/MessageComposer.h"
#include "windows/MessageEdit.h"
#include "windows/ProgramLinks.h"
#include "windows/TickerRule.h"

namespace {

// where the window goes when no position is saved
constexpr int kUnsavedPosition = 300;

// The edit colours never take a blue of 0: RGB(r, g, 0) is stored as RGB(r, g, 1).
QColor EditSkinColor(QColor color) {
    if (color.blue() == 0) {
        color.setBlue(1);
    }
    return color;
}

void SetSolidBackground(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
}

}  // namespace

void CMainDlg::CreateControls() {
    counterEdit_ = new QLineEdit(this);
    counterEdit_->setReadOnly(true);
    counterEdit_->setFrame(false);
    counterEdit_->setAlignment(Qt::AlignCenter);
    // the counter only reads out the message's length: Tab passes it by
    counterEdit_->setFocusPolicy(Qt::NoFocus);
    messageEdit_ = new MessageEdit(this);
    messageEdit_->setFrameShape(QFrame::NoFrame);
    // Tab leaves the message for the next control; a message has no use for tab characters
    messageEdit_->setTabChangesFocus(true);
    messageEdit_->installEventFilter(this);
    composer_ = new MessageComposer(*messageEdit_, *counterEdit_, program_, this);
    links_ = new ProgramLinks(this, program_);
    connect(links_, &ProgramLinks::openRequested, this, [this](const QString& address) {
        web_.OpenWebPage(this, address, program_.login.userId, program_.login.password);
    });
    ticker_ = new CTickerCtrl(this);
    ticker_->SetLinkOpener([this](const QString& address) {
        web_.OpenWebPage(this, address, program_.login.userId, program_.login.password);
    });
    for (const ButtonKey& key : SkinLayout::MainButtons()) {
        buttons_[key.button] = new CSkinButton(this);
        // named for its place in the skin, so tools (and tests) can tell the buttons apart
        buttons_[key.button]->setObjectName(QLatin1String(key.key));
    }
    volume_ = new CSkinSlider(this);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->hide();
    }
}

bool CMainDlg::PlaceWindow(bool show) {
    if (!LoadBackground(program_.skin.FilePath(QLatin1String(SkinLayout::kMainBackground)))) {
        return false;
    }
    topMost_ = program_.prefs.GetOptionTopMost();
    if (show) {
        // the window is only placed when it opens; a skin switch keeps it where it is. Pulled
        // back from the right and bottom edges only: a negative position stays.
        const QRect area = AvailableScreenArea();
        QPoint at = StartPosition();
        at.setX(std::min(at.x(), area.x() + area.width() - width()));
        at.setY(std::min(at.y(), area.y() + area.height() - height()));
        move(at);
    }
    ApplyTopMost();
    if (show) {
        this->show();
    }
    SetColorKeyTransparency(kSkinColorKey, true);
    return true;
}

QPoint CMainDlg::StartPosition() const {
    if (program_.loginPosition) {
        return *program_.loginPosition;
    }
    // saved as unsigned: a window left partly off the left or top edge comes back there
    const auto saved = [](std::optional<uint32_t> value) {
        return value ? static_cast<int32_t>(*value) : kUnsavedPosition;
    };
    return QPoint(saved(program_.prefs.GetPosX()), saved(program_.prefs.GetPosY()));
}

// Both faces keep to the listener's choice, the one on screen at once.
void CMainDlg::ApplyTopMost() {
    if (mini_ != nullptr) {
        mini_->SetTopMost(topMost_);
    }
    SetTopMost(topMost_);
}

void CMainDlg::ApplySkin() {
    ApplyEditKeys();
    ApplyTickerKeys();
    placedButtons_.clear();
    for (const ButtonKey& key : SkinLayout::MainButtons()) {
        if (SkinLayout::PlaceButton(*Button(key.button), key, program_.skin)) {
            placedButtons_.insert(key.button);
        }
    }
    SkinLayout::PlaceSlider(*volume_, SkinLayout::kMainVolume, program_.skin);
    SetFocusInReadingOrder(*this);
    sprites_->ApplySkin();
    // a skin without the key has no link area: the last skin's must not linger
    // a skin without the key leaves the link area as it was
    if (const std::optional<QRect> area = SkinLayout::Area(program_.skin, "[MAIN_LINK0]")) {
        linkArea_ = *area;
    }
    update();
}

void CMainDlg::ApplyEditKeys() {
    if (const std::optional<QRect> area = SkinLayout::Area(program_.skin, "[MAIN_EDIT]")) {
        messageEdit_->setGeometry(*area);
        messageEdit_->SetByteLimit(MessageEdit::kBoardLimitBytes);
        messageEdit_->setPlainText(StringTable::Load(StringId::kMessagePrompt));
        messageEdit_->show();
    } else {
        messageEdit_->hide();
    }
    editColor_ =
        EditSkinColor(SkinLayout::Color(program_.skin, "[MAIN_EDIT_COL]").value_or(editColor_));
    SetSolidBackground(*messageEdit_, editColor_);
    if (const std::optional<QRect> area = SkinLayout::Area(program_.skin, "[MAIN_LENG]")) {
        counterEdit_->setGeometry(*area);
        counterEdit_->setText(QStringLiteral("0/%1").arg(MessageEdit::kBoardLimitBytes));
        counterEdit_->show();
    } else {
        counterEdit_->hide();
    }
    counterColor_ =
        EditSkinColor(SkinLayout::Color(program_.skin, "[MAIN_LENG_COL]").value_or(counterColor_));
    SetSolidBackground(*counterEdit_, counterColor_);
}

void CMainDlg::ApplyTickerKeys() {
    if (SkinLayout::PlaceTicker(*ticker_, "[MAIN_SCR]", "[MAIN_SCR_COL]", program_.skin)) {
        tickerRule_->ShowServiceName();
    }
}

void CMainDlg::AddToolTips() {
    for (const ButtonKey& key : SkinLayout::MainButtons()) {
        SkinToolTips::Set(*Button(key.button), StringTable::Load(key.toolTip));
    }
    SkinToolTips::Set(*volume_, StringTable::Load(StringId::kVolume));
}

// A skin is worn whole or not at all: the new one is read and checked before the face changes,
// so a skin with missing files leaves the face as it was, with the message. While the mini face
// is in use it wears the skin, and this face wears it when it comes back.
void CMainDlg::SwitchSkin(const QString& name) {
    if (IsMini(program_.player.Mode()) && mini_ != nullptr) {
        mini_->SwitchSkin(name);
        return;
    }
    if (name.isEmpty() || name.compare(program_.skin.Name(), Qt::CaseInsensitive) == 0) {
        return;
    }
    SkinInfo candidate;
    if (!candidate.Load(name) || !SkinLayout::CanBeWorn(candidate)) {
        ShowMessage(this, StringId::kFilesMissing, MessageIcon::Warning);
        return;
    }
    program_.skin = candidate;
    WearCurrentSkin();
    program_.prefs.SetSkin(name);
}

// The program's skin, placed again on this face, with the program's buttons and images; the
// mini face wears it the next time it opens.
void CMainDlg::WearCurrentSkin() {
    program_.skinChanging = true;
    sprites_->SetPaused(true);
    PlaceWindow(false);
    ApplySkin();
    QMetaObject::invokeMethod(this, &CMainDlg::OnProgramChanged, Qt::QueuedConnection);
    QMetaObject::invokeMethod(this, &CMainDlg::OnLinksChanged, Qt::QueuedConnection);
    resyncTimer_.start(kResyncDelayMs);
    sprites_->SetPaused(false);
    program_.skinChanging = false;
}
