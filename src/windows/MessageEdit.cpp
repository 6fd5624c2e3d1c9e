#include "windows/MessageEdit.h"

#include <QInputMethodEvent>
#include <QTextCursor>

#include "platform/Cp949.h"

namespace {

// The bytes the text takes on its way to the board: a line break leaves as CR LF, so it counts
// two against the limit, as a Korean character does.
qsizetype SentLength(QStringView text) {
    return Cp949Length(text) + text.count(u'\n');
}

}  // namespace

MessageEdit::MessageEdit(QWidget* parent) : QPlainTextEdit(parent) {
    connect(this, &QPlainTextEdit::textChanged, this, &MessageEdit::EnforceLimit);
}

void MessageEdit::SetByteLimit(int bytes) {
    byteLimit_ = bytes;
    EnforceLimit();
}

int MessageEdit::UsedBytes() const {
    return static_cast<int>(SentLength(toPlainText()) + SentLength(composing_));
}

// A syllable that could not be committed once composed is not even begun: the box is full.
void MessageEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString composing = event->preeditString();
    const bool beginsBeyondLimit = byteLimit_ >= 0 && event->commitString().isEmpty() &&
                                   !composing.isEmpty() &&
                                   SentLength(toPlainText()) + SentLength(composing) > byteLimit_;
    if (beginsBeyondLimit) {
        event->accept();
        return;
    }
    composing_ = composing;
    QPlainTextEdit::inputMethodEvent(event);
    emit composingChanged();
}

void MessageEdit::EnforceLimit() {
    if (enforcing_) {
        return;
    }
    const QString text = toPlainText();
    if (byteLimit_ < 0 || SentLength(text) <= byteLimit_) {
        accepted_ = text;
        return;
    }
    // what the change put in: the text less what it shares with the kept text at both ends
    qsizetype prefix = 0;
    while (prefix < text.size() && prefix < accepted_.size() && text[prefix] == accepted_[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < text.size() - prefix && suffix < accepted_.size() - prefix &&
           text[text.size() - 1 - suffix] == accepted_[accepted_.size() - 1 - suffix]) {
        ++suffix;
    }
    const QStringView before = QStringView(text).left(prefix);
    const QStringView after = QStringView(text).right(suffix);
    QStringView inserted = QStringView(text).mid(prefix, text.size() - prefix - suffix);
    // the longest beginning of the insertion that fits, never half a character
    while (!inserted.isEmpty() &&
           SentLength(before) + SentLength(inserted) + SentLength(after) > byteLimit_) {
        inserted.chop(1);
    }
    QString kept = before.toString() + inserted.toString() + after.toString();
    // a text that was already too long when the limit came keeps its beginning
    while (SentLength(kept) > byteLimit_) {
        kept.chop(1);
    }
    enforcing_ = true;
    setPlainText(kept);
    QTextCursor cursor = textCursor();
    cursor.setPosition(static_cast<int>(std::min(prefix + inserted.size(), kept.size())));
    setTextCursor(cursor);
    enforcing_ = false;
    accepted_ = kept;
}
