#include "dialogs/CScheduleDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "content/Program.h"
#include "dialogs/DialogSkinButtons.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "skin/AccessibleNames.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"
#include "skin/SkinFont.h"
#include "web/CWebLauncher.h"

namespace {

// The rows are the dialog's own controls, not the skin's: every skin leaves them this place.
constexpr int kRowsLeft = 14;
constexpr int kFirstRowTop = 60;
constexpr int kRowPitch = 26;
constexpr QRect kEnableBox{6, 4, 18, 18};
constexpr QRect kDayHalfList{30, 2, 62, 22};
constexpr QRect kHourField{100, 3, 34, 20};
constexpr QRect kMinuteField{150, 3, 34, 20};
constexpr int kFieldDigits = 2;

constexpr int kAm = 0;
constexpr int kPm = 1;

constexpr DialogButtonKey kOkKey{"[SCH_OK]", "/sch_btn_ok"};
constexpr DialogButtonKey kCancelKey{"[SCH_CANCEL]", "/sch_btn_cancel"};
constexpr DialogButtonKey kListKey{"[SCH_VIEW]", "/sch_btn_view"};

constexpr char kBackground[] = "/sch_bg.bmp";
constexpr char kProgramListPage[] = "/Schedule/Schedule_List.asp?category=004";

QRect InRow(const QRect& place, int row) {
    return place.translated(kRowsLeft, kFirstRowTop + row * kRowPitch);
}

// An empty field reads 0, as does anything that is not a number.
int32_t FieldValue(const QLineEdit& field) {
    bool isNumber = false;
    const int32_t value = field.text().toInt(&isNumber);
    return isNumber ? value : 0;
}

}  // namespace

CScheduleDlg::CScheduleDlg(Program& program, const ScheduleBytes& schedule, QWidget* owner)
    : CSkinDialog(owner), program_(program), schedule_(schedule) {
    setWindowTitle(QStringLiteral("Quilo"));
    setFont(DialogFont());
    CreateRows();
    CreateButtons();
    if (!LoadBackground(program_.skin.FilePath(QLatin1String(kBackground)))) {
        return;
    }
    if (owner != nullptr) {
        PlaceBeside(owner);
    }
    SetColorKeyTransparency(kSkinColorKey, true);
    PlaceDialogButton(*okButton_, kOkKey, program_.skin, CSkinButton::Kind::PushButton);
    PlaceDialogButton(*cancelButton_, kCancelKey, program_.skin, CSkinButton::Kind::PushButton);
    PlaceDialogButton(*listButton_, kListKey, program_.skin, CSkinButton::Kind::PushButton);
    FillRows();
}

int CScheduleDlg::exec() {
    if (!HasBackground()) {
        // closed as if confirmed, but nothing was: the caller keeps its schedule
        ShowMessage(parentWidget(), StringId::kFilesMissing, MessageIcon::Error);
        return QDialog::Accepted;
    }
    return CSkinDialog::exec();
}

void CScheduleDlg::CreateRows() {
    const auto digitsOnly = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
    for (int row = 0; row < ScheduleRows::kRowCount; ++row) {
        RowControls& controls = rows_.at(row);
        controls.enable = new QCheckBox(this);
        controls.enable->setGeometry(InRow(kEnableBox, row));
        controls.dayHalf = new QComboBox(this);
        controls.dayHalf->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
        controls.dayHalf->setGeometry(InRow(kDayHalfList, row));
        controls.hour = new QLineEdit(this);
        controls.hour->setGeometry(InRow(kHourField, row));
        controls.minute = new QLineEdit(this);
        controls.minute->setGeometry(InRow(kMinuteField, row));
        // the row's number in each name, since a screen reader reads one control at a time
        const auto name = [row](StringId text) { return StringTable::Load(text).arg(row + 1); };
        controls.enable->setAccessibleName(name(StringId::kScheduledStart));
        controls.dayHalf->setAccessibleName(name(StringId::kDayHalf));
        controls.hour->setAccessibleName(name(StringId::kHour));
        controls.minute->setAccessibleName(name(StringId::kMinute));
        for (QLineEdit* field : {controls.hour, controls.minute}) {
            field->setValidator(digitsOnly);
            field->setMaxLength(kFieldDigits);
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            field->installEventFilter(this);
        }
    }
}

void CScheduleDlg::CreateButtons() {
    okButton_ = new CSkinButton(this);
    cancelButton_ = new CSkinButton(this);
    listButton_ = new CSkinButton(this);
    SetAccessibleNames({{okButton_, StringId::kOk},
                        {cancelButton_, StringId::kCancel},
                        {listButton_, StringId::kProgramList}});
    connect(okButton_, &CSkinButton::clicked, this, &CScheduleDlg::StoreRows);
    connect(cancelButton_, &CSkinButton::clicked, this, &CScheduleDlg::reject);
    connect(listButton_, &CSkinButton::clicked, this, &CScheduleDlg::OpenProgramList);
}

// Left of the owner (the settings dialog), top edges level, kept on the screen.
void CScheduleDlg::PlaceBeside(const QWidget* owner) {
    const QPoint wanted(owner->x() - width(), owner->y());
    move(ClampToScreen(wanted, size()));
}

void CScheduleDlg::FillRows() {
    for (int row = 0; row < ScheduleRows::kRowCount; ++row) {
        ShowRow(rows_.at(row),
                ScheduleRows::Decode(schedule_.at(2 * row), schedule_.at(2 * row + 1)));
    }
}

void CScheduleDlg::ShowRow(const RowControls& controls, const ScheduleRow& row) {
    controls.enable->setChecked(row.enabled);
    controls.dayHalf->setCurrentIndex(row.pm ? kPm : kAm);
    controls.hour->setText(QString::number(row.hour));
    controls.minute->setText(QString::number(row.minute));
}

ScheduleRow CScheduleDlg::ReadRow(const RowControls& controls) const {
    ScheduleRow row;
    row.enabled = controls.enable->isChecked();
    row.pm = controls.dayHalf->currentIndex() == kPm;
    row.hour = FieldValue(*controls.hour);
    row.minute = FieldValue(*controls.minute);
    return row;
}

bool CScheduleDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (auto* field = qobject_cast<QLineEdit*>(watched)) {
            ClampField(*field);
        }
    }
    return CSkinDialog::eventFilter(watched, event);
}

// A field is only put right when it loses the focus; a later AM/PM choice leaves it as it is.
void CScheduleDlg::ClampField(QLineEdit& field) {
    for (const RowControls& controls : rows_) {
        const int32_t value = FieldValue(field);
        int32_t clamped = value;
        if (&field == controls.hour) {
            // with nothing chosen the hour is held to a PM hour
            clamped = ScheduleRows::ClampHour(value, controls.dayHalf->currentIndex() != kAm);
        } else if (&field == controls.minute) {
            clamped = ScheduleRows::ClampMinute(value);
        } else {
            continue;
        }
        if (clamped != value) {
            field.setText(QString::number(clamped));
        }
        return;
    }
}

// Every row is written, so a row without a time stores 0:00, unticked.
void CScheduleDlg::StoreRows() {
    // a click on OK leaves the focus where it was: that field is put right first
    if (auto* focused = qobject_cast<QLineEdit*>(focusWidget())) {
        ClampField(*focused);
    }
    schedule_.fill(ScheduleRows::kEmptyByte);
    for (int row = 0; row < ScheduleRows::kRowCount; ++row) {
        const RowControls& controls = rows_.at(row);
        if (controls.dayHalf->currentIndex() < 0) {
            continue;
        }
        const auto [hourByte, minuteByte] = ScheduleRows::Encode(ReadRow(controls));
        schedule_.at(2 * row) = hourByte;
        schedule_.at(2 * row + 1) = minuteByte;
    }
    confirmed_ = true;
    accept();
}

void CScheduleDlg::OpenProgramList() {
    const CWebLauncher web({program_.config.webServer, program_.config.mainSite},
                           program_.config.domain);
    web.OpenWebPage(this, program_.config.mainSite + QLatin1String(kProgramListPage),
                    program_.login.userId, program_.login.password);
}

// Enter and Escape both close the dialog unconfirmed.
void CScheduleDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        reject();
        return;
    }
    CSkinDialog::keyPressEvent(event);
}
