#pragma once

#include <QString>
#include <functional>

#include "platform/StringTable.h"

class QWidget;

enum class MessageIcon { NoIcon, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Shows the string-table text `stringId` in a modal box titled "Quilo" and returns the answer.
// A yes/no box closed without an answer (Escape, the window manager, the program ending) is a no.
MessageAnswer ShowMessage(QWidget* parent, StringId stringId, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::Ok);

// The same box with a text of its own (such as a question worded by the server); `stringId`
// names the string-table text it stands in for, so the answerer can tell which box it is.
MessageAnswer ShowMessageText(QWidget* parent, StringId stringId, const QString& text,
                              MessageIcon icon, MessageButtons buttons = MessageButtons::Ok);

// Lets tests answer message boxes without a person: the answerer receives the string id and the
// text that would have been shown, and returns the answer.
using MessageAnswerer = std::function<MessageAnswer(StringId stringId, const QString& text)>;
void SetMessageAnswerer(MessageAnswerer answerer);
