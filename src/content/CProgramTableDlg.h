#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>

#include "content/ProgramTable.h"
#include "web/CWebRequestDlg.h"

class Program;
struct TickerLine;

// The hidden window that fetches what is on air from the service into the player model.
// Four one-shot timers drive it; each handler stops its own timer first, and the answers of its
// downloads arm the next step:
//
//   table   fetch and parse the day's program table; then the first clock tick at once
//   info    fetch the new program's info file and the event file; then the images
//   images  fetch the two link images and the event banner
//   clock   every 30 s read the server's clock: ticker, schedule, the program on air
//
// Every step (a download, the clock reading) starts at once and goes on when its answer comes;
// nothing waits. Each step tries up to kAttempts times. A restart leaves the answers of the
// steps under way unheard, and the object's end gives up its downloads.
class CProgramTableDlg : public QObject {
    Q_OBJECT

public:
    static constexpr int kStepMs = 1;
    static constexpr int kTickMs = 30000;
    static constexpr int kRetryTickMs = 5000;
    static constexpr int kClockLimitMs = 2000;
    static constexpr int kAttempts = 3;

    // Arms the table timer: the first fetch starts as soon as the event loop runs.
    explicit CProgramTableDlg(Program& program, QObject* parent = nullptr);
    ~CProgramTableDlg() override;

    const ProgramRows& Rows() const { return rows_; }
    // Milliseconds until the program on air ends, by the server's clock as last read; none
    // before a reading or without a table.
    std::optional<qint64> MsToProgramEnd() const;
    // The service's wall clock now, from the last reading; none before one.
    std::optional<QDateTime> ServiceNow() const;

public slots:
    // Stops every step and starts again with the program table.
    void RefreshProgram();

signals:
    // a text of the service's ticker file, delivered at once (not queued)
    void tickerText(const QString& text, const QString& link);
    // a scheduled time of the listener's has come
    void scheduleFire();
    // the server's clock was read (MsToProgramEnd and ServiceNow start from this reading)
    void clockRead();

private:
    void OnTableTimer();
    void TryTable(int attempt);
    void OnInfoTimer();
    void TryInfo(const QString& code, int attempt);
    void OnImageTimer();
    void TryImage1(const QString& code, int attempt);
    void TryImage2(const QString& code, int attempt);
    void OnClockTimer();
    void OnClockRead(const ServerTimeReading& reading);
    // The answer of one clock reading: a program code, "timefail" or "order".
    QString AnswerFor(const ServerTimeReading& reading, TickerLine& ticker);
    void ActOnAnswer(const QString& answer, const TickerLine& ticker);
    bool LoadTable(const QString& path);
    void ApplyInfoAndEvent(const QString& infoPath, const QString& eventPath);
    void Download(const QString& address, const QString& localPath, qint64 maxBytes,
                  const std::function<void(bool present)>& next);
    void Log(QByteArrayView text);
    void PostRefresh();

    Program& program_;
    QTimer tableTimer_;
    QTimer infoTimer_;
    QTimer imageTimer_;
    QTimer clockTimer_;
    ProgramRows rows_;
    // the server's time at the last clock reading, and how long ago that was
    std::optional<std::tm> lastServerTime_;
    QElapsedTimer sinceServerTime_;
    // the latest broadcast-day minute used so far; the choice of program never goes back
    int32_t highWaterMark_ = 0;
    // the code the last successful tick found; empty at start and after a restart
    QString previousCode_;
    bool lastTickFailed_ = false;
    // counts restarts, so that an answer asked for before one is not acted on
    quint64 cycle_ = 0;
};
