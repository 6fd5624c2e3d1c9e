// The two looks of the log-in dialog: the skin's, placed from the "[LOG_...]" keys, and the
// built-in one, drawn from the program's own bitmaps at fixed places.
#include <QLineEdit>

#include "content/Program.h"
#include "dialogs/CLoginDlg.h"
#include "dialogs/CProgressDlg.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"

namespace {

constexpr QSize kBuiltInSize{260, 196};
constexpr QRect kBuiltInIdField{80, 79, 100, 16};
constexpr QRect kBuiltInPasswordField{80, 103, 100, 16};
constexpr QPoint kBuiltInWaitOffset{28, 133};

struct SkinnedButton {
    CSkinButton* button;
    const char* key;
    const char* stem;  // + "_up.bmp" / "_dn.bmp"
};

std::optional<QRect> SkinArea(const SkinInfo& skin, const char* key) {
    return skin.KeyRect(key);
}

// The field colours take the low 8 bits of each number, and a blue of 0 counts as 1.
std::optional<QColor> FieldColor(const SkinInfo& skin, const char* key) {
    int32_t values[3] = {};
    if (skin.GetKeyValues(key, values, 3) == 0) {
        return std::nullopt;
    }
    const int blue = values[2] & 0xFF;
    return QColor(values[0] & 0xFF, values[1] & 0xFF, blue == 0 ? 1 : blue);
}

void SetFieldColor(QLineEdit& field, const QColor& color) {
    QPalette colors = field.palette();
    colors.setColor(QPalette::Base, color);
    colors.setColor(QPalette::Text, Qt::black);
    field.setPalette(colors);
}

void PlaceSkinnedField(QLineEdit& field, const SkinInfo& skin, const char* areaKey,
                       const char* colorKey) {
    if (const std::optional<QRect> area = SkinArea(skin, areaKey)) {
        field.setGeometry(*area);
    }
    SetFieldColor(field, FieldColor(skin, colorKey).value_or(Qt::white));
}

// A button without its key keeps no bitmap and so cannot be seen or clicked.
void PlaceSkinnedButton(const SkinnedButton& place, const SkinInfo& skin, CSkinButton::Kind kind) {
    int32_t point[2] = {};
    if (skin.GetKeyValues(place.key, point, 2) == 0) {
        place.button->SetState(CSkinButton::kRemoved);
        return;
    }
    const QString stem = QString::fromLatin1(place.stem);
    place.button->LoadBitmaps(skin.FilePath(stem + QStringLiteral("_up.bmp")),
                              skin.FilePath(stem + QStringLiteral("_dn.bmp")), QString(), kind,
                              false);
    place.button->SetTransparentColor(kSkinColorKey);
    place.button->move(point[0], point[1]);
    place.button->show();
}

void PlaceBuiltInButton(CSkinButton& button, const char* upResource, const char* downResource,
                        QPoint topLeft, CSkinButton::Kind kind) {
    button.SetBitmaps(QImage(QString::fromLatin1(upResource)),
                      QImage(QString::fromLatin1(downResource)), QImage(), kind, false);
    button.move(topLeft);
    button.show();
}

}  // namespace

void CLoginDlg::PlaceSkinnedControls() {
    const SkinInfo& skin = program_.skin;
    // until a key says otherwise, the fields stand where the built-in look has them
    idField_->setGeometry(kBuiltInIdField);
    passwordField_->setGeometry(kBuiltInPasswordField);
    PlaceSkinnedField(*idField_, skin, "[LOG_ID]", "[LOG_ID_COL]");
    PlaceSkinnedField(*passwordField_, skin, "[LOG_PW]", "[LOG_PW_COL]");
    using Kind = CSkinButton::Kind;
    PlaceSkinnedButton({saveId_, "[LOG_SAVE]", "/log_chk_save"}, skin, Kind::Toggle);
    // the check box's bitmaps are named "_up" (off) and "_dn" (on), as the buttons' are
    PlaceSkinnedButton({okButton_, "[LOG_OK]", "/log_btn_ok"}, skin, Kind::PushButton);
    PlaceSkinnedButton({cancelButton_, "[LOG_CANCEL]", "/log_btn_cancel"}, skin, Kind::PushButton);
    PlaceSkinnedButton({findButton_, "[LOG_FIND]", "/log_btn_find"}, skin, Kind::PushButton);
    PlaceSkinnedButton({joinButton_, "[LOG_MEMBER]", "/log_btn_member"}, skin, Kind::PushButton);
    waitArea_ = SkinArea(skin, "[LOG_WAIT]");
}

void CLoginDlg::PlaceBuiltInControls() {
    SetFallbackBackground(QStringLiteral(":/res/login_bg.bmp"));
    setFixedSize(kBuiltInSize);
    idField_->setGeometry(kBuiltInIdField);
    passwordField_->setGeometry(kBuiltInPasswordField);
    SetFieldColor(*idField_, Qt::white);
    SetFieldColor(*passwordField_, Qt::white);
    using Kind = CSkinButton::Kind;
    PlaceBuiltInButton(*okButton_, ":/res/login_ok_up.bmp", ":/res/login_ok_dn.bmp", {191, 75},
                       Kind::PushButton);
    PlaceBuiltInButton(*cancelButton_, ":/res/login_cancel_up.bmp", ":/res/login_cancel_dn.bmp",
                       {146, 134}, Kind::PushButton);
    PlaceBuiltInButton(*joinButton_, ":/res/login_member_up.bmp", ":/res/login_member_dn.bmp",
                       {71, 133}, Kind::PushButton);
    PlaceBuiltInButton(*findButton_, ":/res/login_find_up.bmp", ":/res/login_find_dn.bmp",
                       {22, 174}, Kind::PushButton);
    PlaceBuiltInButton(*saveId_, ":/res/login_save_off.bmp", ":/res/login_save_on.bmp", {163, 172},
                       Kind::Toggle);
    waitArea_ = QRect(kBuiltInWaitOffset, CProgressDlg::kDefaultSize);
}
