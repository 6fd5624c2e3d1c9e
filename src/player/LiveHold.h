#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class HoldTape;
class RecordingStream;

// Keeps what is on air while the listener pauses: a connection of its own to the audio channel
// (RecordingStream) writes it, as Ogg Opus, onto a HoldTape that the listener's player then
// reads back behind live. The newest kKeptMs are kept; older sound is forgotten.
class LiveHold : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 kKeptMs = 60LL * 60 * 1000;

    explicit LiveHold(const QStringList& engineOptions, QObject* parent = nullptr);
    ~LiveHold() override;

    // Begins keeping `address` on a new tape; false, with `error` set, when none can be made.
    bool Start(const QString& address, QString& error);
    // Stops keeping; a player reading the tape plays to its end.
    void Stop();
    bool IsKeeping() const { return tape_ != nullptr; }
    const std::shared_ptr<HoldTape>& Tape() const { return tape_; }
    // The private folder the tape is made in.
    static QString Folder();

private:
    RecordingStream* keeper_;
    std::shared_ptr<HoldTape> tape_;
};
