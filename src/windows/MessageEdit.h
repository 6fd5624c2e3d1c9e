#pragma once

#include <QPlainTextEdit>

// The listener's message: a multi-line box that takes at most a number of bytes in the Korean
// code page (a Korean character counts two), as the message board does. Typing or pasting past
// the limit inserts only what fits; what was there before is never cut.
class MessageEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    // what the program's board takes
    static constexpr int kBoardLimitBytes = 200;

    explicit MessageEdit(QWidget* parent);

    void SetByteLimit(int bytes);
    int ByteLimit() const { return byteLimit_; }

private:
    void EnforceLimit();

    int byteLimit_ = -1;
    // the text as it stood after the last change that was kept
    QString accepted_;
    bool enforcing_ = false;
};
