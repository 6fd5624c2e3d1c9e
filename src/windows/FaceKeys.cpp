#include "windows/FaceKeys.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "content/PlayerModel.h"
#include "windows/PlayerActions.h"

namespace {

bool IsWritingField(const QWidget* widget) {
    if (const auto* line = qobject_cast<const QLineEdit*>(widget)) {
        return !line->isReadOnly();
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget)) {
        return !text->isReadOnly();
    }
    return false;
}

}  // namespace

FaceKeys::FaceKeys(QWidget& face, PlayerActions& actions, PlayerModel& model,
                   std::function<void()> switchFace)
    : QObject(&face),
      face_(face),
      actions_(actions),
      model_(model),
      switchFace_(std::move(switchFace)) {
    face_.installEventFilter(this);
}

bool FaceKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &face_ && event->type() == QEvent::KeyPress &&
        Handle(static_cast<const QKeyEvent&>(*event))) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool FaceKeys::Handle(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Menu || (key.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        OpenMenu();
        return true;
    }
    if (key.key() == Qt::Key_M && modifiers == Qt::ControlModifier) {
        switchFace_();
        return true;
    }
    if (modifiers != Qt::NoModifier || IsWritingField(QApplication::focusWidget())) {
        return false;
    }
    return HandlePlainKey(key.key());
}

bool FaceKeys::HandlePlainKey(int key) {
    switch (key) {
        case Qt::Key_Space:
            PlayOrStop();
            return true;
        case Qt::Key_M:
            model_.SetMuted(!model_.IsMuted());
            return true;
        case Qt::Key_Up:
            model_.SetVolume(model_.Volume() + kVolumeStep);
            return true;
        case Qt::Key_Down:
            model_.SetVolume(model_.Volume() - kVolumeStep);
            return true;
        default:
            return false;
    }
}

// (a paused stream plays on from where it was held)
void FaceKeys::PlayOrStop() {
    if (model_.IsPlaying() && !model_.IsPaused()) {
        actions_.stop.trigger();
    } else {
        actions_.play.trigger();
    }
}

// The face places a menu asked for from the keyboard itself.
void FaceKeys::OpenMenu() {
    const QPoint middle = face_.rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, middle, face_.mapToGlobal(middle));
    QApplication::sendEvent(&face_, &request);
}
