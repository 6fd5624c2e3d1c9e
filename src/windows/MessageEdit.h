#pragma once

#include <QPlainTextEdit>

// The listener's message: a multi-line box that takes at most a number of bytes in the Korean
// code page (a Korean character counts two), as the message board does; a line break counts as
// the two bytes it is sent as (CR LF). Typing or pasting past the limit inserts only what fits;
// what was there before is never cut.
class MessageEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    // what the program's board takes
    static constexpr int kBoardLimitBytes = 200;

    explicit MessageEdit(QWidget* parent);

    void SetByteLimit(int bytes);
    int ByteLimit() const { return byteLimit_; }
    // The bytes of the text, and of the syllable an input method is composing, which counts as
    // it will once committed.
    int UsedBytes() const;

signals:
    // the syllable being composed changed (the text's own changes are textChanged)
    void composingChanged();

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void EnforceLimit();

    int byteLimit_ = -1;
    // the text as it stood after the last change that was kept
    QString accepted_;
    bool enforcing_ = false;
    // what the input method composes and has not committed yet
    QString composing_;
};
