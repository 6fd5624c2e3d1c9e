#include "dialogs/CLoginDlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <initializer_list>

#include "content/Program.h"
#include "content/UpdateCheck.h"
#include "dialogs/CProgressDlg.h"
#include "platform/DesktopOpen.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "skin/AccessibleNames.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"
#include "web/CWebRequestDlg.h"

namespace {

constexpr int kFirstTickMs = 50;

}  // namespace

CLoginDlg::CLoginDlg(Program& program, CWebRequestDlg& channel, QWidget* owner)
    : CSkinDialog(owner), program_(program), channel_(channel) {
    setWindowTitle(QStringLiteral("Quilo"));
    CreateControls();
    skinned_ = LoadBackground(program_.skin.FilePath(QStringLiteral("/log_bg.bmp")));
    if (skinned_) {
        PlaceSkinnedControls();
    } else {
        PlaceBuiltInControls();
    }
    PlaceOnScreen();
    SetTopMost(true);
    SetColorKeyTransparency(kSkinColorKey, true);
    FillSavedId();
    firstTick_.setSingleShot(true);
    connect(&firstTick_, &QTimer::timeout, this, &CLoginDlg::OnFirstTick);
    firstTick_.start(kFirstTickMs);
}

CLoginDlg::~CLoginDlg() = default;

std::optional<QPoint> CLoginDlg::TopLeft() const {
    if (!finalRect_) {
        return std::nullopt;
    }
    return finalRect_->topLeft();
}

void CLoginDlg::CreateControls() {
    idField_ = new QLineEdit(this);
    passwordField_ = new QLineEdit(this);
    passwordField_->setEchoMode(QLineEdit::Password);
    for (QLineEdit* field : {idField_, passwordField_}) {
        field->setFrame(false);
        field->installEventFilter(this);
    }
    okButton_ = new CSkinButton(this);
    cancelButton_ = new CSkinButton(this);
    findButton_ = new CSkinButton(this);
    joinButton_ = new CSkinButton(this);
    saveId_ = new CSkinButton(this);
    SetAccessibleNames({{idField_, StringId::kUserId},
                        {passwordField_, StringId::kPassword},
                        {okButton_, StringId::kOk},
                        {cancelButton_, StringId::kCancel},
                        {findButton_, StringId::kFindIdPassword},
                        {joinButton_, StringId::kJoin},
                        {saveId_, StringId::kSaveLogIn}});
    connect(okButton_, &CSkinButton::clicked, this, &CLoginDlg::TryLogIn);
    connect(cancelButton_, &CSkinButton::clicked, this, &CLoginDlg::reject);
    connect(findButton_, &CSkinButton::clicked, this, &CLoginDlg::OpenFinderPage);
    connect(joinButton_, &CSkinButton::clicked, this, &CLoginDlg::OpenJoinPage);
    connect(saveId_, &CSkinButton::clicked, this, &CLoginDlg::OnSaveIdChanged);
}

// At the main window's last place, which the log-in shares; a coordinate that was never saved
// centres the dialog that way. The place is not pulled onto the screen.
void CLoginDlg::PlaceOnScreen() {
    const QRect screen = AvailableScreenArea();
    const std::optional<uint32_t> savedX = program_.prefs.GetPosX();
    const std::optional<uint32_t> savedY = program_.prefs.GetPosY();
    const int x =
        savedX ? static_cast<int32_t>(*savedX) : screen.left() + (screen.width() - width()) / 2;
    const int y =
        savedY ? static_cast<int32_t>(*savedY) : screen.top() + (screen.height() - height()) / 2;
    move(x, y);
}

void CLoginDlg::FillSavedId() {
    const QString savedId = program_.prefs.GetID().value_or(QString());
    if (savedId.isEmpty()) {
        return;
    }
    idField_->setText(savedId);
    saveId_->SetState(CSkinButton::kDown);
}

// No log-in is taken while the update check runs: a release the listener accepts ends the
// dialog, and a log-in already under way would then be a second one.
void CLoginDlg::OnFirstTick() {
    SetInputEnabled(false);
    checkingUpdate_ = true;
    CheckForUpdate(this, program_.log, program_.config.webServer,
                   [this](bool handedOver) { OnUpdateChecked(handedOver); });
}

void CLoginDlg::OnUpdateChecked(bool handedOver) {
    checkingUpdate_ = false;
    SetInputEnabled(true);
    if (handedOver) {
        // the new release takes over: the program ends as if the listener had cancelled
        reject();
        return;
    }
    if (!isVisible()) {
        return;  // cancelled, or the program told to end, while the check ran
    }
    if (saveId_->isChecked()) {
        passwordField_->setFocus();
    } else {
        idField_->setFocus();
    }
    if (program_.prefs.GetOptionAutoLogin()) {
        LogInByItself();
    }
}

void CLoginDlg::SetInputEnabled(bool enabled) {
    for (QWidget* input : std::initializer_list<QWidget*>{idField_, passwordField_, okButton_}) {
        input->setEnabled(enabled);
    }
}

// With the saved ID and password, as if the listener had typed them and pressed OK.
void CLoginDlg::LogInByItself() {
    program_.login.userId = program_.prefs.GetID().value_or(QString());
    if (program_.login.userId.isEmpty()) {
        return;
    }
    program_.prefs.GetPW(this, [this](const std::optional<QString>& savedPassword) {
        if (!savedPassword) {
            program_.login.userId.clear();
            return;
        }
        program_.login.password = *savedPassword;
        idField_->setText(program_.login.userId);
        passwordField_->setText(program_.login.password);
        TryLogIn();
    });
}

void CLoginDlg::TryLogIn() {
    if (checkingUpdate_ || loginWaiting_ || HasSucceeded()) {
        return;  // one log-in at a time, none before the update check is over, none after one
    }
    ShowWaitIndicator();
    setEnabled(false);
    password_ = passwordField_->text();
    userId_ = idField_->text();
    loginWaiting_ = true;
    channel_.RequestLogin(userId_, password_, program_.config.loginLimitMs, this,
                          [this](LoginResult result) { OnLoginAnswer(result); });
}

void CLoginDlg::OnLoginAnswer(LoginResult result) {
    loginWaiting_ = false;
    setEnabled(true);
    delete waitIndicator_;
    waitIndicator_ = nullptr;
    if (result == LoginResult::LoggedIn) {
        finalRect_ = frameGeometry();
        result_ = 1;
        accept();
        return;
    }
    ReportFailure(static_cast<int>(result));
}

void CLoginDlg::done(int result) {
    if (loginWaiting_) {
        channel_.Close();
    }
    CSkinDialog::done(result);
}

void CLoginDlg::ShowWaitIndicator() {
    if (!waitArea_) {
        return;
    }
    waitIndicator_ = new CProgressDlg(this);
    waitIndicator_->ShowAt(waitArea_->translated(geometry().topLeft()));
}

// A refused ID or password says nothing: the dialog stays open for another try.
void CLoginDlg::ReportFailure(int loginResult) {
    if (loginResult == static_cast<int>(LoginResult::TimeOver)) {
        ShowMessage(this, StringId::kLoginFailed, MessageIcon::Error);
    } else if (loginResult == static_cast<int>(LoginResult::NotConnected)) {
        ShowMessage(this, StringId::kLoginServerFailed, MessageIcon::Error);
    }
}

void CLoginDlg::OnSaveIdChanged() {
    RememberId();
}

// A ticked box keeps the ID for the next start; an unticked one forgets it at once.
void CLoginDlg::RememberId() {
    if (saveId_->isChecked()) {
        userId_ = idField_->text();
    } else {
        userId_.clear();
    }
    program_.prefs.SetID(userId_);
}

void CLoginDlg::OpenFinderPage() {
    OpenWithDesktop(program_.config.ssoSite + QStringLiteral("/commonMember/id_find.jsp"));
}

void CLoginDlg::OpenJoinPage() {
    OpenWithDesktop(program_.config.mainSite +
                    QStringLiteral("/sso/ssoRegCheck.asp?siteType=ZELK"));
}

// Enter in a field logs in (the OK button shown pressed first); leaving the ID field keeps the
// ID by the save-ID rule.
bool CLoginDlg::eventFilter(QObject* watched, QEvent* event) {
    const bool isField = watched == idField_ || watched == passwordField_;
    if (isField && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            okButton_->setDown(true);
            okButton_->repaint();
            okButton_->setDown(false);
            TryLogIn();
            return true;
        }
    }
    if (watched == idField_ && event->type() == QEvent::FocusOut) {
        RememberId();
    }
    return CSkinDialog::eventFilter(watched, event);
}

// Tab goes back and forth between the two fields and nowhere else.
bool CLoginDlg::focusNextPrevChild(bool /*next*/) {
    if (idField_->hasFocus()) {
        passwordField_->setFocus(Qt::TabFocusReason);
    } else if (passwordField_->hasFocus()) {
        idField_->setFocus(Qt::TabFocusReason);
    }
    return true;
}

// Enter outside the fields does nothing; Escape cancels as the dialog's own key.
void CLoginDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    CSkinDialog::keyPressEvent(event);
}
