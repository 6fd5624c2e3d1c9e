#pragma once

#include <QEvent>
#include <QObject>
#include <QVariant>

// Window message parameters keep their familiar shapes: an unsigned word, a signed long and the
// handler's signed result.
using WPARAM = quintptr;
using LPARAM = qintptr;
using LRESULT = qintptr;

// A private window message travelling between windows on the GUI thread. Besides the two numbers
// a message may carry a payload (a skin name, a ticker text ...) that it owns, so a posted message
// never points at memory its sender has already freed.
class WindowMessage : public QEvent {
public:
    WindowMessage(unsigned message, WPARAM wParam, LPARAM lParam, QVariant payload = {});

    static QEvent::Type EventType();

    unsigned message;
    WPARAM wParam;
    LPARAM lParam;
    QVariant payload;
    // what the receiver's handler returned (meaningful for a sent message only)
    LRESULT result = 0;
};

// Queues the message for the target; it is handled after the sender returns to the event loop.
void PostMessage(QObject* target, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0,
                 QVariant payload = {});

// Delivers the message at once and returns the receiver's result (0 without a receiver).
LRESULT SendMessage(QObject* target, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0,
                    QVariant payload = {});
