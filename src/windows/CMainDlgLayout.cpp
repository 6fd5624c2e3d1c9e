// The main window's look: the skin's keys place and colour every control; the window paints the
// skin, the character sprites and the frame animation.

#include <QCursor>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QToolTip>

#include "content/Program.h"
#include "platform/Screen.h"
#include "platform/StringTable.h"
#include "skin/BitmapFileCache.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "skin/ColorKey.h"
#include "windows/CMainDlg.h"
#include "windows/UserMessages.h"

namespace {

constexpr int kMessageLimitBytes = 200;
constexpr int kTickerPeriodMs = 30;
constexpr int kSpritePeriodA = 1100;
constexpr int kSpritePeriodB = 1300;
// where the window goes when no position is saved
constexpr int kUnsavedPosition = 300;

struct ButtonKey {
    int controlId;
    const char* key;
    const char* name;   // the bitmaps are /main_btn_<name>_up.bmp and _dn.bmp
    bool shownByApply;  // info and view are shown only when a program needs them
    int toolTip;
};

// in the order the skin is applied
constexpr ButtonKey kButtonKeys[] = {
    {CMainDlg::kMiniButton, "[MAIN_MINI]", "mini", true, 102},
    {CMainDlg::kHideButton, "[MAIN_HIDE]", "hide", true, 103},
    {CMainDlg::kCloseButton, "[MAIN_CLOSE]", "close", true, 112},
    {CMainDlg::kInfoButton, "[MAIN_INFO]", "info", false, 118},
    {CMainDlg::kPlayButton, "[MAIN_PLAY]", "play", true, 104},
    {CMainDlg::kStopButton, "[MAIN_STOP]", "stop", true, 105},
    {CMainDlg::kMuteButton, "[MAIN_MUTE]", "mute", true, 107},
    {CMainDlg::kViewButton, "[MAIN_VIEW]", "view", false, 109},
    {CMainDlg::kSendButton, "[MAIN_SEND]", "send", true, 122},
};

constexpr int kLinkIds[] = {CMainDlg::kLink1, CMainDlg::kLink2, CMainDlg::kEventBanner};

QColor SkinColor(const int32_t values[3]) {
    return QColor(values[0] & 0xFF, values[1] & 0xFF, values[2] & 0xFF);
}

// The edit colours never take a blue of 0: RGB(r, g, 0) is stored as RGB(r, g, 1).
QColor EditSkinColor(const int32_t values[3]) {
    QColor color = SkinColor(values);
    if (color.blue() == 0) {
        color.setBlue(1);
    }
    return color;
}

QRect AreaOf(const int32_t values[4]) {
    return QRect(QPoint(values[0], values[1]), QSize(values[2], values[3]));
}

void SetSolidBackground(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

}  // namespace

void CMainDlg::CreateControls() {
    counterEdit_ = new QLineEdit(this);
    counterEdit_->setReadOnly(true);
    counterEdit_->setFrame(false);
    counterEdit_->setAlignment(Qt::AlignCenter);
    messageEdit_ = new QPlainTextEdit(this);
    messageEdit_->setFrameShape(QFrame::NoFrame);
    messageEdit_->installEventFilter(this);
    for (const int id : kLinkIds) {
        buttons_.push_back(new CSkinButton(id, this));
    }
    ticker_ = new CTickerCtrl(this);
    for (const ButtonKey& button : kButtonKeys) {
        buttons_.push_back(new CSkinButton(button.controlId, this));
    }
    volume_ = new CSkinSlider(kVolumeSlider, this);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->hide();
    }
}

CSkinButton* CMainDlg::Button(int controlId) const {
    for (CSkinButton* button : buttons_) {
        if (button != nullptr && button->ControlId() == controlId) {
            return button;
        }
    }
    return nullptr;
}

QString CMainDlg::SkinFile(const QString& fileName) const {
    return program_.skin.FilePath(fileName);
}

bool CMainDlg::LoadSkin(const QString& name, bool show, bool reread) {
    if (reread) {
        if (!program_.skin.Load(name)) {
            return false;
        }
        // the program's buttons and images are placed again under the new skin
        PostMessage(this, UM_PROGRAM_CHANGED);
        PostMessage(this, UM_LINKS_CHANGED);
    }
    if (!PlaceWindow(name, show)) {
        return false;
    }
    ApplySkin(name);
    return true;
}

bool CMainDlg::PlaceWindow(const QString& name, bool show) {
    const QString background = SkinInfo::SkinFolder(name) + QStringLiteral("/main_bg.bmp");
    if (!LoadBackground(background)) {
        return false;
    }
    int topMost = 0;
    program_.prefs.GetOptionTopMost(topMost);
    topMost_ = topMost;
    if (show) {
        // the window is only placed when it opens; a skin switch keeps it where it is
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
    if (program_.loginPosition.x() != -1) {
        return program_.loginPosition;
    }
    uint32_t x = kUnsavedPosition;
    uint32_t y = kUnsavedPosition;
    if (!program_.prefs.GetPosX(x)) {
        x = kUnsavedPosition;
    }
    if (!program_.prefs.GetPosY(y)) {
        y = kUnsavedPosition;
    }
    // saved as unsigned: a window left partly off the left or top edge comes back there
    return QPoint(static_cast<int32_t>(x), static_cast<int32_t>(y));
}

void CMainDlg::ApplyTopMost() {
    const bool wanted = topMost_ != 0;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == wanted) {
        return;
    }
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, wanted);
    if (wasVisible) {
        show();
    }
}

void CMainDlg::ApplySkin(const QString& name) {
    ApplyEditKeys();
    ApplyTickerKeys();
    ApplyButtonKeys(name);
    ApplySliderKey(name);
    ApplyDrawingKeys();
    update();
}

void CMainDlg::ApplyEditKeys() {
    int32_t values[4] = {};
    if (program_.skin.GetKeyValues("[MAIN_EDIT]", values, 4)) {
        messageEdit_->setGeometry(AreaOf(values));
        messageEdit_->setPlainText(StringTable::Load(117));
        messageEdit_->show();
    } else {
        messageEdit_->hide();
    }
    if (program_.skin.GetKeyValues("[MAIN_EDIT_COL]", values, 3)) {
        editColor_ = EditSkinColor(values);
    }
    SetSolidBackground(messageEdit_, editColor_);
    if (program_.skin.GetKeyValues("[MAIN_LENG]", values, 4)) {
        counterEdit_->setGeometry(AreaOf(values));
        counterEdit_->setText(QStringLiteral("0/%1").arg(kMessageLimitBytes));
        counterEdit_->show();
    } else {
        counterEdit_->hide();
    }
    if (program_.skin.GetKeyValues("[MAIN_LENG_COL]", values, 3)) {
        counterColor_ = EditSkinColor(values);
    }
    SetSolidBackground(counterEdit_, counterColor_);
}

void CMainDlg::ApplyTickerKeys() {
    int32_t values[4] = {};
    if (program_.skin.GetKeyValues("[MAIN_SCR]", values, 4)) {
        ticker_->setGeometry(AreaOf(values));
        ticker_->show();
    } else {
        ticker_->hide();
    }
    if (program_.skin.GetKeyValues("[MAIN_SCR_COL]", values, 3)) {
        ticker_->SetBkColor(SkinColor(values));
        ticker_->SetPeriod(kTickerPeriodMs);
        SetTicker(StringTable::Load(120), QString());
    }
}

void CMainDlg::ApplyButtonKeys(const QString& name) {
    const QString folder = SkinInfo::SkinFolder(name);
    for (const ButtonKey& key : kButtonKeys) {
        CSkinButton* button = Button(key.controlId);
        int32_t at[2] = {};
        if (!program_.skin.GetKeyValues(key.key, at, 2)) {
            button->hide();
            continue;
        }
        const QString stem = folder + QStringLiteral("/main_btn_") + QLatin1String(key.name);
        // the mute button keeps its state: pressed while the sound is off
        const auto kind =
            key.controlId == kMuteButton ? CSkinButton::kToggle : CSkinButton::kPushButton;
        button->LoadBitmaps(stem + QStringLiteral("_up.bmp"), stem + QStringLiteral("_dn.bmp"),
                            QString(), kind, false);
        button->SetTransparentColor(kSkinColorKey);
        button->move(at[0], at[1]);
        if (key.shownByApply) {
            button->show();
        }
    }
}

void CMainDlg::ApplySliderKey(const QString& name) {
    int32_t at[2] = {};
    if (!program_.skin.GetKeyValues("[MAIN_VOLM]", at, 2)) {
        volume_->hide();
        return;
    }
    const QString stem = SkinInfo::SkinFolder(name) + QStringLiteral("/main_sld_vol_");
    volume_->SetBitmapChannel(stem + QStringLiteral("channel.bmp"),
                              stem + QStringLiteral("channel_dn.bmp"), true, kSkinColorKey);
    volume_->SetBitmapThumb(stem + QStringLiteral("thumb.bmp"),
                            stem + QStringLiteral("thumb_dn.bmp"), true, kSkinColorKey);
    volume_->SetRange(0, 100, false);
    volume_->SetPos(0);
    volume_->move(at[0], at[1]);
    volume_->show();
}

void CMainDlg::ApplyDrawingKeys() {
    KillTimer(kSpriteTimerA);
    KillTimer(kSpriteTimerB);
    int32_t values[6] = {};
    if (program_.skin.GetKeyValues("[MAIN_QUILO]", values, 4)) {
        characterArea_ = AreaOf(values);
        SetTimer(kSpriteTimerA, kSpritePeriodA);
        SetTimer(kSpriteTimerB, kSpritePeriodB);
    } else {
        characterArea_ = QRect();
    }
    KillTimer(kAnimationTimer);
    if (program_.skin.GetKeyValues("[MAIN_QUILO_G]", values, 6)) {
        animationArea_ = AreaOf(values);
        animationFrameCount_ = static_cast<uint8_t>(values[4] & 0xFF);
        SetTimer(kAnimationTimer, std::max(1, values[5]));
    } else {
        animationArea_ = QRect();
    }
    if (program_.skin.GetKeyValues("[MAIN_LINK0]", values, 4)) {
        linkArea_ = AreaOf(values);
    }
}

void CMainDlg::AddToolTips() {
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(255, 255, 230));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
    for (const ButtonKey& key : kButtonKeys) {
        Button(key.controlId)->setToolTip(StringTable::Load(key.toolTip));
    }
    volume_->setToolTip(StringTable::Load(108));
}

// A sprite hops to a random place in the character area: the small or the big character,
// with the face showing through its blue pixels. The old place shows the face again.
bool CMainDlg::DrawCharacter(QRect& previous, bool show) {
    QRect& spriteRect = &previous == &spriteRectA_ ? spriteRectA_ : spriteRectB_;
    QString& spriteFile = &previous == &spriteRectA_ ? spriteFileA_ : spriteFileB_;
    if (!HasBackground()) {
        return false;
    }
    update(spriteRect);
    if (!show) {
        spriteFile.clear();
        unsetCursor();
        return true;
    }
    QRandomGenerator* random = QRandomGenerator::global();
    const QString file =
        SkinFile(random->bounded(32768) % 2 == 0 ? QStringLiteral("/quilo_small.bmp")
                                                 : QStringLiteral("/quilo_big.bmp"));
    QSize size;
    if (!GetBitmapFileSize(file, size)) {
        return false;
    }
    const int left =
        characterArea_.left() + random->bounded(32768) * characterArea_.width() / 32767;
    const int top = characterArea_.top() + random->bounded(32768) * characterArea_.height() / 32767;
    spriteRect = QRect(QPoint(left, top), size);
    spriteFile = file;
    update(spriteRect);
    const QPoint mouse = mapFromGlobal(QCursor::pos());
    if (spriteRect.contains(mouse) && !program_.state.characterLink.isEmpty()) {
        setCursor(Qt::PointingHandCursor);
    } else if (characterArea_.contains(mouse)) {
        setCursor(Qt::ArrowCursor);
    }
    return true;
}

void CMainDlg::DrawAnimationFrame(int frame) {
    animationFrame_ = frame;
    update(animationArea_);
}

void CMainDlg::paintEvent(QPaintEvent* event) {
    CSkinDialog::paintEvent(event);
    QPainter painter(this);
    PaintSprites(painter);
}

void CMainDlg::PaintSprites(QPainter& painter) {
    if (animationFrame_ >= 0 && !animationArea_.isEmpty()) {
        const QString frame = SkinFile(
            QStringLiteral("/main_quiloG_%1.bmp").arg(animationFrame_ + 1, 2, 10, QChar(u'0')));
        QSize size;
        if (GetBitmapFileSize(frame, size)) {
            painter.save();
            painter.setClipRect(animationArea_);
            PaintBitmapFile(painter, frame, QRect(animationArea_.topLeft(), size));
            painter.restore();
        }
    }
    const std::pair<const QRect*, const QString*> sprites[] = {{&spriteRectA_, &spriteFileA_},
                                                               {&spriteRectB_, &spriteFileB_}};
    for (const auto& [rect, file] : sprites) {
        if (!file->isEmpty()) {
            painter.drawImage(*rect,
                              WithKeyTransparent(BitmapFileCache::Load(*file), kSkinColorKey));
        }
    }
}
