#include "dialogs/CAboutDlg.h"

#include <QMouseEvent>
#include <utility>

#include "content/Program.h"
#include "dialogs/DialogSkin.h"
#include "platform/StringTable.h"
#include "skin/AccessibleNames.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinStatic.h"
#include "skin/ColorKey.h"
#include "web/CWebLauncher.h"

namespace {

// the built-in look's places; the skinned look keeps the label's when the skin has no place
constexpr QRect kBuiltInLabel{20, 114, 300, 80};
constexpr QPoint kBuiltInOk{214, 167};
constexpr QRect kBuiltInLink{206, 30, 54, 47};
constexpr int kLabelHeight = 10;
constexpr int kLabelWeight = 400;

}  // namespace

CAboutDlg::CAboutDlg(Program& program, const CWebLauncher& web, QWidget* owner)
    : CSkinDialog(owner), program_(program), web_(web) {
    setWindowTitle(QStringLiteral("Quilo"));
    setMouseTracking(true);
    CreateControls();
    skinned_ = LoadBackground(program_.skin.FilePath(QStringLiteral("/about_bg.bmp")));
    if (!skinned_) {
        SetFallbackBackground(QStringLiteral(":/res/about_bg.bmp"));
        resize(kBuiltInSize);
    }
    PlaceBeside(owner);
    SetColorKeyTransparency(kSkinColorKey, true);
    ShowVersionText();
    if (skinned_) {
        PlaceSkinnedControls();
    } else {
        PlaceBuiltInControls();
    }
}

void CAboutDlg::CreateControls() {
    versionLabel_ = new CSkinStatic(this);
    versionLabel_->setGeometry(kBuiltInLabel);
    okButton_ = new CSkinButton(this);
    SetAccessibleNames({{okButton_, StringId::kOk}});
    connect(okButton_, &CSkinButton::clicked, this, &CAboutDlg::accept);
}

// To the right of the owner, tops level, kept on the screen. The built-in look keeps a pixel
// more from the screen's right and bottom edges.
void CAboutDlg::PlaceBeside(const QWidget* owner) {
    if (owner == nullptr) {
        return;
    }
    const QRect beside = owner->frameGeometry();
    const QSize clampSize = skinned_ ? size() : size() + QSize(1, 1);
    move(ClampToScreen(QPoint(beside.x() + beside.width(), beside.y()), clampSize));
}

// "Version 2.01" and the two lines of the rights notice.
void CAboutDlg::ShowVersionText() {
    QString text = StringTable::Load(StringId::kVersionText);
    text.replace(QStringLiteral("%s"), StringTable::Load(StringId::kVersionNumber));
    versionLabel_->SetTextAndFont(DialogSkin::ShownLines(text), kLabelHeight, kLabelWeight, false,
                                  QStringLiteral("MS Sans Serif"), Qt::black);
}

void CAboutDlg::PlaceSkinnedControls() {
    const SkinInfo& skin = program_.skin;
    if (DialogSkin::Point(skin, "[ABOUT_OK]")) {
        DialogSkin::PlaceButton(*okButton_, skin, "[ABOUT_OK]", "/about_btn_ok", true);
    }
    if (const std::optional<QRect> area = DialogSkin::Area(skin, "[ABOUT_EDIT]")) {
        versionLabel_->setGeometry(*area);
        versionLabel_->show();
        versionLabel_->SetBkColor(std::nullopt);
        versionLabel_->InvalidateBehind();
    }
    linkArea_ = DialogSkin::Area(skin, "[ABOUT_LINK]").value_or(QRect());
}

void CAboutDlg::PlaceBuiltInControls() {
    okButton_->SetBitmaps(QImage(QStringLiteral(":/res/about_ok_up.bmp")),
                          QImage(QStringLiteral(":/res/about_ok_dn.bmp")), QImage(),
                          CSkinButton::Kind::PushButton, false);
    okButton_->move(kBuiltInOk);
    okButton_->show();
    versionLabel_->setGeometry(kBuiltInLabel);
    versionLabel_->SetBkColor(std::nullopt);
    versionLabel_->InvalidateBehind();
    linkArea_ = kBuiltInLink;
}

// The press moves the window as a press anywhere on the face does. One on the link opens the
// service's site once that move is over, on the release, wherever the window went meanwhile.
void CAboutDlg::mousePressEvent(QMouseEvent* event) {
    pressedOnLink_ =
        event->button() == Qt::LeftButton && linkArea_.contains(event->position().toPoint());
    CSkinDialog::mousePressEvent(event);
}

void CAboutDlg::mouseReleaseEvent(QMouseEvent* event) {
    CSkinDialog::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && std::exchange(pressedOnLink_, false)) {
        web_.OpenWebPage(this, QString(), program_.login.userId, program_.login.password);
    }
}

void CAboutDlg::mouseMoveEvent(QMouseEvent* event) {
    setCursor(linkArea_.contains(event->position().toPoint()) ? Qt::PointingHandCursor
                                                              : Qt::ArrowCursor);
    CSkinDialog::mouseMoveEvent(event);
}
