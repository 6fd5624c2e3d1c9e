#pragma once

#include "platform/CWnd.h"

class Program;

// The player's main face. For now a plain window titled "Quilo" at the saved position that
// comes forward when another copy is started and saves the listener's settings when it ends;
// the skinned face, the player and the commands take its place.
class CMainDlg : public CWnd {
    Q_OBJECT

public:
    explicit CMainDlg(Program& program);

protected:
    LRESULT WindowProc(const WindowMessage& message) override;
    void OnDestroy() override;

private:
    void PlaceAtSavedPosition();
    void BringToFront();
    void SaveSettings();

    Program& program_;
};
