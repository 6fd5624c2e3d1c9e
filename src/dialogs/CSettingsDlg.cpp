#include "dialogs/CSettingsDlg.h"

#include <QKeyEvent>

#include "content/Program.h"
#include "dialogs/CScheduleDlg.h"
#include "dialogs/DialogSkinButtons.h"
#include "platform/MessageBox.h"
#include "skin/AccessibleNames.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"

namespace {

constexpr DialogButtonKey kAutoLoginKey{"[SET_AUTO]", "/set_chk_auto"};
constexpr DialogButtonKey kTopMostKey{"[SET_TOP]", "/set_chk_top"};
constexpr DialogButtonKey kScheduleBoxKey{"[SET_SCHEDULE]", "/set_chk_schedule"};
constexpr DialogButtonKey kScheduleButtonKey{"[SET_SCHEVIEW]", "/set_btn_schedule"};
constexpr DialogButtonKey kOkKey{"[SET_OK]", "/set_btn_ok"};
constexpr DialogButtonKey kCancelKey{"[SET_CANCEL]", "/set_btn_cancel"};

constexpr char kBackground[] = "/set_bg.bmp";

}  // namespace

CSettingsDlg::CSettingsDlg(Program& program, QWidget* owner)
    : CSkinDialog(owner), program_(program), workingSchedule_(program.schedule) {
    setWindowTitle(QStringLiteral("Quilo"));
    CreateButtons();
    if (!LoadBackground(program_.skin.FilePath(QLatin1String(kBackground)))) {
        return;
    }
    if (owner != nullptr) {
        PlaceBeside(owner);
    }
    SetColorKeyTransparency(kSkinColorKey, true);
    PlaceButtons();
}

int CSettingsDlg::exec() {
    if (!HasBackground()) {
        ShowMessage(parentWidget(), StringId::kFilesMissing, MessageIcon::Error);
        return QDialog::Rejected;
    }
    return CSkinDialog::exec();
}

void CSettingsDlg::CreateButtons() {
    autoLogin_ = new CSkinButton(this);
    topMost_ = new CSkinButton(this);
    schedule_ = new CSkinButton(this);
    scheduleButton_ = new CSkinButton(this);
    okButton_ = new CSkinButton(this);
    cancelButton_ = new CSkinButton(this);
    SetAccessibleNames({{autoLogin_, StringId::kAutoLogIn},
                        {topMost_, StringId::kAlwaysOnTop},
                        {schedule_, StringId::kScheduledPlayback},
                        {scheduleButton_, StringId::kEditSchedule},
                        {okButton_, StringId::kOk},
                        {cancelButton_, StringId::kCancel}});
    connect(autoLogin_, &CSkinButton::clicked, this,
            [this](bool on) { OnOptionClicked(kAutoLogin, on); });
    connect(topMost_, &CSkinButton::clicked, this,
            [this](bool on) { OnOptionClicked(kTopMost, on); });
    connect(schedule_, &CSkinButton::clicked, this,
            [this](bool on) { OnOptionClicked(kSchedule, on); });
    connect(scheduleButton_, &CSkinButton::clicked, this, &CSettingsDlg::EditSchedule);
    connect(okButton_, &CSkinButton::clicked, this, &CSettingsDlg::Confirm);
    connect(cancelButton_, &CSkinButton::clicked, this, &CSettingsDlg::reject);
}

// Right of the owner (the face the listener uses), top edges level, kept on the screen.
void CSettingsDlg::PlaceBeside(const QWidget* owner) {
    const QPoint wanted(owner->x() + owner->width(), owner->y());
    move(ClampToScreen(wanted, size()));
}

void CSettingsDlg::PlaceButtons() {
    PlaceOptionBox(*autoLogin_, kAutoLoginKey, kAutoLogin, program_.prefs.GetOptionAutoLogin());
    PlaceOptionBox(*topMost_, kTopMostKey, kTopMost, program_.prefs.GetOptionTopMost());
    PlaceOptionBox(*schedule_, kScheduleBoxKey, kSchedule, program_.prefs.GetOptionSchedule());
    using Kind = CSkinButton::Kind;
    PlaceDialogButton(*scheduleButton_, kScheduleButtonKey, program_.skin, Kind::PushButton);
    PlaceDialogButton(*okButton_, kOkKey, program_.skin, Kind::PushButton);
    PlaceDialogButton(*cancelButton_, kCancelKey, program_.skin, Kind::PushButton);
}

// A box the skin does not place cannot be ticked: its option stays off.
void CSettingsDlg::PlaceOptionBox(CSkinButton& box, const DialogButtonKey& place, OptionFlag flag,
                                  bool on) {
    if (!PlaceDialogButton(box, place, program_.skin, CSkinButton::Kind::Toggle) || !on) {
        return;
    }
    box.SetState(CSkinButton::kDown);
    optionFlags_ |= flag;
}

void CSettingsDlg::OnOptionClicked(OptionFlag flag, bool on) {
    if (on) {
        optionFlags_ |= flag;
    } else {
        optionFlags_ &= static_cast<uint8_t>(~flag);
    }
}

void CSettingsDlg::EditSchedule() {
    CScheduleDlg scheduleDlg(program_, workingSchedule_, this);
    scheduleDlg.exec();
    if (scheduleDlg.IsConfirmed()) {
        workingSchedule_ = scheduleDlg.Schedule();
    }
}

// Edited times become the program's only with scheduled playback ticked.
void CSettingsDlg::Confirm() {
    if ((optionFlags_ & kSchedule) != 0) {
        program_.schedule = workingSchedule_;
    }
    confirmed_ = true;
    accept();
}

// Enter and Escape both close the dialog unconfirmed: nothing is stored or applied.
void CSettingsDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        reject();
        return;
    }
    CSkinDialog::keyPressEvent(event);
}
