#include "dialogs/CProgressDlg.h"

#include <QProgressBar>
#include <QVBoxLayout>

namespace {
constexpr int kSteps = 30;
constexpr int kStepMs = 500;
}  // namespace

CProgressDlg::CProgressDlg(QWidget* owner)
    // a strip of its own above the dialog, which the window manager neither frames nor moves
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                         Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      bar_(new QProgressBar(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    bar_->setRange(0, kSteps);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    // as thin as the skin's place for it
    bar_->setMinimumSize(0, 0);
    stepTimer_.setInterval(kStepMs);
    connect(&stepTimer_, &QTimer::timeout, this, &CProgressDlg::Step);
    stepTimer_.start();
}

void CProgressDlg::ShowAt(const QRect& geometry) {
    setFixedSize(geometry.size());
    move(geometry.topLeft());
    show();
}

int CProgressDlg::Position() const {
    return bar_->value();
}

void CProgressDlg::Step() {
    if (bar_->value() < bar_->maximum() - bar_->minimum()) {
        bar_->setValue(bar_->value() + 1);
    } else {
        bar_->setValue(0);
    }
}
