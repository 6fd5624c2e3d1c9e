#pragma once

#include <QString>
#include <functional>

class QWidget;

enum class MessageIcon { Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
// The answers, with the numbers callers have always compared against.
enum MessageAnswer { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Shows the string-table text `stringId` in a modal box titled "Quilo" and returns the answer.
int ShowMessage(QWidget* parent, int stringId, MessageIcon icon,
                MessageButtons buttons = MessageButtons::Ok);

// Lets tests answer message boxes without a person: the answerer receives the string id and the
// text that would have been shown, and returns the answer.
using MessageAnswerer = std::function<int(int stringId, const QString& text)>;
void SetMessageAnswerer(MessageAnswerer answerer);
