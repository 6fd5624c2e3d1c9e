#include "dialogs/CInfoDlg.h"

#include <QKeyEvent>
#include <QWindow>

#include "content/Program.h"
#include "dialogs/DialogSkin.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "platform/StringTable.h"
#include "skin/AccessibleNames.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinEdit.h"
#include "skin/CSkinStatic.h"
#include "skin/ColorKey.h"

namespace {

constexpr int kContentDelayMs = 10;
constexpr int kTitleHeight = 10;
constexpr int kTitleWeight = 700;

}  // namespace

CInfoDlg::CInfoDlg(Program& program, QWidget* owner, QWidget* placing)
    : CSkinDialog(owner), program_(program), placing_(placing != nullptr ? placing : owner) {
    setWindowTitle(StringTable::Load(StringId::kProgramInfo));
    setAttribute(Qt::WA_DeleteOnClose);
    CreateControls();
    contentTimer_.setSingleShot(true);
    connect(&contentTimer_, &QTimer::timeout, this, &CInfoDlg::ShowProgram);
}

void CInfoDlg::CreateControls() {
    title_ = new CSkinStatic(this);
    description_ = new CSkinEdit(this);
    description_->setReadOnly(true);
    // the text is for reading: the box never takes the focus, so no caret shows in it
    description_->setFocusPolicy(Qt::NoFocus);
    description_->viewport()->setFocusPolicy(Qt::NoFocus);
    closeButton_ = new CSkinButton(this);
    SetAccessibleNames({{closeButton_, StringId::kClose}});
    connect(closeButton_, &CSkinButton::clicked, this, &CInfoDlg::close);
    title_->hide();
    description_->hide();
}

bool CInfoDlg::Open() {
    if (!LoadBackground(program_.skin.FilePath(QStringLiteral("/info_bg.bmp")))) {
        ShowMessage(parentWidget(), StringId::kFilesMissing, MessageIcon::Error);
        deleteLater();
        return false;
    }
    PlaceBeside();
    show();
    SetColorKeyTransparency(kSkinColorKey, true);
    PlaceControls();
    contentTimer_.start(kContentDelayMs);
    return true;
}

// Left of the face, tops level, kept on the screen.
void CInfoDlg::PlaceBeside() {
    if (placing_ == nullptr) {
        return;
    }
    if (!WindowsPlaceThemselves()) {
        // the compositor places it; as the face's child it opens by the face, not the owner
        // that may be hidden behind the mini face
        winId();
        windowHandle()->setTransientParent(placing_->windowHandle());
        return;
    }
    const QRect face = placing_->frameGeometry();
    move(ClampToScreen(QPoint(face.x() - width(), face.y()), size()));
}

void CInfoDlg::PlaceControls() {
    const SkinInfo& skin = program_.skin;
    if (const std::optional<QRect> area = DialogSkin::Area(skin, "[INFO_TITLE]")) {
        title_->setGeometry(*area);
        title_->show();
        title_->raise();
        title_->SetBkColor(std::nullopt);
        title_->InvalidateBehind();
    } else {
        title_->hide();
    }
    titleColor_ = DialogSkin::Color(skin, "[INFO_TITLE_COL]").value_or(titleColor_);
    if (const std::optional<QRect> area = DialogSkin::Area(skin, "[INFO_EDIT]")) {
        description_->setGeometry(*area);
        description_->show();
    } else {
        description_->hide();
    }
    if (const std::optional<QColor> color = DialogSkin::Color(skin, "[INFO_EDIT_COL]")) {
        description_->SetTextColor(*color);
    }
    DialogSkin::PlaceButton(*closeButton_, skin, "[INFO_CLOSE]", "/info_btn_close");
}

void CInfoDlg::ShowProgram() {
    description_->setPlainText(DialogSkin::ShownLines(program_.player.OnAir().contents));
    title_->SetTextAndFont(program_.player.OnAir().title, kTitleHeight, kTitleWeight, false,
                           QStringLiteral("MS Sans Serif"), titleColor_);
}

// Only the close button closes the dialog.
void CInfoDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            CSkinDialog::keyPressEvent(event);
    }
}
