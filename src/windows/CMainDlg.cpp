#include "windows/CMainDlg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/Program.h"
#include "windows/UserMessages.h"

namespace {
// where the window goes when no position was ever saved
constexpr int kUnsavedPosition = 300;
}  // namespace

CMainDlg::CMainDlg(Program& program) : program_(program) {
    setWindowTitle(QStringLiteral("Quilo"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Quilo — %1").arg(program_.skin.Name()), this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    resize(320, 120);
    PlaceAtSavedPosition();
}

void CMainDlg::PlaceAtSavedPosition() {
    uint32_t x = kUnsavedPosition;
    uint32_t y = kUnsavedPosition;
    if (!program_.prefs.GetPosX(x)) {
        x = kUnsavedPosition;
    }
    if (!program_.prefs.GetPosY(y)) {
        y = kUnsavedPosition;
    }
    move(static_cast<int>(x), static_cast<int>(y));
}

LRESULT CMainDlg::WindowProc(const WindowMessage& message) {
    if (message.message == UM_ACTIVATE_INSTANCE) {
        BringToFront();
        return 1;
    }
    return CWnd::WindowProc(message);
}

void CMainDlg::BringToFront() {
    showNormal();
    raise();
    activateWindow();
}

void CMainDlg::OnDestroy() {
    SaveSettings();
}

void CMainDlg::SaveSettings() {
    program_.prefs.SetPosX(static_cast<uint32_t>(pos().x()));
    program_.prefs.SetPosY(static_cast<uint32_t>(pos().y()));
    const int viewMode = program_.viewMode;
    if (viewMode >= kViewMainShown && viewMode <= kViewMiniHidden) {
        program_.prefs.SetOptionMini(viewMode >= kViewMiniShown ? 1 : 0);
    }
    uint32_t volume = CPrefStore::kDefaultVolume;
    program_.prefs.GetVolume(volume);
    program_.prefs.SetVolume(volume);
    program_.prefs.SetSkin(program_.skin.Name());
}
