#include "content/CProgramTableDlg.h"

#include <QFile>
#include <QUrl>
#include <algorithm>

#include "content/EventFile.h"
#include "content/Program.h"
#include "content/ProgramInfoFile.h"
#include "content/ServerClock.h"
#include "content/ServerDownload.h"
#include "content/ServerText.h"
#include "content/WorkFolder.h"
#include "platform/Cp949.h"
#include "platform/LogMessages.h"
#include "platform/MessageBox.h"

namespace {

constexpr char kTableLocalName[] = "progtable";
constexpr char kEventLocalName[] = "event";
constexpr char kEventImageLocalName[] = "event.bmp";

// A file in the work folder; empty (so its download fails) when there is no usable folder or
// the name, which comes from the server, is not a plain file name.
QString WorkFile(const QString& name) {
    const QString folder = GetWorkFolder();
    if (folder.isEmpty() || name.isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String("..") || name.contains(QLatin1Char('/')) ||
        name.contains(QChar(u'\0'))) {
        return {};
    }
    return folder + QLatin1Char('/') + name;
}

}  // namespace

CProgramTableDlg::CProgramTableDlg(Program& program, QObject* parent)
    : QObject(parent), program_(program) {
    const auto arm = [this](QTimer& timer, void (CProgramTableDlg::*handler)()) {
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, this, handler);
    };
    arm(tableTimer_, &CProgramTableDlg::OnTableTimer);
    arm(infoTimer_, &CProgramTableDlg::OnInfoTimer);
    arm(imageTimer_, &CProgramTableDlg::OnImageTimer);
    arm(clockTimer_, &CProgramTableDlg::OnClockTimer);
    tableTimer_.start(kStepMs);
}

// Downloads in progress belong to the object and end with it.
CProgramTableDlg::~CProgramTableDlg() = default;

// A restart forgets the program found last, so that the first tick after it fetches the
// program's files again, also when the program on air has not changed.
void CProgramTableDlg::RefreshProgram() {
    ++cycle_;
    previousCode_.clear();
    tableTimer_.stop();
    infoTimer_.stop();
    imageTimer_.stop();
    clockTimer_.stop();
    tableTimer_.start(kStepMs);
}

void CProgramTableDlg::PostRefresh() {
    QMetaObject::invokeMethod(this, &CProgramTableDlg::RefreshProgram, Qt::QueuedConnection);
}

void CProgramTableDlg::Log(QByteArrayView text) {
    program_.log.WriteLog(text);
}

// Judged only by whether the file is there afterwards, as every content download is. What a
// restart left behind is never acted on.
void CProgramTableDlg::Download(const QString& address, const QString& localPath, qint64 maxBytes,
                                const std::function<void(bool present)>& next) {
    ServerDownload::Fetch(address, localPath, maxBytes, this,
                          [this, localPath, next, cycle = cycle_](bool) {
                              if (cycle == cycle_) {
                                  next(!localPath.isEmpty() && QFile::exists(localPath));
                              }
                          });
}

bool CProgramTableDlg::LoadTable(const QString& path) {
    const QByteArray text = ReadWholeFile(path);
    if (text.isNull()) {
        return false;
    }
    rows_ = ParseProgramTable(text);
    return true;
}

void CProgramTableDlg::OnTableTimer() {
    tableTimer_.stop();
    QFile::remove(WorkFile(QLatin1String(kTableLocalName)));
    TryTable(0);
}

void CProgramTableDlg::TryTable(int attempt) {
    if (attempt == kAttempts) {
        program_.player.ClearProgram(program_.config.mainSite);
        program_.player.ClearLinks();
        ShowMessage(nullptr, StringId::kProgramInfoFailed, MessageIcon::Warning);
        return;
    }
    Log(LogText::kTryProgramTable);
    const QString path = WorkFile(QLatin1String(kTableLocalName));
    const QString address = program_.config.webServer + QLatin1String("/time_table.asp");
    Download(address, path, ServerDownload::kServerTextMaxBytes,
             [this, path, attempt](bool present) {
                 if (!present) {
                     Log(LogText::kProgramTableFailed);
                 } else {
                     Log(LogText::kProgramTableDone);
                     if (LoadTable(path)) {
                         clockTimer_.start(kStepMs);
                         return;
                     }
                 }
                 TryTable(attempt + 1);
             });
}

void CProgramTableDlg::OnInfoTimer() {
    infoTimer_.stop();
    const QString code = program_.player.OnAir().programCode;
    QFile::remove(WorkFile(code));
    QFile::remove(WorkFile(QLatin1String(kEventLocalName)));
    TryInfo(code, 0);
}

// The event file comes with every attempt at the program's info file; whether it came is never
// asked.
void CProgramTableDlg::TryInfo(const QString& code, int attempt) {
    if (attempt == kAttempts) {
        program_.player.ClearProgram(program_.config.mainSite);
        return;
    }
    const QString infoPath = WorkFile(code);
    const QString eventPath = WorkFile(QLatin1String(kEventLocalName));
    const QString infoAddress =
        program_.config.webServer + QStringLiteral("/info/") + code + QStringLiteral(".txt");
    const QString eventAddress = program_.config.webServer + QStringLiteral("/info/event.txt");
    Log(QByteArray(LogText::kTryProgramInfoFormat).replace("%s", ToCp949(code)));
    const auto judge = [this, code, attempt, infoPath, eventPath](bool) {
        if (!infoPath.isEmpty() && QFile::exists(infoPath)) {
            Log(LogText::kProgramInfoDone);
            ApplyInfoAndEvent(infoPath, eventPath);
            imageTimer_.start(kStepMs);
            return;
        }
        Log(LogText::kProgramInfoFailed);
        TryInfo(code, attempt + 1);
    };
    Download(infoAddress, infoPath, ServerDownload::kServerTextMaxBytes,
             [this, eventAddress, eventPath, judge](bool) {
                 Log(LogText::kTryEventFile);
                 Download(eventAddress, eventPath, ServerDownload::kServerTextMaxBytes, judge);
             });
}

// Both files are parsed into a copy that replaces the program on air whole, with no wait in
// between: a clock tick inside a download never sees half a program, nor is its code overwritten.
void CProgramTableDlg::ApplyInfoAndEvent(const QString& infoPath, const QString& eventPath) {
    AppState updated = program_.player.OnAir();
    const QByteArray info = ReadWholeFile(infoPath);
    if (!info.isNull()) {
        ParseProgramInfo(info, updated);
    }
    const QByteArray event = ReadWholeFile(eventPath);
    if (!event.isNull()) {
        ParseEventFile(event, updated);
    }
    program_.player.SetProgram(updated);
}

void CProgramTableDlg::OnImageTimer() {
    imageTimer_.stop();
    // the link images stay from earlier runs; only the banner must never be an old one
    QFile::remove(WorkFile(QLatin1String(kEventImageLocalName)));
    TryImage1(program_.player.OnAir().programCode, 0);
}

void CProgramTableDlg::TryImage1(const QString& code, int attempt) {
    if (attempt == kAttempts) {
        TryImage2(code, 0);
        return;
    }
    Log(LogText::kTryImage1);
    Download(program_.player.OnAir().image1Url, WorkFile(code + QStringLiteral("_1.bmp")),
             ServerDownload::kImageMaxBytes, [this, code, attempt](bool present) {
                 if (present) {
                     Log(LogText::kImage1Done);
                     TryImage2(code, 0);
                     return;
                 }
                 Log(LogText::kImage1Failed);
                 TryImage1(code, attempt + 1);
             });
}

// The banner rides along with every attempt at image 2, unjudged.
void CProgramTableDlg::TryImage2(const QString& code, int attempt) {
    if (attempt == kAttempts) {
        program_.player.LinksFetched();
        return;
    }
    const QString image2Path = WorkFile(code + QStringLiteral("_2.bmp"));
    const auto judge = [this, code, attempt, image2Path](bool) {
        if (!image2Path.isEmpty() && QFile::exists(image2Path)) {
            Log(LogText::kImage2Done);
            program_.player.LinksFetched();
            return;
        }
        Log(LogText::kImage2Failed);
        TryImage2(code, attempt + 1);
    };
    Log(LogText::kTryImage2);
    Download(program_.player.OnAir().image2Url, image2Path, ServerDownload::kImageMaxBytes,
             [this, judge](bool present) {
                 if (program_.player.OnAir().eventImageUrl.isEmpty()) {
                     judge(present);
                     return;
                 }
                 Log(LogText::kImage3Ignored);
                 Download(program_.player.OnAir().eventImageUrl,
                          WorkFile(QLatin1String(kEventImageLocalName)),
                          ServerDownload::kImageMaxBytes, judge);
             });
}

void CProgramTableDlg::OnClockTimer() {
    clockTimer_.stop();
    // no request channel (the program is ending) is a clock that cannot be read
    if (program_.webRequest == nullptr) {
        OnClockRead({});
        return;
    }
    program_.webRequest->RequestServerTime(
        kClockLimitMs, this, [this, cycle = cycle_](const ServerTimeReading& reading) {
            // a restart meanwhile began a new cycle, which reads the clock for itself
            if (cycle == cycle_) {
                OnClockRead(reading);
            }
        });
}

std::optional<qint64> CProgramTableDlg::MsToProgramEnd() const {
    if (!lastServerTime_) {
        return std::nullopt;
    }
    const std::optional<int64_t> seconds = SecondsToNextProgram(
        rows_, lastServerTime_->tm_hour, lastServerTime_->tm_min, lastServerTime_->tm_sec);
    if (!seconds) {
        return std::nullopt;
    }
    return std::max<qint64>(0, *seconds * 1000 - sinceServerTime_.elapsed());
}

std::optional<QDateTime> CProgramTableDlg::ServiceNow() const {
    if (!lastServerTime_) {
        return std::nullopt;
    }
    const std::tm& at = *lastServerTime_;
    const QDateTime reading(QDate(at.tm_year + 1900, at.tm_mon + 1, at.tm_mday),
                            QTime(at.tm_hour, at.tm_min, at.tm_sec));
    return reading.addMSecs(sinceServerTime_.elapsed());
}

void CProgramTableDlg::OnClockRead(const ServerTimeReading& reading) {
    TickerLine ticker;
    const QString answer = AnswerFor(reading, ticker);
    program_.player.SetProgramCode(answer);
    ActOnAnswer(answer, ticker);
    if (reading.read) {
        emit clockRead();
    }
}

QString CProgramTableDlg::AnswerFor(const ServerTimeReading& reading, TickerLine& ticker) {
    if (!reading.read) {
        return QLatin1String(ProgramAnswer::kTimeFail);
    }
    const std::tm& serverTime = reading.time;
    lastServerTime_ = serverTime;
    sinceServerTime_.start();
    if (program_.scheduleOption &&
        IsScheduleDue(program_.schedule, serverTime.tm_hour, serverTime.tm_min)) {
        emit scheduleFire();
    }
    ticker = TickerAt(reading.body, serverTime);
    return FromCp949(
        SelectCurrentProgram(rows_, serverTime.tm_hour, serverTime.tm_min, highWaterMark_));
}

void CProgramTableDlg::ActOnAnswer(const QString& answer, const TickerLine& ticker) {
    if (answer == QLatin1String(ProgramAnswer::kTimeFail)) {
        previousCode_.clear();
        lastTickFailed_ = true;
        clockTimer_.start(kRetryTickMs);
        program_.player.ClearProgram(program_.config.mainSite);
        program_.player.ClearLinks();
    } else if (answer == QLatin1String(ProgramAnswer::kOrder)) {
        // a new broadcast day: the whole cycle again, from the table
        previousCode_.clear();
        lastTickFailed_ = false;
        PostRefresh();
    } else if (answer != previousCode_) {
        infoTimer_.start(kStepMs);
        previousCode_ = answer;
        lastTickFailed_ = false;
        clockTimer_.start(kTickMs);
    } else if (lastTickFailed_) {
        previousCode_.clear();
        lastTickFailed_ = false;
        PostRefresh();
    } else {
        // a new program shows its own scrolling text first: the ticker file only follows on
        // ticks where the program stayed
        emit tickerText(ticker.text, ticker.link);
        clockTimer_.start(kTickMs);
    }
}
