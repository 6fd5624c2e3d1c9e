#include "platform/WindowMessage.h"

#include <QCoreApplication>

WindowMessage::WindowMessage(unsigned message_, WPARAM wParam_, LPARAM lParam_, QVariant payload_)
    : QEvent(EventType()),
      message(message_),
      wParam(wParam_),
      lParam(lParam_),
      payload(std::move(payload_)) {}

QEvent::Type WindowMessage::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostMessage(QObject* target, unsigned message, WPARAM wParam, LPARAM lParam,
                 QVariant payload) {
    if (target == nullptr) {
        return;
    }
    QCoreApplication::postEvent(target,
                                new WindowMessage(message, wParam, lParam, std::move(payload)));
}

LRESULT SendMessage(QObject* target, unsigned message, WPARAM wParam, LPARAM lParam,
                    QVariant payload) {
    if (target == nullptr) {
        return 0;
    }
    WindowMessage event(message, wParam, lParam, std::move(payload));
    QCoreApplication::sendEvent(target, &event);
    return event.result;
}
