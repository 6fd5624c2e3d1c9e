#include "FaceBench.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "content/Config.h"
#include "content/Program.h"
#include "skin/CTickerCtrl.h"
#include "web/CWebRequestDlg.h"
#include "windows/CMainDlg.h"

namespace {

// The longest time between two paints of a widget.
class PaintGaps : public QObject {
public:
    explicit PaintGaps(QWidget* watched) : QObject(watched) {
        watched->installEventFilter(this);
        clock_.start();
    }
    qint64 Longest() const { return longest_; }
    int Frames() const { return frames_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const qint64 now = clock_.elapsed();
            if (frames_++ > 0) {
                longest_ = std::max(longest_, now - last_);
            }
            last_ = now;
        }
        return false;
    }

private:
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
    int frames_ = 0;
};

// Opens the main window on a program set up as the program's start-up sets it, runs `body`
// while it is open, and closes it.
int WithMainWindow(const std::function<void(CMainDlg&)>& body) {
    Program program;
    program.config = Config::Load();
    if (!program.skin.Load(QStringLiteral("Quilo2"))) {
        std::fprintf(stderr, "no skin Quilo2 in ./Skins\n");
        return 1;
    }
    program.webRequest = std::make_unique<CWebRequestDlg>(
        program.log, WebAddresses{program.config.webServer, program.config.mainSite},
        program.login);
    CMainDlg window(program);
    if (!window.Open()) {
        return 1;
    }
    QTimer::singleShot(0, &window, [&] {
        body(window);
        window.CloseWithoutAsking();
    });
    QEventLoop untilClosed;
    QObject::connect(&window, &QDialog::finished, &untilClosed, &QEventLoop::quit);
    untilClosed.exec();
    return 0;
}

void RunEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, [&loop] {
        // a message the run brought up (the site refused) holds this loop until it is answered
        if (QWidget* message = QApplication::activeModalWidget()) {
            message->close();
        }
        loop.quit();
    });
    loop.exec();
}

}  // namespace

int RunSkinSwitchBench(int rounds) {
    return WithMainWindow([rounds](CMainDlg& window) {
        // the first paint of each skin reads its bitmaps; let the face settle first
        RunEventsFor(500);
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer clock;
            clock.start();
            window.SwitchSkin(i % 2 == 0 ? QStringLiteral("Midnight") : QStringLiteral("Quilo2"));
            window.repaint();
            std::printf("skin-switch,%.2f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
            RunEventsFor(200);
        }
    });
}

int RunTickerGapBench(int milliseconds) {
    return WithMainWindow([milliseconds](CMainDlg& window) {
        PaintGaps gaps(window.findChild<CTickerCtrl*>());
        RunEventsFor(milliseconds);
        std::printf("ticker-gap,%lld,%d\n", static_cast<long long>(gaps.Longest()), gaps.Frames());
    });
}
