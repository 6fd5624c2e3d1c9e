#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "player/OpusRecordingFile.h"

struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_event_t;

// The recording's own connection to the audio channel: a libVLC player whose decoded sound
// (48 kHz stereo) goes into the current Opus file instead of a sound card, so what the listener
// hears is never touched, paused or delayed by a recording. A connection that breaks or goes
// quiet is opened again every few seconds into the same file, and the time without sound is
// told once the sound is back.
//
// The sound arrives on libVLC's thread; the file is swapped and written under one lock. While
// the sound is held (between a program's end and the next one's name being known) it is kept
// in memory and written at the start of the next file.
class RecordingStream : public QObject {
    Q_OBJECT

public:
    static constexpr int kReopenMs = 3000;
    // a connection that brings no sound for this long is taken as broken
    static constexpr int kQuietMs = 10000;

    explicit RecordingStream(const QStringList& engineOptions, QObject* parent = nullptr);
    ~RecordingStream() override;
    RecordingStream(const RecordingStream&) = delete;
    RecordingStream& operator=(const RecordingStream&) = delete;

    bool IsCreated() const { return player_ != nullptr; }
    // Opens `address` and writes its sound into `file`.
    void Start(const QString& address, std::unique_ptr<OpusRecordingFile> file);
    // Closes the connection; the file, if any, is handed back unfinished.
    std::unique_ptr<OpusRecordingFile> Stop();
    // From now on the sound is kept in memory; the file is handed back.
    std::unique_ptr<OpusRecordingFile> HoldSound();
    // The sound goes into `file` again, starting with what was held (written as the next sound
    // arrives). The file written before is handed back.
    std::unique_ptr<OpusRecordingFile> SwitchTo(std::unique_ptr<OpusRecordingFile> file);
    bool IsRunning() const { return !address_.isEmpty(); }

signals:
    // the file could not be written (the disk is full, the folder went away)
    void writeFailed();
    // the connection broke or went quiet; it is being opened again
    void broke();
    // sound came back after `gapMs` without it
    void soundResumed(qint64 gapMs);

private:
    static void PlaySound(void* self, const void* samples, unsigned frames, int64_t pts);
    static void OnEngineEvent(const libvlc_event_t* event, void* self);
    void Receive(const int16_t* samples, unsigned frames);
    void Open();
    void OnBroken();
    void OnSoundBack();
    void CheckSoundFlows();

    libvlc_instance_t* instance_ = nullptr;
    libvlc_media_player_t* player_ = nullptr;
    QString address_;
    QTimer reopenTimer_;
    // every few seconds while running: has any sound come since the last look
    QTimer quietTimer_;
    QElapsedTimer sinceBreak_;
    std::atomic<quint64> framesReceived_{0};
    quint64 framesAtLastLook_ = 0;
    quint64 framesAtStart_ = 0;
    // the connection broke and its sound has not come back yet
    bool broken_ = false;
    // set as a connection opens after a break; the first sound clears it
    std::atomic<bool> awaitingSound_{false};

    std::mutex lock_;
    std::unique_ptr<OpusRecordingFile> file_;
    bool holding_ = false;
    std::vector<int16_t> held_;
    bool failureTold_ = false;
};
