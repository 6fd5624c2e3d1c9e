#include "MessageBoard.h"

#include "WireText.h"

MessageBoard::MessageBoard(ProgramCheck isProgram) : isProgram_(std::move(isProgram)) {}

QByteArray MessageBoard::Post(const Posting& posting, const QDateTime& serviceTime) {
    const Message message{
        serviceTime,
        WireText::Decode(posting.programCode),
        WireText::Decode(posting.userId),
        WireText::Decode(posting.writer),
        WireText::Decode(posting.contents),
    };
    // A code the board carries no program for (such as "timefail", sent while the client has
    // no clock) is as good as none: there is no program to post to.
    if (message.programCode.isEmpty() || !isProgram_(message.programCode)) {
        return "2";
    }
    if (message.userId.isEmpty()) {
        return "3";
    }
    if (message.writer.isEmpty()) {
        return "4";
    }
    if (message.contents.isEmpty()) {
        return "5";
    }
    std::lock_guard lock(mutex_);
    messages_.prepend(message);
    return "0";
}

QList<MessageBoard::Message> MessageBoard::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}
