#pragma once

#include <vector>

#include "skin/CSkinDialog.h"

class CSkinButton;
class CTickerCtrl;
class Program;

// The player's small face. Its buttons act through the main window (UM_MINI_COMMAND); its main
// button brings the main window back in its place (UM_RESTORE_MAIN). For now it carries the
// buttons and the ticker; its volume slider, link and skin handling come with the full window.
class CMiniDlg : public CSkinDialog {
    Q_OBJECT

public:
    CMiniDlg(Program& program, QWidget* mainWindow);

    // Shows the mini face where the main window stood and makes it the face of the player.
    void Open(bool topMost);
    void ShowProgramButtons(bool info, bool view);

    static constexpr int kMainButton = 1027;

protected:
    LRESULT WindowProc(const WindowMessage& message) override;

private:
    void ApplySkin();
    void ReturnToMain();

    Program& program_;
    QWidget* mainWindow_;
    std::vector<CSkinButton*> buttons_;
    CTickerCtrl* ticker_ = nullptr;
    bool skinChanged_ = false;
};
