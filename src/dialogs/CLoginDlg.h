#pragma once

#include <QPoint>
#include <QString>
#include <QTimer>
#include <optional>

#include "skin/CSkinDialog.h"
#include "web/CWebRequestDlg.h"

class CProgressDlg;
class CSkinButton;
class Program;
class QLineEdit;

// The listener's log-in, before the player opens. It wears the skin's "log_bg.bmp" and keys when
// the skin has that bitmap, and a built-in look of its own otherwise. Its first tick offers a
// newer release of the program; then it logs in by itself when the listener asked for that, or
// waits for the ID and password. It ends accepted once the service took the log-in, rejected when
// the listener cancels (or a new release's package was handed to the desktop).
class CLoginDlg : public CSkinDialog {
    Q_OBJECT

public:
    CLoginDlg(Program& program, CWebRequestDlg& channel, QWidget* owner = nullptr);
    ~CLoginDlg() override;

    // Read by the start after the dialog has ended.
    const QString& UserId() const { return userId_; }
    const QString& Password() const { return password_; }
    bool HasSucceeded() const { return result_ == 1; }
    // Where the dialog stood when the log-in succeeded: the main window opens there.
    std::optional<QPoint> TopLeft() const;

    bool IsSkinned() const { return skinned_; }
    QLineEdit& IdField() const { return *idField_; }
    QLineEdit& PasswordField() const { return *passwordField_; }
    CSkinButton& OkButton() const { return *okButton_; }
    CSkinButton& SaveIdBox() const { return *saveId_; }
    // The busy indicator while a log-in waits; null otherwise.
    CProgressDlg* WaitIndicator() const { return waitIndicator_; }

public slots:
    // One log-in with what the fields hold: OK, Enter in a field, or the automatic log-in.
    void TryLogIn();
    void OnLoginAnswer(LoginResult result);
    void OnUpdateChecked(bool handedOver);

    // Ending the dialog while a log-in waits (the program is told to end) gives up the wait.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void PlaceOnScreen();
    void PlaceSkinnedControls();
    void PlaceBuiltInControls();
    void FillSavedId();
    void OnFirstTick();
    void SetInputEnabled(bool enabled);
    void LogInByItself();
    void OnSaveIdChanged();
    void RememberId();
    void ShowWaitIndicator();
    void ReportFailure(int loginResult);
    void OpenFinderPage();
    void OpenJoinPage();

    Program& program_;
    CWebRequestDlg& channel_;
    QLineEdit* idField_;
    QLineEdit* passwordField_;
    CSkinButton* okButton_;
    CSkinButton* cancelButton_;
    CSkinButton* findButton_;
    CSkinButton* joinButton_;
    CSkinButton* saveId_;
    CProgressDlg* waitIndicator_ = nullptr;
    // the waiting indicator's place relative to the dialog, when the look has one
    std::optional<QRect> waitArea_;
    // the first tick: update check, then the automatic log-in
    QTimer firstTick_;
    bool skinned_ = false;
    int result_ = 0;
    bool checkingUpdate_ = false;
    bool loginWaiting_ = false;
    std::optional<QRect> finalRect_;
    QString userId_;
    QString password_;
};
