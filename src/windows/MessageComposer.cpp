#include "windows/MessageComposer.h"

#include <QEvent>
#include <QLineEdit>

#include "content/Program.h"
#include "platform/MessageBox.h"
#include "windows/MessageEdit.h"

namespace {

constexpr int kBoardWaitMs = 3000;

// What the board's answer tells the listener; the stored message (0) is good news.
StringId ResultText(int boardResult) {
    switch (boardResult) {
        case 0:
            return StringId::kMessageSent;
        case 2:
            return StringId::kNoProgramCode;
        case 3:
            return StringId::kNoUserId;
        case 4:
            return StringId::kNoUserName;
        case 5:
            return StringId::kWriteFirst;
        default:  // no answer, or one the board is not known to give
            return StringId::kSendFailed;
    }
}

}  // namespace

MessageComposer::MessageComposer(MessageEdit& edit, QLineEdit& counter, Program& program,
                                 QWidget* owner)
    : QObject(owner), edit_(edit), counter_(counter), program_(program), owner_(owner) {
    connect(&edit_, &MessageEdit::textChanged, this, &MessageComposer::UpdateCounter);
    connect(&edit_, &MessageEdit::composingChanged, this, &MessageComposer::UpdateCounter);
    edit_.installEventFilter(this);
    // screen readers read the box by its name, and the counter beside it as its description
    edit_.setAccessibleName(StringTable::Load(StringId::kMessageField));
    counter_.setAccessibleName(StringTable::Load(StringId::kMessageField));
    DescribeLength();
}

// Focusing the box while it shows the prompt makes room for the listener's own words.
bool MessageComposer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &edit_ && event->type() == QEvent::FocusIn && IsShowingPrompt()) {
        Clear();
    }
    return QObject::eventFilter(watched, event);
}

void MessageComposer::Send() {
    // a press while the board has not answered yet is not a second message
    if (posting_) {
        return;
    }
    const QString text = edit_.toPlainText();
    if (text.isEmpty() || IsShowingPrompt()) {
        ShowMessage(owner_, StringId::kMessageEmpty, MessageIcon::Warning);
        Clear();
        edit_.setFocus();
        return;
    }
    // the board keeps line breaks as the service's other texts have them
    QString message = text;
    message.replace(u'\n', QStringLiteral("\r\n"));
    if (program_.webRequest == nullptr) {
        ShowResult(-1);
        return;
    }
    posting_ = true;
    program_.webRequest->PostBoardMessage(program_.player.OnAir().programCode, message,
                                          kBoardWaitMs, this, [this](int boardResult) {
                                              posting_ = false;
                                              ShowResult(boardResult);
                                          });
}

void MessageComposer::ShowResult(int boardResult) {
    // the stored message is told plainly, without an icon; every other answer is a warning
    if (boardResult == 0) {
        ShowMessage(owner_, StringId::kMessageSent, MessageIcon::NoIcon);
        Clear();
        return;
    }
    ShowMessage(owner_, ResultText(boardResult), MessageIcon::Warning);
}

bool MessageComposer::IsShowingPrompt() const {
    return edit_.toPlainText().compare(StringTable::Load(StringId::kMessagePrompt),
                                       Qt::CaseInsensitive) == 0;
}

void MessageComposer::Clear() {
    edit_.clear();
    UpdateCounter();
}

void MessageComposer::UpdateCounter() {
    counter_.setText(
        QStringLiteral("%1/%2").arg(edit_.UsedBytes()).arg(MessageEdit::kBoardLimitBytes));
    DescribeLength();
}

void MessageComposer::DescribeLength() {
    // the prompt is no text of the listener's: the counter beside it says 0
    const QString length = StringTable::Load(StringId::kMessageLength)
                               .arg(IsShowingPrompt() ? 0 : edit_.UsedBytes())
                               .arg(MessageEdit::kBoardLimitBytes);
    edit_.setAccessibleDescription(length);
    counter_.setAccessibleDescription(length);
}
