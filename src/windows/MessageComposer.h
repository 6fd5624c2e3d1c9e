#pragma once

#include <QObject>
#include <QString>

class MessageEdit;
class Program;
class QLineEdit;
class QWidget;

// The listener's message to the program on air: the message box with its prompt, the byte
// counter beside it ("%d/200", counted in the Korean code page), and the send through the
// request channel to the program's board. Only a stored message empties the box; every failure
// keeps the text, so the listener can send it again.
class MessageComposer : public QObject {
    Q_OBJECT

public:
    MessageComposer(MessageEdit& edit, QLineEdit& counter, Program& program, QWidget* owner);

    // Sends the box's text (the send button).
    void Send();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsShowingPrompt() const;
    void Clear();
    void UpdateCounter();
    void DescribeLength();
    void ShowResult(int boardResult);

    MessageEdit& edit_;
    QLineEdit& counter_;
    Program& program_;
    QWidget* owner_;
    // a message is on its way to the board
    bool posting_ = false;
};
