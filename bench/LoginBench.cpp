#include "LoginBench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <cstdio>
#include <optional>

#include "app/CQuiloApp.h"
#include "app/ProgramFolder.h"
#include "content/Program.h"
#include "dialogs/CLoginDlg.h"
#include "windows/CMainDlg.h"

namespace {

// Notes when the log-in dialog goes and when the main face is first painted, then ends the run.
class LoginToFace : public QObject {
public:
    explicit LoginToFace(CQuiloApp& quilo) : quilo_(quilo) { clock_.start(); }

    std::optional<qint64> loginGone;
    std::optional<qint64> facePainted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && qobject_cast<CLoginDlg*>(watched) != nullptr) {
            loginGone = clock_.elapsed();
        } else if (event->type() == QEvent::Paint && !facePainted &&
                   qobject_cast<CMainDlg*>(watched) != nullptr) {
            facePainted = clock_.elapsed();
            quilo_.EndWithoutAsking();
        }
        return false;
    }

private:
    CQuiloApp& quilo_;
    QElapsedTimer clock_;
};

}  // namespace

int RunLoginToFaceBench() {
    QApplication::setQuitOnLastWindowClosed(false);
    EnterProgramFolder();
    Program program;
    CQuiloApp quilo(program);
    LoginToFace watch(quilo);
    qApp->installEventFilter(&watch);
    if (quilo.InitInstance()) {
        QApplication::exec();
        quilo.ExitInstance();
    }
    if (!watch.loginGone || !watch.facePainted) {
        std::fprintf(stderr, "the log-in or the face did not happen\n");
        return 1;
    }
    std::printf("login-to-face %lld ms\n",
                static_cast<long long>(*watch.facePainted - *watch.loginGone));
    return 0;
}
