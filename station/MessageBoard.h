#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <mutex>

// The message board of the programs. A posting carries four form fields (progcd, userid,
// writer, contents) whose values are code page 949 bytes; the board answers one digit and
// nothing else: 0 stored, 2 no (known) program code, 3 no user ID, 4 no writer name,
// 5 no contents. Checks run in that order, so the first missing field decides.
class MessageBoard {
public:
    struct Message {
        QDateTime received;  // service time
        QString programCode;
        QString userId;
        QString writer;
        QString contents;
    };

    // The four fields of a posting as received: code page 949 bytes.
    struct Posting {
        QByteArray programCode;
        QByteArray userId;
        QByteArray writer;
        QByteArray contents;
    };

    using ProgramCheck = std::function<bool(const QString& code)>;
    explicit MessageBoard(ProgramCheck isProgram);

    QByteArray Post(const Posting& posting, const QDateTime& serviceTime);
    // Newest first.
    QList<Message> Messages() const;

private:
    ProgramCheck isProgram_;
    mutable std::mutex mutex_;
    QList<Message> messages_;
};
